// A recipe as schema.org structured data: the JSON-LD `Recipe` object that
// every page the program writes embeds (View tab, published and mailed
// pages) and that `pantrio-cli export-jsonld` writes, so that this program
// and others reading schema.org get the recipe back from the page. Fields
// are given as the page shows them: markup is reduced to its text (readers
// take texts as markup, so a "<" of the text is written "&lt;") and
// quantities are scaled like the page's. The JSON text never holds "<", ">"
// or "&" (they are written as \u003c, \u003e, \u0026), so no field can close
// the script element or open a comment.
#pragma once

#include <string>
#include <vector>

namespace pantrio {

class Recipe;

// The JSON text of the recipe's object. `imageAddress` (optional) is the
// picture's address as the page refers to it. `indent` < 0 gives one line.
std::string RecipeJsonLd(const Recipe& recipe, const std::string& imageAddress = {},
                         int indent = -1);

// Several recipes: one recipe gives its object alone, more give a JSON array
// of the objects, in the order given.
std::string RecipesJsonLd(const std::vector<Recipe>& recipes, int indent = 2);

// The script element carrying RecipeJsonLd, to be placed in a page after it
// is filled and cleaned.
std::string RecipeJsonLdScript(const Recipe& recipe, const std::string& imageAddress = {});

// Whether a recipe gives a page structured data: one without a title does not.
bool HasJsonLd(const Recipe& recipe);

// Minutes as an ISO 8601 duration: 90 -> "PT1H30M", 45 -> "PT45M", 0 -> "PT0M".
std::string IsoDuration(int minutes);

}  // namespace pantrio
