// A search of every recipe box at once: the same statement runs on each box
// of the Rbox folder (and on the open box, wherever it lies), each opened
// read-only for the search, and the rows of all of them are merged into one
// list in title order, each row naming its box. A box that cannot be read
// is left out and named in the result, so one broken file never stops the
// search of the others.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "search/ResultsModel.h"

namespace pantrio {

class RecipeDB;

struct AllBoxesResult {
    // Every box's rows, each with its box's path in `box`, by title (letter
    // case ignored), then box name, then recipe number.
    std::vector<ResultRow> rows;
    // The boxes that were read.
    int boxesSearched = 0;
    // The boxes left out, as "<box name> (<reason>)".
    std::vector<std::string> skipped;

    // "3 recipes / 2 recipe boxes", with "; skipped: old (not a recipe box)"
    // when boxes were left out.
    std::string StatusLine() const;
};

// The recipe boxes a search of all boxes reads: every ".crb" file in
// `rboxFolder` and its subfolders (a new box lives in a folder of its own),
// and `openBox` when it lies elsewhere; each once, sorted by path. An empty
// `openBox` adds nothing.
std::vector<std::string> RecipeBoxFiles(const std::string& rboxFolder, const std::string& openBox);

// The statement to run on a box, given the box open read-only: a results
// statement that yields RecipeID, Title, Color, Marked and TasteRating.
using BoxStatement = std::function<std::string(RecipeDB& box)>;

// Runs `statementFor` on every box of `boxes`, each opened read-only with
// `systemDatabasePath`, and merges the rows.
AllBoxesResult SearchAllBoxes(const std::vector<std::string>& boxes,
                              const BoxStatement& statementFor,
                              const std::string& systemDatabasePath);

// Whether two paths name the same box file (links and "." resolved).
bool SameBoxFile(const std::string& a, const std::string& b);

// The name a box goes by in lists: its file name without the extension.
std::string BoxName(const std::string& path);

}  // namespace pantrio
