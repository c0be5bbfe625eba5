// MasterCook MXP import: reads a MasterCook text export line by line and
// stores every recipe in the open recipe box with SaveAsNew. A recipe begins
// at a banner line ("* Exported from MasterCook *") and runs to the next
// banner or the end of the file; its header fields, categories and ingredient
// table stand at fixed character positions. The program reads MXP only.
#pragma once

#include <string>

#include "formats/Importer.h"
#include "formats/RecipeTextParser.h"

namespace pantrio {

class MxpParser : public RecipeTextParser {
public:
    MxpParser();
    void Feed(const std::string& line, long lineNumber) override;
    void Finish(bool cancelled, long lastLine) override;

private:
    void Start(long lineNumber);
    void Store();

    // phase_: 0 banner, 1 title, 2 Recipe By, 3 Serving, 4 categories,
    // 5 column heads, 6 ingredients, 7 directions; recipeLine_ is the banner's.
};

// The MXP import as the menu command and the command line run it.
ImportSummary ImportMasterCook(const std::string& path, RecipeDB& db, ImportProgress& window,
                               const ImportOptions& options = {});

// Replaces each TAB by blanks up to the next multiple of eight characters, as
// a text viewer shows it, so the fixed columns of lines with TABs line up.
std::string ExpandTabs(const std::string& line);

}  // namespace pantrio
