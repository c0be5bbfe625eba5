// "Add to Shopping List": the current recipe's ingredient lines with check
// boxes (their cells may be changed before they go on the list), "Select
// All", and the choice to place the recipe on the meal plan at the same time.
#pragma once

#include <QDialog>

#include "core/ShoppingListView.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QTreeWidget;

namespace pantrio {

class AddToShoppingListDialog : public QDialog {
    Q_OBJECT
public:
    AddToShoppingListDialog(const AddToShoppingListForm& form, QWidget* parent = nullptr);
    // The form as the user left it.
    AddToShoppingListForm Values() const;

private:
    AddToShoppingListForm form_;
    QCheckBox* addToPlan_ = nullptr;
    QComboBox* meal_ = nullptr;
    QDateEdit* day_ = nullptr;
    QTreeWidget* lines_ = nullptr;
    QCheckBox* selectAll_ = nullptr;
};

// The meal choices of the Add dialogs in their order, with their codes.
void AddMealChoices(QComboBox& combo);

}  // namespace pantrio
