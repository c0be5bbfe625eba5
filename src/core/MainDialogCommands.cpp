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
            return box_.Connected();
        case CommandRule::NotYet:
        case CommandRule::Never:
            return false;
    }
    return false;
}

std::string MainDialog::CommandCaption(int id) const {
    const MainCommand* entry = CommandEntry(id);
    return entry != nullptr ? MenuCaption(*entry, settings_.ServiceName) : std::string();
}

bool MainDialog::RequireRecipe(CommandRule rule) {
    bool present = true;
    if (rule == CommandRule::NeedsSelection)
        present = !results_.SelectedRows().empty();
    else if (rule == CommandRule::NeedsCurrentRecipe)
        present = recipes_.HasCurrent();
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
            boxes_.NewRecipeBoxCommand();
            return true;
        case kNewRecipe:
            editing_.NewRecipeCommand();
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
            boxes_.ImportMasterCookMx2Command();
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
        case kEmailOptions:
            mail_.EmailOptionsCommand();
            return true;
        case kSend:
        case kSendContext:
            mail_.SendRecipeByMail();
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
            if (!web_.Service().Configured()) {
                web_.ShowNoServicePage();
            } else if (externalBrowser_ == nullptr ||
                       !externalBrowser_->Open(web_.Service().Forums()))
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
            // Without a service there is nowhere to post to: no questions.
            if (!web_.Service().Configured())
                web_.ShowNoServicePage();
            else if (recipes_.PostRecipeCommand() != RecipeController::PostDecision::None)
                web_.PostRecipe();
            return true;
        case kRate:
            rating_.RateCommand();
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
        case kOpenShoppingList:
            shopping_.OpenCommand();
            return true;
        case kSaveShoppingList:
            shopping_.SaveCommand();
            return true;
        case kAddToShoppingList:
            shopping_.AddToShoppingListCommand();
            return true;
        case kAddToCalendar:
        case kAddToCalendarContext:
            plan_.AddToCalendarCommand();
            return true;
        case kPrint:
        case kPrintContext:
            print_.PrintCommand();
            return true;
        case kClearMealPlan:
            plan_.ClearMealPlanCommand();
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

void MainDialog::ShowOptionsSheet(const std::string& page) {
    options_.Open(settings_);
    options_.startPage = page;
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
