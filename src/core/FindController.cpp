#include "core/FindController.h"

#include "base/Text.h"
#include "core/AppSettings.h"
#include "core/FindView.h"
#include "core/LookupLists.h"
#include "core/MainCommands.h"
#include "core/MainDialog.h"
#include "search/FindCriteria.h"
#include "search/SimpleFind.h"
#include "storage/RecipeDB.h"
#include "storage/SupportDB.h"

namespace pantrio {

FindController::FindController(ControllerContext context, FindView* view)
    : context_(context), view_(view) {}

FindDialogValues FindController::LastFind() const {
    FindDialogValues values;
    values.text = lastFindText_;
    values.scope = lastFindScope_;
    values.automaticSearch = context_.settings.SWT != 0;
    values.allBoxes = lastAllBoxes_;
    return values;
}

void FindController::FindCommand() {
    if (view_ == nullptr) return;
    if (const auto values = view_->AskFind(LastFind())) RunFind(*values);
}

void FindController::RunFind(const FindDialogValues& values) {
    // The check box is the setting Find Recipes reads as well.
    context_.settings.SWT = values.automaticSearch ? 1 : 0;
    if (values.moreOptions) {
        FindRecipesCommand();
        return;
    }
    lastFindText_ = values.text;
    lastAllBoxes_ = values.allBoxes;
    WebView& web = context_.main.Web();
    const SimpleFindAction action = SimpleFind(values.text, values.scope);
    switch (action.kind) {
        case SimpleFindAction::Kind::OpenServiceRecipe:
            // A recipe number is never looked up in the box.
            web.OpenServiceRecipe(action.serviceRecipe);
            break;
        case SimpleFindAction::Kind::SearchBox: {
            lastFindScope_ = values.scope;
            const std::string statement = action.statement;
            const int rows =
                ListBoxRows([statement](RecipeDB&) { return statement; }, values.allBoxes);
            if (SearchServiceAfterBox(rows, context_.settings.SWT != 0))
                web.SearchServiceText(action.text);
            break;
        }
        case SimpleFindAction::Kind::SearchService:
            lastFindScope_ = values.scope;
            web.SearchServiceText(action.text);
            break;
    }
}

void FindController::FindRecipesCommand() {
    if (view_ == nullptr) return;
    if (const auto request = view_->AskFindRecipes()) FindRecipes(*request);
}

int FindController::SearchServiceFor(const FindCriteria& criteria) {
    const int rows = context_.main.Results().FillResults(ServiceFindQuery(criteria));
    context_.main.Web().SearchService(criteria);
    return rows;
}

std::string FindController::LocalFindQuery(const FindCriteria& criteria) {
    return FindRecipesQuery(criteria, IngredientLookupOf(context_.box));
}

BoxStatement FindController::AllBoxesFindQuery(const FindCriteria& criteria) {
    // Boxes are read-only during the search, so lines waiting for the
    // ingredient index cannot be indexed: every box is searched by scanning.
    return [criteria](RecipeDB&) { return FindRecipesQuery(criteria, IngredientLookup::Scan); };
}

int FindController::ListBoxRows(const BoxStatement& statementFor, bool allBoxes) {
    ResultsController& results = context_.main.Results();
    if (allBoxes) return results.FillAllBoxes(statementFor);
    return results.FillResults(statementFor(context_.box));
}

int FindController::FindRecipes(const FindRecipesRequest& request) {
    ResultsController& results = context_.main.Results();
    context_.main.RunCommand(command::kShowRecipesPage);
    const std::string local = LocalFindQuery(request.criteria);
    int rows = -1;
    if (request.lookInBox) {
        results.SetBusy(true);
        rows = request.allBoxes ? results.FillAllBoxes(AllBoxesFindQuery(request.criteria))
                                : results.FillResults(local);
        results.SetBusy(false);
    }
    if (!request.lookInBox || SearchServiceAfterBox(rows, context_.settings.SWT != 0)) {
        SearchServiceFor(request.criteria);
        // The list ends with the box's own recipes for the same criteria.
        rows = results.FillResults(local);
    }
    return rows;
}

void FindController::LeftoverWizardCommand() {
    if (view_ == nullptr) return;
    if (const auto request = view_->AskLeftoverWizard()) RunLeftoverWizard(*request);
}

int FindController::RunLeftoverWizard(const LeftoverWizardRequest& request) {
    const FindCriteria criteria =
        LeftoverWizardCriteria(request.first, request.second, request.third);
    if (request.inRecipeBox) return context_.main.Results().FillResults(LocalFindQuery(criteria));
    return SearchServiceFor(criteria);
}

void FindController::ScreenImportCommand() {
    if (view_ == nullptr) return;
    if (const auto slots = view_->AskScreenImport()) ImportScreenSlots(*slots);
}

int FindController::ImportScreenSlots(const ScreenImportSlots& slots) {
    const int id = ImportFromSlots(slots, context_.box, context_.settings.UILF != 0);
    // The list shows the imported recipe alone; after a duplicate it is empty.
    context_.main.Results().FillResults(Format(
        "Select RecipeID, Color, Marked, Title, TasteRating from Recipes Where RecipeID = %d", id));
    context_.main.Boxes().ShowBoxLine();
    return id;
}

std::vector<std::string> FindController::KeywordChoices() const {
    return context_.lookups.Keywords.Texts();
}

std::vector<std::string> FindController::MainIngredientChoices() const {
    VectorRowSink list;
    context_.support.FillCombo("PrimaryIngredients", "PrimaryIngredient", "PrimaryIngredientID",
                               list, "PrimaryIngredient");
    return list.Texts();
}

std::vector<std::string> FindController::CuisineChoices() const {
    VectorRowSink list;
    context_.support.FillCombo("Cuisines", "Cuisine", "ID", list, "Cuisine");
    return list.Texts();
}

std::pair<int, int> FindController::FindRecipesPosition() const {
    return {context_.settings.FilterDlgX, context_.settings.FilterDlgY};
}

void FindController::SetFindRecipesPosition(int x, int y) {
    context_.settings.FilterDlgX = x;
    context_.settings.FilterDlgY = y;
}

}  // namespace pantrio
