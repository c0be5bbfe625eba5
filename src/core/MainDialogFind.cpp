// MainDialog: the commands that find recipes (the Find dialog, the Find
// Recipes dialog, the Leftover Wizard) and the screen import, whose listing
// shows the new recipe alone.
#include "base/Text.h"
#include "core/MainCommands.h"
#include "core/MainDialog.h"
#include "core/MainView.h"
#include "search/FindCriteria.h"
#include "search/SimpleFind.h"

namespace pantrio {

FindDialogValues MainDialog::LastFind() const {
    FindDialogValues values;
    values.text = lastFindText_;
    values.scope = lastFindScope_;
    values.automaticSearch = Settings.SWT != 0;
    return values;
}

void MainDialog::FindCommand() {
    if (view_ == nullptr) return;
    if (const auto values = view_->AskFind(LastFind())) RunFind(*values);
}

void MainDialog::RunFind(const FindDialogValues& values) {
    // The check box is the setting Find Recipes reads as well.
    Settings.SWT = values.automaticSearch ? 1 : 0;
    if (values.moreOptions) {
        FindRecipesCommand();
        return;
    }
    lastFindText_ = values.text;
    const SimpleFindAction action = SimpleFind(values.text, values.scope);
    switch (action.kind) {
        case SimpleFindAction::Kind::OpenServiceRecipe:
            // A recipe number is never looked up in the box.
            Web.OpenServiceRecipe(action.serviceRecipe);
            break;
        case SimpleFindAction::Kind::SearchBox: {
            lastFindScope_ = values.scope;
            const int rows = FillResults(action.statement);
            if (SearchServiceAfterBox(rows, Settings.SWT != 0)) Web.SearchServiceText(action.text);
            break;
        }
        case SimpleFindAction::Kind::SearchService:
            lastFindScope_ = values.scope;
            Web.SearchServiceText(action.text);
            break;
    }
}

void MainDialog::FindRecipesCommand() {
    if (view_ == nullptr) return;
    if (const auto request = view_->AskFindRecipes()) FindRecipes(*request);
}

int MainDialog::SearchServiceFor(const FindCriteria& criteria) {
    const int rows = FillResults(ServiceFindQuery(criteria));
    Web.SearchService(criteria);
    return rows;
}

int MainDialog::FindRecipes(const FindRecipesRequest& request) {
    RunCommand(command::kShowRecipesPage);
    const std::string local = FindRecipesQuery(request.criteria, IngredientLookupOf(RecipeStore));
    int rows = -1;
    if (request.lookInBox) {
        if (view_ != nullptr) view_->SetBusy(true);
        rows = FillResults(local);
        if (view_ != nullptr) view_->SetBusy(false);
    }
    if (!request.lookInBox || SearchServiceAfterBox(rows, Settings.SWT != 0)) {
        SearchServiceFor(request.criteria);
        // The list ends with the box's own recipes for the same criteria.
        rows = FillResults(local);
    }
    return rows;
}

void MainDialog::LeftoverWizardCommand() {
    if (view_ == nullptr) return;
    if (const auto request = view_->AskLeftoverWizard()) RunLeftoverWizard(*request);
}

int MainDialog::RunLeftoverWizard(const LeftoverWizardRequest& request) {
    const FindCriteria criteria =
        LeftoverWizardCriteria(request.first, request.second, request.third);
    if (request.inRecipeBox)
        return FillResults(FindRecipesQuery(criteria, IngredientLookupOf(RecipeStore)));
    return SearchServiceFor(criteria);
}

void MainDialog::ScreenImportCommand() {
    if (view_ == nullptr) return;
    if (const auto slots = view_->AskScreenImport()) ImportScreenSlots(*slots);
}

int MainDialog::ImportScreenSlots(const ScreenImportSlots& slots) {
    const int id = ImportFromSlots(slots, RecipeStore, Settings.UILF != 0);
    // The list shows the imported recipe alone; after a duplicate it is empty.
    FillResults(Format(
        "Select RecipeID, Color, Marked, Title, TasteRating from Recipes Where RecipeID = %d", id));
    ShowBoxLine();
    return id;
}

}  // namespace pantrio
