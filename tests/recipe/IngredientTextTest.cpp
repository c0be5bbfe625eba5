#include <gtest/gtest.h>

#include "recipe/IngredientText.h"
#include "recipe/Recipe.h"

namespace pantrio {
namespace {

struct Fields {
    std::string qty, measure, name, notes;
};

Fields Only(const std::string& text) {
    Recipe recipe;
    EXPECT_EQ(SplitIngredientText(recipe, text), 1) << text;
    if (recipe.Lines.empty()) return {};
    const IngredientLine& l = recipe.Lines[0];
    return {l.TextQty, l.Measure, l.Name, l.PrepNotes};
}

void ExpectFields(const std::string& text, const Fields& want) {
    const Fields got = Only(text);
    EXPECT_EQ(got.qty, want.qty) << text;
    EXPECT_EQ(got.measure, want.measure) << text;
    EXPECT_EQ(got.name, want.name) << text;
    EXPECT_EQ(got.notes, want.notes) << text;
}

TEST(IngredientTextTest, SplitsTheTypicalShapesOfALine) {
    ExpectFields("1/2 cup sugar, sifted", {"1/2", "cup", "sugar", "sifted"});
    ExpectFields("2 1/4 cups flour (unbleached)", {"2 1/4", "cups", "flour", "(unbleached)"});
    // A counted ingredient: the word after the number is its name.
    ExpectFields("3 eggs", {"3", "", "eggs", ""});
    ExpectFields("2 onions, diced", {"2", "", "onions", "diced"});
    ExpectFields("salt and pepper to taste", {"", "", "salt", "and pepper to taste"});
    ExpectFields("1 lb. ground beef; browned", {"1", "lb.", "ground beef", "browned"});
    // A decimal point between digits is part of the quantity; elsewhere not.
    ExpectFields("1.5 cups milk", {"1.5", "cups", "milk", ""});
    ExpectFields("2. Stir well", {"2", ".", "Stir well", ""});
    // A single line keeps its last character.
    ExpectFields("1 cup flour", {"1", "cup", "flour", ""});
}

TEST(IngredientTextTest, QuantityIsParsedAndCutToTenCharacters) {
    Recipe recipe;
    SplitIngredientText(recipe, "1 1/2 cups milk");
    ASSERT_EQ(recipe.LineCount(), 1);
    EXPECT_DOUBLE_EQ(recipe.Lines[0].DblQty, 1.5);
    EXPECT_EQ(recipe.Lines[0].LineOrder, 1);

    Recipe longQty;
    SplitIngredientText(longQty, "12345678901234 g salt");
    ASSERT_EQ(longQty.LineCount(), 1);
    EXPECT_EQ(longQty.Lines[0].TextQty, "1234567890");
    EXPECT_DOUBLE_EQ(longQty.Lines[0].DblQty, 1234567890.0);
}

TEST(IngredientTextTest, EveryLineEndAddsALine) {
    Recipe recipe;
    EXPECT_EQ(SplitIngredientText(recipe, "1 cup flour\r\r2 eggs\v3 tb butter\n4 oz cheese\r\n"),
              5);
    ASSERT_EQ(recipe.LineCount(), 5);
    EXPECT_EQ(recipe.Lines[0].Name, "flour");
    EXPECT_EQ(recipe.Lines[1].Name, "");  // the empty line between two CRs
    EXPECT_EQ(recipe.Lines[1].Measure, "");
    EXPECT_EQ(recipe.Lines[2].Name, "eggs");
    EXPECT_EQ(recipe.Lines[3].Name, "butter");
    EXPECT_EQ(recipe.Lines[4].TextQty, "4");  // CR LF is one line end
    EXPECT_EQ(recipe.Lines[4].Name, "cheese");
    EXPECT_EQ(recipe.Lines[4].LineOrder, 5);
    EXPECT_EQ(SplitIngredientText(recipe, ""), 0);
}

TEST(IngredientTextTest, KeepsTheFirstHundredLinesAndReportsTheRest) {
    std::string text;
    for (int i = 1; i <= 130; ++i) text += std::to_string(i) + " g item" + std::to_string(i) + "\r";
    Recipe recipe;
    recipe.AddLine(false, "", "c", "existing", "", 1);
    int dropped = -1;
    EXPECT_EQ(SplitIngredientText(recipe, text, &dropped), 99);
    EXPECT_EQ(dropped, 31);
    ASSERT_EQ(recipe.LineCount(), Recipe::kMaxLines);
    EXPECT_EQ(recipe.Lines[0].Name, "existing");
    EXPECT_EQ(recipe.Lines[99].Name, "item99");
}

TEST(IngredientTextTest, AppendToLastLineNotes) {
    Recipe recipe;
    EXPECT_EQ(AppendToLastLineNotes(recipe, "dropped"), 0);
    EXPECT_EQ(recipe.LineCount(), 0);

    SplitIngredientText(recipe, "1 c onions\r2 c carrots, peeled");
    EXPECT_EQ(AppendToLastLineNotes(recipe, "  and sliced  "), 1);
    EXPECT_EQ(recipe.Lines[1].PrepNotes, "peeled and sliced");
    AppendToLastLineNotes(recipe, "thin");
    EXPECT_EQ(recipe.Lines[1].PrepNotes, "peeled and sliced thin");
    EXPECT_EQ(recipe.Lines[0].PrepNotes, "");

    Recipe bare;
    SplitIngredientText(bare, "3 eggs");
    AppendToLastLineNotes(bare, "beaten");
    EXPECT_EQ(bare.Lines[0].PrepNotes, "beaten");  // no leading blank
}

}  // namespace
}  // namespace pantrio
