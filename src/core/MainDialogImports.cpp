// MainDialog: the box commands of the File menu and the import commands,
// with the progress window they share.
#include "base/Prompter.h"
#include "base/Text.h"
#include "core/MainDialog.h"
#include "core/MainView.h"
#include "formats/BoxImport.h"
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

ImportSummary MainDialog::ImportFileAs(std::string_view format, const std::string& path,
                                       ImportProgress& progress) {
    const ImporterRow* row = importers_.Find(format);
    if (row == nullptr) {
        ImportSummary summary;
        summary.unknownFormat = true;
        return summary;
    }
    ImportOptions options;
    options.longFormUnits = Settings.UILF != 0;
    ImportSummary summary = row->import(path, RecipeStore, progress, options);
    for (const ImportNotice& notice : summary.notices) {
        switch (notice.kind) {
            case ImportNotice::Kind::Plain:
                prompter_->Message(notice.text, notice.caption);
                break;
            case ImportNotice::Kind::Information:
                prompter_->Message(notice.text, notice.caption, Buttons::OK,
                                   MessageIcon::Information);
                break;
            case ImportNotice::Kind::Error:
                prompter_->Message(notice.text, notice.caption, Buttons::OK, MessageIcon::Error);
                break;
        }
    }
    return summary;
}

ImportSummary MainDialog::ImportFile(const std::string& path, ImportProgress& progress) {
    const ImporterRow* row = importers_.ForFile(path);
    if (row == nullptr) {
        ImportSummary summary;
        summary.unknownFormat = true;
        return summary;
    }
    return ImportFileAs(row->id, path, progress);
}

int MainDialog::ImportExchangeFile(const std::string& path) {
    if (prompter_->Message(
            Format("Would you like to import %s into your recipe box?", path.c_str()),
            "Import Recipe into Pantrio", Buttons::OKCancel, MessageIcon::Question) != Answer::OK)
        return -1;
    ProgressWindow& window = ImportWindow();
    window.ClearMessages();
    ImportFileAs("rxf", path, window);
    return 0;
}

void MainDialog::ImportRecipeFileCommand() {
    const auto path = prompter_->OpenFile(
        "Pantrio Recipe File (.rxf)", "Pantrio Recipes (*.rxf *.RXF)", Settings.MyPantrioRecipes);
    if (!path) return;
    ProgressWindow& window = ImportWindow();
    window.ClearMessages();
    ImportFileAs("rxf", *path, window);
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
    ImportFileAs("mealmaster", *path, window);
    window.Hide();
    if (view_ != nullptr) view_->SetStatusText("Import complete.  Viewing Recipes...");
    FillResults(kNewestRecipesQuery);
    ShowBoxLine();
}

void MainDialog::ImportMasterCookCommand() {
    ImportMasterCookFile("mastercook", "Import a MasterCook File (.MXP)",
                         "MasterCook File (*.MXP *.mxp);;All Files (*)");
}

void MainDialog::ImportMasterCookMx2Command() {
    ImportMasterCookFile("mx2", "Import a MasterCook File (.MX2)",
                         "MasterCook XML File (*.MX2 *.mx2);;All Files (*)");
}

// Both MasterCook formats go the same way: the advice to use a new box, the
// file, the import, and the whole box listed afterwards.
void MainDialog::ImportMasterCookFile(std::string_view format, const std::string& title,
                                      const std::string& filter) {
    ImportGuard(MessageIcon::Warning);
    const auto path = prompter_->OpenFile(title, filter, Settings.MyPantrioRecipes);
    if (!path) return;
    ProgressWindow& window = ImportWindow();
    window.ClearMessages();
    window.Show();
    ImportFileAs(format, *path, window);
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
    std::string failure;
    if (!source.Open(*path, Settings.SystemDatabasePath, failure)) {
        prompter_->Message(failure);
    } else {
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
