// MainDialog: opening, creating and describing recipe boxes.
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "base/Prompter.h"
#include "base/Text.h"
#include "core/MainDialog.h"
#include "core/MainView.h"
#include "storage/SearchIndexes.h"

namespace pantrio {

namespace fs = std::filesystem;

namespace {

// The box name of the new-box command: lower case, without any ".crb", and
// without blanks at either end. Empty when the name cannot be a folder name
// inside the Rbox folder.
std::string BoxNameFrom(const std::string& typed) {
    std::string name = ToLower(Trim(typed));
    // Removing one ".crb" can join the letters around it into another one
    // (".c.crbrb"), so remove until none is left.
    for (std::string previous; previous != name;) {
        previous = name;
        name = ReplaceAll(name, ".crb", "");
    }
    name = Trim(name);
    if (name == "." || name.find('/') != std::string::npos || name.find("..") != std::string::npos)
        return {};
    return name;
}

// Puts a copy of the template at `target`. The copy is written beside the
// target and renamed over it, so a failed copy never leaves a broken box; the
// journal files of a replaced box go with it, because the database would
// otherwise apply them to the new file.
bool CopyTemplate(const fs::path& templateFile, const fs::path& target, std::error_code& ec) {
    const fs::path partial = target.string() + ".new-" + std::to_string(getpid());
    if (!fs::copy_file(templateFile, partial, fs::copy_options::overwrite_existing, ec)) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        return false;
    }
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        std::error_code ignored;
        fs::remove(target.string() + suffix, ignored);
    }
    fs::rename(partial, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        return false;
    }
    return true;
}

}  // namespace

bool MainDialog::OpenBox(const std::string& path) {
    if (RecipeStore.Connected()) RecipeStore.Disconnect();
    std::string boxPath = path;
    Settings.CookbookPath = boxPath;

    std::error_code ec;
    if (!fs::is_regular_file(boxPath, ec)) {
        prompter_->Message("Please choose a recipe box to open");
        const auto chosen =
            prompter_->OpenFile("Open a Pantrio Recipe Box (.CRB)", "Pantrio Recipe Box (*.CRB)",
                                Settings.Folders().Rbox());
        if (chosen) {
            boxPath = *chosen;
            Settings.CookbookPath = boxPath;
        }
    }

    RecipeStore.CookbookPath = boxPath;
    RecipeStore.SystemDatabasePath = Settings.SystemDatabasePath;
    RecipeStore.BuildConnectString();
    if (!RecipeStore.Connect("", "", "")) {
        prompter_->Message(
            "Sorry, could not open recipe box.\n\nIf this is the first time Pantrio runs on this "
            "computer, its database files may be missing from the data folder " +
            Settings.MyPantrioRecipes + "; the help pages of " + Settings.ServiceName + " at " +
            Settings.ServiceURL + " explain how to set them up.");
        return false;
    }
    AddSearchIndexes();
    return true;
}

void MainDialog::AddSearchIndexes() {
    ProgressWindow& window = ImportWindow();
    window.SetCancelled(false);
    bool shown = false;
    const auto upgrade = EnsureSearchIndexes(RecipeStore, [&](int percent) {
        // A box indexed in one step is done before a window could be read.
        if (!shown && percent < 100) {
            window.Show();
            window.SetStatus("Indexing ingredient names...");
            shown = true;
        }
        window.SetPosition(percent);
        window.Breathe();
        return !window.Cancelled();
    });
    if (shown) window.Hide();
    // The box stays usable without the index; the failure is kept in the
    // store's error report for whoever looks.
    (void)upgrade;
}

bool MainDialog::NewRecipeBox(const std::string& typedName) {
    const std::string name = BoxNameFrom(typedName);
    if (name.empty()) {
        prompter_->Message("\"" + typedName +
                               "\" cannot be used as the name of a recipe box.  Please choose a "
                               "name that is not empty and contains neither \"/\" nor \"..\".",
                           "", Buttons::OK, MessageIcon::Warning);
        return false;
    }

    const DataFolders folders = Settings.Folders();
    const fs::path boxFolder = fs::path(folders.Rbox()) / name;
    const fs::path boxFile = boxFolder / (name + ".crb");
    const fs::path templateFile = folders.BoxTemplate();

    std::error_code ec;
    if (!fs::is_regular_file(templateFile, ec)) {
        prompter_->Message("The empty recipe box " + templateFile.string() +
                               " was not found, so no new recipe box was created.",
                           "", Buttons::OK, MessageIcon::Error);
        return false;
    }
    // Creating a box under the name of an existing one replaces it with an
    // empty box, which loses its recipes: only on the user's word.
    if (fs::exists(boxFile, ec)) {
        const Answer answer = prompter_->Message(
            "A recipe box named \"" + name + "\" already exists (" + boxFile.string() +
                ").  Replace it with a new, empty recipe box?  Its recipes will be lost.",
            "Replace recipe box?", Buttons::YesNo, MessageIcon::Warning);
        if (answer != Answer::Yes) return false;
    }

    if (view_ != nullptr) view_->ClearResults();
    const std::string previousBox = Settings.CookbookPath;
    const bool hadBox = RecipeStore.Connected();
    RecipeStore.Disconnect();

    fs::create_directories(boxFolder / "Pictures", ec);
    if (ec || !CopyTemplate(templateFile, boxFile, ec)) {
        prompter_->Message(
            "Could not create the recipe box " + boxFile.string() + ": " + ec.message(), "",
            Buttons::OK, MessageIcon::Error);
        if (hadBox) OpenBox(previousBox);
        ShowBoxLine();
        return false;
    }

    Settings.CookbookPath = boxFile.string();
    if (!OpenBox(boxFile.string())) {
        prompter_->Message("Sorry, could not open Pantrio Recipe Box.");
        ShowBoxLine();
        return false;
    }
    ForgetCurrentRecipe();
    if (hooks.fillAllRecipes) hooks.fillAllRecipes();
    ShowBoxLine();
    if (hooks.resetWebView) hooks.resetWebView();
    return true;
}

void MainDialog::ShowBoxLine() {
    long count = 0;
    if (RecipeStore.Connected())
        count = RecipeStore.QueryNumber(
            "SELECT Count(Recipes.RecipeID) AS CountOfRecipeID FROM Recipes");
    if (count < 0) count = 0;  // a failed count shows as an empty box, not as -1
    BoxRecipeCount = count;
    if (view_ != nullptr)
        view_->ShowBoxLine(Format("Recipe Box: %s (%ld %s)", Settings.CookbookPath.c_str(), count,
                                  count == 1 ? "recipe" : "recipes"));
}

}  // namespace pantrio
