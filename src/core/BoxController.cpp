#include "core/BoxController.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "base/Text.h"
#include "core/AppSettings.h"
#include "core/Backup.h"
#include "core/ExternalBrowser.h"
#include "core/MainDialog.h"
#include "core/RecipePublishing.h"
#include "core/StatusView.h"
#include "render/AppLink.h"
#include "render/Publishing.h"
#include "storage/CADORecordset.h"
#include "storage/RecipeDB.h"
#include "storage/SearchIndexes.h"
#include "storage/SupportDB.h"

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

BoxController::BoxController(ControllerContext context, StatusView* status, ImportView* imports,
                             ProgressWindow* progress)
    : context_(context), status_(status), imports_(imports), progress_(progress) {}

const std::string& BoxController::CookbookPath() const {
    return context_.settings.CookbookPath;
}

std::string BoxController::OpenBoxFile() const {
    return context_.box.Connected() ? context_.box.FilePath() : std::string();
}

void BoxController::AnnounceBoxChange() {
    if (status_ != nullptr) status_->OpenBoxChanged();
}

bool BoxController::OpenBox(const std::string& path) {
    AppSettings& settings = context_.settings;
    RecipeDB& box = context_.box;
    if (box.Connected()) box.Disconnect();
    std::string boxPath = path;
    settings.CookbookPath = boxPath;

    std::error_code ec;
    if (!fs::is_regular_file(boxPath, ec)) {
        context_.prompter.Message("Please choose a recipe box to open");
        const auto chosen =
            context_.prompter.OpenFile("Open a Pantrio Recipe Box (.CRB)",
                                       "Pantrio Recipe Box (*.CRB)", settings.Folders().Rbox());
        if (chosen) {
            boxPath = *chosen;
            settings.CookbookPath = boxPath;
        }
    }

    box.SystemDatabasePath = settings.SystemDatabasePath;
    const bool opened = box.Open(boxPath);
    // The old box is closed either way, so what the window lists of it is
    // stale either way.
    AnnounceBoxChange();
    if (!opened) {
        std::string help = ".";
        if (!Trim(settings.ServiceURL).empty())
            help = "; the help pages of " + settings.ServiceName + " at " + settings.ServiceURL +
                   " explain how to set them up.";
        context_.prompter.Message(
            "Sorry, could not open recipe box.\n\nIf this is the first time Pantrio runs on this "
            "computer, its database files may be missing from the data folder " +
            settings.MyPantrioRecipes + help);
        return false;
    }
    AddSearchIndexes();
    return true;
}

void BoxController::AddSearchIndexes() {
    ProgressWindow& window = ImportWindow();
    window.SetCancelled(false);
    bool shown = false;
    const auto upgrade = EnsureSearchIndexes(context_.box, [&](int percent) {
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
    // The box stays usable without the indexes; the failure is kept in the
    // store's error report for whoever looks.
    (void)upgrade;
}

bool BoxController::NewRecipeBox(const std::string& typedName) {
    const std::string name = BoxNameFrom(typedName);
    if (name.empty()) {
        context_.prompter.Message("\"" + typedName +
                                      "\" cannot be used as the name of a recipe box.  Please "
                                      "choose a name that is not empty and contains neither "
                                      "\"/\" nor \"..\".",
                                  "", Buttons::OK, MessageIcon::Warning);
        return false;
    }

    AppSettings& settings = context_.settings;
    const DataFolders folders = settings.Folders();
    const fs::path boxFolder = fs::path(folders.Rbox()) / name;
    const fs::path boxFile = boxFolder / (name + ".crb");
    const fs::path templateFile = folders.BoxTemplate();

    std::error_code ec;
    if (!fs::is_regular_file(templateFile, ec)) {
        context_.prompter.Message("The empty recipe box " + templateFile.string() +
                                      " was not found, so no new recipe box was created.",
                                  "", Buttons::OK, MessageIcon::Error);
        return false;
    }
    // Creating a box under the name of an existing one replaces it with an
    // empty box, which loses its recipes: only on the user's word.
    if (fs::exists(boxFile, ec)) {
        const Answer answer = context_.prompter.Message(
            "A recipe box named \"" + name + "\" already exists (" + boxFile.string() +
                ").  Replace it with a new, empty recipe box?  Its recipes will be lost.",
            "Replace recipe box?", Buttons::YesNo, MessageIcon::Warning);
        if (answer != Answer::Yes) return false;
    }

    ResultsController& results = context_.main.Results();
    results.ClearResults();
    const std::string previousBox = settings.CookbookPath;
    const bool hadBox = context_.box.Connected();
    context_.box.Disconnect();

    fs::create_directories(boxFolder / "Pictures", ec);
    if (ec || !CopyTemplate(templateFile, boxFile, ec)) {
        context_.prompter.Message(
            "Could not create the recipe box " + boxFile.string() + ": " + ec.message(), "",
            Buttons::OK, MessageIcon::Error);
        if (hadBox) OpenBox(previousBox);
        ShowBoxLine();
        return false;
    }

    settings.CookbookPath = boxFile.string();
    if (!OpenBox(boxFile.string())) {
        context_.prompter.Message("Sorry, could not open Pantrio Recipe Box.");
        ShowBoxLine();
        return false;
    }
    context_.main.Recipes().Forget();
    results.FillAllRecipes();
    ShowBoxLine();
    context_.main.Web().ShowCurrentRecipe();
    return true;
}

void BoxController::ShowBoxLine() {
    long count = 0;
    if (context_.box.Connected())
        count = context_.box.QueryNumber(
            "SELECT Count(Recipes.RecipeID) AS CountOfRecipeID FROM Recipes");
    if (count < 0) count = 0;  // a failed count shows as an empty box, not as -1
    recipeCount_ = count;
    if (status_ != nullptr)
        status_->ShowBoxLine(Format("Recipe Box: %s (%ld %s)", CookbookPath().c_str(), count,
                                    count == 1 ? "recipe" : "recipes"));
}

std::vector<ListRow> BoxController::RecipeList() {
    std::vector<ListRow> list;
    if (!context_.box.Connected()) return list;
    CADORecordset rows(context_.box);
    if (!rows.Run("Select RecipeID, Title from Recipes order by Title, RecipeID")) return list;
    for (; !rows.AtEnd(); rows.NextRow()) {
        ListRow row;
        rows.Read("RecipeID", row.data);
        rows.Read("Title", row.text);
        list.push_back(std::move(row));
    }
    rows.Release();
    return list;
}

bool BoxController::Backup() {
    const BackupOutcome outcome =
        BackUpData(context_.settings.Folders(), DataFolders::BackupFolder());
    Prompter& prompter = context_.prompter;
    if (!outcome.data.Ok()) {
        prompter.Message(
            "Could not backup of /Data directory.  Please make a backup manually of the /Data "
            "directory.");
    }
    if (!outcome.rbox.Ok()) {
        prompter.Message(
            "Could not backup of /Rbox directory.  Please make a backup manually of the /Rbox "
            "directory.");
    } else if (outcome.data.Ok()) {
        prompter.Message("Success!  Pantrio's files have been backed up to " + outcome.folder +
                         ".  We strongly suggest you make occasional backup copies of your data "
                         "to removeable media, like a CD.");
    }
    return outcome.data.Ok() && outcome.rbox.Ok();
}

void BoxController::PublishSelected() {
    Publish(context_.main.Results().SelectedRecipeIDs(), context_.prompter);
}

int BoxController::Publish(const std::vector<int>& ids, Prompter& prompter) {
    const AppSettings& settings = context_.settings;
    PublishEnvironment environment;
    environment.dataRoot = settings.MyPantrioRecipes;
    environment.box = &context_.box;
    environment.support = &context_.support;
    environment.templates = &context_.main.Templates();
    environment.theme = settings.HTMLStyle;
    environment.serviceURL = settings.ServiceURL;
    environment.serviceName = settings.ServiceName;
    ExternalBrowser* external = context_.main.externalBrowser();
    environment.openInBrowser = [external](const std::string& path) {
        if (external != nullptr) external->Open(FileUrl(path));
    };
    return PublishRecipes(ids, environment, prompter);
}

std::string BoxController::PublishIndexPath() const {
    return Trim(context_.settings.Folders().Publish() + "/recipe_index.htm");
}

bool BoxController::RunStatement(const std::string& statement, bool onSupport,
                                 StatementRows& result, std::string& error) {
    CADODatabase& db = onSupport ? static_cast<CADODatabase&>(context_.support)
                                 : static_cast<CADODatabase&>(context_.box);
    result = StatementRows();
    error.clear();
    CADORecordset rows(db);
    if (!rows.Run(statement)) {
        error = rows.ErrorReport();
        return false;
    }
    const int columns = rows.ColumnCount();
    for (int i = 0; i < columns; ++i) result.columns.push_back(rows.ColumnName(i));
    for (; columns > 0 && !rows.AtEnd(); rows.NextRow()) {
        std::vector<std::string> values(static_cast<std::size_t>(columns));
        for (int i = 0; i < columns; ++i) rows.ReadAt(i, values[static_cast<std::size_t>(i)]);
        result.rows.push_back(std::move(values));
    }
    rows.Release();
    return true;
}

}  // namespace pantrio
