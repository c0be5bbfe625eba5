// Finding recipes: the Find dialog, the Find Recipes dialog with its
// look-up lists, the Leftover Wizard, and the screen import (whose listing
// shows the new recipe alone). It keeps the Find dialog's last text and
// scope for the run; the dialogs are the FindView it is given.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/ControllerContext.h"
#include "core/FindRequests.h"
#include "formats/ScreenImport.h"
#include "search/AllBoxesSearch.h"

namespace pantrio {

class FindView;

class FindController {
public:
    FindController(ControllerContext context, FindView* view);

    // Edit "&Find Recipes..." and the toolbar's "Find": the Find dialog.
    void FindCommand();
    // The Find dialog's OK (or "More Options >>") with its values.
    void RunFind(const FindDialogValues& values);
    // What the Find dialog opens with next time: the last text and scope of
    // the run and the automatic-search setting.
    FindDialogValues LastFind() const;
    // The Find Recipes dialog ("More Options >>").
    void FindRecipesCommand();
    // The Find Recipes dialog's "Find Recipes": lists the criteria's recipes
    // of the box, or sends them to the recipe service (also when nothing was
    // found and the automatic search is on) and then lists them. The rows
    // listed, -1 when the statement failed.
    int FindRecipes(const FindRecipesRequest& request);
    // The statement of the search of the open box for `criteria`, through the
    // box's ingredient index when it has one.
    std::string LocalFindQuery(const FindCriteria& criteria);
    // Tools "&Leftover Wizard".
    void LeftoverWizardCommand();
    // The wizard's OK: recipes of the box that use all three ingredients, or
    // the same search on the recipe service (the list then shows the box's
    // recipes that hold the ingredients anywhere). The rows listed, or -1.
    int RunLeftoverWizard(const LeftoverWizardRequest& request);
    // Edit "&Screen Import" and "from Clipboard (Text or Web)".
    void ScreenImportCommand();
    // The screen import's "Import!": stores the recipe of the five slots and
    // lists it alone (the list is empty after a duplicate). The new recipe's
    // number, or -1.
    int ImportScreenSlots(const ScreenImportSlots& slots);

    // The lists the Find Recipes dialog offers: the keywords, the main
    // ingredients and the cuisines of the support database.
    std::vector<std::string> KeywordChoices() const;
    std::vector<std::string> MainIngredientChoices() const;
    std::vector<std::string> CuisineChoices() const;
    // Where the Find Recipes dialog opens, and where it was when its search
    // ran (kept in the settings for the next run).
    std::pair<int, int> FindRecipesPosition() const;
    void SetFindRecipesPosition(int x, int y);

    // The box search of the Find Recipes dialog for `criteria` in every
    // recipe box, as FillAllBoxes runs it.
    static BoxStatement AllBoxesFindQuery(const FindCriteria& criteria);

private:
    // Lists `statementFor`'s rows of the open box, or of every box.
    int ListBoxRows(const BoxStatement& statementFor, bool allBoxes);
    // The criteria's variant listing and their search on the recipe service;
    // the rows listed.
    int SearchServiceFor(const FindCriteria& criteria);

    ControllerContext context_;
    FindView* view_;
    // The Find dialog's last text and scope during the run.
    std::string lastFindText_;
    FindScope lastFindScope_ = FindScope::RecipeBox;
    bool lastAllBoxes_ = false;
};

}  // namespace pantrio
