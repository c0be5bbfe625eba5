// What the main window's search dialogs hand back to its logic: the Find
// dialog's text and scope, the Find Recipes dialog's criteria and where to
// look, and the Leftover Wizard's three ingredients. The dialogs themselves
// belong to the front end (MainView); MainDialog decides what the values do.
#pragma once

#include <string>

#include "search/FindCriteria.h"
#include "search/SimpleFind.h"

namespace pantrio {

// The Find dialog ("Find..."). MainDialog opens it with the last text and
// scope of the run and the automatic-search setting; the dialog answers with
// the same fields as the user left them.
struct FindDialogValues {
    std::string text;
    FindScope scope = FindScope::RecipeBox;
    // "Search the recipe service when nothing is found here" (the SWT setting).
    bool automaticSearch = false;
    // "all recipe boxes": the search reads every box, not only the open one.
    bool allBoxes = false;
    // Set when the dialog was left with "More Options >>": the Find Recipes
    // dialog opens instead of a search.
    bool moreOptions = false;
};

// The Find Recipes dialog's "Find Recipes" button.
struct FindRecipesRequest {
    FindCriteria criteria;
    // "Look in Recipe Box"; false when the search goes to the recipe service.
    bool lookInBox = true;
    // "all recipe boxes": the box search reads every box, not only the open
    // one.
    bool allBoxes = false;
};

// The Leftover Wizard's OK: three ingredients as typed and where to look.
struct LeftoverWizardRequest {
    std::string first;
    std::string second;
    std::string third;
    // "Current Recipe Box"; false (the dialog's initial choice) for the
    // recipe service.
    bool inRecipeBox = false;
};

}  // namespace pantrio
