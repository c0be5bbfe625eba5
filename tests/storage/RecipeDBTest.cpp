// The recipe store against real recipe-box files made from the shipped schema.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/RowSink.h"
#include "base/Text.h"
#include "recipe/Recipe.h"
#include "storage/RecipeDB.h"
#include "storage/SupportDB.h"
#include "support/BoxFixture.h"

namespace pantrio {
namespace {

using Texts = std::vector<std::string>;

std::string RecipeRow(int id, const std::string& title, int color = 0, int marked = 0,
                      double rating = 0) {
    return Format(
        "INSERT INTO Recipes(RecipeID, Title, Color, Marked, TasteRating) "
        "VALUES(%d, '%s', %d, %d, %f);",
        id, title.c_str(), color, marked, rating);
}
std::string LineRow(int lineID, int recipeID, int order, const char* measure = "c") {
    return Format(
        "INSERT INTO IngredientLines(IngredientLinesID, RecipeID, LineOrder, Measure, "
        "Name) VALUES(%d, %d, %d, '%s', 'item %d');",
        lineID, recipeID, order, measure, order);
}

using RecipeDBTest = test::BoxFixture;

TEST_F(RecipeDBTest, LoadRecipeReadsTheRowAndReportsMissingOnes) {
    Box("INSERT INTO Recipes(RecipeID, Title, YieldNumber, ScaleMultiple, Cuisine, UniqueID, "
        "ActiveMinutes, LastViewed) VALUES(7, 'Mom''s Stew', 4, 0, NULL, 123456, 20, "
        "'2023-04-05 06:07:08');");
    Recipe recipe;
    recipe.Cuisine = "stale";
    ASSERT_EQ(box.LoadRecipe(7, recipe), 1);
    EXPECT_EQ(recipe.Title, "Mom's Stew");
    EXPECT_EQ(recipe.Cuisine, "");
    EXPECT_DOUBLE_EQ(recipe.ScaleMultiple, 1);  // a stored 0 means unscaled
    EXPECT_EQ(recipe.UniqueID, 123456);
    EXPECT_EQ(recipe.ActiveMinutes, 20);
    EXPECT_EQ(recipe.LastViewed.IsoText(), "2023-04-05 06:07:08");

    EXPECT_EQ(box.LoadRecipe(42, recipe), 0);
    box.Disconnect();
    EXPECT_EQ(box.LoadRecipe(7, recipe), -1);  // not a success with stale fields
}

TEST_F(RecipeDBTest, LoadIngredientLinesReadsTheFirstHundredInOrder) {
    std::string sql = RecipeRow(1, "Big batch") + RecipeRow(2, "Unordered");
    for (int i = 1; i <= 120; ++i) sql += LineRow(i, 1, 121 - i);  // stored in reverse
    // Lines without an order come by line number and take their position.
    sql += LineRow(202, 2, 0) + LineRow(201, 2, 0) +
           "INSERT INTO IngredientLinesNutrients VALUES(1, 202, 345, 70.5);";
    Box(sql);

    Recipe recipe;
    recipe.LinesModified = true;
    EXPECT_EQ(box.LoadIngredientLines(1, recipe), 120);
    ASSERT_EQ(recipe.Lines.size(), 100u);
    EXPECT_FALSE(recipe.LinesModified);
    EXPECT_EQ(recipe.Lines[0].IngredientLinesID, 120);
    EXPECT_EQ(recipe.Lines[99].LineOrder, 100);
    EXPECT_EQ(recipe.Lines[99].Name, "item 100");

    ASSERT_EQ(box.LoadIngredientLines(2, recipe), 2);
    ASSERT_EQ(recipe.Lines.size(), 2u);
    EXPECT_EQ(recipe.Lines[0].IngredientLinesID, 201);
    EXPECT_EQ(recipe.Lines[0].LineOrder, 1);
    EXPECT_EQ(recipe.Lines[0].NutrientID, 0);  // unlinked: NULL reads as 0
    EXPECT_EQ(recipe.Lines[1].LineOrder, 2);
    EXPECT_EQ(recipe.Lines[1].NutrientID, 345);
    EXPECT_DOUBLE_EQ(recipe.Lines[1].BaseRecipeGramWeight, 70.5);
}

TEST_F(RecipeDBTest, MetricFlagFollowsTheMajorityOfLines) {
    Box(RecipeRow(1, "Grams") + LineRow(1, 1, 1, "g") + LineRow(2, 1, 2, "grams") +
        LineRow(3, 1, 3, "g") + LineRow(4, 1, 4, "cup") + RecipeRow(2, "Tie") +
        LineRow(5, 2, 1, "ml") + LineRow(6, 2, 2, "tsp"));
    Recipe recipe;
    box.LoadIngredientLines(1, recipe);
    EXPECT_TRUE(recipe.Metric);
    box.LoadIngredientLines(2, recipe);
    EXPECT_FALSE(recipe.Metric);
}

TEST_F(RecipeDBTest, LoadKeywordsSplitsTheCategoryText) {
    auto keywordsOf = [this](const std::string& text) {
        Box("DELETE FROM Recipes; INSERT INTO Recipes(RecipeID, AllCategoriesText) VALUES(1, '" +
            text + "');");
        Texts names{"stale"};
        int count = box.LoadKeywords(1, names);
        EXPECT_EQ(count, static_cast<int>(names.size()));
        return names;
    };
    EXPECT_EQ(keywordsOf("|a|b|c"), (Texts{"a", "b", "c"}));
    EXPECT_EQ(keywordsOf("|a|b|c|"), (Texts{"a", "b", "c"}));
    EXPECT_EQ(keywordsOf("a||b|  "), (Texts{"a", "b"}));
    EXPECT_EQ(keywordsOf(""), Texts{});

    // At most 50 names; the rest is dropped rather than run together.
    std::string many;
    for (int i = 1; i <= 55; ++i) many += Format("|k%d", i);
    Texts names = keywordsOf(many);
    ASSERT_EQ(names.size(), 50u);
    EXPECT_EQ(names.back(), "k50");
}

TEST_F(RecipeDBTest, FillResultsAndIcons) {
    Box(RecipeRow(5, "Apple Pie", 2, 1, 4.4) + RecipeRow(9, "Bread") +
        RecipeRow(11, "Chili", 1, 0, 2.6));
    VectorRowSink list;
    list.AddRow({"left from the last query", 0, {}, 1});
    ASSERT_EQ(box.FillResults("Select Title, Marked, Color, TasteRating, RecipeID from Recipes "
                              "order by Title",
                              4, list),
              3);
    EXPECT_EQ(list.Texts(), (Texts{"Apple Pie", "Bread", "Chili"}));
    EXPECT_EQ(list.rows[0].icon, 9);
    EXPECT_EQ(list.rows[2].icon, 1);
    EXPECT_EQ(list.rows[0].columns, Texts{"4"});
    EXPECT_EQ(list.rows[1].columns, Texts{"0"});
    EXPECT_EQ(list.rows[2].data, 11);
    EXPECT_EQ(box.RecipeIcon(5), 9);
    EXPECT_EQ(box.RecipeIcon(4), -1);

    EXPECT_EQ(box.FillResults("Select * from Recipes where Title like 'zzz%'", 0, list), 0);
    EXPECT_TRUE(list.rows.empty());
    list.AddRow({"kept", 0, {}, 1});
    EXPECT_EQ(box.FillResults("Select RecipeID from NoSuchTable", 0, list), -1);
    EXPECT_EQ(list.Texts(), Texts{"kept"});
}

TEST_F(RecipeDBTest, DeleteRemovesEveryRowButThePictureAndIsAllOrNothing) {
    Box(RecipeRow(1, "Doomed") + RecipeRow(2, "Kept") + LineRow(1, 1, 1) + LineRow(2, 1, 2) +
        LineRow(3, 2, 1) +
        "INSERT INTO IngredientLinesNutrients VALUES(1, 1, 9, 5), (3, 3, 9, 7);");
    Exec(root.supportPath,
         "INSERT INTO RecipeList(RecipeListID, RecipeID, CookbookFile) VALUES"
         "(1, 1, 'box.crb'), (2, 1, '/elsewhere/other.crb'), (3, 2, 'box.crb');");
    std::filesystem::create_directories(box.PicturesFolder());
    const std::string picture = box.PicturesFolder() + "/doomed.jpg";
    std::ofstream(picture) << "jpeg";

    EXPECT_EQ(box.DeleteRecipe(1, &support), 1);
    EXPECT_EQ(box.QueryText("Select group_concat(RecipeID) from Recipes"), "2");
    EXPECT_EQ(box.QueryText("Select group_concat(IngredientLinesID) from IngredientLines"), "3");
    EXPECT_EQ(box.QueryText("Select group_concat(IngredientLinesID) from IngredientLinesNutrients"),
              "3");
    EXPECT_EQ(support.QueryText("Select group_concat(RecipeListID) from RecipeList"), "3");
    EXPECT_TRUE(std::filesystem::exists(picture));

    // Without the link table the delete cannot finish: the recipe stays whole.
    Box("DROP TABLE IngredientLinesNutrients;");
    box.Connect();
    EXPECT_EQ(box.DeleteRecipe(2, &support), -1);
    EXPECT_EQ(box.QueryNumber("Select count(*) from Recipes"), 1);
    EXPECT_EQ(box.QueryNumber("Select count(*) from IngredientLines"), 1);
    EXPECT_EQ(box.TransactionDepth(), 0);
}

TEST_F(RecipeDBTest, SetMarkedOnAnotherBoxReturnsToTheOpenBox) {
    const std::string other = root.PathOf("other.crb");
    ASSERT_TRUE(root.CreateDatabase(other, "recipebox.sql")) << root.Error();
    Box(RecipeRow(1, "Mine"));
    Exec(other, RecipeRow(1, "Theirs"));
    Texts opened;
    box.openBox = [&](const std::string& path) {
        opened.push_back(path);
        return box.Open(path);
    };

    EXPECT_EQ(box.SetMarked(true, 1, other), 1);
    EXPECT_EQ(opened, (Texts{other, root.boxPath}));
    EXPECT_TRUE(box.Connected());
    EXPECT_EQ(box.RecipeIcon(1), 0);  // this box's recipe 1 is untouched
    EXPECT_EQ(box.SetMarked(true, 1, root.boxPath), 1);
    EXPECT_EQ(box.RecipeIcon(1), 7);

    // A box that cannot be opened: nothing is marked, and this box stays open.
    box.openBox = nullptr;
    EXPECT_EQ(box.SetMarked(false, 1, root.PathOf("gone.crb")), -1);
    EXPECT_EQ(box.CookbookPath, root.boxPath);
    EXPECT_EQ(box.RecipeIcon(1), 7);

    RecipeDB check;
    ASSERT_TRUE(check.Open(other));
    EXPECT_EQ(check.RecipeIcon(1), 7);
}

TEST_F(RecipeDBTest, UpdatesQuoteTheirTexts) {
    Box(RecipeRow(1, "Soup") + RecipeRow(2, "Stew") + LineRow(1, 1, 1) +
        "INSERT INTO IngredientLinesNutrients VALUES(1, 1, 200, 240);");
    Recipe recipe;
    recipe.RecipeID = 1;
    EXPECT_EQ(box.SetScale(recipe, 1.5), 1);
    EXPECT_DOUBLE_EQ(box.QueryDouble("Select ScaleMultiple from Recipes where RecipeID = 1"), 1.5);

    EXPECT_EQ(box.UpdateIngredientLine(1, "2 1/4", "T", "cook's stock", true, 2.25, "'n hot"), 1);
    EXPECT_EQ(box.UnlinkLine(1), 1);
    ASSERT_EQ(box.LoadIngredientLines(1, recipe), 1);
    EXPECT_EQ(recipe.Lines[0].Name, "cook's stock");
    EXPECT_EQ(recipe.Lines[0].PrepNotes, "'n hot");
    EXPECT_TRUE(recipe.Lines[0].bHeading);
    EXPECT_DOUBLE_EQ(recipe.Lines[0].DblQty, 2.25);
    EXPECT_EQ(recipe.Lines[0].NutrientID, 0);

    EXPECT_EQ(box.SetFieldOfSelected("Cuisine", "Cajun 'n Creole", {2}), 1);
    EXPECT_EQ(box.SetFieldOfSelected("Cuisine = 'x', Title", "y", {1}), -1);
    Texts values;
    EXPECT_EQ(box.DistinctValues("Cuisine", values), 2);
    EXPECT_EQ(values, (Texts{"", "Cajun 'n Creole"}));
    EXPECT_EQ(box.CountRecipes(), 2);
}

// The count is kept between calls; every way the box can change under it
// must show in the next count.
TEST_F(RecipeDBTest, RecipeCountFollowsEveryChangeOfTheBox) {
    EXPECT_EQ(box.CountRecipes(), 0);
    ASSERT_EQ(box.RunSQL(RecipeRow(1, "Soup")), 1);
    EXPECT_EQ(box.CountRecipes(), 1);

    // A commit of another connection (another program, or this one's
    // other windows).
    Box(RecipeRow(2, "Stew"));
    EXPECT_EQ(box.CountRecipes(), 2);

    // A count taken inside a transaction that is then rolled back.
    ASSERT_TRUE(box.BeginTransaction());
    ASSERT_EQ(box.RunSQL(RecipeRow(3, "Pie")), 1);
    EXPECT_EQ(box.CountRecipes(), 3);
    box.RollbackTransaction();
    EXPECT_EQ(box.CountRecipes(), 2);

    // Another box opened through the same store.
    const std::string other = root.PathOf("other.crb");
    ASSERT_TRUE(root.CreateDatabase(other, "recipebox.sql")) << root.Error();
    ASSERT_TRUE(box.Open(other)) << box.ErrorReport();
    EXPECT_EQ(box.CountRecipes(), 0);
    ASSERT_TRUE(box.Open(root.boxPath)) << box.ErrorReport();
    EXPECT_EQ(box.CountRecipes(), 2);
}

}  // namespace
}  // namespace pantrio
