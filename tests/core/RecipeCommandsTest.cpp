// The main window's commands on the results list and the current recipe:
// showing a recipe of another box, Previous and Next, deleting, clearing
// marks and the quick keywords, on real boxes.
#include <fstream>
#include <sstream>

#include "core/CommandsFixture.h"
#include "core/MainCommands.h"
#include "render/AppLink.h"
#include "search/ViewQuery.h"

namespace pantrio::test {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class RecipeCommands : public CommandsFixture {};

TEST_F(RecipeCommands, ShowingARecipeOfAnotherBoxSwitchesTheBoxAndTheBoxLine) {
    const std::string other = dataRoot + "/Rbox/other.crb";
    ASSERT_TRUE(temp.CreateDatabase(other, "recipebox.sql"));
    AddRecipes(other, {"Stew", "Pie"});
    MainDialog& d = Start();

    EXPECT_EQ(d.Recipes().ShowRecipe(2, other, true), 0);
    EXPECT_EQ(prompter.Messages(), std::vector<std::string>{"Changing to recipe box: " + other});
    EXPECT_EQ(d.CurrentSettings().CookbookPath, other);
    EXPECT_EQ(view.boxLines.back(), "Recipe Box: " + other + " (2 recipes)");
    EXPECT_EQ(view.Titles(), std::vector<std::string>{"Pie"});
    EXPECT_EQ(d.Recipes().Current().Title, "Pie");
    EXPECT_EQ(d.Recipes().Current().RecipeID, 2);
    EXPECT_EQ(Column(other, 2, "LastViewed"), "2024-03-15 00:00:00");

    // Back to the standard box, quietly, for a recipe it does not hold.
    prompter.shown.clear();
    EXPECT_EQ(d.Recipes().ShowRecipe(7, StandardBox(), false), -1);
    EXPECT_EQ(prompter.Messages(),
              std::vector<std::string>{"Recipe no longer found in this recipe box."});
    EXPECT_EQ(d.CurrentSettings().CookbookPath, StandardBox());
    EXPECT_EQ(view.boxLines.back(), "Recipe Box: " + StandardBox() + " (0 recipes)");
}

TEST_F(RecipeCommands, PreviousAndNextStopAtTheEndsOfTheList) {
    AddRecipes(StandardBox(), {"Apple", "Bread", "Cake"});
    MainDialog& d = Start();
    ASSERT_EQ(view.Titles(), (std::vector<std::string>{"Apple", "Bread", "Cake"}));

    view.Select({2});
    d.RunCommand(command::kNext);
    EXPECT_EQ(view.selected, std::vector<int>{2});
    EXPECT_EQ(d.Recipes().Current().Title, "Cake");
    // The View tab shows the recipe's page from a temporary file.
    ASSERT_FALSE(browser.navigated.empty());
    const std::string page = browser.navigated.back();
    ASSERT_EQ(page.rfind("file://", 0), 0u) << page;
    EXPECT_NE(page.find("/px_"), std::string::npos) << page;
    EXPECT_NE(ReadFile(PercentDecode(page.substr(7))).find("Cake"), std::string::npos);

    view.Select({0, 2});
    d.RunCommand(command::kPrevious);
    EXPECT_EQ(view.selected, std::vector<int>{0});
    EXPECT_EQ(d.Recipes().Current().Title, "Apple");

    d.RunCommand(command::kNext);
    EXPECT_EQ(view.selected, std::vector<int>{1});
    EXPECT_EQ(d.Recipes().CurrentID(), 2);
    EXPECT_EQ(d.Recipes().Current().Title, "Bread");

    // Without a selection nothing moves.
    view.selected.clear();
    d.RunCommand(command::kNext);
    d.RunCommand(command::kPrevious);
    EXPECT_EQ(d.Recipes().CurrentID(), 2);
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(RecipeCommands, DeletingAsksWithTheCountThenTheSingularQuestion) {
    AddRecipes(StandardBox(), {"Apple", "Bread", "Cake", "Dates"});
    MainDialog& d = Start();
    view.Select({1});
    d.RunCommand(command::kNext);  // Cake is current
    ASSERT_EQ(d.Recipes().CurrentID(), 3);

    ListAndSelect({0, 1, 3});
    prompter.answers = {Answer::OK};
    d.RunCommand(command::kDelete);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
              "Warning:  This will permanently delete 3 recipes from your recipe box.  Are you "
              "sure?");
    EXPECT_EQ(prompter.shown[0].caption, "Warning");
    EXPECT_EQ(prompter.shown[0].buttons, Buttons::OKCancel);
    EXPECT_EQ(view.Titles(), std::vector<std::string>{"Cake"});
    EXPECT_EQ(view.boxLines.back(), "Recipe Box: " + StandardBox() + " (1 recipe)");
    EXPECT_EQ(d.Recipes().CurrentID(), -1);
    EXPECT_EQ(Column(StandardBox(), 1, "Title"), "");

    // Cancel keeps the recipe.
    prompter.shown.clear();
    view.Select({0});
    d.RunCommand(command::kDelete);
    EXPECT_EQ(prompter.shown.at(0).text,
              "Warning:  This will permanently delete this recipe from your recipe box.  Are "
              "you sure?");
    EXPECT_EQ(Column(StandardBox(), 3, "Title"), "Cake");

    prompter.answers = {Answer::OK};
    view.Select({0});
    d.RunCommand(command::kDelete);
    EXPECT_TRUE(view.rows.empty());
    EXPECT_EQ(view.boxLines.back(), "Recipe Box: " + StandardBox() + " (0 recipes)");
}

TEST_F(RecipeCommands, DeletingRemovesThePlanEntriesOfThisBoxOnly) {
    AddRecipes(StandardBox(), {"Apple"});
    const std::string support = dataRoot + "/Data/support.csy";
    ASSERT_TRUE(TempDataRoot::Exec(
        support,
        "INSERT INTO RecipeList (RecipeListID, RecipeID, CookbookFile, Title) VALUES "
        "(1, 1, '" +
            StandardBox() + "', 'Apple'), (2, 1, '/elsewhere/other.crb', 'Soup')"));
    MainDialog& d = Start();
    view.Select({0});
    prompter.answers = {Answer::OK};
    d.RunCommand(command::kDelete);
    EXPECT_EQ(Value("Select Title from RecipeList", true), "Soup");
    EXPECT_EQ(Number("Select count(*) from RecipeList", true), 1);
}

TEST_F(RecipeCommands, QuickKeywordAsksOnlyForMoreThanFourRecipes) {
    AddRecipes(StandardBox(), {"A", "B", "C", "D", "E"});
    MainDialog& d = Start();
    view.Select({0});
    d.RunCommand(command::kNext);  // B is current
    view.Select({0, 1, 2, 3});
    d.RunCommand(32869);  // "D&essert"
    EXPECT_TRUE(prompter.shown.empty());
    for (int id = 1; id <= 4; ++id)
        EXPECT_EQ(Column(StandardBox(), id, "AllCategoriesText"), "|Desserts");
    EXPECT_EQ(Column(StandardBox(), 5, "AllCategoriesText"), "");
    // The current recipe is shown again with its new keyword.
    EXPECT_EQ(d.Recipes().Current().CategoryNames, std::vector<std::string>{"Desserts"});

    view.Select({0, 1, 2, 3, 4});
    d.RunCommand(32870);  // "Low &Fat", answered Cancel
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
              "This operation will assign the keyword 'Low Fat' to these 5 recipes.  Are you "
              "sure?");
    EXPECT_EQ(prompter.shown[0].caption, "Warning");
    EXPECT_EQ(Column(StandardBox(), 5, "AllCategoriesText"), "");

    prompter.answers = {Answer::OK};
    d.RunCommand(32870);
    EXPECT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(Column(StandardBox(), 1, "AllCategoriesText"), "|Desserts|Low Fat");
    EXPECT_EQ(Column(StandardBox(), 5, "AllCategoriesText"), "|Low Fat");
}

TEST_F(RecipeCommands, ClearMarksOnlyOnYesAndListsEveryRecipe) {
    AddRecipes(StandardBox(), {"A", "B"});
    ASSERT_TRUE(TempDataRoot::Exec(StandardBox(), "UPDATE Recipes SET Marked = 1"));
    MainDialog& d = Start();
    d.RunCommand(command::kClearMarks);
    EXPECT_EQ(prompter.Messages(),
              std::vector<std::string>{"Would you like to clear all checkmarks from the current "
                                       "recipe box?"});
    EXPECT_EQ(prompter.shown[0].buttons, Buttons::YesNo);
    EXPECT_EQ(Column(StandardBox(), 1, "Marked"), "1");

    prompter.answers = {Answer::Yes};
    view.queries.clear();
    d.RunCommand(command::kClearMarks);
    EXPECT_EQ(Column(StandardBox(), 1, "Marked"), "0");
    EXPECT_EQ(Column(StandardBox(), 2, "Marked"), "0");
    EXPECT_EQ(view.queries, std::vector<std::string>{kAllRecipesQuery});
    EXPECT_EQ(view.rows.size(), 2u);
    EXPECT_EQ(view.rows[0].Icon(), 0);
}

TEST_F(RecipeCommands, UnknownCommandsAreNotRun) {
    MainDialog& d = Start();
    // Posting runs only on a shown recipe: without one it asks for one.
    d.RunCommand(32829);
    EXPECT_EQ(prompter.Messages(), std::vector<std::string>{"Please select a recipe first."});
    prompter.shown.clear();
    EXPECT_FALSE(d.RunCommand(12345));
    EXPECT_FALSE(d.CommandEnabled(257));  // "&Mark Recipe" stays greyed
    EXPECT_TRUE(MainDialog::HasCommand(32846));
    EXPECT_TRUE(prompter.shown.empty());
}

}  // namespace
}  // namespace pantrio::test
