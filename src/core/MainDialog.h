// The logic of the main window, without any widgets: for the whole run it
// owns the settings, the store of the open recipe box, the support store, the
// current recipe, the look-up lists, the web view's logic and the options
// sheet; it runs start-up, close and the command table of the menus, the
// toolbar and the results list's context menu. It reaches the screen only
// through the interfaces it is given (prompter, main view, browser, progress
// window, sound, clock), so the desktop window, the command line and tests
// drive the same code.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/DateTime.h"
#include "base/Prompter.h"
#include "base/RowSink.h"
#include "core/AppSettings.h"
#include "core/CommandLine.h"
#include "core/OptionsSheet.h"
#include "core/ProgressWindow.h"
#include "core/WebView.h"
#include "recipe/Recipe.h"
#include "storage/RecipeDB.h"
#include "storage/SupportDB.h"

namespace pantrio {

class Browser;
class Clipboard;
class ExternalBrowser;
class MainView;
class Prompter;
class SettingsStore;
class Sound;
class TemplateCache;
struct RenderContext;

// What the main window is given by the program that runs it.
struct MainDialogEnvironment {
    SettingsStore* settingsStore = nullptr;      // required
    Prompter* prompter = nullptr;                // required
    MainView* view = nullptr;                    // optional: no window, nothing shown
    Sound* sound = nullptr;                      // optional: no sounds
    Browser* browser = nullptr;                  // optional: the View tab's browser
    ExternalBrowser* externalBrowser = nullptr;  // optional: help and forum pages
    Clipboard* clipboard = nullptr;              // optional
    // The import progress window; optional: imports then report nowhere.
    ProgressWindow* progress = nullptr;
    // Today's date and time; DateTime::Now when unset.
    std::function<DateTime()> clock;
    // A data root that overrides the stored MyPantrioRecipes (the command
    // line's --data-root); empty to use the setting or the default.
    std::string dataRoot;
    // The installed data folder a missing data root is created from; empty
    // for DataFolders::InstalledDataFolder().
    std::string installedDataFolder;
};

// Work that later parts of the program plug in. Each is optional; an unset
// hook is skipped.
struct MainDialogHooks {
    // Imports a recipe exchange file named on the command line into the open
    // box (asking first). Start-up ends afterwards and the program closes.
    std::function<void(const std::string& path)> importExchangeFile;
    // Fills the results list with all recipes of the open box.
    std::function<void()> fillAllRecipes;
    // Shows the information dialog.
    std::function<void()> showInformationDialog;
    // Opens a shopping-list file named on the command line.
    std::function<void(const std::string& path)> openShoppingList;
    // Loads the welcome page into the web view.
    std::function<void()> loadWelcomePage;
    // Resets the web view after the open box changed.
    std::function<void()> resetWebView;
    // Runs the online update check; it stores today as the last check day
    // (see MarkUpdateChecked).
    std::function<void()> checkForUpdates;
    // Asks whether to save a changed shopping list before closing.
    std::function<void()> offerToSaveShoppingList;
    // Posts the current recipe to the recipe service (after the questions of
    // the Post Recipe command; `revision` when it was posted before).
    std::function<void(bool revision)> postRecipe;
};

class MainDialog {
public:
    enum class StartResult {
        Ready,             // everything loaded
        NoBox,             // the recipe box could not be opened; an idle window
        NoSupport,         // the support database could not be opened
        CloseAfterImport,  // an exchange file was imported; the program ends
        NoDataRoot,        // the data root is missing and could not be created
    };

    explicit MainDialog(MainDialogEnvironment environment);
    ~MainDialog();
    MainDialog(const MainDialog&) = delete;
    MainDialog& operator=(const MainDialog&) = delete;

    MainDialogHooks hooks;

    // The whole start-up of the main window, in order: settings (the run
    // is counted), the box, the support database, the keyword and look-up
    // lists, the start-up sound, the box line, the information dialog, the
    // update question.
    StartResult Initialise(const CommandLine& commandLine);

    // The steps of start-up, for front ends that need only some of them.
    // Loads the settings and, when `countRun` is set, stores the run count
    // increased by one; gives empty CookbookPath and SystemDatabasePath their
    // defaults and stores them at once; creates a missing data root from the
    // installed data. False (after a message) when the data root is missing
    // and could not be created.
    bool LoadSettings(bool countRun);
    // Connects the support store to the Data folder's support.csy; shows
    // "Sorry, could not open support database." on failure.
    bool OpenSupportDatabase();
    // Fills the keyword lists, the look-up lists and IngredientMasterList.
    void LoadLookupLists();
    // Asks the update question when the last check is more than 30 days ago.
    void OfferUpdateCheck();
    // Stores today as the last update-check day (in memory; saved at close).
    void MarkUpdateChecked();

    // The close request: saves the settings, offers to save the shopping list
    // and, on every 98th run, offers a backup.
    void Close();

    // Copies the Data and Rbox folders to ~/backup_pantrio; true when both
    // copies succeeded. Shows the outcome.
    bool Backup();

    // Opens the recipe box at `path`, asking for another file when it does
    // not exist; false after a message when it cannot be opened.
    bool OpenBox(const std::string& path);

    // Creates the box "<Rbox>/<name>/<name>.crb" from the template, with its
    // Pictures folder, and opens it.
    bool NewRecipeBox(const std::string& name);

    // Counts the recipes of the open box and shows the box line.
    void ShowBoxLine();

    // ---- commands (MainDialogCommands.cpp)

    // Runs a command of the menus, the toolbar or the context menu by its
    // id (MainCommands.h); false for an id that is not in the table.
    bool RunCommand(int id);
    static bool HasCommand(int id);

    // ---- the results list and the current recipe (MainDialogRecipes.cpp)

    // Empties the results list and fills it from `query`; the row count, or
    // -1 when the statement cannot be run. Without a view the rows are
    // counted only.
    int FillResults(const std::string& query);
    // Every recipe of the box, by title.
    void FillAllRecipes();

    // Shows recipe `recipeID` of the box at `boxPath`, opening that box when
    // it is not the open one (announced with a message when `announce`):
    // loads it with its lines and keywords into CurrentRecipe and stamps
    // LastViewed. 0, or -1 after a message.
    int ShowRecipe(int recipeID, const std::string& boxPath, bool announce);
    // The user selected a row (click, Previous, Next): its recipe becomes the
    // current one and is shown, unless it already is.
    void SelectRecipe(long recipeID);
    void OnRowSelected(int row);
    // Previous and Next: move the selection one row up or down (staying on
    // the first or last row) and show that recipe.
    void PreviousRecipe();
    void NextRecipe();
    // Deletes the selected recipes after the question.
    void DeleteRecipes();
    // Clears every mark of the box after the question.
    void ClearMarks();
    // Gives `keyword` to every selected recipe (asking first for more than 4).
    void AssignQuickKeyword(const std::string& keyword);
    // Shows the current recipe anew: its tabs and its page in the web view.
    void RefreshRecipePages();
    // The current recipe's page with the View tab's options; empty when it
    // cannot be rendered.
    std::string RenderViewPage();
    // The current recipe's page for the options' theme preview.
    std::string RenderPreviewPage(int theme);
    // The cached theme and nutrition templates of the run.
    TemplateCache& Templates();
    // What a rendering needs: the templates, folders, service and stores.
    RenderContext MakeRenderContext();

    // ---- boxes and imports (MainDialogImports.cpp)

    // File "Open Recipe Box": chooses a box, opens it and lists its recipes.
    void OpenRecipeBoxCommand();
    // File "New Recipe Box": asks for the name and creates the box.
    void NewRecipeBoxCommand();
    // The import commands of the File menu.
    void ImportRecipeFileCommand();
    void ImportRecipeBoxCommand();
    void ImportMealMasterCommand();
    void ImportMasterCookCommand();
    // Before a text-file import: offers a new box when the open one already
    // holds recipes (`icon` is the question's icon).
    void ImportGuard(MessageIcon icon);
    // Imports an exchange file opened from outside the program (the command
    // line), asking first. ImportRecipeFile's result.
    int ImportExchangeFile(const std::string& path);
    // The progress window the importers report to.
    ProgressWindow& ImportWindow();

    // Publishes the selected recipes as pages in the Publish folder.
    void PublishSelected();
    // Post Recipe: the questions before a recipe goes to the service.
    void PostRecipeCommand();
    // The context menu's look-up of the current recipe on the service.
    void FindOnServiceCommand();

    // ---- dialogs

    // The information dialog ("Pantrio Information").
    void ShowInformationDialog();
    // The options sheet; its OK applies and saves the settings.
    void ShowOptionsSheet();
    // After the options' OK (or in place of the sheet): applies `sheet`,
    // hands the favourites to the web view, saves and shows the recipe anew.
    void ApplyOptions(const OptionsSheet& sheet);
    // Help: 0 contents, 1 index, 2 search (for "recipe"), in the user's browser.
    void ShowHelp(int page);
    // The address of a local help page.
    std::string HelpAddress(int page) const;

    // Plays an interface sound when SoundsUI is 1.
    void PlayInterfaceSound(const std::string& resourceName);

    // Saves the settings now (the options dialog, the command line); false
    // after a message when they could not be written.
    bool SaveSettings();

    DateTime Today() const;
    Prompter& prompter() { return *prompter_; }
    MainView* view() { return view_; }
    ExternalBrowser* externalBrowser() { return externalBrowser_; }
    Clipboard* clipboard() { return clipboard_; }

    AppSettings Settings;
    RecipeDB RecipeStore;
    SupportDB SupportStore;
    Recipe CurrentRecipe;
    int CurrentRecipeNumber = -1;
    long BoxRecipeCount = 0;  // as counted by the last ShowBoxLine

    // The look-up lists of the editors and the keyword panes.
    VectorRowSink IngredientNames;
    VectorRowSink Measures;
    VectorRowSink Departments;
    VectorRowSink Foods;
    VectorRowSink PrepNotesList;
    VectorRowSink Keywords;
    VectorRowSink CustomKeywords;
    // Ingredient keywords, longest first.
    std::vector<std::string> IngredientMasterList;

    // The View tab's logic and the options sheet, kept for the whole run.
    WebView Web{*this};
    OptionsSheet Options;

private:
    void Splash(const std::string& text);
    void ForgetCurrentRecipe();

    SettingsStore* settingsStore_;
    Prompter* prompter_;
    MainView* view_;
    Sound* sound_;
    ExternalBrowser* externalBrowser_;
    Clipboard* clipboard_;
    ProgressWindow* progress_;
    SilentProgressWindow silentProgress_;
    std::unique_ptr<TemplateCache> templates_;
    std::function<DateTime()> clock_;
    std::string dataRootOverride_;
    std::string installedDataFolder_;
};

}  // namespace pantrio
