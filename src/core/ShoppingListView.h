// The shopping list page and its two dialogs as ShoppingListController sees
// them: the grid of items, the list of recipes on the list, the combined
// toggle, and the "Add to Shopping List" and "Make Shopping List" dialogs.
// Every dialog defaults to Cancel, so a front end without a window needs
// nothing here.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/DateTime.h"
#include "base/RowSink.h"

namespace pantrio {

// One row of the grid: "Qty", "Unit", "Item", "Notes", "Dept", with the
// item's ShoppingListID (-1 in the combined view) and its icon (17, or 18 for
// the items of the recipe picked in the recipe list).
struct ShoppingGridRow {
    std::string qty, unit, item, notes, dept;
    int shoppingListID = -1;
    int icon = 17;
    bool converted = false;  // a combined line that adds up several units
};

// A row of the "Add to Shopping List" dialog: an ingredient line of the
// current recipe, with the cells the user may have changed.
struct AddIngredientRow {
    std::string qty, unit, ingredient, notes;
    int ingredientLineID = -1;
    bool checked = true;
};

// What the "Add to Shopping List" dialog opens with and gives back on OK.
struct AddToShoppingListForm {
    std::string recipeTitle;
    bool addToPlan = false;  // "Add to plan for "
    int meal = 5;            // 0 Breakfast, 3 Lunch, 6 Snack, 5 Dinner
    DateTime day;            // the date picker
    std::vector<AddIngredientRow> rows;
};

class ShoppingListView {
public:
    virtual ~ShoppingListView() = default;

    // The grid, emptied and filled with `rows`.
    virtual void ShowShoppingRows(const std::vector<ShoppingGridRow>& /*rows*/) {}
    // The list of recipes that have items on the list.
    virtual void ShowShoppingRecipes(const std::vector<ListRow>& /*rows*/) {}
    // The combined toggle pressed or released; the recipe list is disabled
    // while it is pressed.
    virtual void ShowCombined(bool /*combined*/) {}
    // After an item was added by hand: quantity and unit empty, "Item:" shows
    // "<item name>", selected, with the focus.
    virtual void ResetItemEntry() {}
    // The "Add to Shopping List" dialog; the form as the user left it on OK,
    // nothing on Cancel.
    virtual std::optional<AddToShoppingListForm> AskAddToShoppingList(
        const AddToShoppingListForm& /*form*/) {
        return std::nullopt;
    }
    // The "Make Shopping List" dialog from `from` to `to`; `entries` lists
    // the plan's entries of a range (again whenever a date changes). The
    // RecipeListIDs of the ticked rows in list order on "Add Recipes",
    // nothing on Cancel.
    virtual std::optional<std::vector<long>> AskMakeShoppingList(
        const DateTime& /*from*/, const DateTime& /*to*/,
        const std::function<std::vector<ListRow>(const DateTime&, const DateTime&)>& /*entries*/) {
        return std::nullopt;
    }
};

}  // namespace pantrio
