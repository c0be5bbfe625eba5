// Changing how a stored recipe's quantities come out: scaling to another
// number of servings (stored as the recipe's ScaleMultiple, the quantities
// themselves unchanged) and converting its lines between US customary and
// metric units (the lines are rewritten and stored).
#pragma once

#include <string>

namespace pantrio {

class Prompter;
class Recipe;
class RecipeDB;

inline constexpr const char* kScaleCaption = "Scale this recipe";

// The text of the scale dialog for a recipe that makes `yieldNumberText`
// `yieldUnitText`.
std::string ScaleDialogText(const std::string& yieldNumberText, const std::string& yieldUnitText);

// Asks how many to make and stores the ratio to the recipe's yield as its
// ScaleMultiple. False when the user cancelled or the recipe cannot be scaled
// (no yield to scale from, or no usable answer), with a message for the latter.
bool ChangeServingSize(Recipe& current, RecipeDB& box, Prompter& prompter);

// Scales the current recipe so it makes `wanted`; false (and nothing stored)
// when its yield is 0 or `wanted` is not above 0.
bool ScaleRecipeTo(Recipe& current, RecipeDB& box, double wanted);

// Converts the current recipe's lines to English units when its metric flag
// is on, else to metric; stores the converted lines, reloads the recipe and
// leaves the flag flipped. Returns the number of lines converted, -1 when no
// recipe is loaded.
int ConvertUnits(Recipe& current, RecipeDB& box);

// Converts a value between the units of the conversion table ("cu", "pt",
// "tbsp", "tsp", "l", "ml", "oz", "lb", "g", "kg"). Units of different kinds
// are never converted; false then.
bool ConvertValue(double value, const std::string& from, const std::string& to, double& out);

}  // namespace pantrio
