// Scaling to another number of servings and converting between US customary
// and metric units, against a real box.
#include <gtest/gtest.h>

#include "core/RecipeScaling.h"
#include "recipe/Recipe.h"
#include "recipe/Scaling.h"
#include "storage/RecipeDB.h"
#include "support/BoxFixture.h"
#include "support/FakePrompter.h"

namespace pantrio {
namespace {

struct LineSpec {
    double qty;
    const char* measure;
    const char* name;
};

class ScalingTest : public test::BoxFixture {
protected:
    // Stores a recipe with these lines and loads it as the current recipe.
    void Store(std::initializer_list<LineSpec> lines, double yield = 4) {
        Recipe r;
        r.Clear();
        r.Title = "Test " + std::to_string(++count);
        r.YieldNumber = yield;
        r.YieldUnit = "Servings";
        for (const auto& l : lines) r.AddLine(false, "", l.measure, l.name, "", l.qty);
        ASSERT_EQ(box.SaveAsNew(r), 0);
        current = Recipe();
        ASSERT_EQ(box.LoadRecipe(r.RecipeID, current), 1);
        box.LoadIngredientLines(r.RecipeID, current);
        current.RecipeID = r.RecipeID;
    }

    Recipe current;
    test::FakePrompter prompter;
    int count = 0;
};

TEST_F(ScalingTest, ScalingStoresTheRatioToTheYield) {
    Store({{1, "cup", "milk"}});
    prompter.texts.push_back("6");
    ASSERT_TRUE(ChangeServingSize(current, box, prompter));
    EXPECT_DOUBLE_EQ(current.ScaleMultiple, 1.5);
    EXPECT_DOUBLE_EQ(box.QueryDouble("Select ScaleMultiple from Recipes where RecipeID = " +
                                     std::to_string(current.RecipeID)),
                     1.5);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Scale this recipe");
    EXPECT_NE(prompter.shown[0].text.find("This recipe normally makes 4 Servings"),
              std::string::npos);
}

TEST_F(ScalingTest, CancelAndUnusableAnswersChangeNothing) {
    Store({{1, "cup", "milk"}});
    ASSERT_FALSE(ChangeServingSize(current, box, prompter));  // cancelled
    prompter.texts.push_back("lots");
    ASSERT_FALSE(ChangeServingSize(current, box, prompter));
    EXPECT_DOUBLE_EQ(current.ScaleMultiple, 1);
    EXPECT_EQ(prompter.Messages().size(), 1u);
}

TEST_F(ScalingTest, ARecipeWithoutAYieldIsRefusedWithAMessage) {
    Store({{1, "cup", "milk"}}, 0);
    prompter.texts.push_back("6");
    EXPECT_FALSE(ChangeServingSize(current, box, prompter));
    EXPECT_EQ(prompter.Messages().size(), 1u);
    EXPECT_EQ(prompter.texts.size(), 1u);  // the question was never asked
    EXPECT_DOUBLE_EQ(current.ScaleMultiple, 1);
}

TEST_F(ScalingTest, ConvertsToMetricAndBack) {
    Store({{2, "c", "milk"},
           {8, "oz", "cheese"},
           {3, "tsp", "salt"},
           {2, "tablespoons", "oil"},
           {1, "pint", "cream"},
           {1, "quart", "stock"},
           {3, "cloves", "garlic"}});
    ASSERT_FALSE(current.Metric);
    EXPECT_EQ(ConvertUnits(current, box), 5);
    ASSERT_EQ(current.LineCount(), 7);
    auto expect = [&](int i, const char* qty, const char* unit) {
        EXPECT_EQ(current.Lines[i].TextQty, qty) << i;
        EXPECT_EQ(current.Lines[i].Measure, unit) << i;
    };
    expect(0, "0.5", "l");
    expect(1, "226.8", "g");
    expect(2, "14.8", "cc");
    expect(3, "29.6", "cc");
    expect(4, "0.5", "l");
    expect(5, "1", "quart");
    expect(6, "3", "cloves");
    EXPECT_TRUE(current.Metric);

    // Back again, through the two-decimal stored quantities: 0.47 l is 2 cups,
    // and 14.79 ml is at least 13, so it comes back as a tablespoon.
    EXPECT_EQ(ConvertUnits(current, box), 5);
    EXPECT_FALSE(current.Metric);
    expect(0, "2", "c");
    expect(1, "8", "oz");
    expect(2, "1", "tb");
    expect(3, "2", "tb");
}

TEST_F(ScalingTest, ConvertsMetricRecipesToEnglish) {
    Store({{0.5, "l", "milk"}, {250, "g", "flour"}, {5, "ml", "vanilla"}, {15, "ml", "oil"}});
    ASSERT_TRUE(current.Metric);
    EXPECT_EQ(ConvertUnits(current, box), 4);
    EXPECT_EQ(current.Lines[0].TextQty, "2 1/9");
    EXPECT_EQ(current.Lines[0].Measure, "c");
    EXPECT_EQ(current.Lines[1].TextQty, "8 5/6");
    EXPECT_EQ(current.Lines[1].Measure, "oz");
    EXPECT_EQ(current.Lines[2].TextQty, "1");
    EXPECT_EQ(current.Lines[2].Measure, "ts");
    EXPECT_EQ(current.Lines[3].TextQty, "1");
    EXPECT_EQ(current.Lines[3].Measure, "tb");
}

TEST(UnitConversion, NeverMixesVolumesAndMasses) {
    double out = -1;
    EXPECT_FALSE(ConvertValue(1, "cu", "g", out));
    EXPECT_DOUBLE_EQ(out, -1);
    ASSERT_TRUE(ConvertValue(1, "lb", "oz", out));
    EXPECT_DOUBLE_EQ(out, 16);
}

}  // namespace
}  // namespace pantrio
