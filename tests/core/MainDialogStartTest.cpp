#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/MainDialogFixture.h"
#include "core/OptionsSheet.h"

namespace pantrio::test {
namespace {

namespace fs = std::filesystem;

using StartResult = MainDialog::StartResult;

// A recipe service is set up: only then is there an update to check for.
const char kServiceLine[] = "ServiceURL=http://recipes.example";

class MainDialogStart : public MainDialogFixture {
protected:
    // Settings of a program that was started before and checked for updates today.
    std::vector<std::string> Usual(std::vector<std::string> more = {}) {
        std::vector<std::string> lines = {"iLastCheckedYear=2024", "iLastCheckedMonth=3",
                                          "iLastCheckedDay=15"};
        lines.insert(lines.end(), more.begin(), more.end());
        return lines;
    }
    bool Asked(const std::string& text) const { return prompter.Showed(text); }
};

TEST_F(MainDialogStart, FirstStartOpensTheStandardBoxAndStoresThePaths) {
    MainDialog& d = MakeDialog();
    EXPECT_EQ(d.Initialise(CommandLine{}), StartResult::Ready);
    const std::string standard = dataRoot + "/Rbox/standard.crb";
    EXPECT_TRUE(!d.Boxes().OpenBoxFile().empty());
    EXPECT_EQ(d.CurrentSettings().CookbookPath, standard);
    EXPECT_TRUE(SupportOpen());

    auto stored = StoredSettings();
    EXPECT_EQ(stored->ReadText("CookbookPath").value_or(""), standard);
    EXPECT_EQ(stored->ReadText("SystemDatabasePath").value_or(""), dataRoot + "/Data/system.mdw");
    EXPECT_EQ(stored->ReadNumber("RC").value_or(-1), 1);

    EXPECT_EQ(view.splashTexts, (std::vector<std::string>{"Loading...", "Loading Ingredients...",
                                                          "Loading Nutrient Data...",
                                                          "Loading Prep Notes...", "Ready!"}));
    ASSERT_FALSE(view.boxLines.empty());
    EXPECT_EQ(view.boxLines.back(), "Recipe Box: " + standard + " (0 recipes)");
    // No recipe service is set up at first: there is nothing to check.
    EXPECT_FALSE(Asked("Check online for updates to Pantrio?"));
}

TEST_F(MainDialogStart, RunCountGrowsAtEveryStart) {
    WriteSettings(Usual({"RC=41"}));
    MakeDialog().Initialise(CommandLine{});
    EXPECT_EQ(dialog->CurrentSettings().RC, 41);
    EXPECT_EQ(StoredSettings()->ReadNumber("RC").value_or(-1), 42);
    dialog->Close();
    EXPECT_EQ(StoredSettings()->ReadNumber("RC").value_or(-1), 42);
}

TEST_F(MainDialogStart, LookupListsAndTheMasterListAreLoaded) {
    ASSERT_TRUE(TempDataRoot::Exec(
        dataRoot + "/Data/support.csy",
        "INSERT INTO IngredientMasterTable (ID, KeywordText, NutrientID, StdDeptName, "
        "UnitOfPurchase) VALUES (1, 'salt', 0, 'Spices', ''), (2, 'kosher salt', 0, "
        "'Spices', ''), (3, 'bread flour', 0, 'Baking', '');"
        "INSERT INTO Measures (ID, Measure) VALUES (1, 'cup'), (2, 'tsp');"
        "INSERT INTO Keywords (ID, Keyword, KeywordGroup) VALUES (1, 'Soup', 'Courses'), "
        "(2, 'Mine', 'Custom');"));
    WriteSettings(Usual());
    ASSERT_EQ(MakeDialog().Initialise(CommandLine{}), StartResult::Ready);
    EXPECT_EQ(dialog->Lookups().IngredientMasterList.size(), 3u);
    EXPECT_EQ(dialog->Lookups().IngredientMasterList.back(), "salt") << "longest keyword first";
    EXPECT_EQ(dialog->Lookups().IngredientNames.Texts(),
              (std::vector<std::string>{"bread flour", "kosher salt", "salt"}));
    EXPECT_EQ(dialog->Lookups().Measures.Texts(), (std::vector<std::string>{"cup", "tsp"}));
    EXPECT_EQ(dialog->Lookups().Departments.Texts(),
              (std::vector<std::string>{"Baking", "Spices"}));
    EXPECT_EQ(dialog->Lookups().Keywords.Texts(), (std::vector<std::string>{"Mine", "Soup"}));
    EXPECT_EQ(dialog->Lookups().CustomKeywords.Texts(), (std::vector<std::string>{"Mine"}));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(MainDialogStart, BackupQuestionOnEvery98thRun) {
    const std::string question =
        "Would you like to make a backup copy of your Pantrio recipe data now?";
    for (int runCount : {1, 97, 98, 196}) {
        SCOPED_TRACE(runCount);
        WriteSettings(Usual({"RC=" + std::to_string(runCount)}));
        prompter.shown.clear();
        MakeDialog().LoadSettings(true);
        dialog->Close();
        const bool due = runCount == 98 || runCount == 196;
        EXPECT_EQ(Asked(question), due);
        if (due) {
            EXPECT_EQ(prompter.shown.back().caption, "Time for a backup?");
            EXPECT_EQ(prompter.shown.back().buttons, Buttons::YesNo);
        }
    }
}

TEST_F(MainDialogStart, CloseSavesEverythingButTheStartUpValues) {
    WriteSettings(Usual({"RC=7", "SystemDatabasePath=/keep/system.mdw"}));
    MainDialog& d = MakeDialog();
    d.LoadSettings(true);
    // A changed theme is saved; the run count (7 in memory, 8 stored at
    // start-up) and the data root given by the environment are not.
    OptionsSheet sheet;
    sheet.Open(d.CurrentSettings());
    sheet.SelectTheme(6);
    d.ApplyOptions(sheet);
    ASSERT_EQ(d.CurrentSettings().RC, 7);
    ASSERT_EQ(d.CurrentSettings().MyPantrioRecipes, dataRoot);
    d.Close();
    auto stored = StoredSettings();
    EXPECT_EQ(stored->ReadNumber("HTMLStyle").value_or(-1), 6);
    EXPECT_EQ(stored->ReadNumber("RC").value_or(-1), 8);
    EXPECT_EQ(stored->ReadText("SystemDatabasePath").value_or(""), "/keep/system.mdw");
    EXPECT_FALSE(stored->ReadText("MyPantrioRecipes").has_value());
}

TEST_F(MainDialogStart, UpdateQuestionAfterMoreThanThirtyDays) {
    for (int day : {14, 13}) {  // 30 and 31 days before 2024-03-15
        SCOPED_TRACE(day);
        WriteSettings({"iLastCheckedYear=2024", "iLastCheckedMonth=2",
                       "iLastCheckedDay=" + std::to_string(day), kServiceLine});
        prompter.shown.clear();
        MakeDialog().Initialise(CommandLine{});
        EXPECT_EQ(Asked("Check online for updates to Pantrio?"), day == 13);
    }
}

TEST_F(MainDialogStart, InvalidCheckDayCountsAsLongAgoAndYesRunsTheCheck) {
    WriteSettings(
        {"iLastCheckedYear=-1", "iLastCheckedMonth=-1", "iLastCheckedDay=-1", kServiceLine});
    MainDialog& d = MakeDialog();
    prompter.answers = {Answer::Yes};
    d.Initialise(CommandLine{});
    EXPECT_EQ(std::count_if(browser.navigated.begin(), browser.navigated.end(),
                            [](const std::string& a) {
                                return a.find("/utils/checkforupdate.aspx") != std::string::npos;
                            }),
              1);
    d.Close();
    auto stored = StoredSettings();
    EXPECT_EQ(stored->ReadNumber("iLastCheckedYear").value_or(0), 2024);
    EXPECT_EQ(stored->ReadNumber("iLastCheckedMonth").value_or(0), 3);
    EXPECT_EQ(stored->ReadNumber("iLastCheckedDay").value_or(0), 15);
}

TEST_F(MainDialogStart, CommandLineBoxIsOpenedInsteadOfTheStoredOne) {
    const std::string other = temp.PathOf("Other Box.CRB");
    ASSERT_TRUE(temp.CreateDatabase(other, "recipebox.sql"));
    // A box made before the ingredient index, which it gains on opening.
    ASSERT_TRUE(TempDataRoot::Exec(
        other,
        "INSERT INTO Recipes (RecipeID, Title) VALUES (1, 'Stew');"
        "INSERT INTO IngredientLines (IngredientLinesID, RecipeID, Name) VALUES (1, 1, 'leeks');"
        "DROP TRIGGER IngredientNameTrigramsDelete;"
        "DROP TRIGGER IngredientNameTrigramsUpdate; DROP TABLE RecipeIngredientTrigrams;"));
    WriteSettings(Usual());
    MainDialog& d = MakeDialog();
    ASSERT_EQ(d.Initialise(CommandLine::Parse({"-nologo", other})), StartResult::Ready);
    EXPECT_EQ(d.CurrentSettings().CookbookPath, other);
    EXPECT_EQ(view.boxLines.back(), "Recipe Box: " + other + " (1 recipe)");
    EXPECT_EQ(Number("SELECT count(*) FROM RecipeIngredientTrigrams WHERE "
                     "RecipeIngredientTrigrams MATCH 'eek'"),
              1);
}

TEST_F(MainDialogStart, CommandLineExchangeFileIsImportedAndStartUpEnds) {
    WriteSettings(Usual());
    MainDialog& d = MakeDialog();
    const std::string file = std::string(PANTRIO_TEST_DATA_DIR) + "/rxf/single_recipe.rxf";
    prompter.answers = {Answer::OK};
    EXPECT_EQ(d.Initialise(CommandLine::Parse({file})), StartResult::CloseAfterImport);
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.shown[0].text,
              "Would you like to import " + file + " into your recipe box?");
    EXPECT_EQ(Number("Select count(*) from Recipes where Title = 'Buttermilk Pancakes'"), 1);
    EXPECT_TRUE(SupportOpen()) << "the import runs after the support database opens";
    EXPECT_TRUE(view.boxLines.empty());
}

TEST_F(MainDialogStart, MissingBoxOffersTheFileDialogThenFails) {
    const std::string missing = dataRoot + "/Rbox/gone.crb";
    WriteSettings(Usual({"CookbookPath=" + missing}));
    EXPECT_EQ(MakeDialog().Initialise(CommandLine{}), StartResult::NoBox);
    ASSERT_GE(prompter.shown.size(), 4u);
    EXPECT_EQ(prompter.shown[0].text, "Please choose a recipe box to open");
    EXPECT_EQ(prompter.shown[1].kind, "open");
    EXPECT_EQ(prompter.shown[1].text, "Open a Pantrio Recipe Box (.CRB)");
    EXPECT_EQ(prompter.shown[1].caption, "Pantrio Recipe Box (*.CRB)");
    EXPECT_EQ(prompter.shown[2].text.rfind("Sorry, could not open recipe box.\n\n", 0), 0u);
    EXPECT_GT(prompter.shown[2].text.size(), 40u) << "followed by a hint for a first run";
    EXPECT_EQ(prompter.shown[3].text, "Sorry, could not open Recipe Box: " + missing);
    EXPECT_FALSE(!dialog->Boxes().OpenBoxFile().empty());
    EXPECT_FALSE(SupportOpen());
}

TEST_F(MainDialogStart, MissingBoxOpensTheFileChosenInstead) {
    WriteSettings(Usual({"CookbookPath=" + dataRoot + "/Rbox"}));  // a folder, not a file
    const std::string chosen = dataRoot + "/Rbox/standard.crb";
    prompter.fileNames = {chosen};
    EXPECT_EQ(MakeDialog().Initialise(CommandLine{}), StartResult::Ready);
    EXPECT_EQ(dialog->CurrentSettings().CookbookPath, chosen);
    EXPECT_TRUE(!dialog->Boxes().OpenBoxFile().empty());
}

TEST_F(MainDialogStart, MissingSupportDatabaseStopsStartUp) {
    fs::remove(dataRoot + "/Data/support.csy");
    WriteSettings(Usual());
    EXPECT_EQ(MakeDialog().Initialise(CommandLine{}), StartResult::NoSupport);
    EXPECT_EQ(prompter.Messages(),
              (std::vector<std::string>{"Sorry, could not open support database."}));
    EXPECT_TRUE(!dialog->Boxes().OpenBoxFile().empty()) << "the open box survives";
    EXPECT_TRUE(view.splashTexts.empty());
}

TEST_F(MainDialogStart, StartupSoundAndItsMissingResource) {
    WriteSettings(Usual({"StartupSound=1"}));
    EXPECT_EQ(MakeDialog().Initialise(CommandLine{}), StartResult::Ready);
    EXPECT_EQ(sound.played, (std::vector<std::string>{"STARTSOUND2"}));
    EXPECT_TRUE(prompter.Showed("Could not find the resource to play."));

    prompter.shown.clear();
    sound.played.clear();
    sound.known = {"STARTSOUND2"};
    WriteSettings(Usual({"StartupSound=0"}));
    MakeDialog().Initialise(CommandLine{});
    EXPECT_TRUE(sound.played.empty());
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(MainDialogStart, MissingDataRootIsCreatedFromTheInstalledData) {
    fs::rename(dataRoot, temp.PathOf("installed"));
    MainDialogEnvironment environment;
    IniSettingsStore settings(settingsPath);
    environment.settingsStore = &settings;
    environment.prompter = &prompter;
    environment.dataRoot = dataRoot;
    environment.installedDataFolder = temp.PathOf("installed");
    MainDialog d(std::move(environment));
    EXPECT_EQ(d.Initialise(CommandLine{}), StartResult::Ready);
    EXPECT_TRUE(fs::is_regular_file(dataRoot + "/Rbox/standard.crb"));
    EXPECT_TRUE(fs::is_regular_file(temp.PathOf("installed") + "/Rbox/standard.crb"));
}

TEST_F(MainDialogStart, MissingDataRootWithoutInstalledDataSaysWhy) {
    fs::remove_all(dataRoot);
    EXPECT_EQ(MakeDialog().Initialise(CommandLine{}), StartResult::NoDataRoot);
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_NE(prompter.Messages()[0].find(dataRoot), std::string::npos);
    EXPECT_FALSE(fs::exists(dataRoot));
}

}  // namespace
}  // namespace pantrio::test
