#include "nutrition/NutrientTotals.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "base/Text.h"
#include "nutrition/FoodRecord.h"
#include "nutrition/NutrientValues.h"
#include "storage/CADORecordset.h"
#include "storage/RecipeDB.h"
#include "storage/SupportDB.h"

namespace pantrio {

int NutrientTotals(RecipeDB& box, SupportDB& support, int recipeID, NutrientValues& totals) {
    totals.Reset();
    if (!box.Connected()) return -1;

    std::vector<std::pair<int, double>> links;  // food, grams
    {
        CADORecordset rs(box);
        const std::string statement = Format(
            "SELECT NutrientID, BaseRecipeGramWeight FROM (Recipes INNER JOIN IngredientLines ON "
            "Recipes.RecipeID = IngredientLines.RecipeID) INNER JOIN IngredientLinesNutrients ON "
            "IngredientLines.IngredientLinesID = IngredientLinesNutrients.IngredientLinesID WHERE "
            "Recipes.RecipeID=%d",
            recipeID);
        if (!rs.Run(statement)) return -1;
        for (; !rs.AtEnd(); rs.NextRow()) {
            int food = 0;
            double grams = 0;
            rs.ReadAt(0, food);
            rs.ReadAt(1, grams);
            if (!std::isfinite(grams)) grams = 0;
            links.emplace_back(food, grams);
        }
    }

    // A food linked from several lines is read once.
    std::map<int, NutrientValues> foods;
    for (const auto& [food, grams] : links) {
        auto found = foods.find(food);
        if (found == foods.end()) {
            NutrientValues values;
            const bool known = support.Connected() && ReadFood(support, food, values) == 0;
            found = foods.emplace(food, known ? values : NutrientValues()).first;
        }
        for (const auto& column : SummedNutrientColumns()) {
            double* total = totals.Field(column);
            const double amount = *found->second.Field(column);
            if (std::isfinite(amount)) *total = std::max(0.0, *total + amount * grams * 0.01);
        }
        totals.Grams = std::max(0.0, totals.Grams + grams);
    }
    return 0;
}

}  // namespace pantrio
