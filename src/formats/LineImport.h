// The bulk import of a line-based recipe text file: the file is streamed
// (LineReader), so memory does not grow with it, a RecipeTextParser turns
// its lines into records, and this stores them.
#pragma once

#include <string>

#include "formats/Importer.h"

namespace pantrio {

class ImportProgress;
class RecipeDB;
class RecipeTextParser;

// Reads `path` line by line into `parser` and stores what it produces in
// `db`: the cancel flag of `window` is cleared first and tested before every
// line; the window's status shows each title, its bar the share of the file
// read, and its message list every duplicate and every recipe not stored.
// All recipes go in one transaction, committed every few thousand recipes and
// at the end (also on cancel), so each recipe is stored whole or not at all.
// The parser gets the options' unit form. An empty file gives `emptyFile`;
// a file that cannot be opened gives the notice "Failed to open <path>".
ImportSummary RunLineImport(const std::string& path, RecipeTextParser& parser, RecipeDB& db,
                            ImportProgress& window, const ImportOptions& options);

}  // namespace pantrio
