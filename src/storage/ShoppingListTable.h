// The shopping list's table in the support database: reading the detailed and
// the summed list, writing items, and the recipes that have items on it.
#pragma once

#include <string>

#include "storage/ShoppingItem.h"

namespace pantrio {

class RowSink;
class SupportDB;

// Replaces `items` with the rows of the table by department, master entry and
// name; a department of "Unassigned" shows the master entry's department.
// The row count, -1 when the table cannot be read.
int LoadShoppingItems(SupportDB& support, ShoppingItems& items);

// Replaces `items` with the table's quantities summed by unit, name and
// department (identifier -1), by department and name. The row count, -1 on
// failure.
int LoadSummedItems(SupportDB& support, ShoppingItems& items);

// Inserts `item` with its own ShoppingListID. 1, or -1 when refused.
int AddShoppingItem(SupportDB& support, const ShoppingItem& item);

// The recipes that have items on the list, by title (title, RecipeID).
int FillShoppingRecipes(SupportDB& support, RowSink& list);

}  // namespace pantrio
