#include "search/Marking.h"

#include "base/Text.h"
#include "search/ResultsModel.h"
#include "storage/RecipeDB.h"

namespace pantrio {

bool ClickTogglesMark(int pixelsFromRowLeft, int selectedRows, bool doubleClick) {
    return !doubleClick && selectedRows == 1 && pixelsFromRowLeft >= 1 && pixelsFromRowLeft <= 18;
}

int ToggleMark(RecipeDB& box, int recipeID, const MarkEnvironment& environment) {
    const int icon = box.RecipeIcon(recipeID);
    if (icon < 0 || !box.Connected()) return -1;
    if (environment.soundsOn && environment.playSound) environment.playSound("MINIWHOOSH");

    // An icon of 7 or more is a marked recipe.
    const bool marking = icon < 7;
    const char* value = marking ? "true" : "false";
    if (box.RunSQL(Format("UPDATE RECIPES SET MARKED = %s WHERE RecipeID = %d", value, recipeID)) !=
        1)
        return -1;
    // The meal plan keeps a copy of the mark for the recipes it holds; only
    // the rows of this recipe in this box follow.
    if (environment.support)
        environment.support->RunSQL(
            Format("UPDATE RECIPELIST SET MARKED = %s WHERE RecipeID = %d AND CookbookFile = '%s'",
                   value, recipeID, QuoteSql(box.CookbookPath).c_str()));
    if (environment.refreshPlan) environment.refreshPlan();
    return marking ? icon + 7 : icon - 7;
}

int ToggleMarkAt(ResultsModel& list, RecipeDB& box, long row, const MarkEnvironment& environment) {
    const ResultRow* shown = list.Row(row);
    if (!shown) return -1;
    const int icon = ToggleMark(box, static_cast<int>(shown->recipeID), environment);
    if (icon < 0) return -1;
    list.SetRowMarked(row, icon >= 7);
    // Views ordered by the mark now hold this recipe elsewhere.
    list.NoteReorder();
    return icon;
}

bool ClearAllMarks(RecipeDB& box, const std::function<bool()>& confirm) {
    if (!confirm()) return false;
    return box.RunSQL("Update Recipes Set Marked = 0") == 1;
}

}  // namespace pantrio
