#include "core/RecipeController.h"

#include <algorithm>

#include "base/Prompter.h"
#include "base/Text.h"
#include "core/AppSettings.h"
#include "core/LookupLists.h"
#include "core/MainDialog.h"
#include "core/RecipePagesView.h"
#include "core/RecipeScaling.h"
#include "recipe/Quantity.h"
#include "render/RenderRecipePage.h"
#include "render/TemplateCache.h"
#include "search/KeywordEditor.h"
#include "search/Marking.h"
#include "search/ViewQuery.h"
#include "storage/RecipeDB.h"
#include "storage/SupportDB.h"

namespace pantrio {

namespace {

bool IsWholeNumberText(const std::string& text) {
    if (text.empty() || text.size() > 9) return false;
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

RecipeController::RecipeController(ControllerContext context, RecipePagesView* view)
    : context_(context), view_(view) {}

void RecipeController::Forget() {
    currentNumber_ = -1;
    current_.Clear();
}

int RecipeController::ShowRecipe(int recipeID, const std::string& boxPath, bool announce) {
    Prompter& prompter = context_.prompter;
    if (current_.LinesModified) prompter.Message("Old ingredient collection needs saving to DB");

    BoxController& boxes = context_.main.Boxes();
    if (Trim(boxPath) != Trim(boxes.CookbookPath())) {
        ResultsController& results = context_.main.Results();
        if (announce) prompter.Message("Changing to recipe box: " + boxPath);
        results.ClearResults();
        if (!boxes.OpenBox(boxPath)) {
            boxes.ShowBoxLine();
            return -1;
        }
        if (results.FillResults(SingleRecipeQuery(recipeID)) <= 0) {
            prompter.Message("Recipe no longer found in this recipe box.");
            boxes.ShowBoxLine();
            return -1;
        }
        boxes.ShowBoxLine();
    }

    RecipeDB& box = context_.box;
    const int loaded = box.LoadRecipe(recipeID, current_);
    if (loaded <= 0) {
        if (loaded == 0) prompter.Message("Recipe box is not open");
        prompter.Message("Could not load recipe.");
        return -1;
    }
    box.LoadIngredientLines(recipeID, current_);
    box.LoadKeywords(recipeID, current_.CategoryNames);
    current_.RecipeID = recipeID;
    current_.LongFormUnits = context_.settings.UILF != 0;

    // The program writes its date literals in ISO form.
    box.RunSQL(Format("Update Recipes set LastViewed = #%s# where RecipeID = %d",
                      context_.main.Today().IsoText().c_str(), recipeID));
    return 0;
}

void RecipeController::SelectRecipe(long recipeID) {
    if (recipeID == currentNumber_) return;
    currentNumber_ = static_cast<int>(recipeID);
    if (ShowRecipe(currentNumber_, context_.main.Boxes().CookbookPath(), true) != 0) Forget();
    RefreshRecipePages();
}

void RecipeController::OnRowSelected(int row) {
    const long id = context_.main.Results().RowRecipeID(row);
    if (id > 0) SelectRecipe(id);
}

void RecipeController::PreviousRecipe() {
    ResultsController& results = context_.main.Results();
    const std::vector<int> selected = results.SelectedRows();
    if (selected.empty()) return;
    const int row = std::max(selected.front() - 1, 0);
    results.SelectRow(row);
    OnRowSelected(row);
}

void RecipeController::NextRecipe() {
    ResultsController& results = context_.main.Results();
    const std::vector<int> selected = results.SelectedRows();
    if (selected.empty()) return;
    const int row = std::min(selected.front() + 1, results.RowCount() - 1);
    results.SelectRow(row);
    OnRowSelected(row);
}

void RecipeController::DeleteRecipes() {
    ResultsController& results = context_.main.Results();
    BoxController& boxes = context_.main.Boxes();
    const std::vector<int> selected = results.SelectedRows();
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
    if (context_.prompter.Message(question, "Warning", Buttons::OKCancel, MessageIcon::Warning) !=
        Answer::OK) {
        boxes.ShowBoxLine();
        return;
    }

    // The recipes go together or not at all, so the list never disagrees
    // with the box.
    std::vector<long> ids;
    for (const int row : selected) ids.push_back(results.RowRecipeID(row));
    RecipeDB& box = context_.box;
    bool ok = true;
    {
        Transaction transaction(box);
        for (const long id : ids) {
            if (id <= 0) continue;
            if (!DeleteRecipe(static_cast<int>(id))) {
                ok = false;
                break;
            }
        }
        if (ok && transaction.Active()) ok = transaction.Commit();
    }
    if (!ok) {
        context_.prompter.Message("The recipes could not be deleted; your recipe box is unchanged.",
                                  "", Buttons::OK, MessageIcon::Error);
        boxes.ShowBoxLine();
        return;
    }
    // The meal plan's entries of these recipes of this box go with them;
    // entries of recipes of other boxes that share a number stay.
    for (const long id : ids) {
        context_.support.RunSQL(
            Format("Delete from RecipeList where RecipeID = %ld AND CookbookFile = '%s'", id,
                   QuoteSql(boxes.CookbookPath()).c_str()));
    }

    Forget();
    results.RemoveRows(selected);
    RefreshRecipePages();
    boxes.ShowBoxLine();
}

bool RecipeController::DeleteRecipe(int id) {
    return context_.box.DeleteRecipe(id, nullptr) == 1;
}

void RecipeController::ClearMarks() {
    const auto confirm = [this] {
        return context_.prompter.Message(
                   "Would you like to clear all checkmarks from the current recipe box?", "",
                   Buttons::YesNo) == Answer::Yes;
    };
    if (!ClearAllMarks(context_.box, confirm)) return;
    ResultsController& results = context_.main.Results();
    results.ClearResults();
    results.FillAllRecipes();
}

void RecipeController::AssignQuickKeyword(const std::string& keyword) {
    const std::vector<int> ids = context_.main.Results().SelectedRecipeIDs();
    const AssignKeywordResult result = AssignKeywordTo(keyword, ids);
    if (result.cancelled) return;
    if (currentNumber_ > 0 &&
        ShowRecipe(currentNumber_, context_.main.Boxes().CookbookPath(), false) != 0)
        Forget();
    RefreshRecipePages();
}

void RecipeController::RefreshEditedRecipe() {
    if (view_ != nullptr) view_->RefreshRecipePages();
    context_.main.Web().ShowEditedRecipe();
}

void RecipeController::RefreshRecipePages() {
    if (view_ != nullptr) view_->RefreshRecipePages();
    context_.main.Web().ShowCurrentRecipe();
}

RenderContext RecipeController::MakeRenderContext() {
    const AppSettings& settings = context_.settings;
    const DataFolders folders = settings.Folders();
    RenderContext context;
    context.templates = &context_.main.Templates();
    context.imagesFolder = folders.HtmImages();
    context.picturesFolder = DataFolders::PicturesFolderOf(settings.CookbookPath);
    context.publishImagesFolder = folders.PublishImages();
    context.serviceURL = settings.ServiceURL;
    context.serviceName = settings.ServiceName;
    context.box = &context_.box;
    context.support = &context_.support;
    return context;
}

int RecipeController::ViewTheme() const {
    return context_.settings.HTMLStyle;
}

std::string RecipeController::RenderViewPage() {
    RenderContext context = MakeRenderContext();
    return RenderRecipePage(current_, RecipePageOptions::ViewTab(ViewTheme()), context);
}

std::string RecipeController::RenderPreviewPage(int theme) {
    RenderContext context = MakeRenderContext();
    return RenderRecipePage(current_, RecipePageOptions::ThemePreview(theme), context);
}

RecipeController::PostDecision RecipeController::PostRecipeCommand() {
    Prompter& prompter = context_.prompter;
    const Recipe& r = current_;
    if (r.UniqueID != 0) {
        if (prompter.Message("Recipe appears to be posted already.  Post an improved revision?",
                             "Post a revision?", Buttons::YesNo,
                             MessageIcon::Question) == Answer::Yes)
            return PostDecision::Revision;
        return PostDecision::None;
    }
    if (r.TasteRating <= 0 || r.AffordableRating <= 0 || r.AppearanceRating <= 0 ||
        r.EffortRating <= 0) {
        prompter.Message("Please rate this recipe before posting.");
        return PostDecision::None;
    }
    if (prompter.Message("This recipe has not been shared yet.  Post it to " +
                             context_.settings.ServiceName + " so other cooks can enjoy it too?",
                         "Post recipe?", Buttons::YesNo, MessageIcon::Question) != Answer::Yes)
        return PostDecision::None;
    context_.main.Web().postingPending = true;
    return PostDecision::FirstPosting;
}

void RecipeController::FindOnServiceCommand() {
    if (current_.UniqueID > 0) {
        context_.main.Web().OpenServiceRecipe(current_.UniqueID);
    } else {
        context_.prompter.Message("This recipe has not been posted to " +
                                  context_.settings.ServiceName +
                                  " yet, so it cannot be found there.");
    }
}

bool RecipeController::StoreServiceNumber(const std::string& number) {
    if (current_.UniqueID > 0) return false;
    // The number goes into the statement as it stands, so only a number may.
    const std::string trimmed = Trim(number);
    bool stored = false;
    if (IsWholeNumberText(trimmed)) {
        stored =
            context_.box.RunSQL(Format("Update Recipes set UniqueID=%s, Color=1 where RecipeID=%d",
                                       trimmed.c_str(), currentNumber_)) > 0;
    }
    current_.UniqueID = static_cast<int>(ParseQuantity(number));
    return stored;
}

bool RecipeController::OpenKeywordEditor(KeywordEditor& editor) {
    if (!HasCurrent()) return false;
    editor.Open(context_.support, context_.lookups.CustomKeywords.rows);
    return true;
}

void RecipeController::StoreKeywords(KeywordEditor& editor) {
    editor.Ok(context_.box);
    RefreshRecipePages();
}

void RecipeController::ShowImportedRecipe(int recipeID) {
    currentNumber_ = recipeID;
    if (ShowRecipe(recipeID, context_.main.Boxes().CookbookPath(), false) != 0) {
        Forget();
    } else {
        context_.main.Results().SelectRow(0);
    }
}

bool RecipeController::LoadRecipe(int id, Recipe& recipe) {
    RecipeDB& box = context_.box;
    if (box.LoadRecipe(id, recipe) <= 0) return false;
    box.LoadIngredientLines(id, recipe);
    box.LoadKeywords(id, recipe.CategoryNames);
    recipe.RecipeID = id;
    return true;
}

bool RecipeController::MakeCurrent(int id) {
    if (!LoadRecipe(id, current_)) {
        Forget();
        return false;
    }
    current_.LongFormUnits = context_.settings.UILF != 0;
    currentNumber_ = id;
    return true;
}

bool RecipeController::Scale(Recipe& recipe, double wanted) {
    return ScaleRecipeTo(recipe, context_.box, wanted);
}

int RecipeController::ConvertUnits(Recipe& recipe) {
    return pantrio::ConvertUnits(recipe, context_.box);
}

int RecipeController::SaveAsNew(Recipe& recipe) {
    return context_.box.SaveAsNew(recipe);
}

bool RecipeController::Exists(int id) {
    return context_.box.RecipeIcon(id) >= 0;
}

bool RecipeController::SetMark(int id, bool marked) {
    const int icon = context_.box.RecipeIcon(id);
    if (icon < 0) return false;
    if ((icon >= 7) == marked) return true;
    // The same toggle as a click on the icon, so the meal plan follows.
    MarkEnvironment environment;
    if (context_.support.Connected()) environment.support = &context_.support;
    environment.soundsOn = false;
    return ToggleMark(context_.box, id, environment) >= 0;
}

AssignKeywordResult RecipeController::AssignKeywordTo(const std::string& keyword,
                                                      const std::vector<int>& ids) {
    const auto confirmMany = [this, &keyword](int recipes) {
        return context_.prompter.Message(Format("This operation will assign the keyword '%s' to "
                                                "these %d recipes.  Are you sure?",
                                                keyword.c_str(), recipes),
                                         "Warning", Buttons::OKCancel) == Answer::OK;
    };
    return AssignKeyword(context_.box, keyword, ids, confirmMany);
}

}  // namespace pantrio
