// The main window's commands (menus, toolbar, results-list context menu):
// every command's id, captions, accelerator and the rule that greys it, and
// the layout of the menu bar, the toolbar and the context menu. This is the
// one place where those texts live: MainDialog::RunCommand runs the
// commands and the desktop program only walks the layouts.
#pragma once

#include <string>
#include <vector>

namespace pantrio {

namespace command {
inline constexpr int kNewRecipeBox = 235;
inline constexpr int kOpenRecipeBox = 169;
inline constexpr int kPrint = 242;
inline constexpr int kPrintContext = 151;  // also the toolbar's "Print"
inline constexpr int kExportCookbook = 32880;
inline constexpr int kOpenShoppingList = 32834;
inline constexpr int kSaveShoppingList = 32832;
inline constexpr int kImportRecipeFile = 32850;
inline constexpr int kImportRecipeBox = 32836;
inline constexpr int kImportCookn = 32848;
inline constexpr int kImportMealMaster = 32835;
inline constexpr int kImportMasterCookMx2 = 32846;
inline constexpr int kImportMasterCook = 32847;
inline constexpr int kPublishToHtml = 32843;
inline constexpr int kPublishToHtmlContext = 32844;
inline constexpr int kPublishToService = 32845;
inline constexpr int kBackup = 32830;
inline constexpr int kExit = 32831;
inline constexpr int kClearMarks = 32827;
inline constexpr int kClearMealPlan = 32821;
inline constexpr int kInformation = 32813;
inline constexpr int kShowRecipesPage = 32838;
inline constexpr int kShowShoppingListPage = 32839;
inline constexpr int kShowCalendarPage = 32840;
inline constexpr int kShowNutrientPage = 32841;
inline constexpr int kExpandWebView = 32837;
inline constexpr int kIdeaWizard = 32872;
inline constexpr int kOptions = 217;
inline constexpr int kEmailOptions = 32873;  // the "Email Options" dialog
inline constexpr int kHelpContents = 32809;
inline constexpr int kHelpIndex = 32810;
inline constexpr int kHelpSearch = 32811;
inline constexpr int kCheckForUpdates = 32812;
inline constexpr int kForum = 32852;
inline constexpr int kAbout = 32808;
inline constexpr int kNewRecipe = 32786;
inline constexpr int kSend = 32787;
inline constexpr int kSendContext = 32824;
inline constexpr int kAddToShoppingList = 231;  // context menu and toolbar
inline constexpr int kAddToCalendar = 32801;
inline constexpr int kAddToCalendarContext = 32825;
inline constexpr int kPrevious = 32802;
inline constexpr int kNext = 32803;
inline constexpr int kPostRecipe = 32829;
inline constexpr int kTellAFriend = 32828;
inline constexpr int kRate = 1277;  // the View tab's "Rate this recipe" button
inline constexpr int kDelete = 154;
inline constexpr int kFindOnService = 32823;
inline constexpr int kScreenImport = 237;
inline constexpr int kImportClipboard = 32851;  // the same window as kScreenImport
inline constexpr int kFindRecipes = 251;        // the Find dialog
inline constexpr int kMarkRecipe = 257;
inline constexpr int kLeftoverWizard = 32826;
// The "Add Keyword" sub-menu: 32865, 32871, 32867, 32857, 32858, 32859,
// 32868, 32869, 32862, 32863, 32870 (see QuickKeywords()).
}  // namespace command

// When a command may run.
enum class CommandRule {
    Always,
    // Greyed while no recipe box is open.
    NeedsOpenBox,
    // Offered while a box is open; without a selected row of the results
    // list it only shows "Please select a recipe first.".
    NeedsSelection,
    // Offered while a box is open; without a shown recipe it only shows
    // "Please select a recipe first.".
    NeedsCurrentRecipe,
    // Greyed until the part of the program that does the work exists.
    NotYet,
    // Always greyed: "&Mark Recipe" (marks are set on the results list).
    Never,
};

struct MainCommand {
    int id;
    // The menu bar or context-menu entry with its & mnemonic; "%s" stands for
    // the recipe service's name. Empty for a command only on the toolbar.
    const char* menuText;
    // The toolbar button; empty when the command has none.
    const char* toolbarText;
    // Portable key text such as "Ctrl+F"; empty for none.
    const char* accelerator;
    CommandRule rule;
};

// Every command MainDialog knows, the quick keywords last.
const std::vector<MainCommand>& MainCommands();
// The entry of command `id`; null for an id that is not in the table.
const MainCommand* CommandEntry(int id);
// The entry's menu text with the recipe service's name put in.
std::string MenuCaption(const MainCommand& command, const std::string& serviceName);

// One step of a menu, toolbar or context-menu layout. A sub-menu runs from
// its BeginMenu (which carries the caption) to the matching EndMenu.
struct LayoutItem {
    enum class Kind { Command, Separator, BeginMenu, EndMenu };
    Kind kind;
    int id = 0;                  // for Command
    const char* text = nullptr;  // for BeginMenu
};

// The menu bar: "&File" ... "&Help", each a BeginMenu ... EndMenu.
const std::vector<LayoutItem>& MenuBarLayout();
// The buttons of the toolbar with their separators, in order.
const std::vector<LayoutItem>& ToolBarLayout();
// The results list's context menu with its "Add Keyword" sub-menu.
const std::vector<LayoutItem>& ContextMenuLayout();

}  // namespace pantrio
