// The nutrition totals of a stored recipe: every ingredient line linked to a
// food adds that food's amounts (per 100 g) times the line's grams / 100.
#pragma once

namespace pantrio {

class RecipeDB;
class SupportDB;
struct NutrientValues;

// Resets `totals` and sums the fifteen summed nutrients and the grams of the
// linked lines of recipe `recipeID` in the open box, reading the foods from
// `support`. The grams are those stored with each link (the recipe at its own
// yield). A link to a food that has no row adds nothing; no total goes below
// 0. 0, or -1 when the statement fails (the totals then stay reset).
int NutrientTotals(RecipeDB& box, SupportDB& support, int recipeID, NutrientValues& totals);

}  // namespace pantrio
