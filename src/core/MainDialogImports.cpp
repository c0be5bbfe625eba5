// MainDialog: the box commands of the File menu and the import commands,
// with the progress window they share.
#include "base/Prompter.h"
#include "base/Text.h"
#include "core/MainDialog.h"
#include "core/MainView.h"
#include "formats/BoxImport.h"
#include "formats/MealMasterImport.h"
#include "formats/MxpImport.h"
#include "formats/RecipeFileImport.h"
#include "search/ViewQuery.h"

namespace pantrio {

ProgressWindow& MainDialog::ImportWindow() {
    return progress_ != nullptr ? *progress_ : silentProgress_;
}

void MainDialog::OpenRecipeBoxCommand() {
    const auto chosen =
        prompter_->OpenFile("Open a Pantrio Recipe Box (.CRB)", "Pantrio Recipe Box (*.CRB *.crb)",
                            Settings.Folders().Rbox());
    if (chosen) {
        OpenBox(*chosen);
        ForgetCurrentRecipe();
        if (view_ != nullptr) view_->ClearResults();
        RefreshRecipePages();
    }
    FillAllRecipes();
    ShowBoxLine();
}

void MainDialog::NewRecipeBoxCommand() {
    const auto name = prompter_->AskText("New Recipe Box", "Name of the new recipe box:");
    if (!name) return;
    NewRecipeBox(*name);
}

void MainDialog::ImportGuard(MessageIcon icon) {
    if (!RecipeStore.Connected() ||
        RecipeStore.QueryNumber("Select Count(RecipeID) from Recipes") <= 0)
        return;
    if (prompter_->Message("We strongly recommend you import recipes into a NEW recipe box.  "
                           "\n\nCreate a new recipe box?",
                           "", Buttons::YesNo, icon) == Answer::Yes)
        NewRecipeBoxCommand();
}

int MainDialog::ImportExchangeFile(const std::string& path) {
    ProgressWindow& window = ImportWindow();
    window.ClearMessages();
    return ImportRecipeFile(path, true, RecipeStore, window, *prompter_);
}

void MainDialog::ImportRecipeFileCommand() {
    const auto path = prompter_->OpenFile(
        "Pantrio Recipe File (.rxf)", "Pantrio Recipes (*.rxf *.RXF)", Settings.MyPantrioRecipes);
    if (!path) return;
    ProgressWindow& window = ImportWindow();
    window.ClearMessages();
    ImportRecipeFile(*path, false, RecipeStore, window, *prompter_);
    FillAllRecipes();
    ShowBoxLine();
}

void MainDialog::ImportMealMasterCommand() {
    ImportGuard(MessageIcon::Error);
    const auto path = prompter_->OpenFile("Import a MealMaster File (.MMF)",
                                          "MealMaster File (*.MMF *.mmf);;All Files (*)",
                                          Settings.MyPantrioRecipes);
    if (!path) return;
    ProgressWindow& window = ImportWindow();
    window.ClearMessages();
    window.Show();
    ImportMealMaster(*path, RecipeStore, window, prompter_, nullptr, Settings.UILF != 0);
    window.Hide();
    if (view_ != nullptr) view_->SetStatusText("Import complete.  Viewing Recipes...");
    FillResults(kNewestRecipesQuery);
    ShowBoxLine();
}

void MainDialog::ImportMasterCookCommand() {
    ImportGuard(MessageIcon::Warning);
    const auto path = prompter_->OpenFile("Import a MasterCook File (.MXP)",
                                          "MasterCook File (*.MXP *.mxp);;All Files (*)",
                                          Settings.MyPantrioRecipes);
    if (!path) return;
    ProgressWindow& window = ImportWindow();
    window.ClearMessages();
    window.Show();
    ImportMasterCook(*path, RecipeStore, window, prompter_, nullptr, Settings.UILF != 0);
    window.Hide();
    if (view_ != nullptr) view_->ClearResults();
    FillAllRecipes();
    ShowBoxLine();
}

void MainDialog::ImportRecipeBoxCommand() {
    if (prompter_->Message(
            "Recipes will be imported into the currently loaded recipe box.\r\n\r\nTip:  To "
            "transfer recipes into another recipe box, first load the recipe box that is to "
            "receive the imports, and choose File / Import.\r\n\r\nContinue?",
            "Import into current recipe box?", Buttons::YesNo,
            MessageIcon::Question) != Answer::Yes)
        return;
    const auto path = prompter_->OpenFile(
        "Pantrio Recipe Box (.CRB)", "Pantrio Recipe Box (*.crb *.CRB)", Settings.Folders().Rbox());
    if (!path) return;
    if (IsSameBoxPath(*path, Settings.CookbookPath)) {
        prompter_->Message(
            "That recipe box is the one you are currently viewing.  Please choose a different "
            "file.");
        return;
    }
    BoxImport source;
    if (source.Open(*path, Settings.SystemDatabasePath, *prompter_)) {
        VectorRowSink list;
        source.FillList(list);
        const auto chosen =
            view_ != nullptr ? view_->ChooseRecipesToImport(list.rows) : std::nullopt;
        if (chosen && !chosen->empty()) {
            std::vector<int> ids(chosen->begin(), chosen->end());
            ProgressWindow& window = ImportWindow();
            window.ClearMessages();
            window.Show();
            source.Copy(ids, RecipeStore, &window);
            window.Hide();
        }
        source.Close();
    }
    FillAllRecipes();
    ShowBoxLine();
}

}  // namespace pantrio
