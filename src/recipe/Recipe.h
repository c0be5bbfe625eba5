// One recipe in memory: the scalar fields named after the Recipes columns, at
// most 100 ingredient lines and at most 50 keyword names. Importers fill one
// and store it with the recipe store's SaveAsNew; the store also loads a
// stored recipe into one. The record knows nothing of the store.
#pragma once

#include <string>
#include <vector>

#include "base/DateTime.h"
#include "recipe/IngredientLine.h"

namespace pantrio {

class Recipe {
public:
    static constexpr int kMaxLines = 100;
    static constexpr int kMaxCategoryNames = 50;

    Recipe();

    // Empties the record for another recipe; see the field comments for what
    // it keeps.
    void Clear();

    // Appends a line and returns the new line count. TextQty is recomputed
    // from DblQty; with `longFormUnits` the measure is expanded to its long
    // form. A line beyond the hundredth is refused: the count comes back
    // unchanged and LinesDropped() grows, so importers can report it.
    int AddLine(bool bHeading, const std::string& textQty, const std::string& measure,
                const std::string& name, const std::string& prepNotes, double dblQty,
                int ingredientLinesID = -1, double gramWeight = 0, int nutrientID = -1);

    // Adds a trimmed keyword name; returns the new count, or 0 when the name is
    // empty or already present. A 51st name is not added and the unchanged
    // count is returned.
    int AddCategoryName(const std::string& name);
    // "|a|b" for the names a and b; "" when there are none.
    std::string CategoryText() const;

    int LineCount() const { return static_cast<int>(Lines.size()); }
    int LinesDropped() const { return linesDropped_; }

    // Whether AddLine expands unit words to their long form ("UILF").
    bool LongFormUnits = false;

    std::string Title;
    int RecipeID = 0;
    std::vector<IngredientLine> Lines;
    std::vector<std::string> CategoryNames;
    std::string Instructions;
    std::string YieldText;
    std::string NutritionLog;
    double YieldNumber = 0;
    std::string YieldUnit;
    double TasteRating = 0;
    double AppearanceRating = 0;
    double EffortRating = 0;
    double AffordableRating = 0;
    std::string PrimaryIngredient;
    std::string Cuisine;
    std::string PictureFile1;
    std::string CookbookFile;  // kept by Clear
    double ScaleMultiple = 0;  // kept by Clear
    std::string SubHead;       // kept by Clear
    std::string Notes;         // kept by Clear
    int ActiveMinutes = 0;     // kept by Clear
    int TotalMinutes = 0;      // kept by Clear
    int UniqueID = 0;          // kept by Clear
    std::string Source;
    DateTime LastViewed;             // kept by Clear
    std::string AllIngredientsText;  // kept by Clear
    std::string AllCategoriesText;   // kept by Clear

    // Set by the recipe store when lines are loaded: more lines in metric
    // units than not. Unit conversion flips it.
    bool Metric = false;
    // Set when the lines were changed and not stored.
    bool LinesModified = false;

private:
    int linesDropped_ = 0;
};

// Tilde markers: the program's escape scheme for text inside its files.
std::string EscapeMarkers(const std::string& text);
std::string UnescapeMarkers(const std::string& text);
// The number printed with "%.f" (rounded, no decimals).
std::string WholeNumberText(double value);

}  // namespace pantrio
