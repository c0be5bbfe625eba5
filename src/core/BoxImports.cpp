// BoxController: the import commands of the File menu and the imports the
// command line runs, with the progress window they share.
#include "base/Text.h"
#include "core/AppSettings.h"
#include "core/BoxController.h"
#include "core/ImportView.h"
#include "core/MainDialog.h"
#include "core/StatusView.h"
#include "formats/BoxImport.h"
#include "search/ViewQuery.h"
#include "storage/RecipeDB.h"
#include "storage/SearchIndexes.h"

namespace pantrio {

ProgressWindow& BoxController::ImportWindow() {
    return progress_ != nullptr ? *progress_ : silentProgress_;
}

void BoxController::OpenRecipeBoxCommand() {
    ResultsController& results = context_.main.Results();
    const auto chosen = context_.prompter.OpenFile("Open a Pantrio Recipe Box (.CRB)",
                                                   "Pantrio Recipe Box (*.CRB *.crb)",
                                                   context_.settings.Folders().Rbox());
    if (chosen) {
        OpenBox(*chosen);
        RecipeController& recipes = context_.main.Recipes();
        recipes.Forget();
        results.ClearResults();
        recipes.RefreshRecipePages();
    }
    results.FillAllRecipes();
    ShowBoxLine();
}

void BoxController::NewRecipeBoxCommand() {
    const auto name = context_.prompter.AskText("New Recipe Box", "Name of the new recipe box:");
    if (!name) return;
    NewRecipeBox(*name);
}

void BoxController::ImportGuard(MessageIcon icon) {
    if (!context_.box.Connected() ||
        context_.box.QueryNumber("Select Count(RecipeID) from Recipes") <= 0)
        return;
    if (context_.prompter.Message("We strongly recommend you import recipes into a NEW recipe "
                                  "box.  \n\nCreate a new recipe box?",
                                  "", Buttons::YesNo, icon) == Answer::Yes)
        NewRecipeBoxCommand();
}

ImportSummary BoxController::ImportFileAs(std::string_view format, const std::string& path,
                                          ImportProgress& progress) {
    const ImporterRow* row = importers_.Find(format);
    if (row == nullptr) {
        ImportSummary summary;
        summary.unknownFormat = true;
        return summary;
    }
    ImportOptions options;
    options.longFormUnits = context_.settings.UILF != 0;
    ImportSummary summary = row->import(path, context_.box, progress, options);
    // The new recipes join the ingredient index now, while the import is
    // still what the user waits for, rather than at the next search.
    if (summary.stored > 0) IndexPendingIngredientNames(context_.box);
    Prompter& prompter = context_.prompter;
    for (const ImportNotice& notice : summary.notices) {
        switch (notice.kind) {
            case ImportNotice::Kind::Plain:
                prompter.Message(notice.text, notice.caption);
                break;
            case ImportNotice::Kind::Information:
                prompter.Message(notice.text, notice.caption, Buttons::OK,
                                 MessageIcon::Information);
                break;
            case ImportNotice::Kind::Error:
                prompter.Message(notice.text, notice.caption, Buttons::OK, MessageIcon::Error);
                break;
        }
    }
    return summary;
}

ImportSummary BoxController::ImportFile(const std::string& path, ImportProgress& progress) {
    const ImporterRow* row = importers_.ForFile(path);
    if (row == nullptr) {
        ImportSummary summary;
        summary.unknownFormat = true;
        return summary;
    }
    return ImportFileAs(row->id, path, progress);
}

int BoxController::ImportExchangeFile(const std::string& path) {
    if (context_.prompter.Message(
            Format("Would you like to import %s into your recipe box?", path.c_str()),
            "Import Recipe into Pantrio", Buttons::OKCancel, MessageIcon::Question) != Answer::OK)
        return -1;
    ProgressWindow& window = ImportWindow();
    window.ClearMessages();
    ImportFileAs("rxf", path, window);
    return 0;
}

bool BoxController::ImportWholeBox(const std::string& path, ImportProgress& progress,
                                   ImportSummary& summary, std::string& error) {
    error.clear();
    if (IsSameBoxPath(path, CookbookPath())) {
        error =
            "That recipe box is the one you are currently viewing.  Please choose a different "
            "file.";
        return false;
    }
    BoxImport import;
    std::vector<std::string> failures;
    if (!import.Open(path, context_.settings.SystemDatabasePath, failures)) {
        for (const std::string& failure : failures) error += (error.empty() ? "" : "\n") + failure;
        return false;
    }
    VectorRowSink list;
    import.FillList(list);
    std::vector<int> ids;
    for (const auto& row : list.rows) ids.push_back(static_cast<int>(row.data));
    const int stored = import.Copy(ids, context_.box, &progress);
    import.Close();
    summary.recipesFound = static_cast<long>(ids.size());
    summary.stored = stored;
    summary.notStored = static_cast<long>(ids.size()) - stored;
    summary.cancelled = progress.Cancelled();
    return true;
}

void BoxController::ImportRecipeFileCommand() {
    const auto path =
        context_.prompter.OpenFile("Pantrio Recipe File (.rxf)", "Pantrio Recipes (*.rxf *.RXF)",
                                   context_.settings.MyPantrioRecipes);
    if (!path) return;
    ProgressWindow& window = ImportWindow();
    window.ClearMessages();
    ImportFileAs("rxf", *path, window);
    context_.main.Results().FillAllRecipes();
    ShowBoxLine();
}

bool BoxController::ImportTextFile(std::string_view format, MessageIcon guardIcon,
                                   const std::string& title, const std::string& filter) {
    ImportGuard(guardIcon);
    const auto path = context_.prompter.OpenFile(title, filter, context_.settings.MyPantrioRecipes);
    if (!path) return false;
    ProgressWindow& window = ImportWindow();
    window.ClearMessages();
    window.Show();
    ImportFileAs(format, *path, window);
    window.Hide();
    return true;
}

void BoxController::ImportMealMasterCommand() {
    if (!ImportTextFile("mealmaster", MessageIcon::Error, "Import a MealMaster File (.MMF)",
                        "MealMaster File (*.MMF *.mmf);;All Files (*)"))
        return;
    if (status_ != nullptr) status_->SetStatusText("Import complete.  Viewing Recipes...");
    context_.main.Results().FillResults(kNewestRecipesQuery);
    ShowBoxLine();
}

void BoxController::ImportMasterCookCommand() {
    ImportMasterCookFile("mastercook", "Import a MasterCook File (.MXP)",
                         "MasterCook File (*.MXP *.mxp);;All Files (*)");
}

void BoxController::ImportMasterCookMx2Command() {
    ImportMasterCookFile("mx2", "Import a MasterCook File (.MX2)",
                         "MasterCook XML File (*.MX2 *.mx2);;All Files (*)");
}

// Both MasterCook formats end alike: the whole box is listed afterwards.
void BoxController::ImportMasterCookFile(std::string_view format, const std::string& title,
                                         const std::string& filter) {
    if (!ImportTextFile(format, MessageIcon::Warning, title, filter)) return;
    ResultsController& results = context_.main.Results();
    results.ClearResults();
    results.FillAllRecipes();
    ShowBoxLine();
}

void BoxController::ImportRecipeBoxCommand() {
    Prompter& prompter = context_.prompter;
    if (prompter.Message(
            "Recipes will be imported into the currently loaded recipe box.\r\n\r\nTip:  To "
            "transfer recipes into another recipe box, first load the recipe box that is to "
            "receive the imports, and choose File / Import.\r\n\r\nContinue?",
            "Import into current recipe box?", Buttons::YesNo,
            MessageIcon::Question) != Answer::Yes)
        return;
    const auto path =
        prompter.OpenFile("Pantrio Recipe Box (.CRB)", "Pantrio Recipe Box (*.crb *.CRB)",
                          context_.settings.Folders().Rbox());
    if (!path) return;
    if (IsSameBoxPath(*path, CookbookPath())) {
        prompter.Message(
            "That recipe box is the one you are currently viewing.  Please choose a different "
            "file.");
        return;
    }
    BoxImport source;
    std::vector<std::string> failures;
    if (!source.Open(*path, context_.settings.SystemDatabasePath, failures)) {
        for (const std::string& failure : failures) prompter.Message(failure);
    } else {
        VectorRowSink list;
        source.FillList(list);
        const auto chosen =
            imports_ != nullptr ? imports_->ChooseRecipesToImport(list.rows) : std::nullopt;
        if (chosen && !chosen->empty()) {
            std::vector<int> ids(chosen->begin(), chosen->end());
            ProgressWindow& window = ImportWindow();
            window.ClearMessages();
            window.Show();
            source.Copy(ids, context_.box, &window);
            window.Hide();
        }
        source.Close();
    }
    context_.main.Results().FillAllRecipes();
    ShowBoxLine();
    // The box's folders may hold the imported recipes' cuisines now.
    AnnounceBoxChange();
}

}  // namespace pantrio
