// "Add to Calendar": the meal and day for the selected recipe. Its OK
// button asks the caller, which may keep the dialog open with a message.
#pragma once

#include <QDialog>
#include <functional>

#include "core/MealPlanView.h"

class QComboBox;
class QDateEdit;

namespace pantrio {

class AddToCalendarDialog : public QDialog {
    Q_OBJECT

public:
    AddToCalendarDialog(const AddToCalendarChoice& initial,
                        std::function<bool(const AddToCalendarChoice&)> accept, QWidget* parent);

    AddToCalendarChoice Choice() const;

private:
    std::function<bool(const AddToCalendarChoice&)> accept_;
    QComboBox* meal_;
    QDateEdit* day_;
};

// The meal drop-down of the Add dialogs: Breakfast, Lunch, Snack, Dinner
// with their codes as data, `selectedCode` chosen.
QComboBox* MealComboBox(int selectedCode, QWidget* parent);

}  // namespace pantrio
