// Feeds arbitrary bytes to the shopping-list file reader; whatever it reads
// must write out as a document that reads back to the same items.
#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/ShoppingListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    pantrio::ShoppingItems items;
    if (!pantrio::ReadShoppingListDocument(text, items)) return 0;
    pantrio::ShoppingItems again;
    if (!pantrio::ReadShoppingListDocument(pantrio::ShoppingListDocument(items, "01/01/24"), again))
        __builtin_trap();
    if (again.Count() != items.Count()) __builtin_trap();
    for (std::size_t i = 0; i < items.Count(); ++i)
        if (again[i].ItemName != items[i].ItemName || again[i].Dept != items[i].Dept)
            __builtin_trap();
    return 0;
}
