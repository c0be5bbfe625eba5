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
#include "core/FindRequests.h"
#include "core/OptionsSheet.h"
#include "core/ProgressWindow.h"
#include "core/ResultsPageState.h"
#include "core/WebView.h"
#include "formats/ScreenImport.h"
#include "recipe/Recipe.h"
#include "search/SearchLinks.h"
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
    // Whether the window offers the command: false for ids that are not in
    // the table and for "&Mark Recipe", which stays greyed (marks are set on
    // the results list).
    static bool CommandEnabled(int id);

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

    // ---- the results page (MainDialogResults.cpp)
    //
    // Every way of choosing recipes fills the list through FillResults, so
    // the view's lazy model serves them all.

    // The selector captions and the header order the page shows.
    const ResultsPageState& ResultsState() const { return resultsPage_; }
    // Chooses entry `entry` of the view selector's menu (ViewSelectorMenu())
    // or of the keyword selector's menu (KeywordSelectorMenu()): the button
    // takes the entry's caption and the view of both captions is listed. The
    // row count, -1 when the statement failed or the entry does not exist.
    int SelectView(int entry);
    int SelectKeyword(int entry);
    // A selector button pressed: lists the view of the two captions again.
    int RunView();
    // A click on column header 0 (title) or 2 (rating) lists every recipe in
    // that order, whatever the selectors say; other headers do nothing (-1).
    int HeaderClicked(int column);
    // The items of a navigation-bar folder ("Cuisines", "M. Ingred"): the
    // values of the open box with the folder's icon (8, 9). Empty when the
    // box cannot be read.
    std::vector<ListRow> FolderEntries(RecipeFolder folder);
    // A folder item chosen: the recipes page comes to the front and lists
    // the recipes of that value (of none, for an empty item).
    int FolderItemChosen(RecipeFolder folder, const std::string& itemText);
    // Type-ahead: `text` is what was typed in the list so far. Its first
    // character, a letter or digit, lists every recipe from the first title
    // that sorts at or after it, in title order. The row to put the selection
    // mark on: the first whose title sorts at or after the whole text (the
    // last row when none does); the recipe is not displayed. -1 when the
    // first character is not a letter or digit (nothing happens) or the list
    // is empty.
    int TypeAhead(const std::string& text);
    // A single click on a row, `pixelsFromLeft` from its left edge: on the
    // icon (1 to 18 pixels) with exactly one row selected it toggles the
    // recipe's mark; anywhere else it displays the recipe. A double click is
    // OnRowSelected.
    void RowClicked(int row, int pixelsFromLeft);
    // Toggles the mark of the recipe in `row`, in the box and in that
    // recipe's meal-plan entries of the same box; plays "MINIWHOOSH" when
    // interface sounds are on. The new icon, or -1 when nothing changed.
    int ToggleMarkOnRow(int row);
    // A recipe row dropped on the keyword selector: says where keywords are
    // assigned.
    void DroppedOnKeywordSelector();

    // ---- finding recipes (MainDialogFind.cpp)

    // Edit "&Find Recipes..." and the toolbar's "Find": the Find dialog.
    void FindCommand();
    // The Find dialog's OK (or "More Options >>") with its values.
    void RunFind(const FindDialogValues& values);
    // What the Find dialog opens with next time: the last text and scope of
    // the run and the automatic-search setting.
    FindDialogValues LastFind() const;
    // The Find Recipes dialog ("More Options >>").
    void FindRecipesCommand();
    // The Find Recipes dialog's "Find Recipes": lists the criteria's recipes
    // of the box, or sends them to the recipe service (also when nothing was
    // found and the automatic search is on) and then lists them. The rows
    // listed, -1 when the statement failed.
    int FindRecipes(const FindRecipesRequest& request);
    // Tools "&Leftover Wizard".
    void LeftoverWizardCommand();
    // The wizard's OK: recipes of the box that use all three ingredients, or
    // the same search on the recipe service (the list then shows the box's
    // recipes that hold the ingredients anywhere). The rows listed, or -1.
    int RunLeftoverWizard(const LeftoverWizardRequest& request);
    // Edit "&Screen Import" and "from Clipboard (Text or Web)".
    void ScreenImportCommand();
    // The screen import's "Import!": stores the recipe of the five slots and
    // lists it alone (the list is empty after a duplicate). The new recipe's
    // number, or -1.
    int ImportScreenSlots(const ScreenImportSlots& slots);

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
    // Gives the open box the search indexes it lacks, with the progress
    // window up while the ingredient names of a large box are indexed. A box
    // that cannot take them (read-only), or a cancel, leaves it searched
    // without them.
    void AddSearchIndexes();

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
    // A topic of the local help by its file name ("Find_Recipes.htm", the
    // Find dialog's "&Help"), in the user's browser.
    void ShowHelpTopic(const std::string& page);
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
    // Fills the list and notes the header order it shows (-1: none).
    int FillResultsSorted(const std::string& query, int sortColumn);
    void ShowResultsPageState();
    // Opens `page` of the help folder at `address`, or says why not.
    void OpenHelpPage(const std::string& page, const std::string& address);
    // The criteria's variant listing and their search on the recipe service;
    // the rows listed.
    int SearchServiceFor(const FindCriteria& criteria);

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
    ResultsPageState resultsPage_;
    // The Find dialog's last text and scope during the run.
    std::string lastFindText_;
    FindScope lastFindScope_ = FindScope::RecipeBox;
};

}  // namespace pantrio
