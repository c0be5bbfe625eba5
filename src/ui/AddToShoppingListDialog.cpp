#include "ui/AddToShoppingListDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace pantrio {

void AddMealChoices(QComboBox& combo) {
    combo.addItem(QStringLiteral("Breakfast"), 0);
    combo.addItem(QStringLiteral("Lunch"), 3);
    combo.addItem(QStringLiteral("Snack"), 6);
    combo.addItem(QStringLiteral("Dinner"), 5);
    combo.setCurrentIndex(3);
}

AddToShoppingListDialog::AddToShoppingListDialog(const AddToShoppingListForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
    setObjectName(QStringLiteral("addToShoppingListDialog"));
    setWindowTitle(QStringLiteral("Add to Shopping List"));
    auto* layout = new QVBoxLayout(this);

    auto* plan = new QGroupBox(QStringLiteral("Add this Recipe to Calendar"), this);
    auto* planRow = new QHBoxLayout(plan);
    addToPlan_ = new QCheckBox(QStringLiteral("Add to plan for "), plan);
    addToPlan_->setObjectName(QStringLiteral("addToPlan"));
    addToPlan_->setChecked(form.addToPlan);
    planRow->addWidget(addToPlan_);
    meal_ = new QComboBox(plan);
    meal_->setObjectName(QStringLiteral("planMeal"));
    AddMealChoices(*meal_);
    const int meal = meal_->findData(form.meal);
    if (meal >= 0) meal_->setCurrentIndex(meal);
    planRow->addWidget(meal_);
    day_ = new QDateEdit(plan);
    day_->setObjectName(QStringLiteral("planDay"));
    day_->setCalendarPopup(true);
    day_->setDate(form.day.null ? QDate::currentDate()
                                : QDate(form.day.year, form.day.month, form.day.day));
    planRow->addWidget(day_);
    planRow->addStretch(1);
    layout->addWidget(plan);

    layout->addWidget(new QLabel(
        QStringLiteral("Which ingredients would you like to add to the shopping list?"), this));
    lines_ = new QTreeWidget(this);
    lines_->setObjectName(QStringLiteral("ingredientLines"));
    lines_->setRootIsDecorated(false);
    lines_->setHeaderLabels({QStringLiteral("Qty"), QStringLiteral("Unit"),
                             QStringLiteral("Ingredient"), QStringLiteral("Notes")});
    const int widths[] = {80, 80, 140, 100};
    for (int c = 0; c < 4; ++c) lines_->setColumnWidth(c, widths[c]);
    lines_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    for (const AddIngredientRow& row : form.rows) {
        auto* item = new QTreeWidgetItem(
            lines_, {QString::fromStdString(row.qty), QString::fromStdString(row.unit),
                     QString::fromStdString(row.ingredient), QString::fromStdString(row.notes)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsEditable);
        item->setCheckState(0, row.checked ? Qt::Checked : Qt::Unchecked);
    }
    layout->addWidget(lines_, 1);
    selectAll_ = new QCheckBox(QStringLiteral("Select All"), this);
    selectAll_->setObjectName(QStringLiteral("selectAll"));
    selectAll_->setChecked(true);
    layout->addWidget(selectAll_);
    connect(selectAll_, &QCheckBox::clicked, this, [this](bool on) {
        for (int i = 0; i < lines_->topLevelItemCount(); ++i)
            lines_->topLevelItem(i)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(520, 420);
}

AddToShoppingListForm AddToShoppingListDialog::Values() const {
    AddToShoppingListForm form = form_;
    form.addToPlan = addToPlan_->isChecked();
    form.meal = meal_->currentData().toInt();
    const QDate d = day_->date();
    form.day = DateTime::FromDate(d.year(), d.month(), d.day());
    for (int i = 0; i < lines_->topLevelItemCount() && i < static_cast<int>(form.rows.size());
         ++i) {
        const QTreeWidgetItem* item = lines_->topLevelItem(i);
        AddIngredientRow& row = form.rows[static_cast<std::size_t>(i)];
        row.qty = item->text(0).toStdString();
        row.unit = item->text(1).toStdString();
        row.ingredient = item->text(2).toStdString();
        row.notes = item->text(3).toStdString();
        row.checked = item->checkState(0) == Qt::Checked;
    }
    return form;
}

}  // namespace pantrio
