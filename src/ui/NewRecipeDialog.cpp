#include "ui/NewRecipeDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>

namespace pantrio {

NewRecipeDialog::NewRecipeDialog(const NewRecipeFields& proposed,
                                 const std::vector<std::string>& units, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("newRecipeDialog"));
    setWindowTitle(QStringLiteral("Add a New Recipe"));
    auto* form = new QFormLayout(this);
    title_ = new QLineEdit(QString::fromStdString(proposed.title), this);
    title_->setObjectName(QStringLiteral("newTitleEdit"));
    title_->selectAll();
    form->addRow(QStringLiteral("Recipe Name:"), title_);
    auto* yields = new QHBoxLayout;
    yieldNumber_ = new QLineEdit(QString::fromStdString(proposed.yieldNumber), this);
    yieldNumber_->setObjectName(QStringLiteral("newYieldNumberEdit"));
    yieldNumber_->setMaximumWidth(70);
    yieldUnit_ = new QComboBox(this);
    yieldUnit_->setObjectName(QStringLiteral("newYieldUnitBox"));
    yieldUnit_->setEditable(true);
    for (const std::string& unit : units) yieldUnit_->addItem(QString::fromStdString(unit));
    yieldUnit_->setCurrentText(QString::fromStdString(proposed.yieldUnit));
    yields->addWidget(yieldNumber_);
    yields->addWidget(yieldUnit_, 1);
    form->addRow(QStringLiteral("Yields:"), yields);
    description_ = new QLineEdit(QString::fromStdString(proposed.description), this);
    description_->setObjectName(QStringLiteral("newDescriptionEdit"));
    form->addRow(QStringLiteral("Description:"), description_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    title_->setFocus();
}

NewRecipeFields NewRecipeDialog::Fields() const {
    NewRecipeFields fields;
    fields.title = title_->text().toStdString();
    fields.yieldNumber = yieldNumber_->text().toStdString();
    fields.yieldUnit = yieldUnit_->currentText().toStdString();
    fields.description = description_->text().toStdString();
    return fields;
}

}  // namespace pantrio
