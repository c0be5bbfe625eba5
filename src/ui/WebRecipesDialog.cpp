#include "ui/WebRecipesDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace pantrio {

WebRecipesDialog::WebRecipesDialog(const std::vector<std::string>& titles, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("webRecipesDialog"));
    setWindowTitle(QStringLiteral("Import Recipes"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(
        QStringLiteral("This page holds %1 recipes.  Please tick the ones you'd like to import:")
            .arg(titles.size()),
        this);
    label->setWordWrap(true);
    layout->addWidget(label);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("webRecipeList"));
    for (const std::string& title : titles) {
        auto* item = new QListWidgetItem(QString::fromStdString(title), list_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    list_->setCurrentRow(0);
    label->setBuddy(list_);
    layout->addWidget(list_, 1);

    auto* selection = new QHBoxLayout;
    auto* all = new QPushButton(QStringLiteral("Select &all"), this);
    all->setObjectName(QStringLiteral("selectAll"));
    auto* none = new QPushButton(QStringLiteral("Select &none"), this);
    none->setObjectName(QStringLiteral("selectNone"));
    for (QPushButton* button : {all, none}) {
        button->setAutoDefault(false);
        selection->addWidget(button);
    }
    selection->addStretch(1);
    layout->addLayout(selection);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(all, &QPushButton::clicked, this, [this] { TickAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { TickAll(false); });
    connect(list_, &QListWidget::itemChanged, this, [this] { UpdateOk(); });
    list_->setFocus();
    resize(420, 360);
}

void WebRecipesDialog::TickAll(bool ticked) {
    for (int i = 0; i < list_->count(); ++i)
        list_->item(i)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

// OK needs at least one ticked recipe.
void WebRecipesDialog::UpdateOk() {
    ok_->setEnabled(!Chosen().empty());
}

std::vector<int> WebRecipesDialog::Chosen() const {
    std::vector<int> indexes;
    for (int i = 0; i < list_->count(); ++i)
        if (list_->item(i)->checkState() == Qt::Checked) indexes.push_back(i);
    return indexes;
}

}  // namespace pantrio
