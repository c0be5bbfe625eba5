// The list of a recipe's ingredient lines as the Nutrition tab (and the
// ingredient grid) show them: each line with an icon for its link state and
// its quantity scaled by the recipe's scale factor.
#pragma once

namespace pantrio {

class Recipe;
class RowSink;

inline constexpr int kHeadingLineIcon = 14;
inline constexpr int kUnlinkedLineIcon = 15;
inline constexpr int kLinkedLineIcon = 16;

// Empties `list` and adds one row per line: text the quantity, columns the
// measure, name, preparation notes and the scaled quantity with its measure;
// data the IngredientLinesID; icon as above. Renews the recipe's
// NutritionLog. The number of rows.
int NutrientSummary(Recipe& recipe, RowSink& list);

}  // namespace pantrio
