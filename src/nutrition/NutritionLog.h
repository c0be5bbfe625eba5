// The nutrition log of a recipe: a warning for every ingredient line that is
// not linked to a food, or, when no line at all is linked, the hint that
// tells the user how to link them.
#pragma once

#include <string>

namespace pantrio {

class Recipe;

// The hint shown when no line of a recipe is linked to a food.
extern const char* const kNoNutritionHint;

// "Warning: Missing nutrient info for " + quantity + " " + measure + " " +
// name + "\r\n" for each unlinked ingredient line (headings are skipped), or
// kNoNutritionHint when every line is a heading or unlinked.
std::string NutritionLogFor(const Recipe& recipe);

}  // namespace pantrio
