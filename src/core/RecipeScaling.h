// Scaling the current recipe to another number of servings and converting its
// units, for the window's commands and the command line: the question with
// its texts is asked here, the arithmetic is the recipe's and the writes are
// the recipe store's.
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
// when its yield is 0 or `wanted` is not above 0, or when the box refused the
// change.
bool ScaleRecipeTo(Recipe& current, RecipeDB& box, double wanted);

// Converts the current recipe's lines to English units when its metric flag
// is on, else to metric; stores the converted lines, reloads the recipe and
// leaves the flag flipped. Returns the number of lines converted, -1 when no
// recipe is loaded or the box refused the change (the recipe is then as it
// was).
int ConvertUnits(Recipe& current, RecipeDB& box);

}  // namespace pantrio
