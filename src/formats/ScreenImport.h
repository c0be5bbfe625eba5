// Turns recipe text marked by the user into a stored recipe. The screen import
// window keeps one slot per role (title, ingredients, instructions, notes,
// source), each holding the text of the last selection marked with that role;
// the recipe is built from the five slots only.
#pragma once

#include <string>

namespace pantrio {

class RecipeDB;

struct ScreenImportSlots {
    std::string title;
    std::string ingredients;
    std::string instructions;
    std::string notes;
    std::string source;
};

// Longest title kept from the title slot, in characters.
inline constexpr std::size_t kScreenImportTitleChars = 75;

// Builds the recipe and stores it as a new recipe of the open box. Returns the
// new recipe number, or -1 when it was a duplicate (dropped without a
// message) or could not be stored. `longFormUnits` is the setting that
// expands abbreviated unit words.
int ImportFromSlots(const ScreenImportSlots& slots, RecipeDB& box, bool longFormUnits = false);

}  // namespace pantrio
