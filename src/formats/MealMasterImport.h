// MealMaster import: reads a MealMaster text export (.mmf) line by line and
// stores every recipe in the open recipe box with SaveAsNew, through the bulk
// import of LineImport.h.
#pragma once

#include <string>

#include "formats/Importer.h"
#include "formats/RecipeTextParser.h"

namespace pantrio {

// The MealMaster reader.
class MealMasterParser : public RecipeTextParser {
public:
    MealMasterParser();
    void Feed(const std::string& line, long lineNumber) override;
    void Finish(bool cancelled, long lastLine) override;

private:
    void Begin(const std::string& title, long lineNumber);
    void HandleBody(const std::string& line, long lineNumber);
    bool HandleIngredient(const std::string& line);
    void EndRecipe();
    void ReportNoEnd();

    // phase_: 0 title, 1 categories, 2 yield, 3 body
    long headerWithoutTitle_ = 0;  // line of a header not yet followed by a title
};

// The MealMaster import as the menu command and the command line run it.
ImportSummary ImportMealMaster(const std::string& path, RecipeDB& db, ImportProgress& window,
                               const ImportOptions& options = {});

}  // namespace pantrio
