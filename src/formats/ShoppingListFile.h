// The shopping-list file (.sxf): one SHOPPINGLIST document holding the save
// date and then twelve elements per item. Texts carry the tilde markers and
// the document's entity escapes.
#pragma once

#include <string>

#include "storage/ShoppingItem.h"

namespace pantrio {

// The document of `items` in list order, saved on `saveDate`.
std::string ShoppingListDocument(const ShoppingItems& items, const std::string& saveDate);

// Reads the items of a shopping-list document into `items` (appended). False,
// with nothing appended, when the text is not a document with a SHOPPINGLIST
// root element.
bool ReadShoppingListDocument(const std::string& text, ShoppingItems& items);

}  // namespace pantrio
