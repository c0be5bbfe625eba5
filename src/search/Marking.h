// Marking recipes from the results list: a click on a row's icon toggles the
// recipe's mark in the open box and in the meal-plan rows of that recipe of
// the same box; "Clear Marked Recipes" clears every mark of the box (the meal
// plan keeps its copies).
#pragma once

#include <functional>
#include <string>

namespace pantrio {

class RecipeDB;
class ResultsModel;
class Store;

// Whether a single click on a row toggles its mark: it lies 1 to 18 pixels
// from the row's left edge (the icon), exactly one row is selected, and it is
// not a double click.
bool ClickTogglesMark(int pixelsFromRowLeft, int selectedRows, bool doubleClick);

struct MarkEnvironment {
    // The support database with the meal plan; may be null (no plan rows).
    Store* support = nullptr;
    // Plays a sound by its name ("MINIWHOOSH"); may be empty.
    std::function<void(const std::string& sound)> playSound;
    // Whether interface sounds are on.
    bool soundsOn = true;
    // Refreshes the meal-plan page; may be empty.
    std::function<void()> refreshPlan;
};

// Toggles the mark of a recipe of the open box. The new icon (Color, plus 7
// when now marked), or -1 when the recipe has no row or the box refused the
// statement; then neither the box nor the meal plan was changed.
int ToggleMark(RecipeDB& box, int recipeID, const MarkEnvironment& environment);

// Toggles the mark of listed row `row` and shows the new mark in the row. The
// new icon, or -1 as above (the row is unchanged).
int ToggleMarkAt(ResultsModel& list, RecipeDB& box, long row, const MarkEnvironment& environment);

// Clears every mark of the box when `confirm` (the caller's question) says
// yes. True when the marks were cleared; the caller then shows the default
// listing.
bool ClearAllMarks(RecipeDB& box, const std::function<bool()>& confirm);

}  // namespace pantrio
