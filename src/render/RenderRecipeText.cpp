#include "render/RenderRecipeText.h"

#include <cmath>

#include "base/Text.h"
#include "recipe/Quantity.h"
#include "recipe/Recipe.h"
#include "render/TextLayout.h"

namespace pantrio {

namespace {

std::string Quantity(double value) {
    if (!std::isfinite(value)) value = 0;
    std::string text = FractionText(value, 12);
    if (Trim(text) == "0") text.clear();
    return text;
}

}  // namespace

std::string RenderRecipeText(const Recipe& recipe, int wrapWidth) {
    const double scale = (std::isfinite(recipe.ScaleMultiple) && recipe.ScaleMultiple > 0)
                             ? recipe.ScaleMultiple
                             : 1.0;
    const double yield = std::isfinite(recipe.YieldNumber) ? recipe.YieldNumber * scale : 0.0;
    std::string text = recipe.Title + "\n";
    text += PadLabel("Yields: ", 20, true) + FractionText(yield, 12) + " " + recipe.YieldUnit;
    text += PadLabel("Cuisine: ", 20, true) + recipe.Cuisine + "\n";
    text += PadLabel("Main Ingredient: ", 20, true) + recipe.PrimaryIngredient + "\n";
    text += "\n";
    for (const auto& line : recipe.Lines)
        text += Quantity(line.DblQty * scale) + " " + line.Measure + " " + line.Name + "\n";
    text += "\n";
    text += WrapText(recipe.Instructions, wrapWidth);
    return text;
}

}  // namespace pantrio
