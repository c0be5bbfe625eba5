// The printed shopping list: a table of the items with a blank line before
// each to tick on paper, and the store department beside it.
#pragma once

#include <string>
#include <vector>

namespace pantrio {

// What the printed list shows of one item.
struct PrintedShoppingItem {
    double QtyToBuy = 0;
    std::string UnitOfMeasure;
    std::string ItemName;
    std::string Notes;
    std::string Dept;
};

// The table of `items` in their order. An item without quantity, name and
// notes is left out; the quantity is a fraction with denominators up to 16.
// Item texts keep their markup but never active content.
std::string ShoppingListHtml(const std::vector<PrintedShoppingItem>& items);

}  // namespace pantrio
