#include "storage/ShoppingListTable.h"

#include <map>
#include <tuple>

#include "base/RowSink.h"
#include "base/Text.h"
#include "recipe/Quantity.h"
#include "storage/CADORecordset.h"
#include "storage/SupportDB.h"

namespace pantrio {

void ShoppingItems::Add(ShoppingItem item) {
    if (items_.size() >= kMaxItems) return;
    if (Trim(item.ItemName).empty() && !Trim(item.Notes).empty() && item.QtyToBuy > 0) {
        item.ItemName = std::move(item.Notes);
        item.Notes.clear();
    }
    items_.push_back(std::move(item));
}

int LoadShoppingItems(SupportDB& support, ShoppingItems& items) {
    items.Clear();
    CADORecordset rs(support);
    if (!rs.Run("SELECT ShoppingList.ShoppingListID, ShoppingList.Notes, ShoppingList.TextQty, "
                "ShoppingList.QtyToBuy, ShoppingList.UnitOfMeasure, ShoppingList.ItemName, "
                "IngredientMasterTable.KeywordText, IngredientMasterTable.StdDeptName, "
                "ShoppingList.QtyToBuy, IngredientMasterTable.ID, ShoppingList.Dept, "
                "ShoppingList.RecipeTitle, ShoppingList.CookbookFile, ShoppingList.RecipeID, "
                "ShoppingList.IngredientLineID FROM ShoppingList LEFT JOIN IngredientMasterTable "
                "ON ShoppingList.IngredientMasterID = IngredientMasterTable.ID ORDER BY "
                "ShoppingList.Dept, IngredientMasterTable.ID, ShoppingList.ItemName DESC"))
        return -1;
    int count = 0;
    for (; !rs.AtEnd(); rs.NextRow()) {
        ShoppingItem item;
        std::string keyword, standardDept;
        rs.ReadAt(0, item.ShoppingListID);
        rs.ReadAt(1, item.Notes);
        rs.ReadAt(2, item.TextQty);
        rs.ReadAt(3, item.QtyToBuy);
        rs.ReadAt(4, item.UnitOfMeasure);
        rs.ReadAt(5, item.ItemName);
        rs.ReadAt(6, keyword);
        rs.ReadAt(7, standardDept);
        rs.ReadAt(9, item.IngredientMasterID);
        // Without a master row the joined ID is NULL: the item has none.
        if (item.IngredientMasterID == 0 && keyword.empty()) item.IngredientMasterID = -1;
        rs.ReadAt(10, item.Dept);
        rs.ReadAt(11, item.RecipeTitle);
        rs.ReadAt(12, item.CookbookFile);
        rs.ReadAt(13, item.RecipeID);
        rs.ReadAt(14, item.IngredientLineID);
        if (item.Dept == "Unassigned") item.Dept = standardDept;
        items.Add(std::move(item));
        ++count;
    }
    return count;
}

int LoadSummedItems(SupportDB& support, ShoppingItems& items) {
    items.Clear();
    // Texts compare without regard to case, as the database does, except the
    // units "T" (tablespoon) and "t" (teaspoon), which are told apart by it:
    // the sums are made here rather than by a GROUP BY.
    CADORecordset rs(support);
    if (!rs.Run("SELECT ShoppingList.QtyToBuy, ShoppingList.UnitOfMeasure, ShoppingList.ItemName, "
                "ShoppingList.Dept FROM ShoppingList ORDER BY ShoppingList.Dept, "
                "ShoppingList.ItemName, ShoppingList.UnitOfMeasure, ShoppingList.ShoppingListID"))
        return -1;
    std::vector<ShoppingItem> sums;
    std::map<std::tuple<std::string, std::string, std::string>, std::size_t> index;
    for (; !rs.AtEnd(); rs.NextRow()) {
        ShoppingItem item;
        rs.ReadAt(0, item.QtyToBuy);
        rs.ReadAt(1, item.UnitOfMeasure);
        rs.ReadAt(2, item.ItemName);
        rs.ReadAt(3, item.Dept);
        const std::string unit = Trim(item.UnitOfMeasure);
        auto key =
            std::make_tuple(unit == "T" || unit == "t" ? unit : ToLowerText(item.UnitOfMeasure),
                            ToLowerText(item.ItemName), ToLowerText(item.Dept));
        const auto found = index.find(key);
        if (found != index.end()) {
            sums[found->second].QtyToBuy += item.QtyToBuy;
            continue;
        }
        index.emplace(std::move(key), sums.size());
        sums.push_back(std::move(item));
    }
    for (ShoppingItem& item : sums) items.Add(std::move(item));
    return static_cast<int>(sums.size());
}

int AddShoppingItem(SupportDB& support, const ShoppingItem& item) {
    return support.RunSQL(Format(
        "INSERT INTO SHOPPINGLIST(ShoppingListID, TextQty, QtyToBuy, UnitOfMeasure, ItemName, "
        "Notes, RecipeTitle, IngredientLineID, RecipeID, IngredientMasterID, CookbookFile, Dept) "
        "VALUES (%d, '%s', %s, '%s', '%s', '%s', '%s', %d, %d, %d, '%s', '%s')",
        item.ShoppingListID, QuoteSql(item.TextQty).c_str(),
        ExactDecimalText(item.QtyToBuy).c_str(), QuoteSql(item.UnitOfMeasure).c_str(),
        QuoteSql(item.ItemName).c_str(), QuoteSql(item.Notes).c_str(),
        QuoteSql(item.RecipeTitle).c_str(), item.IngredientLineID, item.RecipeID,
        item.IngredientMasterID, QuoteSql(item.CookbookFile).c_str(), QuoteSql(item.Dept).c_str()));
}

int FillShoppingRecipes(SupportDB& support, RowSink& list) {
    list.ClearRows();
    CADORecordset rs(support);
    if (!rs.Run("Select RecipeID, RecipeTitle from ShoppingList Where RecipeTitle <> '- Added "
                "Manually -' GROUP BY RecipeID, RecipeTitle ORDER BY RecipeTitle"))
        return -1;
    int count = 0;
    for (; !rs.AtEnd(); rs.NextRow()) {
        ListRow row;
        long id = 0;
        rs.ReadAt(0, id);
        rs.ReadAt(1, row.text);
        row.data = id;
        list.AddRow(std::move(row));
        ++count;
    }
    return count;
}

}  // namespace pantrio
