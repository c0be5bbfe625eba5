#include "core/MainDialog.h"

#include <climits>
#include <cstdint>

#include "base/Prompter.h"
#include "base/Text.h"
#include "core/Backup.h"
#include "core/MainView.h"
#include "core/SettingsStore.h"
#include "core/Sound.h"
#include "render/TemplateCache.h"

namespace pantrio {

MainDialog::MainDialog(MainDialogEnvironment environment)
    : settingsStore_(environment.settingsStore),
      prompter_(environment.prompter),
      view_(environment.view),
      sound_(environment.sound),
      externalBrowser_(environment.externalBrowser),
      clipboard_(environment.clipboard),
      progress_(environment.progress),
      clock_(std::move(environment.clock)),
      dataRootOverride_(std::move(environment.dataRoot)),
      installedDataFolder_(std::move(environment.installedDataFolder)) {
    if (!clock_) clock_ = [] { return DateTime::Now(); };
    if (installedDataFolder_.empty()) installedDataFolder_ = DataFolders::InstalledDataFolder();
    // Marking a recipe of another box reopens boxes through the same
    // procedure as the user does, so CookbookPath stays in step.
    RecipeStore.openBox = [this](const std::string& path) { return OpenBox(path); };
    Web.SetBrowser(environment.browser);

    hooks.importExchangeFile = [this](const std::string& path) { ImportExchangeFile(path); };
    hooks.fillAllRecipes = [this] { FillAllRecipes(); };
    hooks.showInformationDialog = [this] { ShowInformationDialog(); };
    hooks.loadWelcomePage = [this] { Web.ShowWelcomePage(); };
    hooks.resetWebView = [this] { Web.ShowCurrentRecipe(); };
    hooks.checkForUpdates = [this] { Web.CheckForUpdates(); };
}

MainDialog::~MainDialog() = default;

DateTime MainDialog::Today() const {
    return clock_();
}

void MainDialog::Splash(const std::string& text) {
    if (view_ != nullptr) view_->SplashText(text);
}

MainDialog::StartResult MainDialog::Initialise(const CommandLine& commandLine) {
    if (!LoadSettings(true)) return StartResult::NoDataRoot;

    const std::string box =
        commandLine.BoxFile.empty() ? Settings.CookbookPath : commandLine.BoxFile;
    if (!OpenBox(box)) {
        prompter_->Message("Sorry, could not open Recipe Box: " + Settings.CookbookPath);
        return StartResult::NoBox;
    }
    if (!OpenSupportDatabase()) return StartResult::NoSupport;

    Keywords.ClearRows();
    CustomKeywords.ClearRows();
    SupportStore.FillKeywordCombo(Keywords, false);
    SupportStore.FillKeywordCombo(CustomKeywords, true);
    Splash("Loading...");

    if (!commandLine.ImportFile.empty()) {
        // The importer is plugged in by the exchange-file work; start-up ends
        // here either way, because the program was started only to import.
        if (hooks.importExchangeFile) hooks.importExchangeFile(commandLine.ImportFile);
        return StartResult::CloseAfterImport;
    }

    if (Settings.StartupSound == 1 && sound_ != nullptr && !sound_->Play("STARTSOUND2"))
        prompter_->Message("Could not find the resource to play.");

    LoadLookupLists();
    Web.Open();
    Splash("Ready!");

    ShowBoxLine();
    if (hooks.fillAllRecipes) hooks.fillAllRecipes();
    if (Settings.ShowInfoAtStart != 0 && hooks.showInformationDialog) hooks.showInformationDialog();
    if (!commandLine.ShoppingListFile.empty() && hooks.openShoppingList)
        hooks.openShoppingList(commandLine.ShoppingListFile);
    if (hooks.loadWelcomePage) hooks.loadWelcomePage();
    OfferUpdateCheck();
    return StartResult::Ready;
}

bool MainDialog::LoadSettings(bool countRun) {
    Settings.Load(*settingsStore_, DataFolders::DefaultRoot());
    if (!dataRootOverride_.empty()) Settings.MyPantrioRecipes = dataRootOverride_;

    bool changed = false;
    if (countRun) {
        // The run count grows at every start, whatever happens afterwards.
        settingsStore_->WriteNumber("RC", Settings.RC < INT32_MAX ? Settings.RC + 1 : Settings.RC);
        changed = true;
    }
    if (Settings.ApplyPathDefaults()) {
        settingsStore_->WriteText("CookbookPath", Settings.CookbookPath);
        settingsStore_->WriteText("SystemDatabasePath", Settings.SystemDatabasePath);
        changed = true;
    }
    // A settings folder that cannot be written is reported when the settings
    // are saved at close; start-up goes on with the values in memory.
    if (changed) settingsStore_->Flush();

    std::string error;
    if (!DataFolders::CreateRootIfMissing(Settings.MyPantrioRecipes, installedDataFolder_, error)) {
        prompter_->Message(error, "", Buttons::OK, MessageIcon::Error);
        return false;
    }
    return true;
}

bool MainDialog::OpenSupportDatabase() {
    if (!SupportStore.Open(Settings.Folders().SupportDatabase(), false,
                           Settings.SystemDatabasePath)) {
        prompter_->Message("Sorry, could not open support database.");
        return false;
    }
    return true;
}

void MainDialog::LoadLookupLists() {
    Splash("Loading Ingredients...");
    IngredientNames.ClearRows();
    Measures.ClearRows();
    Departments.ClearRows();
    SupportStore.FillCombo("IngredientMasterTable", "KeywordText", "ID", IngredientNames,
                           "KeywordText");
    SupportStore.FillCombo("Measures", "Measure", "ID", Measures, "Measure");
    SupportStore.FillDepartmentCombo(Departments);

    Splash("Loading Nutrient Data...");
    IngredientMasterList.clear();
    Foods.ClearRows();
    SupportStore.LoadIngredientMasterList(IngredientMasterList);
    SupportStore.FillFoodCombo(Foods);

    Splash("Loading Prep Notes...");
    PrepNotesList.ClearRows();
    SupportStore.FillCombo("PrepNotes", "PrepNote", "ID", PrepNotesList, "PrepNote");
}

void MainDialog::OfferUpdateCheck() {
    // A missing or impossible stored day counts as long ago.
    long days = LONG_MAX;
    if (Settings.LastCheckValid()) {
        days = DateTime::FromDate(Settings.iLastCheckedYear, Settings.iLastCheckedMonth,
                                  Settings.iLastCheckedDay)
                   .DaysUntil(Today());
    }
    if (days <= 30) return;
    const Answer answer = prompter_->Message("Check online for updates to Pantrio?", "",
                                             Buttons::YesNo, MessageIcon::Question);
    if (answer == Answer::Yes && hooks.checkForUpdates) hooks.checkForUpdates();
}

void MainDialog::MarkUpdateChecked() {
    const DateTime today = Today();
    Settings.iLastCheckedYear = today.year;
    Settings.iLastCheckedMonth = today.month;
    Settings.iLastCheckedDay = today.day;
}

bool MainDialog::SaveSettings() {
    if (Settings.Save(*settingsStore_)) return true;
    prompter_->Message("Could not save the settings to " + settingsStore_->Location() + ".", "",
                       Buttons::OK, MessageIcon::Warning);
    return false;
}

void MainDialog::Close() {
    SaveSettings();
    if (hooks.offerToSaveShoppingList) hooks.offerToSaveShoppingList();
    if (Settings.RC > 1 && Settings.RC % 98 == 0) {
        const Answer answer = prompter_->Message(
            "Would you like to make a backup copy of your Pantrio recipe data now?",
            "Time for a backup?", Buttons::YesNo, MessageIcon::Question);
        if (answer == Answer::Yes) Backup();
    }
    RecipeStore.Disconnect();
    SupportStore.Disconnect();
}

bool MainDialog::Backup() {
    const BackupOutcome outcome = BackUpData(Settings.Folders(), DataFolders::BackupFolder());
    if (!outcome.data.Ok()) {
        prompter_->Message(
            "Could not backup of /Data directory.  Please make a backup manually of the /Data "
            "directory.");
    }
    if (!outcome.rbox.Ok()) {
        prompter_->Message(
            "Could not backup of /Rbox directory.  Please make a backup manually of the /Rbox "
            "directory.");
    } else if (outcome.data.Ok()) {
        prompter_->Message("Success!  Pantrio's files have been backed up to " + outcome.folder +
                           ".  We strongly suggest you make occasional backup copies of your data "
                           "to removeable media, like a CD.");
    }
    return outcome.data.Ok() && outcome.rbox.Ok();
}

void MainDialog::PlayInterfaceSound(const std::string& resourceName) {
    if (Settings.SoundsUI != 1 || sound_ == nullptr) return;
    if (!sound_->Play(resourceName)) prompter_->Message("Could not find the resource to play.");
}

void MainDialog::ForgetCurrentRecipe() {
    CurrentRecipeNumber = -1;
    CurrentRecipe.Clear();
}

}  // namespace pantrio
