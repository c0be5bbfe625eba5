#include "render/MarkedRecipesPage.h"

#include <vector>

#include "recipe/Recipe.h"
#include "render/RenderRecipePage.h"
#include "storage/CADORecordset.h"
#include "storage/RecipeDB.h"

namespace pantrio {

std::string MarkedRecipesPage(RecipeDB& box, const RecipePageOptions& options,
                              RenderContext& context) {
    if (!box.Connected()) return {};
    std::vector<int> numbers;
    {
        CADORecordset rs(box);
        if (!rs.Run("Select RecipeID from Recipes where Marked ORDER BY Title")) return {};
        for (; !rs.AtEnd(); rs.NextRow()) {
            int number = 0;
            if (rs.ReadAt(0, number)) numbers.push_back(number);
        }
    }
    std::string pages;
    for (int number : numbers) {
        Recipe recipe;
        if (box.LoadRecipe(number, recipe) != 1) continue;
        recipe.RecipeID = number;
        box.LoadIngredientLines(number, recipe);
        box.LoadKeywords(number, recipe.CategoryNames);
        pages += RenderRecipePage(recipe, options, context);
    }
    return pages;
}

}  // namespace pantrio
