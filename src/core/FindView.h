// The dialogs of the find area as FindController sees them: the Find
// dialog, the Find Recipes dialog, the Leftover Wizard and the screen
// import. Each defaults to Cancel, so a front end without a dialog needs
// nothing here.
#pragma once

#include <optional>

#include "core/FindRequests.h"
#include "formats/ScreenImport.h"

namespace pantrio {

class FindView {
public:
    virtual ~FindView() = default;

    // The Find dialog ("Find..."), modal, opened with the last text and scope
    // and the automatic-search setting; the values on OK or "More Options >>"
    // (moreOptions set), nothing on Cancel.
    virtual std::optional<FindDialogValues> AskFind(const FindDialogValues& /*last*/) {
        return std::nullopt;
    }
    // The Find Recipes dialog ("Find Recipes"), placed where FindController
    // says (FindRecipesPosition), with its lists from FindController. A modal
    // front end answers with the criteria, or nothing on Cancel. A front end
    // that keeps the dialog open beside the window (modeless) shows it,
    // answers nothing, and calls FindController::FindRecipes when its "Find
    // Recipes" button is pressed.
    virtual std::optional<FindRecipesRequest> AskFindRecipes() { return std::nullopt; }
    // The Leftover Wizard, modal; nothing on Cancel.
    virtual std::optional<LeftoverWizardRequest> AskLeftoverWizard() { return std::nullopt; }
    // The screen import window ("Import from Clipboard"), modal: the five
    // slots as marked when "Import!" was pressed, nothing on Cancel.
    virtual std::optional<ScreenImportSlots> AskScreenImport() { return std::nullopt; }
};

}  // namespace pantrio
