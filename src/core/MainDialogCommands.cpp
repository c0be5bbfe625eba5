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
#include "core/RecipePublishing.h"
#include "render/AppLink.h"
#include "render/Publishing.h"
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
            NewRecipeBoxCommand();
            return true;
        case kOpenRecipeBox:
            OpenRecipeBoxCommand();
            return true;
        case kImportRecipeFile:
            ImportRecipeFileCommand();
            return true;
        case kImportRecipeBox:
            ImportRecipeBoxCommand();
            return true;
        case kImportCookn:
            prompter_->Message(
                "Cook'n recipe files (.DBF) are imported with a separate import "
                "wizard that " +
                Settings.ServiceName +
                " offers on its web site.  Its page opens in the web view now.");
            Web.ShowServicePage(Web.Service().CooknImport());
            return true;
        case kImportMealMaster:
            ImportMealMasterCommand();
            return true;
        case kImportMasterCookMx2:
            prompter_->Message(
                "This feature is not yet implemented, but is coming soon.  Please check for "
                "updates in another 30 days.");
            return true;
        case kImportMasterCook:
            ImportMasterCookCommand();
            return true;
        case kPublishToHtml:
        case kPublishToHtmlContext:
            PublishSelected();
            return true;
        case kPublishToService:
            prompter_->Message("To publish a recipe to " + Settings.ServiceName +
                               ", select the recipe and press the \"Post Recipe\" button on the "
                               "toolbar.");
            return true;
        case kBackup:
            Backup();
            return true;
        case kExit:
            if (view_ != nullptr) view_->EndDialog();
            return true;
        case kClearMarks:
            ClearMarks();
            return true;
        case kInformation:
            ShowInformationDialog();
            return true;
        case kShowRecipesPage:
        case kShowShoppingListPage:
        case kShowCalendarPage:
        case kShowNutrientPage:
            // Another page of the window returns the web view to its size.
            if (id != kShowRecipesPage) Web.SetExpanded(false);
            if (view_ != nullptr) view_->ShowPage(id - kShowRecipesPage + 1);
            return true;
        case kExpandWebView:
            Web.ToggleExpanded();
            return true;
        case kIdeaWizard:
            Web.ShowServicePage(Web.Service().IdeaWizard());
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
            Web.CheckForUpdates();
            return true;
        case kForum:
            if (externalBrowser_ == nullptr || !externalBrowser_->Open(Web.Service().Forums()))
                prompter_->Message("Could not open " + Web.Service().Forums() +
                                   " in your web browser.");
            return true;
        case kAbout:
            if (view_ != nullptr) view_->ShowAbout("Pantrio(tm) version " PANTRIO_VERSION);
            return true;
        case kPrevious:
            PreviousRecipe();
            return true;
        case kNext:
            NextRecipe();
            return true;
        case kPostRecipe:
            PostRecipeCommand();
            return true;
        case kTellAFriend:
            Web.TellAFriend();
            return true;
        case kDelete:
            DeleteRecipes();
            return true;
        case kFindOnService:
            FindOnServiceCommand();
            return true;
        case kScreenImport:
        case kImportClipboard:
            ScreenImportCommand();
            return true;
        case kFindRecipes:
            FindCommand();
            return true;
        case kLeftoverWizard:
            LeftoverWizardCommand();
            return true;
        default:
            break;
    }
    const std::string keyword = QuickKeywordOf(id);
    if (keyword.empty()) return false;
    AssignQuickKeyword(keyword);
    return true;
}

void MainDialog::PublishSelected() {
    std::vector<int> ids;
    if (view_ != nullptr) {
        for (const int row : view_->SelectedRows()) {
            const long id = view_->RowRecipeID(row);
            if (id > 0) ids.push_back(static_cast<int>(id));
        }
    }
    PublishEnvironment environment;
    environment.dataRoot = Settings.MyPantrioRecipes;
    environment.box = &RecipeStore;
    environment.support = &SupportStore;
    environment.templates = &Templates();
    environment.theme = Settings.HTMLStyle;
    environment.serviceURL = Settings.ServiceURL;
    environment.serviceName = Settings.ServiceName;
    environment.openInBrowser = [this](const std::string& path) {
        if (externalBrowser_ != nullptr) externalBrowser_->Open(FileUrl(path));
    };
    PublishRecipes(ids, environment, *prompter_);
}

void MainDialog::PostRecipeCommand() {
    if (CurrentRecipeNumber < 0) {
        prompter_->Message("Please select a recipe first.");
        return;
    }
    const Recipe& r = CurrentRecipe;
    if (r.UniqueID != 0) {
        if (prompter_->Message("Recipe appears to be posted already.  Post an improved revision?",
                               "Post a revision?", Buttons::YesNo,
                               MessageIcon::Question) == Answer::Yes &&
            hooks.postRecipe)
            hooks.postRecipe(true);
        return;
    }
    if (r.TasteRating <= 0 || r.AffordableRating <= 0 || r.AppearanceRating <= 0 ||
        r.EffortRating <= 0) {
        prompter_->Message("Please rate this recipe before posting.");
        return;
    }
    if (prompter_->Message("This recipe has not been shared yet.  Post it to " +
                               Settings.ServiceName + " so other cooks can enjoy it too?",
                           "Post recipe?", Buttons::YesNo, MessageIcon::Question) != Answer::Yes)
        return;
    Web.postingPending = true;
    if (hooks.postRecipe) hooks.postRecipe(false);
}

void MainDialog::FindOnServiceCommand() {
    if (CurrentRecipeNumber < 0) {
        prompter_->Message("Please select a recipe first.");
        return;
    }
    if (CurrentRecipe.UniqueID > 0) {
        Web.OpenServiceRecipe(CurrentRecipe.UniqueID);
    } else {
        prompter_->Message("This recipe has not been posted to " + Settings.ServiceName +
                           " yet, so it cannot be found there.");
    }
}

void MainDialog::ShowInformationDialog() {
    InformationDialog information(Settings, RecipeStore, static_cast<long>(Keywords.rows.size()));
    if (view_ != nullptr) view_->ShowInformation(information);
}

void MainDialog::ShowOptionsSheet() {
    Options.Open(Settings);
    Options.renderPreview = [this](int theme) { return RenderPreviewPage(theme); };
    if (view_ == nullptr || !view_->ShowOptions(Options)) return;
    ApplyOptions(Options);
}

void MainDialog::ApplyOptions(const OptionsSheet& sheet) {
    sheet.Apply(Settings);
    Web.SetAddressList(sheet.Favorites());
    SaveSettings();
    RefreshRecipePages();
}

std::string MainDialog::HelpAddress(int page) const {
    if (page < 0 || page > 2) page = 0;
    std::string address = "file://" + Settings.Folders().Data() + "/Help/" + kHelpPages[page];
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
    OpenHelpPage(page, "file://" + Settings.Folders().Data() + "/Help/" + page);
}

void MainDialog::OpenHelpPage(const std::string& page, const std::string& address) {
    const std::string file = Settings.Folders().Data() + "/Help/" + page;
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
