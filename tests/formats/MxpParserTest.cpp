// The MasterCook MXP reader on its own: lines in, Recipe records and messages out.
#include <gtest/gtest.h>

#include "formats/MxpImport.h"

namespace pantrio {
namespace {

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

TEST(MxpParserTest, RecipesWithoutSectionsAndOddBanners) {
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
