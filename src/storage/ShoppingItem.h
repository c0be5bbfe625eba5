// The shopping list in memory: the items of the ShoppingList table (named
// after its columns) as the shopping list page, the printed list and the
// list file share them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace pantrio {

inline constexpr const char* kAddedManually = "- Added Manually -";

struct ShoppingItem {
    int ShoppingListID = -1;
    double QtyToBuy = 0;
    std::string UnitOfMeasure;
    std::string ItemName;
    std::string Dept;
    std::string Notes;
    std::string RecipeTitle;
    int IngredientLineID = -1;
    int RecipeID = -1;
    std::string CookbookFile;
    int IngredientMasterID = -1;
    std::string TextQty;
    // A line of the combined view that adds up several units of one kind.
    bool Converted = false;
};

class ShoppingItems {
public:
    static constexpr std::size_t kMaxItems = 10000;

    // Appends `item`; ignored when the list is full. An item without a name
    // but with notes and a quantity takes the notes as its name.
    void Add(ShoppingItem item);
    void Clear() { items_.clear(); }
    std::size_t Count() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }
    const std::vector<ShoppingItem>& Items() const { return items_; }
    const ShoppingItem& operator[](std::size_t i) const { return items_[i]; }

private:
    std::vector<ShoppingItem> items_;
};

}  // namespace pantrio
