// The plain-text form of a recipe: the text part of a recipe mail (width
// 10000), the simple mail (80) and the meal plan's hover tip (60).
#pragma once

#include <string>

namespace pantrio {

class Recipe;

// Title, yield, cuisine and main ingredient with right-aligned labels, the
// ingredient lines (quantity, measure, name; quantities scaled, as fractions
// up to twelfths, a zero quantity left out) and the instructions wrapped at
// `wrapWidth` (see WrapText). The yield line has no line break of its own,
// so the cuisine label continues it.
std::string RenderRecipeText(const Recipe& recipe, int wrapWidth);

}  // namespace pantrio
