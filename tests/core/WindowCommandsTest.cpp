// The main window's own commands: the information dialog and its tips, the
// options sheet, help, the import commands with their guard, and the fixed
// messages of the commands that only inform.
#include <filesystem>
#include <fstream>
#include <set>

#include "core/CommandsFixture.h"
#include "core/InformationDialog.h"
#include "core/MainCommands.h"
#include "core/OptionsSheet.h"
#include "core/ShiftedText.h"
#include "core/Tips.h"
#include "render/TemplateCache.h"
#include "search/ViewQuery.h"

namespace pantrio::test {
namespace {

namespace fs = std::filesystem;

class WindowCommands : public CommandsFixture {};

TEST_F(WindowCommands, InformationDialogShowsEveryTipOnceInSeventeenOpenings) {
    AddRecipes(StandardBox(), {"A", "B"});
    ASSERT_TRUE(TempDataRoot::Exec(StandardBox(),
                                   "UPDATE Recipes SET EffortRating = 2 WHERE RecipeID = 2"));
    MainDialog& d = Start();
    long recipes = -1, rated = -1;
    view.onInformation = [&](InformationDialog& info) {
        recipes = info.Recipes();
        rated = info.RatedRecipes();
        EXPECT_EQ(info.BoxPath(), StandardBox());
    };
    for (int i = 0; i < 17; ++i) d.RunCommand(command::kInformation);
    EXPECT_EQ(recipes, 2);
    EXPECT_EQ(rated, 1);
    ASSERT_EQ(view.tipsShown.size(), 17u);
    const std::set<std::string> distinct(view.tipsShown.begin(), view.tipsShown.end());
    EXPECT_EQ(distinct.size(), 17u);
    EXPECT_EQ(view.tipsShown[0], Tips(d.CurrentSettings().ServiceName)[1])
        << "the first opening after tip 0 shows tip 1";
    EXPECT_EQ(view.tipsShown[1], "The nutritional content of recipes needs to be set only once.");
    d.RunCommand(command::kInformation);
    EXPECT_EQ(view.tipsShown[17], view.tipsShown[0]) << "then it starts again";

    // The tip index and the check box are kept and saved at close.
    view.onInformation = [](InformationDialog& info) {
        info.PreviousTip();
        info.SetShowAtStart(true);
    };
    d.RunCommand(command::kInformation);
    d.Close();
    auto stored = StoredSettings();
    EXPECT_EQ(stored->ReadNumber("TipToShowNext").value_or(-1), 1);
    EXPECT_EQ(stored->ReadNumber("ShowInfoAtStart").value_or(-1), 1);
}

TEST_F(WindowCommands, TipButtonsWrapAndAStoredIndexOutsideTheListStartsOver) {
    MainDialog& d = Start({"TipToShowNext=99"});
    view.onInformation = [](InformationDialog& info) {
        EXPECT_EQ(info.TipIndex(), 0);
        info.PreviousTip();
        EXPECT_EQ(info.TipIndex(), 16);
        info.NextTip();
        info.NextTip();
        EXPECT_EQ(info.TipIndex(), 1);
    };
    d.RunCommand(command::kInformation);
    EXPECT_EQ(view.tipsShown.size(), 1u);
}

TEST_F(WindowCommands, OptionsOkAppliesAndSavesCancelChangesNothing) {
    AddRecipes(StandardBox(), {"Apple"});
    MainDialog& d =
        Start({"URL1=http://one/", "URL2=http://two/", "URL3=http://three/", "HTMLStyle=0",
               "EmailAddr=" + IniSettingsStore::EscapeValue(ShiftText("cook@example.org"))});
    EXPECT_EQ(view.addresses.size(), 5u);
    EXPECT_EQ(view.addresses[1], "http://two/");

    // Cancel after editing: nothing changes, and the edits are not kept
    // for a later OK.
    view.onOptions = [](OptionsSheet& sheet) {
        sheet.SelectTheme(5);
        sheet.general.favoriteUrls[0] = "";
        sheet.email.emailAddress = "other@example.org";
        return false;
    };
    d.RunCommand(command::kOptions);
    EXPECT_EQ(d.CurrentSettings().HTMLStyle, 0);
    EXPECT_EQ(d.CurrentSettings().URL1, "http://one/");
    EXPECT_EQ(view.addresses.size(), 5u);

    // OK without changes leaves every value.
    view.onOptions = [](OptionsSheet&) { return true; };
    d.RunCommand(command::kOptions);
    EXPECT_EQ(StoredSettings()->ReadText("URL1").value_or(""), "http://one/");
    EXPECT_EQ(StoredSettings()->ReadNumber("HTMLStyle").value_or(-1), 0);
    EXPECT_EQ(d.CurrentSettings().EmailAddr, "cook@example.org");

    // A theme and an emptied favourite.
    view.Select({0});
    d.Recipes().OnRowSelected(0);
    std::string preview;
    view.onOptions = [&](OptionsSheet& sheet) {
        EXPECT_EQ(sheet.general.favoriteUrls[1], "http://two/");
        sheet.SelectTheme(3);
        preview = sheet.PreviewPage();
        sheet.general.favoriteUrls[1] = "";
        sheet.general.uiSounds = true;
        return true;
    };
    const std::size_t pagesBefore = browser.navigated.size();
    d.RunCommand(command::kOptions);
    EXPECT_NE(preview.find("Apple"), std::string::npos);
    EXPECT_NE(preview.find("<!--@PXLOCAL-->"), std::string::npos);
    EXPECT_EQ(d.CurrentSettings().HTMLStyle, 3);
    EXPECT_EQ(d.CurrentSettings().SoundsUI, 1);
    EXPECT_EQ(StoredSettings()->ReadNumber("HTMLStyle").value_or(-1), 3);
    EXPECT_EQ(StoredSettings()->ReadText("URL2").value_or("?"), "");
    EXPECT_EQ(view.addresses, (std::vector<std::string>{"http://one/", "http://three/"}));
    // The current recipe is shown again in the new theme.
    EXPECT_GT(browser.navigated.size(), pagesBefore);
    EXPECT_EQ(d.Templates().CachedTheme(), 3);
}

TEST_F(WindowCommands, HelpOpensTheShippedPagesInTheUsersBrowser) {
    MainDialog& d = Start();
    d.RunCommand(command::kHelpContents);
    ASSERT_EQ(prompter.shown.size(), 1u) << "the fixture's data root has no help pages";
    EXPECT_EQ(prompter.shown[0].text, "The help page " + dataRoot +
                                          "/Data/Help/contents.htm was not found.  Reinstalling "
                                          "Pantrio puts it back.");
    EXPECT_TRUE(externalBrowser.opened.empty());

    fs::copy(fs::path(PANTRIO_BUILT_DATA_DIR) / "Data" / "Help", dataRoot + "/Data/Help");
    prompter.shown.clear();
    d.RunCommand(command::kHelpContents);
    d.RunCommand(command::kHelpIndex);
    d.RunCommand(command::kHelpSearch);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(externalBrowser.opened,
              (std::vector<std::string>{"file://" + dataRoot + "/Data/Help/contents.htm",
                                        "file://" + dataRoot + "/Data/Help/helpindex.htm",
                                        "file://" + dataRoot + "/Data/Help/search.htm?q=recipe"}));
    // Every page the contents and the index link to is shipped.
    for (const char* page : {"contents.htm", "helpindex.htm"}) {
        std::ifstream in(dataRoot + "/Data/Help/" + page);
        const std::string text((std::istreambuf_iterator<char>(in)), {});
        for (std::size_t at = text.find("href=\""); at != std::string::npos;
             at = text.find("href=\"", at + 1)) {
            std::string target = text.substr(at + 6, text.find('"', at + 6) - at - 6);
            target = target.substr(0, target.find('#'));
            EXPECT_TRUE(fs::exists(dataRoot + "/Data/Help/" + target)) << page << " -> " << target;
        }
    }

    externalBrowser.works = false;
    d.RunCommand(command::kHelpIndex);
    EXPECT_TRUE(prompter.ShowedStartingWith("Could not open the help page "));
}

TEST_F(WindowCommands, ImportGuardOffersANewBoxOnlyWhenTheBoxHoldsRecipes) {
    const std::string mxp = std::string(PANTRIO_TEST_DATA_DIR) + "/mxp/two_recipes.mxp";
    AddRecipes(StandardBox(), {"Apple"});
    MainDialog& d = Start();

    // No: the recipes go into the open box.
    prompter.answers = {Answer::No};
    prompter.fileNames = {mxp};
    d.RunCommand(command::kImportMasterCook);
    ASSERT_GE(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].text,
              "We strongly recommend you import recipes into a NEW recipe box.  \n\nCreate a new "
              "recipe box?");
    EXPECT_EQ(prompter.shown[0].buttons, Buttons::YesNo);
    EXPECT_EQ(prompter.shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(prompter.shown[1].kind, "open");
    EXPECT_EQ(prompter.shown[1].text, "Import a MasterCook File (.MXP)");
    EXPECT_EQ(d.Boxes().BoxRecipeCount(), 3);
    EXPECT_EQ(view.rows.size(), 3u);
    EXPECT_EQ(view.queries.back(), kAllRecipesQuery);
    EXPECT_GE(progress.shows, 1);

    // Yes: a new box is made first and the file goes there.
    prompter.shown.clear();
    prompter.answers = {Answer::Yes};
    prompter.texts = {std::string("Imports")};
    prompter.fileNames = {mxp};
    d.RunCommand(command::kImportMasterCook);
    EXPECT_EQ(d.CurrentSettings().CookbookPath, dataRoot + "/Rbox/imports/imports.crb");
    EXPECT_EQ(d.Boxes().BoxRecipeCount(), 2);

    // The XML export goes the same way, through its own row of the table.
    const std::string mx2 = std::string(PANTRIO_TEST_DATA_DIR) + "/mx2/two_recipes.mx2";
    prompter.shown.clear();
    prompter.answers = {Answer::No};
    prompter.fileNames = {mx2};
    d.RunCommand(command::kImportMasterCookMx2);
    ASSERT_GE(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[1].text, "Import a MasterCook File (.MX2)");
    EXPECT_EQ(d.Boxes().BoxRecipeCount(), 4);

    // An empty box is not questioned: the first thing asked is the file.
    const std::string mmf = std::string(PANTRIO_TEST_DATA_DIR) + "/mealmaster/two_recipes.mmf";
    prompter.shown.clear();
    prompter.answers = {Answer::Yes};
    prompter.texts = {std::string("Fresh")};
    prompter.fileNames = {std::nullopt};
    d.RunCommand(command::kImportMealMaster);  // the box holds recipes: asked, with the stop icon
    EXPECT_EQ(prompter.shown.at(0).icon, MessageIcon::Error);
    prompter.shown.clear();
    prompter.fileNames = {mmf};
    d.RunCommand(command::kImportMealMaster);  // the new box "fresh" is empty
    EXPECT_EQ(prompter.shown.at(0).kind, "open");
    EXPECT_EQ(prompter.shown.at(0).text, "Import a MealMaster File (.MMF)");
    EXPECT_EQ(view.statusTexts.back(), "2 recipes / 2 in recipe box");
    EXPECT_NE(std::find(view.statusTexts.begin(), view.statusTexts.end(),
                        "Import complete.  Viewing Recipes..."),
              view.statusTexts.end());
    EXPECT_EQ(view.queries.back(), kNewestRecipesQuery);
}

TEST_F(WindowCommands, RecipeFileAndRecipeBoxImports) {
    MainDialog& d = Start();
    prompter.fileNames = {std::string(PANTRIO_TEST_DATA_DIR) + "/rxf/three_recipes.rxf"};
    d.RunCommand(command::kImportRecipeFile);
    EXPECT_EQ(prompter.shown.at(0).text, "Pantrio Recipe File (.rxf)");
    EXPECT_EQ(d.Boxes().BoxRecipeCount(), 3);
    EXPECT_EQ(view.rows.size(), 3u);

    // Another box: the open one itself is refused, in any letter case.
    const std::string other = dataRoot + "/Rbox/other.crb";
    ASSERT_TRUE(temp.CreateDatabase(other, "recipebox.sql"));
    AddRecipes(other, {"Zucchini Bread", "Oat Cookies", "Lentil Soup"});
    prompter.shown.clear();
    prompter.answers = {Answer::Yes};
    prompter.fileNames = {dataRoot + "/Rbox/STANDARD.CRB"};
    d.RunCommand(command::kImportRecipeBox);
    EXPECT_EQ(prompter.Messages().back(),
              "That recipe box is the one you are currently viewing.  Please choose a different "
              "file.");

    prompter.answers = {Answer::Yes};
    prompter.fileNames = {other};
    view.tickRows = std::vector<int>{0, 2};
    d.RunCommand(command::kImportRecipeBox);
    ASSERT_EQ(view.offeredRecipes.size(), 3u);
    EXPECT_EQ(view.offeredRecipes[0].text, "Lentil Soup");
    EXPECT_EQ(d.Boxes().BoxRecipeCount(), 5);
    const auto titles = view.Titles();
    EXPECT_NE(std::find(titles.begin(), titles.end(), "Zucchini Bread"), titles.end());
    EXPECT_EQ(std::find(titles.begin(), titles.end(), "Oat Cookies"), titles.end());

    // No: nothing is asked further.
    prompter.shown.clear();
    d.RunCommand(command::kImportRecipeBox);
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Import into current recipe box?");
}

TEST_F(WindowCommands, ExchangeFileOnTheCommandLineIsImportedAfterTheQuestion) {
    WriteSettings({"iLastCheckedYear=2024", "iLastCheckedMonth=3", "iLastCheckedDay=15"});
    MainDialog& d = MakeDialog();
    CommandLine line;
    line.ImportFile = std::string(PANTRIO_TEST_DATA_DIR) + "/rxf/single_recipe.rxf";
    prompter.answers = {Answer::OK};
    EXPECT_EQ(d.Initialise(line), MainDialog::StartResult::CloseAfterImport);
    EXPECT_EQ(prompter.shown.at(0).caption, "Import Recipe into Pantrio");
    EXPECT_EQ(Number("Select count(*) from Recipes"), 1);
    EXPECT_TRUE(prompter.ShowedStartingWith("The recipe '"));
}

TEST_F(WindowCommands, CommandsThatInformOrOpenPages) {
    MainDialog& d = Start();
    d.RunCommand(command::kImportCookn);
    EXPECT_TRUE(prompter.ShowedStartingWith("Cook'n recipe files (.DBF) are imported"));
    EXPECT_EQ(browser.navigated.back(), d.CurrentSettings().ServiceURL + "/cooknimport.htm");
    EXPECT_EQ(view.pages.back(), 1);

    d.RunCommand(command::kIdeaWizard);
    EXPECT_EQ(browser.navigated.back(),
              d.CurrentSettings().ServiceURL + "/wizard1.aspx?refer=productmenu");
    d.RunCommand(command::kForum);
    EXPECT_EQ(externalBrowser.opened.back(), d.CurrentSettings().ServiceURL + "/forums");

    d.RunCommand(command::kShowCalendarPage);
    EXPECT_EQ(view.pages.back(), 3);
    d.RunCommand(command::kExpandWebView);
    d.RunCommand(command::kExpandWebView);
    EXPECT_EQ(view.expandedStates, (std::vector<bool>{false, true, false}));

    d.RunCommand(command::kAbout);
    EXPECT_EQ(view.aboutTexts.back(), "Pantrio(tm) version " PANTRIO_VERSION);
    d.RunCommand(command::kExit);
    EXPECT_EQ(view.ended, 1);
}

TEST_F(WindowCommands, PublishingTheSelectedRecipesOpensTheIndex) {
    AddRecipes(StandardBox(), {"Apple", "Bread"});
    fs::copy(fs::path(PANTRIO_BUILT_DATA_DIR) / "Publish", dataRoot + "/Publish",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    MainDialog& d = Start();
    view.Select({0, 1});
    d.RunCommand(command::kPublishToHtmlContext);
    EXPECT_EQ(prompter.shown.at(0).text,
              "Would you like a nutrition facts box published with these recipes?");
    ASSERT_EQ(externalBrowser.opened.size(), 1u);
    EXPECT_EQ(externalBrowser.opened[0], "file://" + dataRoot + "/Publish/recipe_index.htm");
    EXPECT_TRUE(fs::exists(dataRoot + "/Publish/recipe_index.htm"));
}

TEST_F(WindowCommands, PostRecipeQuestions) {
    AddRecipes(StandardBox(), {"Apple"});
    MainDialog& d = Start();
    using Decision = RecipeController::PostDecision;
    // Without a shown recipe the command asks for one and nothing else.
    d.RunCommand(command::kPostRecipe);
    EXPECT_EQ(prompter.Messages(), std::vector<std::string>{"Please select a recipe first."});

    view.Select({0});
    d.Recipes().OnRowSelected(0);
    EXPECT_EQ(d.Recipes().PostRecipeCommand(), Decision::None);
    EXPECT_EQ(prompter.Messages().back(), "Please rate this recipe before posting.");

    d.Recipes().CurrentForEditing().TasteRating = d.Recipes().CurrentForEditing().AppearanceRating =
        4;
    d.Recipes().CurrentForEditing().EffortRating =
        d.Recipes().CurrentForEditing().AffordableRating = 3;
    prompter.answers = {Answer::Yes};
    EXPECT_EQ(d.Recipes().PostRecipeCommand(), Decision::FirstPosting);
    EXPECT_EQ(prompter.shown.back().caption, "Post recipe?");
    EXPECT_TRUE(d.Web().postingPending);

    d.Recipes().CurrentForEditing().UniqueID = 77;
    d.Web().postingPending = false;
    prompter.answers = {Answer::Yes};
    EXPECT_EQ(d.Recipes().PostRecipeCommand(), Decision::Revision);
    EXPECT_EQ(prompter.shown.back().text,
              "Recipe appears to be posted already.  Post an improved revision?");
    EXPECT_EQ(prompter.shown.back().caption, "Post a revision?");
    EXPECT_FALSE(d.Web().postingPending) << "a revision's answer is not taken over";

    d.RunCommand(command::kFindOnService);
    EXPECT_EQ(browser.navigated.back(),
              d.CurrentSettings().ServiceURL + "/private/sec/displayrecipe.aspx?id=77");
}

}  // namespace
}  // namespace pantrio::test
