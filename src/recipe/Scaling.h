// The arithmetic of changing how a recipe's quantities come out: the scale
// factor for another number of servings, and its lines converted between US
// customary and metric units. Nothing here stores anything; the recipe store
// writes the results.
#pragma once

#include <string>
#include <vector>

namespace pantrio {

class Recipe;

// One line's new quantity and measure after unit conversion.
struct ConvertedLine {
    int IngredientLinesID = 0;
    double DblQty = 0;
    std::string Measure;
    std::string TextQty;  // empty when the quantity rounds to nothing
};

// The ScaleMultiple that makes `current` yield `wanted`; false when no
// recipe is loaded, its yield is 0 or `wanted` is not a number above 0.
bool ScaleFactorFor(const Recipe& current, double wanted, double& factor);

// The lines of `current` converted to English units when its metric flag is
// on, else to metric. Headings and lines whose unit has no counterpart are
// left out.
std::vector<ConvertedLine> ConvertLines(const Recipe& current);

// Converts a value between the units of the conversion table ("cu", "pt",
// "tbsp", "tsp", "l", "ml", "oz", "lb", "g", "kg"). Units of different kinds
// are never converted; false then.
bool ConvertValue(double value, const std::string& from, const std::string& to, double& out);

}  // namespace pantrio
