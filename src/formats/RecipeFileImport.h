// Import of the program's own recipe files (.rxf) into the open recipe box.
// A file holds one recipe (a RECIPE root) or several (an RXF root whose
// children are RECIPE elements). Every recipe is stored with SaveAsNew, so
// duplicates are refused and listed in the progress window; a file of several
// recipes is stored in one transaction, and a cancel or a crash never leaves
// part of a recipe behind.
#pragma once

#include <string>

#include "formats/ImportSummary.h"

namespace pantrio {

class ImportProgress;
class RecipeDB;

// Imports every recipe of the file at `path`. A file that cannot be opened
// gives a notice captioned "Open" and is then read as an empty text, which is
// no recipe. A single recipe stored gives a notice saying so.
ImportSummary ImportRecipeFile(const std::string& path, RecipeDB& db, ImportProgress& window);

// The same for the text of such a file (UTF-8, or Windows-1252 when it is not
// valid UTF-8).
ImportSummary ImportRecipeText(const std::string& text, RecipeDB& db, ImportProgress& window);

}  // namespace pantrio
