#include "storage/RecipeRows.h"

#include <charconv>

#include "base/Text.h"
#include "recipe/Quantity.h"
#include "recipe/Recipe.h"
#include "storage/RecipeDB.h"

namespace pantrio {

namespace {

// The value a number written with `decimals` decimals reads back as, which
// is what the statement text of SaveAsNew stores.
double Rounded(double value, int decimals) {
    const std::string text = DecimalText(value, decimals);
    double out = 0;
    std::from_chars(text.data(), text.data() + text.size(), out);
    return out;
}

}  // namespace

RecipeRows PrepareRecipeRows(const Recipe& recipe) {
    RecipeRows rows;
    rows.instructions = NormaliseLineBreaks(recipe.Instructions);
    rows.notes = NormaliseLineBreaks(recipe.Notes);
    rows.duplicateKey = DuplicateKey(rows.instructions);
    // The keyword text is derived from the names, as SaveAsNew sets it.
    rows.categories = recipe.CategoryText();
    rows.yieldNumber = Rounded(recipe.YieldNumber, 1);
    rows.taste = Rounded(recipe.TasteRating, 4);
    rows.effort = Rounded(recipe.EffortRating, 4);
    rows.appearance = Rounded(recipe.AppearanceRating, 4);
    rows.affordable = Rounded(recipe.AffordableRating, 4);
    rows.scale = Rounded(recipe.ScaleMultiple, 4);
    rows.lines.reserve(recipe.Lines.size());
    for (const IngredientLine& line : recipe.Lines) {
        rows.lines.push_back(
            {CutChars(line.Measure, kStoredMeasureWidth), CutChars(line.Name, kStoredNameWidth),
             CutChars(line.PrepNotes, kStoredPrepNotesWidth), Rounded(line.DblQty, 9)});
    }
    return rows;
}

}  // namespace pantrio
