// What one import did: the counts the command line prints, the numbers of the
// recipes it stored, and the notices the caller shows in message boxes
// (importers ask no questions and show no boxes themselves).
#pragma once

#include <string>
#include <vector>

namespace pantrio {

// A message for the user that belongs in a box of its own rather than in the
// progress window's list: a file that cannot be opened, a recipe that could
// not be read, or the word that a single recipe arrived.
struct ImportNotice {
    enum class Kind { Plain, Information, Error };
    std::string text;
    std::string caption;
    Kind kind = Kind::Plain;
};

struct ImportSummary {
    long linesRead = 0;
    long recipesFound = 0;  // recipes the file began, stored or not
    long stored = 0;        // stored with SaveAsNew
    long notStored = 0;     // duplicates, failed saves and recipes the parser dropped
    long duplicates = 0;    // the part of notStored that SaveAsNew refused as duplicates
    bool cancelled = false;
    bool emptyFile = false;             // the file holds nothing at all
    bool unknownFormat = false;         // no importer reads this file
    std::vector<int> newRecipeIDs;      // the numbers of the stored recipes, in order
    std::vector<ImportNotice> notices;  // in the order they arose
};

}  // namespace pantrio
