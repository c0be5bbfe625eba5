// The plain-text recipe, its label padding and its line wrapping.
#include <gtest/gtest.h>

#include "recipe/Recipe.h"
#include "render/AppLink.h"
#include "render/RenderRecipeText.h"
#include "render/TextLayout.h"

namespace pantrio {
namespace {

TEST(TextLayoutTest, PadLabel) {
    EXPECT_EQ(PadLabel("Yields: ", 20, true), std::string(13, ' ') + "Yields: ");
    EXPECT_EQ(PadLabel("Yields: ", 20, false), "Yields: " + std::string(13, ' '));
    EXPECT_EQ(PadLabel("A label longer than ten", 10, true), "A label longer than ten");
    EXPECT_EQ(PadLabel("ab", 1, true), "ab");
    EXPECT_EQ(PadLabel("x", 1001, true), "x");
    EXPECT_EQ(PadLabel("x", 1000, true), std::string(1000, ' ') + "x");
    EXPECT_EQ(PadLabel("Küche: ", 8, true), "  Küche: ");  // characters, not bytes
}

TEST(TextLayoutTest, WrapTextCountsCharactersAcrossLineBreaks) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += static_cast<char>('a' + i % 26);
    const std::string wrapped = WrapText(text, 60);
    std::vector<std::size_t> lengths;
    std::size_t start = 0;
    for (std::size_t at = wrapped.find('\n'); at != std::string::npos;
         at = wrapped.find('\n', start)) {
        lengths.push_back(at - start);
        start = at + 1;
    }
    lengths.push_back(wrapped.size() - start);
    EXPECT_EQ(lengths, (std::vector<std::size_t>{62, 61, 61, 16}));

    // An existing line break does not restart the count.
    EXPECT_EQ(WrapText("ab\ncdef", 2), "ab\nc\ndef\n");
    // A multi-byte character is never split.
    EXPECT_EQ(WrapText("ééé", 0), "éé\né\n");
    EXPECT_EQ(WrapText("short", 10000), "short");
}

TEST(RecipeTextTest, TitleYieldLinesAndWrappedInstructions) {
    Recipe recipe;
    recipe.Title = "Soup";
    recipe.YieldNumber = 3;
    recipe.YieldUnit = "bowls";
    recipe.ScaleMultiple = 1.5;
    recipe.Cuisine = "French";
    recipe.PrimaryIngredient = "Onions";
    recipe.AddLine(false, "", "cup", "stock", "hot", 2);
    recipe.AddLine(false, "", "", "salt", "", 0);
    recipe.Instructions = "Simmer everything slowly.";
    const std::string text = RenderRecipeText(recipe, 10);
    EXPECT_EQ(text, "Soup\n" + std::string(13, ' ') + "Yields: 4 1/2 bowls" + std::string(12, ' ') +
                        "Cuisine: French\n" + std::string(4, ' ') +
                        "Main Ingredient: Onions\n\n3 cup stock\n  salt\n\nSimmer every\nthing "
                        "slowl\ny.");
}

TEST(AppLinkTest, EncodesAndDecodesValues) {
    EXPECT_EQ(PercentEncode("Main Dish"), "Main%20Dish");
    EXPECT_EQ(PercentEncode("a/b c", true), "a/b%20c");
    EXPECT_EQ(PercentDecode("Mom%27s%20%28best%29"), "Mom's (best)");
    EXPECT_EQ(PercentDecode("100%"), "100%");
    EXPECT_EQ(FileUrl("/home/o'neil/star 1.gif"), "file:///home/o%27neil/star%201.gif");
    for (const std::string value : {"Main Dish", "Mom's (best)", "Crème brûlée", "50% off", ""}) {
        const auto link = DecodeAppLink("app:FindKeyword(" + PercentEncode(value) + ")");
        ASSERT_TRUE(link) << value;
        EXPECT_EQ(link->command, "FindKeyword");
        EXPECT_EQ(link->value, value);
    }
    // Links written before values were encoded, as the browser hands them on.
    const auto old = DecodeAppLink("APP:findcuisine(Main%20Dish)");
    ASSERT_TRUE(old);
    EXPECT_EQ(old->command, "findcuisine");
    EXPECT_EQ(old->value, "Main Dish");
    EXPECT_EQ(DecodeAppLink("app:FindRecipe(12")->value, "12");
    EXPECT_FALSE(DecodeAppLink("http://example/(x)"));
    EXPECT_FALSE(DecodeAppLink("app:nothing"));
}

}  // namespace
}  // namespace pantrio
