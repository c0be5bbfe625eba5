#include "formats/ScreenImport.h"

#include "base/Text.h"
#include "recipe/IngredientText.h"
#include "recipe/Recipe.h"
#include "storage/RecipeDB.h"

namespace pantrio {

std::string NormaliseLineBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\r\n";
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out.push_back(c);
        }
    }
    return out;
}

int ImportFromSlots(const ScreenImportSlots& slots, RecipeDB& box, bool longFormUnits) {
    Recipe recipe;
    recipe.LongFormUnits = longFormUnits;
    recipe.Title = CutChars(slots.title, kScreenImportTitleChars);
    recipe.Instructions = NormaliseLineBreaks(slots.instructions);
    recipe.Notes = NormaliseLineBreaks(slots.notes);
    recipe.Source = NormaliseLineBreaks(slots.source);
    // The splitter ends lines at carriage returns, the separator of the
    // original text box; text from other sources ends them with line feeds.
    std::string ingredients = ReplaceAll(slots.ingredients, "\r\n", "\r");
    for (char& c : ingredients)
        if (c == '\n') c = '\r';
    SplitIngredientText(recipe, ingredients);
    if (box.SaveAsNew(recipe) != 0) return -1;
    return recipe.RecipeID;
}

}  // namespace pantrio
