#include "nutrition/NutritionLog.h"

#include "base/Text.h"
#include "recipe/Recipe.h"

namespace pantrio {

const char* const kNoNutritionHint =
    "Get the nutritional content for this recipe!  Click on the Edit tab, then double-click on "
    "the measuring scale icon for each ingredient listed, and link them to the appropriate USDA "
    "nutrient.";

std::string NutritionLogFor(const Recipe& recipe) {
    std::string log;
    bool anyLinked = false;
    for (const auto& line : recipe.Lines) {
        if (line.bHeading) continue;
        if (line.NutrientID > 0) {
            anyLinked = true;
            continue;
        }
        log += "Warning: Missing nutrient info for " + Trim(line.TextQty) + " " +
               Trim(line.Measure) + " " + Trim(line.Name) + "\r\n";
    }
    return anyLinked ? log : std::string(kNoNutritionHint);
}

}  // namespace pantrio
