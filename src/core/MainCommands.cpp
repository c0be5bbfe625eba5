// The command table of the main window and the layouts of its menu bar,
// toolbar and results-list context menu.
#include "core/MainCommands.h"

#include "search/KeywordStorage.h"

namespace pantrio {

namespace {

using Kind = LayoutItem::Kind;

LayoutItem Command(int id) {
    return {Kind::Command, id, nullptr};
}
LayoutItem Separator() {
    return {Kind::Separator, 0, nullptr};
}
LayoutItem Menu(const char* text) {
    return {Kind::BeginMenu, 0, text};
}
LayoutItem EndMenu() {
    return {Kind::EndMenu, 0, nullptr};
}

}  // namespace

const std::vector<MainCommand>& MainCommands() {
    using namespace command;
    using R = CommandRule;
    static const std::vector<MainCommand> table = [] {
        std::vector<MainCommand> t = {
            {kNewRecipeBox, "&New Recipe Box", "", "Ctrl+N", R::Always},
            {kOpenRecipeBox, "&Open Recipe Box", "Open Box", "Ctrl+O", R::Always},
            {kPrint, "&Print...", "", "Ctrl+P", R::Always},
            {kOpenShoppingList, "Open Sh&opping List", "", "", R::Always},
            {kSaveShoppingList, "Save S&hopping List", "", "", R::Always},
            {kImportRecipeFile, "from Pantrio Recipe File (.RXF)", "", "Ctrl+I", R::NeedsOpenBox},
            {kImportRecipeBox, "from Pantrio Recipe Box (.CRB)", "", "", R::NeedsOpenBox},
            {kImportCookn, "from Cook'n (.DBF)", "", "", R::Always},
            {kImportMealMaster, "from MealMaster (.MMF)", "", "", R::NeedsOpenBox},
            {kImportMasterCookMx2, "from MasterCook (.MX2)", "", "", R::NeedsOpenBox},
            {kImportMasterCook, "from MasterCook (.MXP)", "", "", R::NeedsOpenBox},
            {kImportClipboard, "from Clipboard (Text or Web)", "", "", R::NeedsOpenBox},
            {kPublishToHtml, "To HTML", "", "", R::NeedsOpenBox},
            {kPublishToService, "To %s", "", "", R::Always},
            {kBackup, "&Backup Pantrio Files", "", "", R::Always},
            {kExit, "E&xit", "", "Ctrl+Q", R::Always},
            {kScreenImport, "&Screen Import", "", "", R::NeedsOpenBox},
            {kFindRecipes, "&Find Recipes...", "Find", "Ctrl+F", R::NeedsOpenBox},
            {kMarkRecipe, "&Mark Recipe", "", "", R::Never},
            {kClearMealPlan, "C&lear Meal Plan...", "", "", R::Always},
            {kClearMarks, "&Clear Marked Recipes", "", "", R::NeedsOpenBox},
            {kInformation, "Recipe &Box Information", "", "", R::NeedsOpenBox},
            {kShowRecipesPage, "&Recipes", "", "Ctrl+1", R::Always},
            {kShowShoppingListPage, "&Shopping List", "", "Ctrl+2", R::Always},
            {kShowCalendarPage, "Meal &Calendar", "", "Ctrl+3", R::Always},
            {kShowNutrientPage, "&Nutrient Information", "", "Ctrl+4", R::Always},
            {kExpandWebView, "&Expand/Contract Web View", "", "F11", R::Always},
            {kIdeaWizard, "&Idea Wizard", "", "", R::Always},
            {kLeftoverWizard, "&Leftover Wizard", "", "", R::NeedsOpenBox},
            {kOptions, "&Options...", "", "", R::Always},
            {kEmailOptions, "&Email Options...", "", "", R::Always},
            {kHelpContents, "&Contents...", "", "F1", R::Always},
            {kHelpIndex, "&Index...", "", "", R::Always},
            {kHelpSearch, "&Search...", "", "", R::Always},
            {kCheckForUpdates, "Check Online for &Updates...", "", "", R::Always},
            {kForum, "&Pantrio User to User Forum", "", "", R::Always},
            {kAbout, "&About Pantrio", "", "", R::Always},
            // The toolbar and the context menu.
            {kNewRecipe, "", "New", "", R::NeedsOpenBox},
            {kSend, "", "Send", "", R::NeedsCurrentRecipe},
            {kSendContext, "&Send via email", "", "", R::NeedsCurrentRecipe},
            {kPrintContext, "P&rint...", "Print", "", R::Always},
            {kAddToShoppingList, "&Add Recipe Ingredients to Shopping List", "Add Shop", "",
             R::NeedsSelection},
            {kAddToCalendar, "", "Add Cal", "", R::NeedsSelection},
            {kAddToCalendarContext, "Add Recipe to &Calendar", "", "", R::NeedsSelection},
            {kPrevious, "", "Previous", "", R::NeedsOpenBox},
            {kNext, "", "Next", "", R::NeedsOpenBox},
            {kPostRecipe, "", "Post Recipe", "", R::NeedsCurrentRecipe},
            // The View tab's button, in no menu and not on the toolbar. It
            // may import the page's recipe first, so it needs only the box.
            {kRate, "", "", "", R::NeedsOpenBox},
            {kTellAFriend, "", "Tell a Friend", "", R::Always},
            {kDelete, "&Delete", "", "", R::NeedsOpenBox},
            {kFindOnService, "Find on %s", "", "", R::NeedsCurrentRecipe},
            {kPublishToHtmlContext, "P&ublish to HTML...", "", "", R::NeedsOpenBox},
        };
        for (const QuickKeyword& k : QuickKeywords())
            t.push_back({k.commandID, k.menuText, "", "", R::NeedsOpenBox});
        return t;
    }();
    return table;
}

const MainCommand* CommandEntry(int id) {
    for (const MainCommand& c : MainCommands())
        if (c.id == id) return &c;
    return nullptr;
}

std::string MenuCaption(const MainCommand& command, const std::string& serviceName) {
    std::string caption = command.menuText;
    const std::size_t at = caption.find("%s");
    if (at == std::string::npos) return caption;
    // An ampersand in the name is a letter of the name, not a mnemonic.
    std::string name;
    for (const char c : serviceName) {
        if (c == '&') name += '&';
        name += c;
    }
    return caption.replace(at, 2, name);
}

const std::vector<LayoutItem>& MenuBarLayout() {
    using namespace command;
    static const std::vector<LayoutItem> layout = {
        Menu("&File"),
        Command(kNewRecipeBox),
        Command(kOpenRecipeBox),
        Separator(),
        Command(kPrint),
        Command(kOpenShoppingList),
        Command(kSaveShoppingList),
        Separator(),
        Menu("&Import Recipes"),
        Command(kImportRecipeFile),
        Command(kImportRecipeBox),
        Command(kImportCookn),
        Command(kImportMealMaster),
        Command(kImportMasterCookMx2),
        Command(kImportMasterCook),
        Command(kImportClipboard),
        EndMenu(),
        Menu("P&ublish Recipes"),
        Command(kPublishToHtml),
        Command(kPublishToService),
        EndMenu(),
        Separator(),
        Command(kBackup),
        Separator(),
        Command(kExit),
        EndMenu(),

        Menu("&Edit"),
        Command(kScreenImport),
        Command(kFindRecipes),
        Command(kMarkRecipe),
        Command(kClearMealPlan),
        Command(kClearMarks),
        EndMenu(),

        Menu("&View"),
        Command(kInformation),
        Separator(),
        Command(kShowRecipesPage),
        Command(kShowShoppingListPage),
        Command(kShowCalendarPage),
        Command(kShowNutrientPage),
        Separator(),
        Command(kExpandWebView),
        EndMenu(),

        Menu("&Tools"),
        Command(kIdeaWizard),
        Command(kLeftoverWizard),
        Separator(),
        Command(kOptions),
        Command(kEmailOptions),
        EndMenu(),

        Menu("&Help"),
        Command(kHelpContents),
        Command(kHelpIndex),
        Command(kHelpSearch),
        Separator(),
        Command(kCheckForUpdates),
        Command(kForum),
        Separator(),
        Command(kAbout),
        EndMenu(),
    };
    return layout;
}

const std::vector<LayoutItem>& ToolBarLayout() {
    using namespace command;
    static const std::vector<LayoutItem> layout = {
        Command(kOpenRecipeBox),
        Separator(),
        Command(kFindRecipes),
        Separator(),
        Command(kSend),
        Separator(),
        Command(kPrintContext),
        Separator(),
        Command(kNewRecipe),
        Separator(),
        Command(kAddToShoppingList),
        Command(kAddToCalendar),
        Separator(),
        Command(kPrevious),
        Command(kNext),
        Separator(),
        Command(kPostRecipe),
        Separator(),
        Command(kTellAFriend),
    };
    return layout;
}

const std::vector<LayoutItem>& ContextMenuLayout() {
    using namespace command;
    static const std::vector<LayoutItem> layout = [] {
        std::vector<LayoutItem> l = {
            Command(kPrintContext),         Command(kSendContext), Command(kAddToShoppingList),
            Command(kAddToCalendarContext), Separator(),           Menu("Add Keyword"),
        };
        for (const QuickKeyword& k : QuickKeywords()) {
            l.push_back(Command(k.commandID));
            if (k.separatorAfter) l.push_back(Separator());
        }
        l.insert(l.end(), {EndMenu(), Command(kDelete), Separator(), Command(kFindOnService),
                           Command(kPublishToHtmlContext)});
        return l;
    }();
    return layout;
}

}  // namespace pantrio
