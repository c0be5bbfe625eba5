// Recipes from schema.org structured data: the JSON-LD documents that recipe
// web pages embed (and that a saved .json document holds) turned into Recipe
// records. Everything of a document is searched for objects whose type is
// Recipe: top-level arrays, @graph lists, mainEntity and the items of an
// ItemList. Fields may carry markup and character references; they are read
// as the text a browser shows. The page's own rating is not the user's and is
// not taken.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "recipe/Recipe.h"

namespace pantrio {

// A picture address longer than this is not taken.
constexpr std::size_t kMaxImageAddressBytes = 2048;

// Limits that keep a hostile document from making the reader work or hold
// without bound: nesting beyond kMaxJsonLdDepth is not read, and a text
// field is cut at kMaxJsonLdFieldBytes.
constexpr int kMaxJsonLdDepth = 48;
constexpr std::size_t kMaxJsonLdFieldBytes = 64 * 1024;

struct WebRecipes {
    std::vector<Recipe> recipes;        // in document order
    std::vector<std::string> images;    // each recipe's picture address as written; may be empty
    std::vector<std::string> problems;  // a block that could not be read, and why
    int blocks = 0;                     // structured-data blocks seen
};

// Adds the recipes of one JSON-LD text to `into`.
void ReadJsonLdRecipes(std::string_view json, WebRecipes& into);
// The recipes of every JSON-LD script element of an HTML page; when those
// hold none, the recipes its microdata describes.
WebRecipes ReadPageRecipes(std::string_view page);

// An ISO 8601 duration ("PT1H30M", "P1DT2H", "PT0.5H") in whole minutes,
// rounded; -1 when the text is not such a duration.
int IsoDurationMinutes(std::string_view text);

// Adds one ingredient line written as free text. A leading quantity may be a
// decimal with a point or, when `decimalComma`, a comma ("1,5"), a Unicode
// vulgar fraction ("½", "1½", "1 ½"), a fraction with a fraction slash, or a
// number run into its unit ("500g"); it becomes the line's quantity and the
// rest goes through SplitIngredientText. Returns the lines added (0 or 1).
int AddIngredientText(Recipe& recipe, std::string_view text, bool decimalComma);

}  // namespace pantrio
