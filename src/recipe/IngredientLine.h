// One ingredient line of a recipe, named after the IngredientLines columns.
#pragma once

#include <string>

namespace pantrio {

struct IngredientLine {
    int IngredientLinesID = 0;        // -1 for a line not yet stored
    std::string TextQty;              // quantity as shown, such as "1 1/2"
    std::string Measure;              // unit word
    std::string Name;                 // the ingredient
    bool bHeading = false;            // a section heading, not an ingredient
    double DblQty = 0;                // quantity as a number
    int NutrientID = -1;              // linked food; 0 or less when not linked
    double BaseRecipeGramWeight = 0;  // edible grams in the unscaled recipe
    std::string PrepNotes;            // preparation notes, such as "chopped"
    int LineOrder = 0;                // 1-based position
};

}  // namespace pantrio
