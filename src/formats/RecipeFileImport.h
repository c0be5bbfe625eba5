// Import of the program's own recipe files (.rxf) into the open recipe box.
// A file holds one recipe (a RECIPE root) or several (an RXF root whose
// children are RECIPE elements). Every recipe is stored with SaveAsNew, so
// duplicates are refused and listed in the progress window; a file of several
// recipes is stored in one transaction, and a cancel or a crash never leaves
// part of a recipe behind.
#pragma once

#include <string>

namespace pantrio {

class ImportProgress;
class Prompter;
class RecipeDB;
struct ImportSummary;

// Imports every recipe of the file at `path`. With `ask` (a file opened from
// outside the program) the user is asked first, and Cancel gives -1;
// otherwise the result is 0. A file that cannot be opened is reported in a
// box captioned "Open" and then read as an empty text, which is no recipe.
int ImportRecipeFile(const std::string& path, bool ask, RecipeDB& db, ImportProgress& window,
                     Prompter& prompter, ImportSummary* summary = nullptr);

// The same for the text of such a file (UTF-8, or Windows-1252 when it is not
// valid UTF-8); used for files and for recipes embedded in pages.
void ImportRecipeText(const std::string& text, RecipeDB& db, ImportProgress& window,
                      Prompter& prompter, ImportSummary* summary = nullptr);

}  // namespace pantrio
