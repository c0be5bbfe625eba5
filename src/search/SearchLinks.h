// Statements that fill the results list from a single value: the search
// links of rendered recipe pages (title number, cuisine, main ingredient,
// keyword), the Cuisines and main-ingredient folders of the navigation bar,
// and type-ahead in the list.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pantrio {

class RecipeDB;

// The link commands of a recipe page, recognised on the upper-cased link
// text: "FINDPRIMARYINGREDIENT(", "FINDCUISINE(", "FINDKEYWORD(", "FINDRECIPE(".
enum class SearchLink { MainIngredient, Cuisine, Keyword, Recipe };

// The statement of one link with its value (apostrophes are doubled here).
// A recipe link whose value is not a whole number gives nothing, because the
// value would stand in the statement unquoted.
std::optional<std::string> SearchLinkQuery(SearchLink link, const std::string& value);

// Splits a link text such as "FindCuisine(Thai)" into its command and value
// (what lies between the opening parenthesis and the last character); nothing
// when the text starts with none of the four commands.
struct ParsedSearchLink {
    SearchLink link;
    std::string value;
};
std::optional<ParsedSearchLink> ParseSearchLink(const std::string& linkText);

// The two folders of the navigation bar.
enum class RecipeFolder { Cuisines, MainIngredients };

// The folder's items: the distinct values of Cuisine (or PrimaryIngredient)
// in result order. A blank first value (the group of recipes without one) is
// not listed; a later blank value is, as the item for recipes without one.
// -1 on failure, else the number of items.
int FolderItems(RecipeDB& db, RecipeFolder folder, std::vector<std::string>& items);
// The icon of the folder's items: 8 for cuisines, 9 for main ingredients.
int FolderItemIcon(RecipeFolder folder);
// The statement of a chosen item; its text is trimmed, and an empty text
// lists the recipes whose value is null or empty.
std::string FolderItemQuery(RecipeFolder folder, const std::string& itemText);

// Type-ahead: a key press of a letter or digit lists every recipe from the
// first title that sorts at or after that character, in title order. Nothing
// for any other character.
std::optional<std::string> TypeAheadQuery(char key);

}  // namespace pantrio
