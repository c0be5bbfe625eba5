// The bulk import of a line-based recipe text file: the file is streamed
// (LineReader), so memory does not grow with it, a RecipeTextParser turns
// its lines into records, and this stores them. Reading and parsing run on a
// thread of their own (LineParseThread) a few dozen recipes ahead of the
// storing, which stays on the calling thread with the window and the box.
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
//
// The window breathes once for every line, on the calling thread, before
// anything the parser made of that line is acted on, so a cancel takes effect
// exactly where a one-thread import would have stopped: a cancel before line
// n stores the recipes finished up to line n - 1 and reports the recipe open
// there as cut off. Recipes the reading thread had already finished after
// that point (no more than the queue and the batch being stored hold) are
// dropped with their messages, as read after the cancel. An exception of the parser is thrown on
// from here once the reading thread has ended; the parser's callbacks are cleared. The parser gets
// the options' unit form. An empty file gives `emptyFile`; a file that cannot be opened gives the
// notice "Failed to open <path>".
ImportSummary RunLineImport(const std::string& path, RecipeTextParser& parser, RecipeDB& db,
                            ImportProgress& window, const ImportOptions& options);

}  // namespace pantrio
