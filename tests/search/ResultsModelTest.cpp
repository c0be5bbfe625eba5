// The lazy results list on a real box: what it reads, what it shows, and how
// it stays consistent while the box changes under it.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "search/Marking.h"
#include "search/ResultsModel.h"
#include "search/SearchFixture.h"
#include "search/SearchLinks.h"
#include "search/ViewQuery.h"

namespace pantrio {
namespace {

class ResultsModelTest : public test::SearchFixture {
protected:
    std::vector<std::string> statuses;
    std::vector<std::string> reports;
    std::unique_ptr<ResultsModel> MakeModel() {
        auto model = std::make_unique<ResultsModel>(
            box, [this](const std::string& text) { reports.push_back(text); });
        model->statusChanged = [this](const std::string& s) { statuses.push_back(s); };
        return model;
    }
};

TEST_F(ResultsModelTest, ReadsOneBatchAtATimeAndCountsWithoutReadingEveryRow) {
    AddNumberedRecipes(1000);
    auto model = MakeModel();
    ASSERT_EQ(model->Fill(kAllRecipesQuery), 0);
    EXPECT_EQ(model->TotalRows(), 1000);
    EXPECT_EQ(model->LoadedRows(), 100);
    EXPECT_EQ(model->RowsRead(), 100);
    EXPECT_EQ(model->StatusText(), "1000 recipes / 1000 in recipe box");

    // Showing row 150 reads the second batch only.
    const ResultRow* row = model->Row(150);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->title, "Recipe 00151");
    EXPECT_EQ(model->RowsRead(), 200);
    EXPECT_LE(model->RowsRead(), 151 + ResultsModel::kBatchSize);

    // Scrolling to the end reads every row exactly once, in title order.
    for (long r = 0; r < model->TotalRows(); ++r) {
        ASSERT_NE(model->Row(r), nullptr) << r;
        EXPECT_EQ(model->Row(r)->recipeID, r + 1);
    }
    EXPECT_EQ(model->RowsRead(), 1000);
    EXPECT_FALSE(model->CanFetchMore());
    EXPECT_EQ(model->Row(1000), nullptr);
}

TEST_F(ResultsModelTest, RowsCarryIconRatingAndNumber) {
    AddRecipe(7, "Marked Red", 1, 1, 3.6);
    AddRecipe(8, "Plain", 0, 0, 0);
    auto model = MakeModel();
    ASSERT_EQ(model->Fill(kAllRecipesQuery), 0);
    const ResultRow* marked = model->Row(0);
    ASSERT_NE(marked, nullptr);
    EXPECT_EQ(marked->recipeID, 7);
    EXPECT_EQ(marked->Icon(), 8);
    EXPECT_EQ(marked->RatingText(), "4");
    EXPECT_EQ(model->Row(1)->Icon(), 0);
    EXPECT_EQ(model->Row(1)->RatingText(), "0");
    EXPECT_EQ(model->FirstRowStartingWith("pl"), 1);
    EXPECT_EQ(model->RowOfRecipe(8), 1);
    // A single row reads in the singular.
    ASSERT_EQ(model->Fill(SingleRecipeQuery(8)), 0);
    EXPECT_EQ(model->StatusText(), "1 recipe / 2 in recipe box");
}

TEST_F(ResultsModelTest, EmptyResultAndFailures) {
    AddRecipe(1, "Soup");
    auto model = MakeModel();
    ASSERT_EQ(model->Fill(ViewQuery("&Marked", "All", DateTime::Now())), 0);
    EXPECT_EQ(model->TotalRows(), 0);
    EXPECT_EQ(model->Row(0), nullptr);
    EXPECT_EQ(model->StatusText(), "0 recipes / 1 in recipe box");

    // A statement that cannot run leaves the list empty and the status as it was.
    ASSERT_EQ(model->Fill(kAllRecipesQuery), 0);
    EXPECT_EQ(model->Fill("Select RecipeID from NoSuchTable"), -1);
    EXPECT_EQ(model->LoadedRows(), 0);
    EXPECT_EQ(model->StatusText(), "1 recipe / 1 in recipe box");
    EXPECT_EQ(statuses.size(), 2u);
}

TEST_F(ResultsModelTest, RowsNeededWhileTheBoxIsClosedAreReported) {
    AddNumberedRecipes(150);
    auto model = MakeModel();
    ASSERT_EQ(model->Fill(kAllRecipesQuery), 0);
    box.Disconnect();
    EXPECT_NE(model->Row(5), nullptr);  // already read
    EXPECT_EQ(model->Row(120), nullptr);
    EXPECT_EQ(reports, std::vector<std::string>{"RecipeDB is not open."});
    // A fill opens the box first.
    ASSERT_EQ(model->Fill(kAllRecipesQuery), 0);
    EXPECT_TRUE(box.Connected());
    EXPECT_NE(model->Row(120), nullptr);
}

TEST_F(ResultsModelTest, EqualTitlesArePagedWithoutLossOrRepeat) {
    Box("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 250) "
        "INSERT INTO Recipes(RecipeID, Title, Color, Marked) SELECT i, 'Same', 0, 0 FROM n;");
    auto model = MakeModel();
    ASSERT_EQ(model->Fill(FolderItemQuery(RecipeFolder::Cuisines, "")), 0);
    std::set<long> seen;
    for (long r = 0; r < model->TotalRows(); ++r) seen.insert(model->Row(r)->recipeID);
    EXPECT_EQ(seen.size(), 250u);
}

TEST_F(ResultsModelTest, UnmarkingAListedRowDoesNotLoseARowOfTheNextBatch) {
    // Ordered marked first: unmarking a listed row moves it past the rows
    // not yet read.
    Box("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
        "INSERT INTO Recipes(RecipeID, Title, Color, Marked) SELECT i, printf('R%05d', i), 0, "
        "CASE WHEN i <= 150 THEN 1 ELSE 0 END FROM n;");
    auto model = MakeModel();
    ASSERT_EQ(model->Fill("Select RecipeID, Title, Color, Marked, TasteRating from Recipes "
                          "ORDER BY Marked DESC, Title"),
              0);
    ASSERT_EQ(model->LoadedRows(), 100);
    ASSERT_EQ(ToggleMarkAt(*model, box, 3, MarkEnvironment{}), 0);
    EXPECT_EQ(model->Row(3)->Icon(), 0);  // the row stays where it is
    std::set<long> seen;
    for (long r = 0; r < model->TotalRows(); ++r) {
        ASSERT_NE(model->Row(r), nullptr) << r;
        seen.insert(model->Row(r)->recipeID);
    }
    EXPECT_EQ(seen.size(), 300u);
    EXPECT_EQ(model->LoadedRows(), 300);
}

TEST_F(ResultsModelTest, DeletedRecipesEndTheListAndRefreshRecounts) {
    AddNumberedRecipes(250);
    auto model = MakeModel();
    ASSERT_EQ(model->Fill(kAllRecipesQuery), 0);
    Box("DELETE FROM Recipes WHERE RecipeID > 180;");
    EXPECT_EQ(model->Row(199), nullptr);
    EXPECT_EQ(model->TotalRows(), 180);
    EXPECT_EQ(model->StatusText(), "180 recipes / 180 in recipe box");

    Box("DELETE FROM Recipes WHERE RecipeID <= 10;");
    ASSERT_EQ(model->Refresh(), 0);
    EXPECT_EQ(model->TotalRows(), 170);
    EXPECT_EQ(model->LoadedRows(), 170);
    EXPECT_EQ(model->Row(0)->recipeID, 11);
}

TEST(WithTotalOrder, CompletesTheTopLevelOrder) {
    EXPECT_EQ(WithTotalOrder("Select RecipeID from Recipes order by Title "),
              "Select RecipeID from Recipes order by Title, RecipeID");
    EXPECT_EQ(WithTotalOrder("Select RecipeID from Recipes Where Title Like '%order by%'"),
              "Select RecipeID from Recipes Where Title Like '%order by%' ORDER BY RecipeID");
    EXPECT_EQ(WithTotalOrder("Select RecipeID from Recipes Where RecipeID IN (Select RecipeID "
                             "from Recipes order by Title)"),
              "Select RecipeID from Recipes Where RecipeID IN (Select RecipeID from Recipes "
              "order by Title) ORDER BY RecipeID");
}

TEST_F(ResultsModelTest, ManyMatchesOfASetArePagedInTheSameOrder) {
    AddNumberedRecipes(1000);
    Box("UPDATE Recipes SET Marked = 255 WHERE RecipeID % 9 = 0;");
    // 834 of 1000 recipes: enough for the list to walk its ordered index.
    const std::string statement =
        "Select RecipeID, Color, Marked, Title, TasteRating from Recipes Where Recipes.RecipeID "
        "IN (Select RecipeID from Recipes where TasteRating >= 1 or Title like '%in (%') ORDER "
        "BY Recipes.Marked DESC, Recipes.Color, Recipes.Title";
    auto model = MakeModel();
    ASSERT_EQ(model->Fill(statement), 0);
    EXPECT_NE(model->PagedStatement().find("+Recipes.RecipeID"), std::string::npos);
    std::vector<long> listed;
    for (long r = 0; model->Row(r) != nullptr; ++r) listed.push_back(model->Row(r)->recipeID);
    EXPECT_EQ(listed, IdsOf(WithTotalOrder(statement)));
    EXPECT_EQ(model->TotalRows(), 834);
}

TEST(WithSetTermsUnindexed, SignsOnlyTheTopLevelSetTerms) {
    EXPECT_EQ(WithSetTermsUnindexed("Select Title from Recipes Where RecipeID IN (Select RecipeID "
                                    "from Lines where RecipeID in (1)) AND Recipes.recipeid In "
                                    "(2) AND Title = 'RecipeID IN (3)'"),
              "Select Title from Recipes Where +RecipeID IN (Select RecipeID from Lines where "
              "RecipeID in (1)) AND +Recipes.recipeid In (2) AND Title = 'RecipeID IN (3)'");
    EXPECT_EQ(WithSetTermsUnindexed("Select Title from Recipes Where RecipeID = 3"),
              "Select Title from Recipes Where RecipeID = 3");
}

TEST(CountStatement, CountsTheWhereWithoutColumnsAndOrder) {
    EXPECT_EQ(CountStatement("Select RecipeID, Title from Recipes Where Title >= 'C' ORDER BY "
                             "TITLE"),
              "Select count(*) from Recipes Where Title >= 'C'");
    EXPECT_EQ(CountStatement("SELECT Recipes.RecipeID FROM Recipes WHERE RecipeID IN (Select "
                             "RecipeID from IngredientLines where Name like '%from%') ORDER BY "
                             "Recipes.Title"),
              "Select count(*) FROM Recipes WHERE RecipeID IN (Select RecipeID from "
              "IngredientLines where Name like '%from%')");
    EXPECT_EQ(CountStatement("Select Cuisine from Recipes GROUP BY Cuisine"), "");
    EXPECT_EQ(CountStatement("Update Recipes Set Marked = 0"), "");
}

}  // namespace
}  // namespace pantrio
