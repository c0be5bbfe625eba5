// Feeds arbitrary bytes to the web page reader as a page and as a bare
// JSON-LD document, and checks that every recipe read stays within the
// record's limits and holds only UTF-8 text, and that the structured data the
// pages embed for it holds no "<", ">" or "&" and reads back as one recipe.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/Text.h"
#include "formats/JsonLdRecipe.h"
#include "formats/RecipeTextParser.h"
#include "render/RecipeJsonLd.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

void CheckRecipes(const pantrio::WebRecipes& found) {
    for (const pantrio::Recipe& recipe : found.recipes) {
        Check(recipe.LineCount() <= pantrio::Recipe::kMaxLines);
        Check(pantrio::CharCount(recipe.Title) <= 255);
        Check(recipe.Instructions.size() <=
              pantrio::RecipeTextParser::kMaxDirectionsBytes + 2 * pantrio::kMaxJsonLdFieldBytes);
        for (const std::string* field : {&recipe.Title, &recipe.Instructions, &recipe.Source,
                                         &recipe.SubHead, &recipe.Notes, &recipe.YieldText})
            Check(pantrio::IsValidUtf8(*field));
        for (const pantrio::IngredientLine& line : recipe.Lines)
            Check(pantrio::IsValidUtf8(line.Name) && pantrio::IsValidUtf8(line.TextQty));
        if (!pantrio::HasJsonLd(recipe)) continue;
        const std::string json = pantrio::RecipeJsonLd(recipe);
        Check(json.find_first_of("<>&") == std::string::npos);
        pantrio::WebRecipes again;
        pantrio::ReadJsonLdRecipes(json, again);
        Check(again.recipes.size() == 1 && again.problems.empty());
        Check(again.recipes.front().LineCount() <= recipe.LineCount());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The importer reads bytes that are not UTF-8 as Windows-1252 first.
    const std::string text =
        pantrio::EnsureUtf8(std::string(reinterpret_cast<const char*>(data), size));
    CheckRecipes(pantrio::ReadPageRecipes(text));
    pantrio::WebRecipes fromJson;
    pantrio::ReadJsonLdRecipes(text, fromJson);
    CheckRecipes(fromJson);
    Check(fromJson.blocks == 1);
    return 0;
}
