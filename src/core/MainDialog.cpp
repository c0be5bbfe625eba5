#include "core/MainDialog.h"

#include <climits>
#include <cstdint>

#include "base/Prompter.h"
#include "base/Text.h"
#include "core/Backup.h"
#include "core/MainView.h"
#include "core/ServiceAddresses.h"
#include "core/SettingsStore.h"
#include "core/Sound.h"
#include "render/ShoppingListHtml.h"
#include "render/TemplateCache.h"

namespace pantrio {

MainDialog::MainDialog(MainDialogEnvironment environment)
    : settingsStore_(environment.settingsStore),
      prompter_(environment.prompter),
      view_(environment.view),
      sound_(environment.sound),
      externalBrowser_(environment.externalBrowser),
      clipboard_(environment.clipboard),
      clock_(std::move(environment.clock)),
      dataRootOverride_(std::move(environment.dataRoot)),
      installedDataFolder_(std::move(environment.installedDataFolder)),
      results_(Context(), view_),
      find_(Context(), view_),
      boxes_(Context(), view_, view_, environment.progress),
      recipes_(Context(), view_),
      editing_(Context(), view_),
      web_(Context(), view_, environment.browser),
      service_(Context()),
      mail_(Context(), view_),
      plan_(Context(), view_),
      print_(Context(), view_),
      shopping_(Context(), view_),
      nutrition_(Context(), view_),
      rating_(Context(), view_) {
    if (!clock_) clock_ = [] { return DateTime::Now(); };
    if (installedDataFolder_.empty()) installedDataFolder_ = DataFolders::InstalledDataFolder();
    // Marking a recipe of another box reopens boxes through the same
    // procedure as the user does, so CookbookPath stays in step.
    box_.openBox = [this](const std::string& path) { return boxes_.OpenBox(path); };
    // The printed list is the combined view the shopping list page shows.
    print_.SetShoppingListSource([this] {
        std::vector<PrintedShoppingItem> printed;
        const ShoppingItems combined = shopping_.CombineItems(shopping_.CombinesCompatibleUnits());
        for (const ShoppingItem& item : combined.Items())
            printed.push_back(
                {item.QtyToBuy, item.UnitOfMeasure, item.ItemName, item.Notes, item.Dept});
        return printed;
    });
}

ControllerContext MainDialog::Context() {
    return ControllerContext{*this, settings_, box_, support_, lookups_, *prompter_};
}

MainDialog::~MainDialog() = default;

DateTime MainDialog::Today() const {
    return clock_();
}

void MainDialog::Splash(const std::string& text) {
    if (view_ != nullptr) view_->SplashText(text);
}

void MainDialog::SetStatusText(const std::string& text) {
    if (view_ != nullptr) view_->SetStatusText(text);
}

void MainDialog::ShowPage(int page) {
    // Another page of the window returns the web view to its size.
    if (page != 1) web_.SetExpanded(false);
    if (view_ != nullptr) view_->ShowPage(page);
}

std::string MainDialog::ImagesFolder() const {
    return settings_.Folders().HtmImages();
}

TemplateCache& MainDialog::Templates() {
    const std::string themes = settings_.Folders().Themes();
    // The cache belongs to one themes folder; a changed data root starts anew.
    if (!templates_ || templates_->ThemesFolder() != themes)
        templates_ = std::make_unique<TemplateCache>(themes, [this](const std::string& error) {
            prompter_->Message(error, "Open", Buttons::OK, MessageIcon::Error);
        });
    return *templates_;
}

MainDialog::StartResult MainDialog::Initialise(const CommandLine& commandLine) {
    if (!LoadSettings(true)) return StartResult::NoDataRoot;

    const std::string box =
        commandLine.BoxFile.empty() ? settings_.CookbookPath : commandLine.BoxFile;
    if (!boxes_.OpenBox(box)) {
        prompter_->Message("Sorry, could not open Recipe Box: " + settings_.CookbookPath);
        return StartResult::NoBox;
    }
    if (!OpenSupportDatabase()) return StartResult::NoSupport;

    lookups_.Keywords.ClearRows();
    lookups_.CustomKeywords.ClearRows();
    support_.FillKeywordCombo(lookups_.Keywords, false);
    support_.FillKeywordCombo(lookups_.CustomKeywords, true);
    Splash("Loading...");

    if (!commandLine.ImportFile.empty()) {
        // Start-up ends here, because the program was started only to import.
        boxes_.ImportExchangeFile(commandLine.ImportFile);
        return StartResult::CloseAfterImport;
    }

    if (settings_.StartupSound == 1 && sound_ != nullptr && !sound_->Play("STARTSOUND2"))
        prompter_->Message("Could not find the resource to play.");

    LoadLookupLists();
    web_.Open();
    Splash("Ready!");

    boxes_.ShowBoxLine();
    results_.FillAllRecipes();
    if (settings_.ShowInfoAtStart != 0) ShowInformationDialog();
    shopping_.StartPage();
    if (!commandLine.ShoppingListFile.empty())
        shopping_.OpenShoppingFile(commandLine.ShoppingListFile);
    web_.ShowWelcomePage();
    OfferUpdateCheck();
    return StartResult::Ready;
}

bool MainDialog::LoadSettings(bool countRun) {
    settings_.Load(*settingsStore_, DataFolders::DefaultRoot());
    if (!dataRootOverride_.empty()) UseDataRootOverride();

    bool changed = false;
    if (countRun) {
        // The run count grows at every start, whatever happens afterwards.
        settingsStore_->WriteNumber("RC",
                                    settings_.RC < INT32_MAX ? settings_.RC + 1 : settings_.RC);
        changed = true;
    }
    if (settings_.ApplyPathDefaults()) {
        settingsStore_->WriteText("CookbookPath", settings_.CookbookPath);
        settingsStore_->WriteText("SystemDatabasePath", settings_.SystemDatabasePath);
        changed = true;
    }
    // A settings folder that cannot be written is reported when the settings
    // are saved at close; start-up goes on with the values in memory.
    if (changed) settingsStore_->Flush();

    std::string error;
    if (!DataFolders::CreateRootIfMissing(settings_.MyPantrioRecipes, installedDataFolder_,
                                          error)) {
        prompter_->Message(error, "", Buttons::OK, MessageIcon::Error);
        return false;
    }
    return true;
}

void MainDialog::UseDataRootOverride() {
    // A data root named for this run (--data-root) is a world of its own: a
    // box remembered from another root must not be opened or written in its
    // place, so it falls back to the root's standard box. (The system file
    // path is only a connection-string word and stays as stored.)
    const std::string& previousRoot = settings_.MyPantrioRecipes;
    const auto inside = [](const std::string& path, const std::string& root) {
        return !root.empty() && path.size() > root.size() &&
               path.compare(0, root.size(), root) == 0 &&
               (root.back() == '/' || path[root.size()] == '/');
    };
    const bool sameRoot = previousRoot == dataRootOverride_;
    settings_.MyPantrioRecipes = dataRootOverride_;
    if (sameRoot) return;
    if (!inside(settings_.CookbookPath, dataRootOverride_)) settings_.CookbookPath.clear();
}

bool MainDialog::OpenSupportDatabase() {
    if (!support_.Open(settings_.Folders().SupportDatabase(), false,
                       settings_.SystemDatabasePath)) {
        prompter_->Message("Sorry, could not open support database.");
        return false;
    }
    return true;
}

void MainDialog::LoadLookupLists() {
    Splash("Loading Ingredients...");
    lookups_.IngredientNames.ClearRows();
    lookups_.Measures.ClearRows();
    lookups_.Departments.ClearRows();
    support_.FillCombo("IngredientMasterTable", "KeywordText", "ID", lookups_.IngredientNames,
                       "KeywordText");
    support_.FillCombo("Measures", "Measure", "ID", lookups_.Measures, "Measure");
    support_.FillDepartmentCombo(lookups_.Departments);

    Splash("Loading Nutrient Data...");
    lookups_.IngredientMasterList.clear();
    lookups_.Foods.ClearRows();
    support_.LoadIngredientMasterList(lookups_.IngredientMasterList);
    support_.FillFoodCombo(lookups_.Foods);

    Splash("Loading Prep Notes...");
    lookups_.PrepNotesList.ClearRows();
    support_.FillCombo("PrepNotes", "PrepNote", "ID", lookups_.PrepNotesList, "PrepNote");
}

void MainDialog::OfferUpdateCheck() {
    // Without a recipe service there is nowhere to check.
    if (!web_.Service().Configured()) return;
    // A missing or impossible stored day counts as long ago.
    long days = LONG_MAX;
    if (settings_.LastCheckValid()) {
        days = DateTime::FromDate(settings_.iLastCheckedYear, settings_.iLastCheckedMonth,
                                  settings_.iLastCheckedDay)
                   .DaysUntil(Today());
    }
    if (days <= 30) return;
    const Answer answer = prompter_->Message("Check online for updates to Pantrio?", "",
                                             Buttons::YesNo, MessageIcon::Question);
    if (answer == Answer::Yes) web_.CheckForUpdates();
}

void MainDialog::MarkUpdateChecked() {
    const DateTime today = Today();
    settings_.iLastCheckedYear = today.year;
    settings_.iLastCheckedMonth = today.month;
    settings_.iLastCheckedDay = today.day;
}

bool MainDialog::SaveSettings() {
    if (settings_.Save(*settingsStore_)) return true;
    prompter_->Message("Could not save the settings to " + settingsStore_->Location() + ".", "",
                       Buttons::OK, MessageIcon::Warning);
    return false;
}

void MainDialog::Close() {
    SaveSettings();
    shopping_.OfferSaveAtClose();
    if (settings_.RC > 1 && settings_.RC % 98 == 0) {
        const Answer answer = prompter_->Message(
            "Would you like to make a backup copy of your Pantrio recipe data now?",
            "Time for a backup?", Buttons::YesNo, MessageIcon::Question);
        if (answer == Answer::Yes) boxes_.Backup();
    }
    box_.Disconnect();
    support_.Disconnect();
}

void MainDialog::PlayInterfaceSound(const std::string& resourceName) {
    if (settings_.SoundsUI != 1 || sound_ == nullptr) return;
    if (!sound_->Play(resourceName)) prompter_->Message("Could not find the resource to play.");
}

}  // namespace pantrio
