// The recipe exchange document: one recipe as an XML-like text with a RECIPE
// root and one child element per field, in a fixed order. It is the content
// of .rxf files, of the attachment of a recipe mail and of the data embedded
// in published pages. Texts are UTF-8. Some fields carry the tilde markers on
// top of the entity escapes, so that "<", "@" and "&" survive the pages and
// services the document travels through.
#pragma once

#include <string>

namespace pantrio {

class Recipe;

// What the user is told when a document cannot be read.
inline constexpr const char* kCannotReadRecipeDocument = "Could not read Pantrio Recipe.";

// The document for `recipe`; the recipe is not changed.
std::string WriteRecipeDocument(const Recipe& recipe);

// Fills a freshly constructed `recipe` from a document: 0 when a recipe was
// read, -1 when the text is not well formed, its root is not RECIPE or it has
// no fields; then `reason` (when given) says what was wrong, and the caller
// tells the user kCannotReadRecipeDocument. Fields the document does not
// carry keep the values they had.
int ReadRecipeDocument(Recipe& recipe, const std::string& text, std::string* reason = nullptr);

}  // namespace pantrio
