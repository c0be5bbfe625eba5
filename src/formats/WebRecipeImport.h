// The import of recipes from a saved web page (.html, .htm) or a bare
// JSON-LD document (.json): every schema.org recipe the file holds is stored
// in the open box with SaveAsNew, in one transaction.
#pragma once

#include <string>

#include "formats/Importer.h"

namespace pantrio {

// A file without any recipe data gives the notice "<file> holds no recipe
// data." and the reasons any block of structured data could not be read.
ImportSummary ImportWebRecipes(const std::string& path, RecipeDB& db, ImportProgress& window,
                               const ImportOptions& options = {});

// Whether the first bytes of a file look like a JSON document rather than a page.
bool LooksLikeJson(std::string_view head);

}  // namespace pantrio
