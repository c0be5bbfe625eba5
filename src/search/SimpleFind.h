// The Find dialog's decision: a text that is a recipe number opens that
// recipe on the recipe service; any other text searches title, ingredients,
// keywords, instructions, cuisine and main ingredient of the open box, or goes
// to the service's keyword search. The dialog itself and the web view are the
// caller's; this says what to do with the text.
#pragma once

#include <string>

namespace pantrio {

enum class FindScope { RecipeBox, RecipeService };

struct SimpleFindAction {
    enum class Kind {
        OpenServiceRecipe,  // open recipe `serviceRecipe` of the recipe service
        SearchBox,          // fill the list with `statement`
        SearchService,      // send `text` to the service's keyword search
    };
    Kind kind = Kind::SearchBox;
    int serviceRecipe = 0;
    std::string statement;
    std::string text;  // the text as typed, for the service search
};

// What the OK button does with `text` in `scope`.
SimpleFindAction SimpleFind(const std::string& text, FindScope scope);

// The search of the open box for a text (apostrophes are doubled here).
std::string SimpleFindQuery(const std::string& text);

// After a box search: whether the text should go to the service as well
// (nothing was found and the automatic search is on).
inline bool SearchServiceAfterBox(long rowsFound, bool automaticSearch) {
    return rowsFound == 0 && automaticSearch;
}

}  // namespace pantrio
