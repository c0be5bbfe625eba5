// The shopping list: items made from the current recipe ("Add to Shopping
// List") and from the meal plan ("Make Shopping List"), items typed by hand,
// the page's grid with its cell edits, removing and clearing, the combined
// view that adds quantities up, the list of recipes on the list, and the
// .sxf file. The list lives in the support database's ShoppingList table and
// is reloaded into memory after every change; the controller also keeps the
// page's combined flag, the changed flag and the name of the file the list
// was opened from, which the close question reads.
#pragma once

#include <string>
#include <vector>

#include "core/ControllerContext.h"
#include "core/ShoppingListView.h"
#include "storage/ShoppingItem.h"

namespace pantrio {

class Recipe;

// The grid's columns, in order.
enum class ShoppingColumn { Qty = 0, Unit, Item, Notes, Dept };

struct MasterMatch {
    int id = -1;
    std::string dept = "Unassigned";
};

class ShoppingListController {
public:
    ShoppingListController(ControllerContext context, ShoppingListView* view);

    // ---- generation

    // The first ingredient keyword, in keyword order, that occurs anywhere in
    // `name` (letter case aside), with its store department.
    MasterMatch MatchMaster(const std::string& name);
    // The "Add to Shopping List" form for the current recipe: every line that
    // is not a heading, all ticked, Dinner today.
    AddToShoppingListForm AddForm();
    // The dialog's OK: places the current recipe on the plan when asked, then
    // makes one item per ticked row. The number of items written.
    int AddCheckedLines(const AddToShoppingListForm& form);
    // "&Add Recipe Ingredients to Shopping List": the dialog for the current
    // recipe, and the list reloaded after OK.
    void AddToShoppingListCommand();
    // A results-list row dropped on the shopping list page: the recipe becomes
    // current, as a click on it would make it, and the Add dialog opens.
    void DropRecipe(long recipeID);
    // One item per ingredient line of recipe `recipeID` of the box at
    // `boxPath`, quantities times `scale` (0 counts as 1). The box open
    // before is open again afterwards. The number of items, -1 when the box
    // cannot be opened or has no such recipe (nothing written).
    int AddRecipeFromPlan(int recipeID, const std::string& boxPath, double scale);
    // The plan's entries from `from` to `to` (whole days) by date, meal and
    // title: title, icon, "[scale text]" and the date, with the RecipeListID.
    std::vector<ListRow> PlanEntries(const DateTime& from, const DateTime& to);
    // Adds the items of the given plan entries, in order. The number of items.
    int AddPlanEntries(const std::vector<long>& recipeListIDs);
    // The plan page's "Make Shopping List From Plan": the keep question when
    // the list holds items, then the dialog for the coming week.
    void MakeShoppingListCommand();

    // ---- the page

    // Page start: the detailed list, the combined view off, the recipe list.
    void StartPage();
    // Reloads the detailed list from the table and shows it and the recipes.
    void Reload();
    // The in-memory list as the grid shows it.
    const ShoppingItems& Items() const { return items_; }
    std::vector<ShoppingGridRow> GridRows() const;
    // The list summed by unit, name and department; with `compatibleUnits`
    // also lines of one item in different units of one kind, in the larger
    // sensible unit and marked as converted.
    ShoppingItems CombineItems(bool compatibleUnits);
    // Whether the combined view sums compatible units (the "Combine
    // compatible units" option).
    bool CombinesCompatibleUnits() const;
    bool Combined() const { return combined_; }
    // The combined toggle.
    void ToggleCombined();
    // "&Add": an item typed by hand. The new item's ShoppingListID, -1 when
    // nothing was added.
    int AddItem(const std::string& item, const std::string& qty, const std::string& unit);
    // The unit the master list buys `item` in; empty when none.
    std::string UnitOfPurchase(const std::string& item);
    // "Remove": deletes the item without a question.
    void RemoveItem(int shoppingListID);
    // The Delete key in the grid: asks "Delete from shopping list?" first.
    bool DeleteItem(int shoppingListID);
    // "Clear" asks first; ClearList does the work.
    bool ClearCommand();
    void ClearList();
    // A cell edited in place; the grid keeps the text as typed.
    void WriteCell(int shoppingListID, ShoppingColumn column, const std::string& text);
    // A recipe of the recipe list clicked: the detailed view, its items
    // marked with icon 18.
    void RecipeClicked(long recipeID, const std::string& title);
    // Double click: shows the recipe from the open box.
    void RecipeDoubleClicked(long recipeID);
    // The recipes that have items on the list (title, RecipeID).
    std::vector<ListRow> Recipes();
    // Width of grid column 0..4 (40, 40, 200, 70 and 80 unless set), and a
    // new width the user gave it (saved with the settings).
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);

    // ---- the file

    // "Save S&hopping List" and "Open Sh&opping List".
    void SaveCommand();
    void OpenCommand();
    // Writes the detailed list to `path`; false after "Could not create file
    // in " + path.
    bool WriteShoppingFile(const std::string& path);
    // Reads the list file at `path` into the list: 0, or -1 after a message
    // (nothing changed).
    int OpenShoppingFile(const std::string& path);
    bool Changed() const { return changed_; }
    const std::string& FileName() const { return fileName_; }
    // At the close of the program: offers to save a changed list that was
    // opened from a file.
    void OfferSaveAtClose();

    // The quantity as the grid shows it: empty for 0, else a fraction up to
    // sixteenths of the value rounded to four decimals.
    static std::string QtyText(double qty);

private:
    int NextID();
    void Show();
    void ShowRecipes();
    void InsertItem(ShoppingItem item);
    std::string SaveDate() const;

    ControllerContext context_;
    ShoppingListView* view_;
    ShoppingItems items_;
    bool combined_ = false;
    bool changed_ = false;
    std::string fileName_;
    long markedRecipe_ = -1;
    std::string markedTitle_;
};

}  // namespace pantrio
