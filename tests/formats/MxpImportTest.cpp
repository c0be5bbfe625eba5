// MasterCook MXP import: the reader on its own, and imports into a real box.
#include <gtest/gtest.h>

#include "formats/ImportProgress.h"
#include "formats/MxpImport.h"
#include "storage/RecipeDB.h"
#include "support/TestDatabases.h"

namespace pantrio {
namespace {

const std::string kTwoRecipes = std::string(PANTRIO_TEST_DATA_DIR) + "/mxp/two_recipes.mxp";

class MxpImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.Ok()) << root.Error();
        db.CookbookPath = root.boxPath;
        db.BuildConnectString();
        ASSERT_TRUE(db.Connect()) << db.ErrorReport();
    }
    long Count(const std::string& table) { return db.QueryNumber("Select Count(*) from " + table); }

    test::TempDataRoot root;
    RecipeDB db;
    RecordingProgress window;
};

std::vector<Recipe> Parse(const std::vector<std::string>& lines,
                          std::vector<std::string>* messages = nullptr) {
    MxpParser parser;
    std::vector<Recipe> recipes;
    parser.onRecipe = [&](Recipe& r) { recipes.push_back(r); };
    parser.onMessage = [&](const std::string& m, bool) {
        if (messages) messages->push_back(m);
    };
    long n = 0;
    for (const auto& line : lines) parser.Feed(line, ++n);
    parser.Finish(false, n);
    return recipes;
}

TEST_F(MxpImportTest, ReadsFixedColumnsAndStoresBothRecipes) {
    EXPECT_EQ(ImportMasterCook(kTwoRecipes, db, window).stored, 2);
    EXPECT_EQ(window.statuses, (std::vector<std::string>{"Chocolate Cake", "Plain Toast"}));
    EXPECT_EQ(Count("Recipes"), 2);
    EXPECT_EQ(Count("IngredientLines"), 4);

    Recipe cake;
    ASSERT_EQ(db.LoadRecipe(1, cake), 1);
    db.LoadIngredientLines(1, cake);
    EXPECT_EQ(cake.Title, "Chocolate Cake");
    EXPECT_EQ(cake.Source, "Grandma");
    EXPECT_DOUBLE_EQ(cake.YieldNumber, 8);
    EXPECT_EQ(cake.YieldUnit, "Servings");
    EXPECT_EQ(cake.YieldText, "8 Servings");
    EXPECT_EQ(db.QueryText("Select AllCategoriesText from Recipes where RecipeID = 1"),
              "|Desserts|Cakes|Chocolate");
    ASSERT_EQ(cake.LineCount(), 3);
    EXPECT_EQ(cake.Lines[0].TextQty, "1/2");
    EXPECT_DOUBLE_EQ(cake.Lines[0].DblQty, 0.5);
    EXPECT_EQ(cake.Lines[0].Measure, "teaspoon");
    EXPECT_EQ(cake.Lines[0].Name, "salt");
    EXPECT_EQ(cake.Lines[0].PrepNotes, "to taste");
    EXPECT_EQ(cake.Lines[1].TextQty, "1 1/2");
    EXPECT_EQ(cake.Lines[1].PrepNotes, "sifted");
    EXPECT_EQ(cake.Lines[2].Measure, "");
    // Line breaks between lines, the paragraph kept, a break for the rule.
    EXPECT_EQ(
        cake.Instructions,
        "Mix everything.\r\nBake for an hour.\r\n\r\nLet it cool.\r\n\r\nNOTES : Keeps a week.");
}

TEST_F(MxpImportTest, RecipesWithoutSectionsAndOddBanners) {
    // A recipe without an ingredient table is followed straight by the next
    // banner; the next recipe has no "Recipe By" line; a TAB lines up columns.
    std::vector<std::string> messages;
    const auto recipes = Parse({"* Exported from MasterCook *",
                                "",
                                "   Bare",
                                "",
                                "Recipe By     : Sam",
                                "Serving Size  : 2",
                                "",
                                "    - - - - - - - - - - -",
                                "",
                                "----- Exported by Another [Master Cook Export Format] -----",
                                "",
                                "Second",
                                "Serving Size  : 4",
                                "Categories    : Soups",
                                "",
                                "",
                                "  Amount  Measure       Ingredient -- Preparation Method",
                                "--------  ------------  --------------------------------",
                                "   1\t    tsp.\tbaking soda",
                                "",
                                "Stir.",
                                "* Exported from MasterCook *",
                                ""},
                               &messages);
    ASSERT_EQ(recipes.size(), 2u);
    EXPECT_EQ(recipes[0].Title, "Bare");
    EXPECT_EQ(recipes[0].LineCount(), 0);
    EXPECT_EQ(recipes[1].Title, "Second");
    EXPECT_DOUBLE_EQ(recipes[1].YieldNumber, 4);
    EXPECT_EQ(recipes[1].CategoryNames, std::vector<std::string>{"Soups"});
    ASSERT_EQ(recipes[1].LineCount(), 1);
    EXPECT_EQ(recipes[1].Lines[0].Measure, "tsp.");
    EXPECT_EQ(recipes[1].Lines[0].Name, "baking soda");
    EXPECT_EQ(recipes[1].Instructions, "Stir.");
    EXPECT_EQ(messages, std::vector<std::string>{"No title in the recipe at line 22.  Not added."});

    messages.clear();
    EXPECT_TRUE(Parse({"just some text", "", "more"}, &messages).empty());
    EXPECT_EQ(messages, std::vector<std::string>{"No MasterCook recipes found in this file."});
}

}  // namespace
}  // namespace pantrio
