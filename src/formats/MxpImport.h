// MasterCook MXP import: reads a MasterCook text export line by line and
// stores every recipe in the open recipe box with SaveAsNew. A recipe begins
// at a banner line ("* Exported from MasterCook *") and runs to the next
// banner or the end of the file; its header fields, categories and ingredient
// table stand at fixed character positions. The program reads MXP only.
#pragma once

#include <string>

#include "formats/MealMasterImport.h"

namespace pantrio {

class MxpParser : public RecipeTextParser {
public:
    MxpParser();
    void Feed(const std::string& line, long lineNumber) override;
    void Finish(bool cancelled, long lastLine) override;

    static constexpr std::size_t kMaxDirectionsBytes = 1024 * 1024;

private:
    void Start(long lineNumber);
    void Store();
    void AddDirections(const std::string& text);
    void Reset();

    int phase_ = 0;  // 0 banner, 1 title, 2 Recipe By, 3 Serving, 4 categories,
                     // 5 column heads, 6 ingredients, 7 directions
    Recipe recipe_;
    std::string directions_;
    bool paragraphPending_ = false;
    bool directionsTooLong_ = false;
    long recipeLine_ = 0;  // line of the banner of the recipe being read
    bool anyRecipe_ = false;
};

// ImportMasterCook(path, window): the MXP import as the menu command runs it.
// Returns 0, or -1 when the file is empty.
int ImportMasterCook(const std::string& path, RecipeDB& db, ImportProgress& window,
                     Prompter* prompter = nullptr, ImportSummary* summary = nullptr,
                     bool longFormUnits = false);

// Replaces each TAB by blanks up to the next multiple of eight characters, as
// a text viewer shows it, so the fixed columns of lines with TABs line up.
std::string ExpandTabs(const std::string& line);

}  // namespace pantrio
