// The recipe record in memory: construction, Clear, lines, keyword names and
// the tilde markers.
#include <gtest/gtest.h>

#include "recipe/Recipe.h"

namespace pantrio {

namespace {

Recipe LoadedRecipe() {
    Recipe r;
    r.Title = "Pie";
    r.RecipeID = 12;
    r.Instructions = "Bake.";
    r.YieldText = "8 slices";
    r.YieldNumber = 8;
    r.YieldUnit = "slices";
    r.TasteRating = 4;
    r.AppearanceRating = 3;
    r.EffortRating = 2;
    r.AffordableRating = 1;
    r.PrimaryIngredient = "Apples";
    r.Cuisine = "American";
    r.PictureFile1 = "pie.jpg";
    r.Source = "Grandma";
    r.NutritionLog = "missing: apples";
    r.SubHead = "Lattice top";
    r.Notes = "Serve warm";
    r.ScaleMultiple = 2;
    r.ActiveMinutes = 30;
    r.TotalMinutes = 90;
    r.UniqueID = 77;
    r.CookbookFile = "/boxes/a.crb";
    r.AllIngredientsText = "apples flour";
    r.AllCategoriesText = "|Dessert";
    r.LastViewed = DateTime::FromDate(2020, 5, 6);
    r.AddLine(false, "", "c", "flour", "", 2);
    r.AddCategoryName("Dessert");
    return r;
}

}  // namespace

TEST(Recipe, ConstructsEmptyAndStampedWithNow) {
    Recipe r;
    EXPECT_EQ(r.RecipeID, 0);
    EXPECT_EQ(r.YieldNumber, 0);
    EXPECT_EQ(r.YieldText, "");
    EXPECT_EQ(r.ScaleMultiple, 0);
    EXPECT_EQ(r.LineCount(), 0);
    EXPECT_FALSE(r.LastViewed.null);
    EXPECT_GT(r.LastViewed.year, 2000);
}

TEST(Recipe, ClearResetsTheRecipeAndKeepsWhatCallersSetThemselves) {
    Recipe r = LoadedRecipe();
    r.Clear();
    EXPECT_EQ(r.Title, "");
    EXPECT_EQ(r.RecipeID, -1);
    EXPECT_EQ(r.LineCount(), 0);
    EXPECT_TRUE(r.CategoryNames.empty());
    EXPECT_EQ(r.Instructions, "");
    EXPECT_EQ(r.YieldText, "1 Serving");
    EXPECT_EQ(r.YieldUnit, "Serving");
    EXPECT_EQ(r.YieldNumber, 1.0);
    EXPECT_EQ(r.TasteRating, 0);
    EXPECT_EQ(r.AppearanceRating, 0);
    EXPECT_EQ(r.EffortRating, 0);
    EXPECT_EQ(r.AffordableRating, 0);
    EXPECT_EQ(r.PrimaryIngredient, "");
    EXPECT_EQ(r.Cuisine, "");
    EXPECT_EQ(r.PictureFile1, "");
    EXPECT_EQ(r.Source, "");
    EXPECT_EQ(r.NutritionLog, "");
    // Kept:
    EXPECT_EQ(r.SubHead, "Lattice top");
    EXPECT_EQ(r.Notes, "Serve warm");
    EXPECT_EQ(r.ScaleMultiple, 2);
    EXPECT_EQ(r.ActiveMinutes, 30);
    EXPECT_EQ(r.TotalMinutes, 90);
    EXPECT_EQ(r.UniqueID, 77);
    EXPECT_EQ(r.CookbookFile, "/boxes/a.crb");
    EXPECT_EQ(r.AllIngredientsText, "apples flour");
    EXPECT_EQ(r.AllCategoriesText, "|Dessert");
    EXPECT_EQ(r.LastViewed, DateTime::FromDate(2020, 5, 6));
}

TEST(RecipeAddLine, RecomputesTheQuantityTextFromTheNumber) {
    Recipe r;
    EXPECT_EQ(r.AddLine(false, "7 cups", "cup", "milk", "warm", 1.5, 5, 244, 1077), 1);
    EXPECT_EQ(r.AddLine(true, "3", "", "For the crust", "", 0), 2);
    EXPECT_EQ(r.AddLine(false, "", "", "salt", "", 0.333333), 3);
    const IngredientLine& milk = r.Lines[0];
    EXPECT_EQ(milk.TextQty, "1 1/2");
    EXPECT_EQ(milk.Measure, "cup");
    EXPECT_EQ(milk.Name, "milk");
    EXPECT_EQ(milk.PrepNotes, "warm");
    EXPECT_FALSE(milk.bHeading);
    EXPECT_EQ(milk.DblQty, 1.5);
    EXPECT_EQ(milk.IngredientLinesID, 5);
    EXPECT_EQ(milk.BaseRecipeGramWeight, 244);
    EXPECT_EQ(milk.NutrientID, 1077);
    EXPECT_EQ(r.Lines[1].TextQty, "");
    EXPECT_TRUE(r.Lines[1].bHeading);
    EXPECT_EQ(r.Lines[2].TextQty, "1/3");
    for (int i = 0; i < r.LineCount(); ++i) EXPECT_EQ(r.Lines[i].LineOrder, i + 1);
}

TEST(RecipeAddLine, ExpandsUnitsOnlyWhenLongFormIsOn) {
    Recipe r;
    r.AddLine(false, "", "T", "oil", "", 1);
    r.LongFormUnits = true;
    r.AddLine(false, "", "T", "oil", "", 1);
    r.AddLine(false, "", "c", "flour", "", 2);
    r.AddLine(false, "", "handful", "nuts", "", 2);
    EXPECT_EQ(r.Lines[0].Measure, "T");
    EXPECT_EQ(r.Lines[1].Measure, "tablespoon");
    EXPECT_EQ(r.Lines[2].Measure, "cups");
    EXPECT_EQ(r.Lines[3].Measure, "handful");
}

TEST(RecipeAddLine, RefusesTheHundredAndFirstLineWithoutTouchingEarlierOnes) {
    Recipe r;
    for (int i = 1; i <= Recipe::kMaxLines; ++i)
        ASSERT_EQ(r.AddLine(false, "", "", "item " + std::to_string(i), "", i), i);
    EXPECT_EQ(r.AddLine(false, "", "", "one too many", "", 1), Recipe::kMaxLines);
    EXPECT_EQ(r.AddLine(false, "", "", "two too many", "", 1), Recipe::kMaxLines);
    EXPECT_EQ(r.LineCount(), Recipe::kMaxLines);
    EXPECT_EQ(r.LinesDropped(), 2);
    EXPECT_EQ(r.Lines.front().Name, "item 1");
    EXPECT_EQ(r.Lines.back().Name, "item 100");
    r.Clear();
    EXPECT_EQ(r.LinesDropped(), 0);
    EXPECT_EQ(r.AddLine(false, "", "", "again", "", 1), 1);
}

TEST(RecipeCategories, AddsTrimmedNamesOnce) {
    Recipe r;
    EXPECT_EQ(r.AddCategoryName("  Dessert "), 1);
    EXPECT_EQ(r.CategoryNames[0], "Dessert");
    EXPECT_EQ(r.AddCategoryName("Dessert"), 0);
    EXPECT_EQ(r.AddCategoryName(" dESSERT"), 0);
    EXPECT_EQ(r.AddCategoryName("   "), 0);
    EXPECT_EQ(r.AddCategoryName("@Favorite"), 2);
    EXPECT_EQ(r.CategoryText(), "|Dessert|@Favorite");
    EXPECT_EQ(Recipe().CategoryText(), "");
}

TEST(RecipeCategories, DropsTheFiftyFirstNameSilently) {
    Recipe r;
    for (int i = 1; i <= Recipe::kMaxCategoryNames; ++i)
        ASSERT_EQ(r.AddCategoryName("k" + std::to_string(i)), i);
    EXPECT_EQ(r.AddCategoryName("extra"), Recipe::kMaxCategoryNames);
    EXPECT_EQ(r.CategoryNames.size(), static_cast<std::size_t>(Recipe::kMaxCategoryNames));
    EXPECT_EQ(r.CategoryNames.back(), "k50");
}

TEST(TildeMarkers, EscapeAndUnescape) {
    EXPECT_EQ(EscapeMarkers("Mom's \"best\" <pie> @home"),
              "Mom~quotes ~doublequotebest~doublequote ~~ltpie> ~~at;home");
    EXPECT_EQ(UnescapeMarkers("a~~ltb"), "a<b");
    EXPECT_EQ(UnescapeMarkers("~~at;"), "@");
    EXPECT_EQ(UnescapeMarkers("Mom''s"), "Mom's");
    EXPECT_EQ(UnescapeMarkers(""), "");
    const std::string text = "It's \"<b>\" at 5@ & more";
    EXPECT_EQ(UnescapeMarkers(EscapeMarkers(text)), text);
}

TEST(WholeNumberText, RoundsToNoDecimals) {
    EXPECT_EQ(WholeNumberText(3.6), "4");
    EXPECT_EQ(WholeNumberText(2), "2");
    EXPECT_EQ(WholeNumberText(0), "0");
}

}  // namespace pantrio
