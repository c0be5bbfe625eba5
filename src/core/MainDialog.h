// The logic of the main window, without any widgets. For the whole run it
// owns the settings, the store of the open recipe box, the support store,
// the look-up lists and the template caches, and it creates one controller
// per area of the window (results page, find, boxes and imports, the current
// recipe, the web view, mail, the meal plan, printing, rating), each given the state it works on
// (ControllerContext) and its own view interface. It runs start-up and close and dispatches the
// command table of the menus, the toolbar and the results list's context
// menu to the controllers. It reaches the screen only through the interfaces
// it is given (prompter, views, browser, progress window, sound, clock), so
// the desktop window, the command line and tests drive the same code.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/DateTime.h"
#include "base/Prompter.h"
#include "base/RowSink.h"
#include "core/AppSettings.h"
#include "core/BoxController.h"
#include "core/CommandLine.h"
#include "core/FindController.h"
#include "core/LookupLists.h"
#include "core/MailController.h"
#include "core/MainCommands.h"
#include "core/MealPlanController.h"
#include "core/NutritionController.h"
#include "core/OptionsSheet.h"
#include "core/PrintController.h"
#include "core/ProgressWindow.h"
#include "core/RatingController.h"
#include "core/RecipeController.h"
#include "core/RecipeEditController.h"
#include "core/ResultsController.h"
#include "core/ServiceController.h"
#include "core/ShoppingListController.h"
#include "core/WebView.h"
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
    SettingsStore* settingsStore = nullptr;  // required
    Prompter* prompter = nullptr;            // required
    // The window's areas; optional: no window, nothing shown.
    MainView* view = nullptr;
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
    // Fills the keyword lists and the look-up lists (Lookups()).
    void LoadLookupLists();
    // Asks the update question when the last check is more than 30 days ago.
    void OfferUpdateCheck();
    // Stores today as the last update-check day (in memory; saved at close).
    void MarkUpdateChecked();

    // The close request: saves the settings, offers to save a changed
    // shopping list that was opened from a file and, on every 98th run, offers
    // a backup.
    void Close();

    // ---- commands (MainDialogCommands.cpp)

    // Runs a command of the menus, the toolbar or the context menu by its
    // id (MainCommands.h); false for an id that is not in the table.
    // A greyed command is not run (false); one that needs a recipe shows
    // "Please select a recipe first." when there is none.
    bool RunCommand(int id);
    static bool HasCommand(int id);
    // Whether the window offers the command now, by its rule in the table:
    // false for ids that are not in the table, for commands whose work does
    // not exist yet, for "&Mark Recipe", and while no box is open for the
    // commands that work on the box.
    bool CommandEnabled(int id) const;
    // The command's menu text with the recipe service's name put in.
    std::string CommandCaption(int id) const;
    // Whether the recipe a rule needs is there (a selected row, the shown
    // recipe); otherwise shows "Please select a recipe first.".
    bool RequireRecipe(CommandRule rule);

    // ---- the areas of the window, each with its own controller

    ResultsController& Results() { return results_; }
    FindController& Find() { return find_; }
    BoxController& Boxes() { return boxes_; }
    RecipeController& Recipes() { return recipes_; }
    RecipeEditController& Editing() { return editing_; }
    WebView& Web() { return web_; }
    // The recipe service reached without the browser (the command line).
    ServiceController& RecipeService() { return service_; }
    MailController& Mail() { return mail_; }
    MealPlanController& MealPlan() { return plan_; }
    PrintController& Printing() { return print_; }
    ShoppingListController& Shopping() { return shopping_; }
    NutritionController& Nutrition() { return nutrition_; }
    RatingController& Rating() { return rating_; }

    // ---- dialogs

    // The information dialog ("Pantrio Information").
    void ShowInformationDialog();
    // The options sheet, opened on page `page`; its OK applies and saves
    // the settings.
    void ShowOptionsSheet(const std::string& page = OptionsSheet::kGeneralPage);
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

    // Switches the window to page 1 (recipes) to 4; leaving the recipes page
    // returns the web view to its normal size.
    void ShowPage(int page);
    // The status line under the results list.
    void SetStatusText(const std::string& text);
    // The cached theme and nutrition templates of the run.
    TemplateCache& Templates();

    // What front ends show of the settings.
    const std::string& ServiceName() const { return settings_.ServiceName; }
    const std::string& DataRoot() const { return settings_.MyPantrioRecipes; }
    std::string ImagesFolder() const;
    // The settings as they are now, to read (tests, the options sheet's
    // caller); only core changes them.
    const AppSettings& CurrentSettings() const { return settings_; }
    // The look-up lists loaded at start-up.
    const LookupLists& Lookups() const { return lookups_; }

    DateTime Today() const;
    Prompter& prompter() { return *prompter_; }
    ExternalBrowser* externalBrowser() { return externalBrowser_; }
    Clipboard* clipboard() { return clipboard_; }

private:
    // Points the run at the --data-root folder and drops a remembered box that
    // lies outside it.
    void UseDataRootOverride();
    void Splash(const std::string& text);
    // Opens `page` of the help folder at `address`, or says why not.
    void OpenHelpPage(const std::string& page, const std::string& address);
    ControllerContext Context();

    SettingsStore* settingsStore_;
    Prompter* prompter_;
    MainView* view_;
    Sound* sound_;
    ExternalBrowser* externalBrowser_;
    Clipboard* clipboard_;
    std::function<DateTime()> clock_;
    std::string dataRootOverride_;
    std::string installedDataFolder_;
    std::unique_ptr<TemplateCache> templates_;

    AppSettings settings_;
    RecipeDB box_;
    SupportDB support_;
    LookupLists lookups_;
    OptionsSheet options_;

    // The controllers come after the state they are given.
    ResultsController results_;
    FindController find_;
    BoxController boxes_;
    RecipeController recipes_;
    RecipeEditController editing_;
    WebView web_;
    ServiceController service_;
    MailController mail_;
    MealPlanController plan_;
    PrintController print_;
    ShoppingListController shopping_;
    NutritionController nutrition_;
    RatingController rating_;
};

}  // namespace pantrio
