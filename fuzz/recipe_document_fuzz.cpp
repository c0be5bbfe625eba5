// Feeds arbitrary bytes to the recipe document reader; whatever it reads must
// write out as a document that reads again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/RecipeDocument.h"
#include "recipe/Recipe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    pantrio::Recipe recipe;
    if (pantrio::ReadRecipeDocument(recipe, text) != 0) return 0;
    const std::string written = pantrio::WriteRecipeDocument(recipe);
    pantrio::Recipe again;
    if (pantrio::ReadRecipeDocument(again, written) != 0) __builtin_trap();
    if (again.LineCount() != recipe.LineCount()) __builtin_trap();
    if (again.CategoryNames.size() != recipe.CategoryNames.size()) __builtin_trap();
    return 0;
}
