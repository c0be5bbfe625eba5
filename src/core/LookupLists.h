// The look-up lists of the editors, the keyword panes and the Find Recipes
// dialog, filled from the support store at start-up and kept for the run.
#pragma once

#include <string>
#include <vector>

#include "base/RowSink.h"

namespace pantrio {

struct LookupLists {
    VectorRowSink IngredientNames;
    VectorRowSink Measures;
    VectorRowSink Departments;
    VectorRowSink Foods;
    VectorRowSink PrepNotesList;
    VectorRowSink Keywords;
    VectorRowSink CustomKeywords;
    // Ingredient keywords, longest first.
    std::vector<std::string> IngredientMasterList;
};

}  // namespace pantrio
