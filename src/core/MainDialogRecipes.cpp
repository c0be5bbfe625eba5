// MainDialog: the results list and the current recipe: showing a recipe
// (switching boxes when needed), walking the list, deleting recipes, marks
// and keywords.
#include <algorithm>

#include "base/Prompter.h"
#include "base/Text.h"
#include "core/MainDialog.h"
#include "core/MainView.h"
#include "render/RenderRecipePage.h"
#include "render/TemplateCache.h"
#include "search/KeywordStorage.h"
#include "search/Marking.h"
#include "search/ViewQuery.h"

namespace pantrio {

int MainDialog::FillResults(const std::string& query) {
    return FillResultsSorted(query, -1);
}

int MainDialog::FillResultsSorted(const std::string& query, int sortColumn) {
    int rows = -1;
    if (view_ != nullptr) {
        rows = view_->FillResults(query);
    } else if (RecipeStore.Connected()) {
        rows = static_cast<int>(RecipeStore.QueryRowCount(query));
    }
    if (rows < 0) sortColumn = -1;
    if (resultsPage_.sortColumn != sortColumn) {
        resultsPage_.sortColumn = sortColumn;
        ShowResultsPageState();
    }
    return rows;
}

void MainDialog::FillAllRecipes() {
    FillResults(kAllRecipesQuery);
}

int MainDialog::ShowRecipe(int recipeID, const std::string& boxPath, bool announce) {
    if (CurrentRecipe.LinesModified)
        prompter_->Message("Old ingredient collection needs saving to DB");

    if (Trim(boxPath) != Trim(Settings.CookbookPath)) {
        if (announce) prompter_->Message("Changing to recipe box: " + boxPath);
        if (view_ != nullptr) view_->ClearResults();
        if (!OpenBox(boxPath)) {
            ShowBoxLine();
            return -1;
        }
        if (FillResults(SingleRecipeQuery(recipeID)) <= 0) {
            prompter_->Message("Recipe no longer found in this recipe box.");
            ShowBoxLine();
            return -1;
        }
        ShowBoxLine();
    }

    const int loaded = RecipeStore.LoadRecipe(recipeID, CurrentRecipe);
    if (loaded <= 0) {
        if (loaded == 0) prompter_->Message("Recipe box is not open");
        prompter_->Message("Could not load recipe.");
        return -1;
    }
    RecipeStore.LoadIngredientLines(recipeID, CurrentRecipe);
    RecipeStore.LoadKeywords(recipeID, CurrentRecipe.CategoryNames);
    CurrentRecipe.RecipeID = recipeID;
    CurrentRecipe.LongFormUnits = Settings.UILF != 0;

    // The program writes its date literals in ISO form.
    RecipeStore.RunSQL(Format("Update Recipes set LastViewed = #%s# where RecipeID = %d",
                              Today().IsoText().c_str(), recipeID));
    return 0;
}

void MainDialog::SelectRecipe(long recipeID) {
    if (recipeID == CurrentRecipeNumber) return;
    CurrentRecipeNumber = static_cast<int>(recipeID);
    if (ShowRecipe(CurrentRecipeNumber, Settings.CookbookPath, true) != 0) {
        // Nothing half-loaded stays current.
        ForgetCurrentRecipe();
    }
    RefreshRecipePages();
}

void MainDialog::OnRowSelected(int row) {
    if (view_ == nullptr) return;
    const long id = view_->RowRecipeID(row);
    if (id > 0) SelectRecipe(id);
}

void MainDialog::PreviousRecipe() {
    if (view_ == nullptr) return;
    const std::vector<int> selected = view_->SelectedRows();
    if (selected.empty()) return;
    const int row = std::max(selected.front() - 1, 0);
    view_->SelectRow(row);
    OnRowSelected(row);
}

void MainDialog::NextRecipe() {
    if (view_ == nullptr) return;
    const std::vector<int> selected = view_->SelectedRows();
    if (selected.empty()) return;
    const int last = view_->RowCount() - 1;
    const int row = std::min(selected.front() + 1, last);
    view_->SelectRow(row);
    OnRowSelected(row);
}

void MainDialog::DeleteRecipes() {
    if (view_ == nullptr) return;
    const std::vector<int> selected = view_->SelectedRows();
    const int n = static_cast<int>(selected.size());
    if (n == 0) return;
    const std::string question =
        n == 1 ? std::string(
                     "Warning:  This will permanently delete this recipe from your recipe "
                     "box.  Are you sure?")
               : Format(
                     "Warning:  This will permanently delete %d recipes from your recipe "
                     "box.  Are you sure?",
                     n);
    if (prompter_->Message(question, "Warning", Buttons::OKCancel, MessageIcon::Warning) !=
        Answer::OK) {
        ShowBoxLine();
        return;
    }

    // The recipes go together or not at all, so the list never disagrees
    // with the box.
    std::vector<long> ids;
    for (const int row : selected) ids.push_back(view_->RowRecipeID(row));
    bool ok = true;
    {
        Transaction transaction(RecipeStore);
        for (const long id : ids) {
            if (id <= 0) continue;
            if (RecipeStore.DeleteRecipe(static_cast<int>(id), nullptr) != 1) {
                ok = false;
                break;
            }
        }
        if (ok && transaction.Active()) ok = transaction.Commit();
    }
    if (!ok) {
        prompter_->Message("The recipes could not be deleted; your recipe box is unchanged.", "",
                           Buttons::OK, MessageIcon::Error);
        ShowBoxLine();
        return;
    }
    // The meal plan's entries of these recipes of this box go with them;
    // entries of recipes of other boxes that share a number stay.
    for (const long id : ids) {
        SupportStore.RunSQL(
            Format("Delete from RecipeList where RecipeID = %ld AND CookbookFile = '%s'", id,
                   QuoteSql(Settings.CookbookPath).c_str()));
    }

    ForgetCurrentRecipe();
    view_->RemoveRows(selected);
    RefreshRecipePages();
    ShowBoxLine();
}

void MainDialog::ClearMarks() {
    const auto confirm = [this] {
        return prompter_->Message(
                   "Would you like to clear all checkmarks from the current recipe box?", "",
                   Buttons::YesNo) == Answer::Yes;
    };
    if (!ClearAllMarks(RecipeStore, confirm)) return;
    if (view_ != nullptr) view_->ClearResults();
    FillAllRecipes();
}

void MainDialog::AssignQuickKeyword(const std::string& keyword) {
    std::vector<int> ids;
    if (view_ != nullptr) {
        for (const int row : view_->SelectedRows()) {
            const long id = view_->RowRecipeID(row);
            if (id > 0) ids.push_back(static_cast<int>(id));
        }
    }
    const auto confirmMany = [this, &keyword](int recipes) {
        return prompter_->Message(Format("This operation will assign the keyword '%s' to these "
                                         "%d recipes.  Are you sure?",
                                         keyword.c_str(), recipes),
                                  "Warning", Buttons::OKCancel) == Answer::OK;
    };
    const AssignKeywordResult result = AssignKeyword(RecipeStore, keyword, ids, confirmMany);
    if (result.cancelled) return;
    if (CurrentRecipeNumber > 0 &&
        ShowRecipe(CurrentRecipeNumber, Settings.CookbookPath, false) != 0)
        ForgetCurrentRecipe();
    RefreshRecipePages();
}

void MainDialog::RefreshRecipePages() {
    if (view_ != nullptr) view_->RefreshRecipePages();
    Web.ShowCurrentRecipe();
}

TemplateCache& MainDialog::Templates() {
    const std::string themes = Settings.Folders().Themes();
    // The cache belongs to one themes folder; a changed data root starts anew.
    if (!templates_ || templates_->ThemesFolder() != themes)
        templates_ = std::make_unique<TemplateCache>(themes, [this](const std::string& error) {
            prompter_->Message(error, "Open", Buttons::OK, MessageIcon::Error);
        });
    return *templates_;
}

RenderContext MainDialog::MakeRenderContext() {
    const DataFolders folders = Settings.Folders();
    RenderContext context;
    context.templates = &Templates();
    context.imagesFolder = folders.HtmImages();
    context.picturesFolder = DataFolders::PicturesFolderOf(Settings.CookbookPath);
    context.publishImagesFolder = folders.PublishImages();
    context.serviceURL = Settings.ServiceURL;
    context.serviceName = Settings.ServiceName;
    context.box = &RecipeStore;
    context.support = &SupportStore;
    return context;
}

std::string MainDialog::RenderViewPage() {
    RenderContext context = MakeRenderContext();
    return RenderRecipePage(CurrentRecipe, RecipePageOptions::ViewTab(Settings.HTMLStyle), context);
}

std::string MainDialog::RenderPreviewPage(int theme) {
    RenderContext context = MakeRenderContext();
    return RenderRecipePage(CurrentRecipe, RecipePageOptions::ThemePreview(theme), context);
}

}  // namespace pantrio
