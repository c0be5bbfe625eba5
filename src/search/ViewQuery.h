// The statements behind the results list's two selector buttons (the view
// and the keyword selector), its column headers and the default listings.
// A view is built from the two captions the buttons show; dates are compared
// with today's midnight, which the caller passes in so that a test can say
// what day it is.
#pragma once

#include <string>
#include <vector>

#include "base/DateTime.h"

namespace pantrio {

// One entry of a selector's drop-down menu: the menu text, the caption the
// button takes when it is chosen, and whether a separator follows it.
struct SelectorEntry {
    std::string menuText;
    std::string caption;
    bool separatorAfter = false;
};

// The view selector: "&All (by Star)" ... "Last &30 Days".
const std::vector<SelectorEntry>& ViewSelectorMenu();
// The keyword selector: "All", "@Favorite", ... "Low Fat". Two entries filter
// on another text than they show: "Salads" on "Salad", "Dessert" on
// "Desserts", the texts the keyword commands assign.
const std::vector<SelectorEntry>& KeywordSelectorMenu();

// The captions the two buttons start with.
inline constexpr const char* kInitialViewCaption = "&All";
inline constexpr const char* kInitialKeywordCaption = "Keyword =";

// The view statement of the two captions. `now` is the present local time;
// the Today, Yesterday, Last 7 and Last 30 views count from its midnight.
std::string ViewQuery(const std::string& viewCaption, const std::string& keywordCaption,
                      const DateTime& now);

// A click on column header 0 (title) or 2 (rating); empty for any other
// header, which does nothing.
std::string HeaderClickQuery(int header);

// Every recipe by title: at start-up, after opening or switching a box, after
// most imports and after clearing the marks.
inline constexpr const char* kAllRecipesQuery =
    "Select RecipeID, Title, Color, Marked, TasteRating from Recipes order by Title";
// The newest recipes first, after an import that says "Viewing Recipes...".
inline constexpr const char* kNewestRecipesQuery =
    "Select RecipeID, Title, Color, Marked, TasteRating from Recipes ORDER BY RecipeID DESC";
// The one recipe shown after switching to the box of a planned recipe.
std::string SingleRecipeQuery(int recipeID);

// Midnight at the start of the day of `when`, moved by `days` (negative:
// earlier), across month and year ends.
DateTime MidnightOf(const DateTime& when, int days = 0);

}  // namespace pantrio
