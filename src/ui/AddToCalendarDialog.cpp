#include "ui/AddToCalendarDialog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/MealPlanController.h"

namespace pantrio {

QComboBox* MealComboBox(int selectedCode, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    for (const int code : {meal::kBreakfast, meal::kLunch, meal::kSnack, meal::kDinner}) {
        combo->addItem(QString::fromStdString(MealPlanController::MealName(code)), code);
        if (code == selectedCode) combo->setCurrentIndex(combo->count() - 1);
    }
    return combo;
}

AddToCalendarDialog::AddToCalendarDialog(const AddToCalendarChoice& initial,
                                         std::function<bool(const AddToCalendarChoice&)> accept,
                                         QWidget* parent)
    : QDialog(parent), accept_(std::move(accept)) {
    setObjectName(QStringLiteral("addToCalendarDialog"));
    setWindowTitle(QStringLiteral("Add to Calendar"));
    auto* layout = new QVBoxLayout(this);
    auto* box = new QGroupBox(QStringLiteral("Add Recipe to Calendar"), this);
    auto* row = new QHBoxLayout(box);
    row->addWidget(new QLabel(QStringLiteral("Add recipe to:"), box));
    meal_ = MealComboBox(initial.meal, box);
    meal_->setObjectName(QStringLiteral("mealChoice"));
    row->addWidget(meal_);
    row->addWidget(new QLabel(QStringLiteral("on"), box));
    day_ = new QDateEdit(QDate(initial.day.year, initial.day.month, initial.day.day), box);
    day_->setObjectName(QStringLiteral("dayChoice"));
    day_->setCalendarPopup(true);
    row->addWidget(day_);
    layout->addWidget(box);
    auto* tip = new QLabel(QStringLiteral("Tip:  You can also add a recipe to the calendar by "
                                          "dragging the recipe from the results list directly "
                                          "onto the date in the Calendar View."),
                           this);
    tip->setWordWrap(true);
    layout->addWidget(tip);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* add = new QPushButton(QStringLiteral("Add Recipe to Calendar"), this);
    add->setObjectName(QStringLiteral("addButton"));
    add->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    buttons->addWidget(add);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, [this] {
        if (accept_(Choice())) QDialog::accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

AddToCalendarChoice AddToCalendarDialog::Choice() const {
    const QDate day = day_->date();
    return {DateTime::FromDate(day.year(), day.month(), day.day()), meal_->currentData().toInt()};
}

}  // namespace pantrio
