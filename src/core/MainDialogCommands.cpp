// MainDialog: the command table and the commands that belong to the main
// window itself (pages, help, information, options, service pages, exit).
#include <filesystem>

#include "base/Prompter.h"
#include "base/Text.h"
#include "core/ExternalBrowser.h"
#include "core/InformationDialog.h"
#include "core/MainCommands.h"
#include "core/MainDialog.h"
#include "core/MainView.h"
#include "search/KeywordStorage.h"

#ifndef PANTRIO_VERSION
#define PANTRIO_VERSION "0.0.0"
#endif

namespace pantrio {

namespace {

const char* const kHelpPages[] = {"contents.htm", "helpindex.htm", "search.htm"};

}  // namespace

const std::vector<MainCommand>& MainCommands() {
    using namespace command;
    static const std::vector<MainCommand> table = [] {
        std::vector<MainCommand> t = {
            {kNewRecipeBox, "&New Recipe Box"},
            {kOpenRecipeBox, "&Open Recipe Box"},
            {kImportRecipeFile, "from Pantrio Recipe File (.RXF)"},
            {kImportRecipeBox, "from Pantrio Recipe Box (.CRB)"},
            {kImportCookn, "from Cook'n (.DBF)"},
            {kImportMealMaster, "from MealMaster (.MMF)"},
            {kImportMasterCookMx2, "from MasterCook (.MX2)"},
            {kImportMasterCook, "from MasterCook (.MXP)"},
            {kPublishToHtml, "To HTML"},
            {kPublishToHtmlContext, "P&ublish to HTML..."},
            {kPublishToService, "to the recipe service"},
            {kBackup, "&Backup Pantrio Files"},
            {kExit, "E&xit"},
            {kClearMarks, "&Clear Marked Recipes"},
            {kInformation, "Recipe &Box Information"},
            {kShowRecipesPage, "&Recipes"},
            {kShowShoppingListPage, "&Shopping List"},
            {kShowCalendarPage, "Meal &Calendar"},
            {kShowNutrientPage, "&Nutrient Information"},
            {kExpandWebView, "&Expand/Contract Web View"},
            {kIdeaWizard, "&Idea Wizard"},
            {kOptions, "&Options..."},
            {kHelpContents, "&Contents..."},
            {kHelpIndex, "&Index..."},
            {kHelpSearch, "&Search..."},
            {kCheckForUpdates, "Check Online for &Updates..."},
            {kForum, "&Pantrio User to User Forum"},
            {kAbout, "&About Pantrio"},
            {kPrevious, "Previous"},
            {kNext, "Next"},
            {kPostRecipe, "Post Recipe"},
            {kTellAFriend, "Tell a Friend"},
            {kDelete, "&Delete"},
            {kFindOnService, "Find on the recipe service"},
            {kScreenImport, "&Screen Import"},
            {kImportClipboard, "from Clipboard (Text or Web)"},
            {kFindRecipes, "&Find Recipes..."},
            {kLeftoverWizard, "&Leftover Wizard"},
        };
        for (const QuickKeyword& k : QuickKeywords()) t.push_back({k.commandID, k.menuText});
        return t;
    }();
    return table;
}

bool MainDialog::HasCommand(int id) {
    for (const MainCommand& c : MainCommands())
        if (c.id == id) return true;
    return false;
}

bool MainDialog::CommandEnabled(int id) {
    // "&Mark Recipe" is in the menu but never runs: a mark is set by a click
    // on the row's icon.
    return id != command::kMarkRecipe && HasCommand(id);
}

bool MainDialog::RunCommand(int id) {
    using namespace command;
    switch (id) {
        case kNewRecipeBox:
            boxes_.NewRecipeBoxCommand();
            return true;
        case kOpenRecipeBox:
            boxes_.OpenRecipeBoxCommand();
            return true;
        case kImportRecipeFile:
            boxes_.ImportRecipeFileCommand();
            return true;
        case kImportRecipeBox:
            boxes_.ImportRecipeBoxCommand();
            return true;
        case kImportCookn:
            prompter_->Message(
                "Cook'n recipe files (.DBF) are imported with a separate import "
                "wizard that " +
                settings_.ServiceName +
                " offers on its web site.  Its page opens in the web view now.");
            web_.ShowServicePage(web_.Service().CooknImport());
            return true;
        case kImportMealMaster:
            boxes_.ImportMealMasterCommand();
            return true;
        case kImportMasterCookMx2:
            prompter_->Message(
                "This feature is not yet implemented, but is coming soon.  Please check for "
                "updates in another 30 days.");
            return true;
        case kImportMasterCook:
            boxes_.ImportMasterCookCommand();
            return true;
        case kPublishToHtml:
        case kPublishToHtmlContext:
            boxes_.PublishSelected();
            return true;
        case kPublishToService:
            prompter_->Message("To publish a recipe to " + settings_.ServiceName +
                               ", select the recipe and press the \"Post Recipe\" button on the "
                               "toolbar.");
            return true;
        case kBackup:
            boxes_.Backup();
            return true;
        case kExit:
            if (view_ != nullptr) view_->EndDialog();
            return true;
        case kClearMarks:
            recipes_.ClearMarks();
            return true;
        case kInformation:
            ShowInformationDialog();
            return true;
        case kShowRecipesPage:
        case kShowShoppingListPage:
        case kShowCalendarPage:
        case kShowNutrientPage:
            ShowPage(id - kShowRecipesPage + 1);
            return true;
        case kExpandWebView:
            web_.ToggleExpanded();
            return true;
        case kIdeaWizard:
            web_.ShowServicePage(web_.Service().IdeaWizard());
            return true;
        case kOptions:
            ShowOptionsSheet();
            return true;
        case kHelpContents:
        case kHelpIndex:
        case kHelpSearch:
            ShowHelp(id - kHelpContents);
            return true;
        case kCheckForUpdates:
            web_.CheckForUpdates();
            return true;
        case kForum:
            if (externalBrowser_ == nullptr || !externalBrowser_->Open(web_.Service().Forums()))
                prompter_->Message("Could not open " + web_.Service().Forums() +
                                   " in your web browser.");
            return true;
        case kAbout:
            if (view_ != nullptr) view_->ShowAbout("Pantrio(tm) version " PANTRIO_VERSION);
            return true;
        case kPrevious:
            recipes_.PreviousRecipe();
            return true;
        case kNext:
            recipes_.NextRecipe();
            return true;
        case kPostRecipe:
            recipes_.PostRecipeCommand();
            return true;
        case kTellAFriend:
            web_.TellAFriend();
            return true;
        case kDelete:
            recipes_.DeleteRecipes();
            return true;
        case kFindOnService:
            recipes_.FindOnServiceCommand();
            return true;
        case kScreenImport:
        case kImportClipboard:
            find_.ScreenImportCommand();
            return true;
        case kFindRecipes:
            find_.FindCommand();
            return true;
        case kLeftoverWizard:
            find_.LeftoverWizardCommand();
            return true;
        default:
            break;
    }
    const std::string keyword = QuickKeywordOf(id);
    if (keyword.empty()) return false;
    recipes_.AssignQuickKeyword(keyword);
    return true;
}

void MainDialog::ShowInformationDialog() {
    InformationDialog information(settings_, box_,
                                  static_cast<long>(lookups_.Keywords.rows.size()));
    if (view_ != nullptr) view_->ShowInformation(information);
}

void MainDialog::ShowOptionsSheet() {
    options_.Open(settings_);
    options_.renderPreview = [this](int theme) { return recipes_.RenderPreviewPage(theme); };
    if (view_ == nullptr || !view_->ShowOptions(options_)) return;
    ApplyOptions(options_);
}

void MainDialog::ApplyOptions(const OptionsSheet& sheet) {
    sheet.Apply(settings_);
    web_.SetAddressList(sheet.Favorites());
    SaveSettings();
    recipes_.RefreshRecipePages();
}

std::string MainDialog::HelpAddress(int page) const {
    if (page < 0 || page > 2) page = 0;
    std::string address = "file://" + settings_.Folders().Data() + "/Help/" + kHelpPages[page];
    if (page == 2) address += "?q=recipe";
    return address;
}

void MainDialog::ShowHelp(int page) {
    if (page < 0 || page > 2) page = 0;
    OpenHelpPage(kHelpPages[page], HelpAddress(page));
}

void MainDialog::ShowHelpTopic(const std::string& page) {
    // Topics are plain file names of the help folder.
    if (page.empty() || page.find('/') != std::string::npos || page.find("..") != std::string::npos)
        return;
    OpenHelpPage(page, "file://" + settings_.Folders().Data() + "/Help/" + page);
}

void MainDialog::OpenHelpPage(const std::string& page, const std::string& address) {
    const std::string file = settings_.Folders().Data() + "/Help/" + page;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        prompter_->Message("The help page " + file +
                               " was not found.  Reinstalling Pantrio "
                               "puts it back.",
                           "", Buttons::OK, MessageIcon::Warning);
        return;
    }
    if (externalBrowser_ == nullptr || !externalBrowser_->Open(address))
        prompter_->Message("Could not open the help page " + file + " in your web browser.", "",
                           Buttons::OK, MessageIcon::Warning);
}

}  // namespace pantrio
