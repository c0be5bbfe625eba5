// How a recipe's keywords are stored: the whole keyword text ("|a|b") is
// written at once. The keyword editor, the Notes tab's keyword list and the
// "Add Keyword" commands of the results list all store through here.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace pantrio {

class RecipeDB;

// Writes `categoryText` as the recipe's AllCategoriesText (apostrophes are
// doubled here). RunSQL's result: 1, or -1 when the statement failed.
int StoreCategoryText(RecipeDB& db, int recipeID, const std::string& categoryText);

// One entry of the results list's "Add Keyword" sub-menu.
struct QuickKeyword {
    int commandID;
    const char* menuText;
    const char* keyword;  // the keyword assigned
    bool separatorAfter;
};

// "@&Favorite" ... "Low &Fat", in menu order; "D&essert" assigns "Desserts".
const std::vector<QuickKeyword>& QuickKeywords();
// The keyword a command of the sub-menu assigns; empty for other commands.
std::string QuickKeywordOf(int commandID);

struct AssignKeywordResult {
    bool cancelled = false;  // the confirmation said no
    int recipesChanged = 0;  // recipes whose keyword text was written
    bool ok = true;          // false when a statement failed (nothing was changed)
};

// Adds `keyword` to every recipe of `recipeIDs` (the selected rows, top to
// bottom). With more than 4 recipes it first asks `confirmMany` (given the
// number of recipes) whether to go on. A recipe that already carries the
// keyword, or already has 50, is left as it is. All writes are one
// transaction. The caller shows the current recipe again afterwards unless
// the confirmation said no.
AssignKeywordResult AssignKeyword(RecipeDB& db, const std::string& keyword,
                                  const std::vector<int>& recipeIDs,
                                  const std::function<bool(int recipes)>& confirmMany);

}  // namespace pantrio
