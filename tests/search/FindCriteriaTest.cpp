// The Find Recipes statements: their exact texts, and what they list when
// run against a real box.
#include <gtest/gtest.h>

#include "search/FindCriteria.h"
#include "search/SearchFixture.h"

namespace pantrio {
namespace {

const std::string kHead =
    "SELECT Recipes.RecipeID, Recipes.Title, Recipes.Marked, Recipes.Color, "
    "Recipes.TasteRating FROM Recipes WHERE ";
const std::string kOrder = "ORDER BY Recipes.Marked DESC, Recipes.Color, Recipes.Title";

TEST(FindRecipesQueryText, EmptyCriteriaKeepTheLoneTitleWildcard) {
    FindCriteria c;  // begins with "", no keywords, all ingredient slots "%"
    EXPECT_EQ(FindRecipesQuery(c), kHead + " (Recipes.Title LIKE '%')     " + kOrder);
}

TEST(FindRecipesQueryText, TitleContainsPie) {
    FindCriteria c;
    c.titleText = "pie";
    c.titleBeginsWith = false;
    EXPECT_EQ(FindRecipesQuery(c), kHead + " (Recipes.Title LIKE '%pie%')     " + kOrder);
}

TEST(FindRecipesQueryText, ZeroMinimumsBecomeTrueAndOthersKeepTheirValue) {
    FindCriteria c;
    c.minimumEffort = 3;
    const std::string sql = FindRecipesQuery(c);
    // The rating clause's leading AND goes with the title term that matches
    // any title.
    EXPECT_EQ(sql, kHead +
                       "  RecipeID IN (Select RecipeID From Recipes Where (true) AND (true) AND "
                       "(EffortRating >=3.000000) and (true))     " +
                       kOrder);
}

TEST(FindRecipesQueryText, KeywordsIngredientsAndApostrophes) {
    FindCriteria c;
    c.keywords = {"Grandma's", "Soups", "", "", ""};
    c.titleText = "O'Brien";
    c.mainIngredient = "Beef";
    c.cuisine = "Irish";
    c.ingredients = {"onion", "%", "%", "%", "%"};
    EXPECT_EQ(FindRecipesQuery(c),
              kHead +
                  "(AllCategoriesText like '%Grandma''s%') AND (AllCategoriesText like "
                  "'%Soups%') AND (Recipes.Title LIKE 'O''Brien%') AND (PrimaryIngredient = "
                  "'Beef') AND (Cuisine = 'Irish')AND RecipeID IN (Select RecipeID from "
                  "IngredientLines where Name like '%onion%')     " +
                  kOrder);
}

TEST(FindRecipesQueryText, FiveKeywordsHaveNoSpaceBeforeTheTitleTerm) {
    FindCriteria c;
    c.keywords = {"a", "b", "c", "d", "e"};
    c.titleText = "x";
    const std::string sql = FindRecipesQuery(c);
    EXPECT_NE(sql.find("(AllCategoriesText like '%e%')AND (Recipes.Title LIKE 'x%')"),
              std::string::npos)
        << sql;
}

TEST(ServiceFindQueryText, DropsUnusedTermsAndConstantTrues) {
    FindCriteria c;
    c.titleText = "pie";
    c.minimumTaste = 4;
    c.ingredients = {"apple", "%", "%", "%", "%"};
    EXPECT_EQ(ServiceFindQuery(c),
              kHead +
                  " (Recipes.Title LIKE 'pie%') AND RecipeID IN (Select RecipeID From Recipes "
                  "Where (TasteRating >=4.000000)   ) AND (Recipes.AllIngredientsText LIKE "
                  "'%apple%')     ");
}

TEST(ServiceFindQueryText, EmptyCriteriaRequireSomeIngredientText) {
    EXPECT_EQ(ServiceFindQuery(FindCriteria{}),
              kHead + "  (Recipes.AllIngredientsText LIKE '%%%')     ");
}

TEST(LeftoverWizard, EmptyEditsKeepTheirIngredientClauses) {
    const FindCriteria c = LeftoverWizardCriteria("chicken", "", "");
    EXPECT_TRUE(c.titleBeginsWith);
    EXPECT_EQ(FindRecipesQuery(c),
              kHead +
                  " (Recipes.Title LIKE '%')AND RecipeID IN (Select RecipeID from "
                  "IngredientLines where Name like '%chicken%') AND RecipeID IN (Select "
                  "RecipeID from IngredientLines where Name like '%%') AND RecipeID IN (Select "
                  "RecipeID from IngredientLines where Name like '%%') AND RecipeID IN (Select "
                  "RecipeID from IngredientLines where Name like '%%') AND RecipeID IN (Select "
                  "RecipeID from IngredientLines where Name like '%%') " +
                  kOrder);
}

class FindRecipesOnBox : public test::SearchFixture {
protected:
    void SetUp() override {
        SearchFixture::SetUp();
        AddRecipe(1, "Apple Pie", 0, 0, 4, "|Desserts|@Favorite");
        AddRecipe(2, "Mom's Pot Pie", 1, 0, 2, "|Main Dish|Grandma's Recipes");
        AddRecipe(3, "Beef Stew", 0, 255, 5, "|Main Dish|Stews");
        AddRecipe(4, "", 0, 0, 0, "");  // no title: never listed
        AddRecipe(5, "Pie Crust", 1, 255, 0, "|Desserts");
        AddLine(1, 1, "tart apples");
        AddLine(2, 2, "chicken breast");
        AddLine(3, 2, "frozen peas");
        AddLine(4, 3, "beef chuck");
        AddLine(5, 5, "flour");
    }
};

TEST_F(FindRecipesOnBox, NoCriteriaListsEveryTitledRecipeMarkedFirstThenColourThenTitle) {
    EXPECT_EQ(IdsOf(FindRecipesQuery(FindCriteria{})), (std::vector<long>{3, 5, 1, 2}));
}

TEST_F(FindRecipesOnBox, CombinedCriteriaSelectTheMatchingRecipes) {
    FindCriteria c;
    c.titleText = "pie";
    c.titleBeginsWith = false;
    EXPECT_EQ(IdsOf(FindRecipesQuery(c)), (std::vector<long>{5, 1, 2}));

    c.keywords[0] = "Grandma's Recipes";  // the apostrophe is searched, not a fault
    EXPECT_EQ(IdsOf(FindRecipesQuery(c)), (std::vector<long>{2}));

    FindCriteria rated;
    rated.minimumTaste = 3;
    EXPECT_EQ(IdsOf(FindRecipesQuery(rated)), (std::vector<long>{3, 1}));

    FindCriteria both;
    both.ingredients = {"chicken", "peas", "%", "%", "%"};
    EXPECT_EQ(IdsOf(FindRecipesQuery(both)), (std::vector<long>{2}));
    EXPECT_EQ(IdsOf(FindRecipesQuery(LeftoverWizardCriteria("apple", "", ""))),
              (std::vector<long>{1}));
}

TEST_F(FindRecipesOnBox, ServiceVariantRunsOnTheBox) {
    Box("UPDATE Recipes SET AllIngredientsText = 'flour, butter' WHERE RecipeID = 5;");
    FindCriteria c;
    c.ingredients = {"butter", "%", "%", "%", "%"};
    EXPECT_EQ(IdsOf(ServiceFindQuery(c)), (std::vector<long>{5}));
    c.minimumEffort = 2;
    c.keywords = {"a", "b", "c", "d", "e"};
    EXPECT_TRUE(IdsOf(ServiceFindQuery(c)).empty());
}

}  // namespace
}  // namespace pantrio
