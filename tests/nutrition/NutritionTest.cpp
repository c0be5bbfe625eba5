// Nutrition totals of stored recipes, the Nutrition tab's rows, the foods of
// the support database and the nutrition facts panel's figures.
#include <gtest/gtest.h>

#include "nutrition/FoodRecord.h"
#include "nutrition/NutrientTotals.h"
#include "nutrition/NutrientValues.h"
#include "nutrition/NutritionLog.h"
#include "nutrition/NutritionTable.h"
#include "render/NutritionFacts.h"
#include "render/RenderFixture.h"

namespace pantrio {
namespace {

using test::RenderFixture;

class NutritionTest : public RenderFixture {
protected:
    void StoreTwoLinkedLines() {
        Support(
            "INSERT INTO Nutrients(NutrientID, Shrt_Desc, Energ_Kcal, Protein, Water) "
            "VALUES(1, 'APPLE', 52, 0.3, 86), (2, 'SUGAR', 200, 0, 1);");
        Box("INSERT INTO Recipes(RecipeID, Title, YieldNumber) VALUES(3, 'Sauce', 4);");
        Box("INSERT INTO IngredientLines(IngredientLinesID, RecipeID, LineOrder, Name) "
            "VALUES(10, 3, 1, 'apple'), (11, 3, 2, 'sugar'), (12, 3, 3, 'water');");
        Box("INSERT INTO IngredientLinesNutrients(IngredientLinesNutrientsID, "
            "IngredientLinesID, NutrientID, BaseRecipeGramWeight) VALUES(1, 10, 1, 100), "
            "(2, 11, 2, 50);");
    }
};

TEST_F(NutritionTest, TotalsOfTwoLinkedLinesAndTheirTableRows) {
    StoreTwoLinkedLines();
    NutrientValues totals;
    totals.Water = 99;  // reset by the totals
    ASSERT_EQ(0, NutrientTotals(box, support, 3, totals));
    EXPECT_DOUBLE_EQ(totals.Energ_Kcal, 152);
    EXPECT_DOUBLE_EQ(totals.Grams, 150);
    EXPECT_DOUBLE_EQ(totals.Protein, 0.3);
    EXPECT_EQ(totals.Water, 0);  // not a summed nutrient

    const auto rows = NutritionTableRows(totals, 4);
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows.front().nutrient, "Vitamin E (mg)");
    const auto& calories = rows.back();
    EXPECT_EQ(calories.nutrient, "Calories (kcal)");
    EXPECT_EQ(calories.perRecipe, "152");
    EXPECT_EQ(calories.perServing, "38");
    EXPECT_EQ(calories.rda, "2000");
    EXPECT_EQ(calories.percentRda, "1.9");
    EXPECT_EQ(TotalGramsText(totals), "150.0");
    // A yield of 0 counts as one serving.
    EXPECT_EQ(NutritionTableRows(totals, 0).back().perServing, "152");
}

TEST_F(NutritionTest, LinksToMissingFoodsAddNothing) {
    StoreTwoLinkedLines();
    Support("DELETE FROM Nutrients WHERE NutrientID = 2");
    NutrientValues totals;
    ASSERT_EQ(0, NutrientTotals(box, support, 3, totals));
    EXPECT_DOUBLE_EQ(totals.Energ_Kcal, 52);
    EXPECT_DOUBLE_EQ(totals.Protein, 0.3);
    EXPECT_DOUBLE_EQ(totals.Grams, 150);
}

TEST_F(NutritionTest, RecipeWithoutLinksHasZeroTotalsAndTheHint) {
    Box("INSERT INTO Recipes(RecipeID, Title) VALUES(4, 'Plain');");
    NutrientValues totals;
    totals.Energ_Kcal = 5;
    ASSERT_EQ(0, NutrientTotals(box, support, 4, totals));
    EXPECT_EQ(totals.Energ_Kcal, 0);
    EXPECT_EQ(TotalGramsText(totals), "0.0");

    Recipe recipe;
    recipe.AddLine(true, "", "", "Sauce", "", 0);
    EXPECT_TRUE(NutritionLogFor(recipe).starts_with("Get the nutritional content"));
    recipe.AddLine(false, "", "cup", " milk ", "", 1, -1, 240, 0);
    recipe.AddLine(false, "", "", "egg", "", 1, -1, 50, 17);
    EXPECT_EQ(NutritionLogFor(recipe), "Warning: Missing nutrient info for 1 cup milk\r\n");
}

TEST_F(NutritionTest, FailedStatementLeavesTotalsReset) {
    box.Disconnect();
    NutrientValues totals;
    totals.Energ_Kcal = 9;
    EXPECT_EQ(-1, NutrientTotals(box, support, 3, totals));
    EXPECT_EQ(totals.Energ_Kcal, 0);
}

TEST_F(NutritionTest, ReadAndWriteAFood) {
    Support(
        "INSERT INTO Nutrients(NutrientID, NDB_NO, Shrt_Desc, Energ_Kcal, Caffeine, "
        "GmWt_1, GmWt_Desc1, Refuse_Pct) VALUES(100001, '0', 'MY TEA', 1, 20, 240, "
        "'1 cup', 3);");
    NutrientValues food;
    ASSERT_EQ(0, ReadFood(support, 100001, food));
    EXPECT_EQ(food.NutrientID, 100001);
    EXPECT_EQ(food.Shrt_Desc, "MY TEA");
    EXPECT_EQ(food.Caffeine, 20);
    EXPECT_EQ(food.GmWt_1, 240);
    EXPECT_EQ(food.GmWt_Desc1, "1 cup");
    EXPECT_EQ(food.GmWt_Desc2, "");  // NULL reads as empty
    EXPECT_EQ(food.Refuse_Pct, 3);

    food.Shrt_Desc = "Mom's tea";
    food.Energ_Kcal = 100.0 / 2.4;
    food.Vit_B12 = 0.5;
    ASSERT_EQ(0, WriteFood(support, 100001, food));
    NutrientValues back;
    ASSERT_EQ(0, ReadFood(support, 100001, back));
    EXPECT_EQ(back.Shrt_Desc, "Mom's tea");
    EXPECT_DOUBLE_EQ(back.Energ_Kcal, 100.0 / 2.4);
    EXPECT_EQ(back.Vit_B12, 0.5);
    EXPECT_EQ(back.Caffeine, 20);

    NutrientValues untouched;
    untouched.Shrt_Desc = "keep";
    EXPECT_EQ(-1, ReadFood(support, 5, untouched));
    EXPECT_EQ(untouched.Shrt_Desc, "keep");
    EXPECT_EQ(-1, WriteFood(support, 5, food));
}

TEST(NutrientValuesTest, ResetKeepsTheAmountsThatAreNotSummed) {
    NutrientValues values;
    values.Energ_Kcal = 1;
    values.Water = 2;
    values.Caffeine = 3;
    values.GmWt_Desc1 = "1 cup";
    values.GmWt_Desc2 = "1 can";
    values.Shrt_Desc = "x";
    values.Reset();
    EXPECT_EQ(values.Energ_Kcal, 0);
    EXPECT_EQ(values.Water, 0);
    EXPECT_EQ(values.Caffeine, 3);
    EXPECT_EQ(values.GmWt_Desc1, "1 wh");
    EXPECT_EQ(values.GmWt_Desc2, "");
    EXPECT_EQ(values.Shrt_Desc, "");
    EXPECT_EQ(values.Field("Nonsense"), nullptr);
    EXPECT_EQ(NutrientAmountColumns().size(), 33u);
}

const char* const kPanel =
    "@PX_SERVINGSIZE@|@PX_SPR@|@PX_CAL@|@CFF@|@TF@|@TFPCT@|@SF@|@SFPCT@|@CH@|@CHPCT@|@SO@|"
    "@SOPCT@|@TC@|@TCPCT@|@DF@|@DFPCT@|@SU@|@PR@|@PRPCT@|@VAPCT@|@VCPCT@|@CAPCT@|@IRPCT@";

TEST(NutritionFactsTest, FourServingsOf800Calories) {
    NutrientValues totals;
    totals.Energ_Kcal = 800;
    totals.FA_Sat = 20;
    totals.FA_Mono = 12;
    totals.FA_Poly = 8;
    totals.Cholestrl = 120;
    totals.Sodium = 4800;
    totals.Carbohydrt = 100;
    totals.Fiber_TD = 20;
    totals.Protein = 40;
    totals.Vit_A = 2000;
    totals.Vit_C = 90;
    totals.Calcium = 1800;
    totals.Iron = 8;
    EXPECT_EQ(FillNutritionFacts(kPanel, totals, "Servings", 4),
              "1 serving|4|200|90  (45% of tot cal)|10g|15|5g|25|30mg|10|1200mg|50|30g|10|5g|20|"
              "25g|10g|20|50|50|50|20");
}

TEST(NutritionFactsTest, YieldAndUnitEdgeCases) {
    NutrientValues totals;
    totals.Energ_Kcal = 300;
    // A yield of 0 is one serving: per serving equals per recipe.
    EXPECT_EQ(FillNutritionFacts("@PX_SPR@ @PX_CAL@", totals, "cups", 0), "1 300");
    EXPECT_EQ(FillNutritionFacts("@PX_SERVINGSIZE@", totals, "SERVINGS", 2), "1 serving");
    EXPECT_EQ(FillNutritionFacts("@PX_SERVINGSIZE@", totals, "Serving", 2), "1 Serving");
    EXPECT_EQ(FillNutritionFacts("@PX_SERVINGSIZE@", totals, "cups", 2), "1 cups");
    EXPECT_EQ(FillNutritionFacts("@PX_SERVINGSIZE@", totals, "<b>bowls</b><script>x</script>", 2),
              "1 <b>bowls</b>");
    // Nothing to take a share of: no percentage of calories.
    EXPECT_EQ(FillNutritionFacts("@CFF@", NutrientValues(), "cups", 2), "n/a");
    // The panel never carries the page's own placeholders.
    const std::string filled = FillNutritionFacts(kPanel, totals, "cups", 3);
    EXPECT_EQ(filled.find('@'), std::string::npos);
}

}  // namespace
}  // namespace pantrio
