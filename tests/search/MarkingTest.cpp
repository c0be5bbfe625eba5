// Marking from the results list: the box, the meal-plan copies of the same
// box only, the sound, and clearing every mark.
#include <gtest/gtest.h>

#include <filesystem>

#include "search/Marking.h"
#include "search/ResultsModel.h"
#include "search/SearchFixture.h"
#include "search/ViewQuery.h"

namespace pantrio {
namespace {

class MarkingTest : public test::SearchFixture {
protected:
    void SetUp() override {
        SearchFixture::SetUp();
        AddRecipe(1, "Chili", 1, 0);
        AddRecipe(2, "Salad", 0, 1);
        // Meal-plan rows of recipe 1 in this box (whose path has an
        // apostrophe in a test below) and of recipe 1 of another box.
        PlanRow(1, 1, box.CookbookPath);
        PlanRow(2, 1, box.CookbookPath);
        PlanRow(3, 1, root.PathOf("other.crb"));
        environment.support = &support;
        environment.playSound = [this](const std::string& s) { sounds.push_back(s); };
        environment.refreshPlan = [this] { ++planRefreshes; };
    }
    void PlanRow(int id, int recipeID, const std::string& boxPath) {
        Support(
            Format("INSERT INTO RecipeList(RecipeListID, RecipeDate, MealNumber, RecipeID, "
                   "CookbookFile, Title, Marked) VALUES(%d, '2024-03-01', 5, %d, '%s', 'x', "
                   "0);",
                   id, recipeID, ReplaceAll(boxPath, "'", "''").c_str()));
    }
    long PlanMarks(const std::string& boxPath) {
        return support.QueryNumber(
            "Select count(*) from RecipeList where Marked <> 0 and "
            "CookbookFile = '" +
            QuoteSql(boxPath) + "'");
    }

    MarkEnvironment environment;
    std::vector<std::string> sounds;
    int planRefreshes = 0;
};

TEST_F(MarkingTest, MarkingUpdatesTheBoxTheRowAndThePlanRowsOfTheSameBoxOnly) {
    ResultsModel list(box);
    ASSERT_EQ(list.Fill(kAllRecipesQuery), 0);
    ASSERT_EQ(list.Row(0)->recipeID, 1);

    EXPECT_EQ(ToggleMarkAt(list, box, 0, environment), 8);
    EXPECT_EQ(box.RecipeIcon(1), 8);
    EXPECT_EQ(list.Row(0)->Icon(), 8);
    EXPECT_EQ(list.Row(0)->MarkedText(), "255");
    EXPECT_EQ(PlanMarks(box.CookbookPath), 2);
    EXPECT_EQ(PlanMarks(root.PathOf("other.crb")), 0);
    EXPECT_EQ(sounds, (std::vector<std::string>{"MINIWHOOSH"}));
    EXPECT_EQ(planRefreshes, 1);

    // And back; without sounds this time.
    environment.soundsOn = false;
    EXPECT_EQ(ToggleMarkAt(list, box, 0, environment), 1);
    EXPECT_EQ(box.RecipeIcon(1), 1);
    EXPECT_EQ(list.Row(0)->MarkedText(), "0");
    EXPECT_EQ(PlanMarks(box.CookbookPath), 0);
    EXPECT_EQ(sounds.size(), 1u);
}

TEST_F(MarkingTest, BoxPathWithAnApostropheAndMissingRecipes) {
    const std::string odd = root.PathOf("Mom's.crb");
    std::filesystem::copy_file(root.boxPath, odd);
    box.Disconnect();
    ASSERT_TRUE(box.Open(odd));
    PlanRow(4, 2, odd);
    EXPECT_EQ(ToggleMark(box, 2, environment), 0);
    EXPECT_EQ(support.QueryNumber("Select Marked from RecipeList where RecipeListID = 4"), 0);
    EXPECT_EQ(ToggleMark(box, 2, environment), 7);
    EXPECT_NE(support.QueryNumber("Select Marked from RecipeList where RecipeListID = 4"), 0);

    // A recipe without a row changes nothing and plays nothing.
    sounds.clear();
    EXPECT_EQ(ToggleMark(box, 99, environment), -1);
    EXPECT_TRUE(sounds.empty());
}

TEST_F(MarkingTest, ClearAllMarksAsksAndLeavesThePlanCopies) {
    PlanRow(5, 2, box.CookbookPath);
    Support("UPDATE RecipeList SET Marked = 1 WHERE RecipeListID = 5;");
    int asked = 0;
    EXPECT_FALSE(ClearAllMarks(box, [&] { return ++asked == 2; }));
    EXPECT_EQ(box.RecipeIcon(2), 7);
    EXPECT_TRUE(ClearAllMarks(box, [&] { return ++asked == 2; }));
    EXPECT_EQ(box.RecipeIcon(2), 0);
    EXPECT_EQ(PlanMarks(box.CookbookPath), 1);
    EXPECT_EQ(asked, 2);
}

TEST(MarkClick, OnlyASingleClickOnTheIconOfTheOneSelectedRow) {
    EXPECT_TRUE(ClickTogglesMark(1, 1, false));
    EXPECT_TRUE(ClickTogglesMark(18, 1, false));
    EXPECT_FALSE(ClickTogglesMark(0, 1, false));
    EXPECT_FALSE(ClickTogglesMark(19, 1, false));
    EXPECT_FALSE(ClickTogglesMark(5, 2, false));
    EXPECT_FALSE(ClickTogglesMark(5, 1, true));
}

}  // namespace
}  // namespace pantrio
