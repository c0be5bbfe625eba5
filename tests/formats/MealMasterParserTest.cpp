// The MealMaster reader on its own: lines in, Recipe records and messages out.
#include <gtest/gtest.h>

#include <fstream>

#include "formats/LineReader.h"
#include "formats/MealMasterImport.h"
#include "formats/RecipeTextFields.h"
#include "support/TestDatabases.h"

namespace pantrio {
namespace {

struct Parsed {
    std::vector<Recipe> recipes;
    std::vector<std::string> messages;
    std::vector<std::string> dropped;
};

Parsed ParseLines(RecipeTextParser& parser, const std::vector<std::string>& lines) {
    Parsed out;
    parser.onRecipe = [&](Recipe& r) { out.recipes.push_back(r); };
    parser.onMessage = [&](const std::string& m, bool dropped) {
        out.messages.push_back(m);
        if (dropped) out.dropped.push_back(m);
    };
    long n = 0;
    for (const auto& line : lines) parser.Feed(line, ++n);
    parser.Finish(false, n);
    return out;
}

Parsed ParseFile(RecipeTextParser& parser, const std::string& path) {
    LineReader reader;
    EXPECT_TRUE(reader.Open(path)) << path;
    std::vector<std::string> lines;
    std::string line;
    while (reader.Next(line)) lines.push_back(line);
    return ParseLines(parser, lines);
}

std::string DataFile(const std::string& name) {
    return std::string(PANTRIO_TEST_DATA_DIR) + "/mealmaster/" + name;
}

TEST(MealMasterParserTest, ReadsHeaderFieldsIngredientsAndDirections) {
    MealMasterParser parser;
    const Parsed p = ParseFile(parser, DataFile("two_recipes.mmf"));
    ASSERT_EQ(p.recipes.size(), 2u);
    EXPECT_TRUE(p.messages.empty());

    const Recipe& pie = p.recipes[0];
    EXPECT_EQ(pie.Title, "Apple Pie Deluxe");
    EXPECT_EQ(pie.CategoryNames, (std::vector<std::string>{"Desserts", "Pies", "Fruit"}));
    EXPECT_EQ(pie.YieldText, "8 servings");
    EXPECT_DOUBLE_EQ(pie.YieldNumber, 8);
    EXPECT_EQ(pie.YieldUnit, "servings");
    EXPECT_EQ(pie.RecipeID, -1);

    ASSERT_EQ(pie.LineCount(), 5);  // the FILLING section line adds nothing
    EXPECT_EQ(pie.Lines[0].TextQty, "1 1/2");
    EXPECT_DOUBLE_EQ(pie.Lines[0].DblQty, 1.5);
    EXPECT_EQ(pie.Lines[0].Measure, "c");
    EXPECT_EQ(pie.Lines[0].Name, "Flour");
    EXPECT_EQ(pie.Lines[0].PrepNotes, "sifted chopped fine");  // with its continuation
    EXPECT_EQ(pie.Lines[1].Name, "Eggs");
    EXPECT_EQ(pie.Lines[1].PrepNotes, "beaten");
    EXPECT_EQ(pie.Lines[2].Name, "optional");  // only a parenthesised word
    EXPECT_EQ(pie.Lines[2].PrepNotes, "");
    EXPECT_EQ(pie.Lines[3].TextQty, "1-2");  // a range keeps its text
    EXPECT_DOUBLE_EQ(pie.Lines[3].DblQty, 1);
    EXPECT_EQ(pie.Lines[4].Name, "Apples");
    EXPECT_EQ(pie.Lines[4].PrepNotes, "peeled tart");

    EXPECT_EQ(pie.Cuisine, "Italian");
    EXPECT_EQ(pie.PrimaryIngredient, "Pasta");
    // Directions start after the last "]", keep their line breaks and their
    // paragraph break.
    EXPECT_EQ(pie.Instructions,
              "Mix the flour and the eggs.\r\n  Fill with apples.\r\n\r\n  Bake at 350 F.");

    const Recipe& soup = p.recipes[1];
    EXPECT_EQ(soup.Title, "Quick Soup");
    EXPECT_DOUBLE_EQ(soup.YieldNumber, 4);
    EXPECT_EQ(soup.YieldUnit, "");
    EXPECT_EQ(soup.LineCount(), 2);
    EXPECT_EQ(soup.Instructions, "Heat and serve.");
}

TEST(MealMasterParserTest, LongFormUnitsWhenAsked) {
    MealMasterParser parser;
    parser.longFormUnits = true;
    const Parsed p = ParseFile(parser, DataFile("two_recipes.mmf"));
    ASSERT_EQ(p.recipes.size(), 2u);
    EXPECT_EQ(p.recipes[0].Lines[0].Measure, "cups");
    EXPECT_EQ(p.recipes[1].Lines[1].Measure, "can");
}

TEST(MealMasterParserTest, DropsAndReportsRecipesItCannotStoreWhole) {
    MealMasterParser parser;
    Parsed p = ParseFile(parser, DataFile("missing_bracket.mmf"));
    ASSERT_EQ(p.recipes.size(), 1u);
    EXPECT_EQ(p.recipes[0].Title, "Good One");
    EXPECT_EQ(p.recipes[0].UniqueID, 4711);
    EXPECT_EQ(p.recipes[0].Instructions, "Pour it.");
    ASSERT_EQ(p.dropped.size(), 1u);
    EXPECT_EQ(p.dropped[0], "No \"]\" after [Note: in Broken Note (line 2).  Not added.");

    MealMasterParser truncated;
    p = ParseFile(truncated, DataFile("truncated.mmf"));
    ASSERT_EQ(p.recipes.size(), 1u);
    ASSERT_EQ(p.dropped.size(), 1u);
    EXPECT_EQ(p.dropped[0], "No end line: Cut Short (line 9).  Not added.");

    // A recipe cut off by the next header, and a header without a title.
    MealMasterParser unclosed;
    p = ParseFile(unclosed, DataFile("missing_end_before_next.mmf"));
    ASSERT_EQ(p.recipes.size(), 1u);
    EXPECT_EQ(p.recipes[0].Title, "Closed");
    EXPECT_EQ(p.recipes[0].LineCount(), 1);
    EXPECT_EQ(p.dropped, (std::vector<std::string>{
                             "No end line: Unclosed (line 2).  Not added.",
                             "No title in the recipe at line 7.  Not added.",
                         }));

    MealMasterParser none;
    p = ParseFile(none, DataFile("no_header.mmf"));
    EXPECT_TRUE(p.recipes.empty());
    EXPECT_EQ(p.messages, std::vector<std::string>{"No MealMaster recipes found in this file."});
}

std::vector<std::string> Header(const std::string& title) {
    return {"MMMMM----- Recipe via Meal-Master (tm) v8.05", "      Title: " + title,
            " Categories: Test", "      Yield: 1 serving"};
}

TEST(MealMasterParserTest, OversizedRecipesStayBounded) {
    // 150 ingredient lines: the first 100 are kept and the cut is reported.
    std::vector<std::string> lines = Header("Big");
    for (int i = 1; i <= 150; ++i) {
        lines.push_back("      1 c  Item " + std::to_string(i));
        lines.push_back("           -continued");
    }
    lines.push_back("MMMMM");
    MealMasterParser parser;
    Parsed p = ParseLines(parser, lines);
    ASSERT_EQ(p.recipes.size(), 1u);
    ASSERT_EQ(p.recipes[0].LineCount(), 100);
    EXPECT_EQ(p.recipes[0].Lines[99].Name, "Item 100");
    EXPECT_EQ(p.recipes[0].Lines[99].PrepNotes, "continued");
    EXPECT_EQ(p.messages, std::vector<std::string>{"More than 100 ingredient lines: Big (line 2).  "
                                                   "Only the first 100 were added."});
    EXPECT_TRUE(p.dropped.empty());

    // A categories line of 200 names adds the first five.
    std::string names = " Categories: ";
    for (int i = 0; i < 200; ++i) names += "Name" + std::to_string(i) + ", ";
    lines = Header("Many Names");
    lines[2] = names;
    lines.push_back("MMMMM");
    MealMasterParser many;
    p = ParseLines(many, lines);
    ASSERT_EQ(p.recipes.size(), 1u);
    EXPECT_EQ(p.recipes[0].CategoryNames.size(), 5u);
}

TEST(MealMasterParserTest, ToleratesPaddedBlankLinesAndMissingHeaderLines) {
    // Blank lines of spaces between the header lines, no categories line.
    const std::vector<std::string> lines = {"MMMMM----- Recipe via Meal-Master (tm) v8.05",
                                            " ",
                                            "      Title: spaced out",
                                            "  ",
                                            "      Yield: 3 dozen",
                                            " ",
                                            "      2 c  Sugar",
                                            "  Stir.",
                                            "MMMMM"};
    MealMasterParser parser;
    const Parsed p = ParseLines(parser, lines);
    ASSERT_EQ(p.recipes.size(), 1u);
    EXPECT_EQ(p.recipes[0].Title, "Spaced Out");
    EXPECT_TRUE(p.recipes[0].CategoryNames.empty());
    EXPECT_EQ(p.recipes[0].YieldUnit, "dozen");
    EXPECT_EQ(p.recipes[0].LineCount(), 1);
    EXPECT_EQ(p.recipes[0].Instructions, "Stir.");
}

TEST(MealMasterParserTest, SharedHelpers) {
    EXPECT_EQ(TitleCase("APPLE PIE deluxe"), "Apple Pie Deluxe");
    EXPECT_EQ(TitleCase("cr\xC3\xA8me BR\xC3\xBBL\xC3\xA9"
                        "E"),
              "Cr\xC3\xA8me Br\xC3\xBBl\xC3\xA9"
              "e");
    std::string name, notes;
    SplitNameAndNotes("salt -- to taste", name, notes);
    EXPECT_EQ(name, "salt");
    EXPECT_EQ(notes, "to taste");
    EXPECT_EQ(ColumnText("\xC3\xA9t\xC3\xA9 ab", 1, 3), "t\xC3\xA9");
    EXPECT_EQ(ColumnText("abc", 5), "");
    EXPECT_EQ(ColumnText("abc", 1), "bc");
}

}  // namespace
}  // namespace pantrio
