// MainDialog: running the command table's commands under their rules, and the
// commands that belong to the main window itself (pages, help, information,
// options, service pages, exit).
#include <filesystem>

#include "base/Prompter.h"
#include "base/Text.h"
#include "core/ExternalBrowser.h"
#include "core/InformationDialog.h"
#include "core/MainCommands.h"
#include "core/MainDialog.h"
#include "core/MainView.h"
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

bool MainDialog::HasCommand(int id) {
    return CommandEntry(id) != nullptr;
}

bool MainDialog::CommandEnabled(int id) const {
    const MainCommand* entry = CommandEntry(id);
    if (entry == nullptr) return false;
    switch (entry->rule) {
        case CommandRule::Always:
            return true;
        case CommandRule::NeedsOpenBox:
        case CommandRule::NeedsSelection:
        case CommandRule::NeedsCurrentRecipe:
            return RecipeStore.Connected();
        case CommandRule::NotYet:
        case CommandRule::Never:
            return false;
    }
    return false;
}

std::string MainDialog::CommandCaption(int id) const {
    const MainCommand* entry = CommandEntry(id);
    return entry != nullptr ? MenuCaption(*entry, Settings.ServiceName) : std::string();
}

bool MainDialog::RequireRecipe(CommandRule rule) {
    bool present = true;
    if (rule == CommandRule::NeedsSelection)
        present = view_ != nullptr && !view_->SelectedRows().empty();
    else if (rule == CommandRule::NeedsCurrentRecipe)
        present = CurrentRecipeNumber >= 0;
    if (!present) prompter_->Message("Please select a recipe first.");
    return present;
}

bool MainDialog::RunCommand(int id) {
    using namespace command;
    // A greyed command does nothing, whatever triggers it; one that needs a
    // recipe says so when there is none.
    if (!CommandEnabled(id)) return false;
    if (!RequireRecipe(CommandEntry(id)->rule)) return true;
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
            ImportMasterCookMx2Command();
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
        case kAddToCalendar:
        case kAddToCalendarContext:
            if (view_ != nullptr) view_->SetStatusText("The meal calendar is not available yet.");
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
    environment.prompter = prompter_;
    environment.theme = Settings.HTMLStyle;
    environment.serviceURL = Settings.ServiceURL;
    environment.serviceName = Settings.ServiceName;
    environment.openInBrowser = [this](const std::string& path) {
        if (externalBrowser_ != nullptr) externalBrowser_->Open(FileUrl(path));
    };
    PublishRecipes(ids, environment);
}

void MainDialog::PostRecipeCommand() {
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
