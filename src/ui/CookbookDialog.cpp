#include "ui/CookbookDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/OptionsSheet.h"

namespace pantrio {

CookbookDialog::CookbookDialog(const CookbookChoices& initial, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("cookbookDialog"));
    setWindowTitle(QStringLiteral("Export Cookbook"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    path_ = new QLineEdit(QString::fromStdString(initial.path), this);
    path_->setObjectName(QStringLiteral("cookbookFile"));
    auto* browse = new QPushButton(QStringLiteral("&Browse..."), this);
    auto* file = new QHBoxLayout;
    file->addWidget(path_, 1);
    file->addWidget(browse);
    // The field shares its row with a button, so its label names it itself.
    auto* fileLabel = new QLabel(QStringLiteral("&File:"), this);
    fileLabel->setBuddy(path_);
    form->addRow(fileLabel, file);
    title_ = new QLineEdit(QString::fromStdString(initial.title), this);
    title_->setObjectName(QStringLiteral("cookbookTitle"));
    form->addRow(QStringLiteral("&Title:"), title_);
    theme_ = new QComboBox(this);
    theme_->setObjectName(QStringLiteral("cookbookTheme"));
    const std::vector<std::string>& names = OptionsSheet::ThemeNames();
    for (std::size_t i = 0; i < names.size(); ++i)
        theme_->addItem(QString::fromStdString(names[i]), static_cast<int>(i));
    theme_->setCurrentIndex(std::max(0, theme_->findData(initial.theme)));
    form->addRow(QStringLiteral("T&heme:"), theme_);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Export"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse, &QPushButton::clicked, this, &CookbookDialog::Browse);
    // The file field leaves room for long paths.
    resize(520, sizeHint().height());
    title_->setFocus();
    title_->selectAll();
}

void CookbookDialog::Browse() {
    const QString chosen =
        QFileDialog::getSaveFileName(this, QStringLiteral("Export Cookbook"), path_->text(),
                                     QStringLiteral("PDF Documents (*.pdf)"));
    if (!chosen.isEmpty()) path_->setText(chosen);
}

CookbookChoices CookbookDialog::Choices() const {
    CookbookChoices choices;
    choices.path = path_->text().trimmed().toStdString();
    choices.title = title_->text().toStdString();
    choices.theme = theme_->currentData().toInt();
    return choices;
}

}  // namespace pantrio
