// MainWindow: the shopping list's view, handed on to its page and dialogs.
#include "ui/AddToShoppingListDialog.h"
#include "ui/MainWindow.h"
#include "ui/MakeShoppingListDialog.h"
#include "ui/ShoppingListPage.h"

namespace pantrio {

void MainWindow::ShowShoppingRows(const std::vector<ShoppingGridRow>& rows) {
    shoppingPage_->ShowRows(rows);
}

void MainWindow::ShowShoppingRecipes(const std::vector<ListRow>& rows) {
    shoppingPage_->ShowRecipes(rows);
}

void MainWindow::ShowCombined(bool combined) {
    shoppingPage_->ShowCombined(combined);
}

void MainWindow::ResetItemEntry() {
    shoppingPage_->ResetItemEntry();
}

std::optional<AddToShoppingListForm> MainWindow::AskAddToShoppingList(
    const AddToShoppingListForm& form) {
    AddToShoppingListDialog dialog(form, this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Values();
}

std::optional<std::vector<long>> MainWindow::AskMakeShoppingList(
    const DateTime& from, const DateTime& to,
    const std::function<std::vector<ListRow>(const DateTime&, const DateTime&)>& entries) {
    MakeShoppingListDialog dialog(from, to, entries, this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Chosen();
}

}  // namespace pantrio
