// The ids of the main window's commands (menus, toolbar, results-list context
// menu), with the menu or button text each is known by. MainDialog::RunCommand
// runs them; the desktop program builds its menus from the same ids.
#pragma once

#include <vector>

namespace pantrio {

namespace command {
inline constexpr int kNewRecipeBox = 235;
inline constexpr int kOpenRecipeBox = 169;
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
inline constexpr int kInformation = 32813;
inline constexpr int kShowRecipesPage = 32838;
inline constexpr int kShowShoppingListPage = 32839;
inline constexpr int kShowCalendarPage = 32840;
inline constexpr int kShowNutrientPage = 32841;
inline constexpr int kExpandWebView = 32837;
inline constexpr int kIdeaWizard = 32872;
inline constexpr int kOptions = 217;
inline constexpr int kHelpContents = 32809;
inline constexpr int kHelpIndex = 32810;
inline constexpr int kHelpSearch = 32811;
inline constexpr int kCheckForUpdates = 32812;
inline constexpr int kForum = 32852;
inline constexpr int kAbout = 32808;
inline constexpr int kPrevious = 32802;
inline constexpr int kNext = 32803;
inline constexpr int kPostRecipe = 32829;
inline constexpr int kTellAFriend = 32828;
inline constexpr int kDelete = 154;
inline constexpr int kFindOnService = 32823;
inline constexpr int kScreenImport = 237;
inline constexpr int kImportClipboard = 32851;  // the same window as kScreenImport
inline constexpr int kFindRecipes = 251;        // the Find dialog
// In the menu, greyed and not in the table: marks are set on the results list.
inline constexpr int kMarkRecipe = 257;
inline constexpr int kLeftoverWizard = 32826;
// The "Add Keyword" sub-menu: 32865, 32871, 32867, 32857, 32858, 32859,
// 32868, 32869, 32862, 32863, 32870 (see QuickKeywords()).
}  // namespace command

struct MainCommand {
    int id;
    const char* text;  // the menu entry or toolbar button
};

// Every command MainDialog runs, in menu order.
const std::vector<MainCommand>& MainCommands();

}  // namespace pantrio
