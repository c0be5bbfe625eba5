// Placing a recipe of the open box on the meal plan (the RecipeList table of
// the support database), as the Add dialogs do.
#pragma once

#include <string>

#include "base/DateTime.h"

namespace pantrio {

struct ControllerContext;

// Writes one plan entry for `recipeID` of the open box on `day` at `meal`
// (0 Breakfast, 3 Lunch, 5 Dinner, 6 Snack) with the recipe's results-list
// icon (Color, plus 7 when marked) and the yield it makes ("4 servings").
// 1, or -1 when the statement was refused.
int AddToPlan(ControllerContext& context, const DateTime& day, int meal, int recipeID, int icon,
              const std::string& scaleText);

}  // namespace pantrio
