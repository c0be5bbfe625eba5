// A recipe as the program posts it: its exchange document with apostrophes
// sent as "~quote" and double quotes as "~doublequote", read back into a
// recipe and turned into what the service stores.
#pragma once

#include <string>

#include "service/ServiceStore.h"

namespace pantrio {

class Recipe;

// Field limits of a posted recipe, in bytes of the form values and
// characters of the title.
inline constexpr std::size_t kMaxPostedDocument = 1024u * 1024u;
inline constexpr std::size_t kMaxPostedPage = 2u * 1024u * 1024u;
inline constexpr std::size_t kMaxTitleChars = 255;

// "~doublequote" back to `"`, then "~quote" back to `'`.
std::string DecodePostedDocument(std::string text);

// Reads the posted `recipexml` into a freshly constructed `recipe`; false
// with the message for the poster in `error` when it is missing, too large,
// not a readable recipe or has no title.
bool ReadPostedRecipe(const std::string& recipexml, Recipe& recipe, std::string& error);

// What the store keeps of `recipe` as service recipe `number`: its document
// with UNIQUEID = `number` and the lower-cased texts searches compare.
ServiceRecipe StoredRecipe(Recipe recipe, long number, std::string postedPage);

// A text as searches compare it: trimmed, letters folded to lower case,
// line breaks removed.
std::string SearchKey(const std::string& text);

}  // namespace pantrio
