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
    // The open recipe is closed at the next header and stored as read.
    ASSERT_EQ(p.recipes.size(), 2u);
    EXPECT_EQ(p.recipes[0].Title, "Unclosed");
    EXPECT_EQ(p.recipes[0].Instructions, "Stir.");
    EXPECT_EQ(p.recipes[1].Title, "Closed");
    EXPECT_EQ(p.recipes[1].LineCount(), 1);
    EXPECT_EQ(p.messages,
              (std::vector<std::string>{
                  "No end line: Unclosed (line 2).  Closed at the next recipe (line 7).",
                  "No title in the recipe at line 7.  Not added.",
              }));
    EXPECT_EQ(p.dropped, std::vector<std::string>{"No title in the recipe at line 7.  Not added."});

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

// The lines after the title in the layouts real files use. Each case gives
// the lines, then the categories, yield and ingredients the recipe gets.
TEST(MealMasterParserTest, HeaderVariantsKeepTheirYieldAndFirstIngredient) {
    struct Case {
        std::vector<std::string> header;
        std::vector<std::string> categories;
        double yield;
        std::string yieldUnit;
        std::vector<std::string> names;
    };
    const std::vector<Case> cases = {
        {{"Categories: Dips Appetizers", "  Servings:  4"}, {"Dips Appetizers"}, 4, "", {"Flour"}},
        {{" Categories: Breads", "      Makes: 2 loaves"}, {"Breads"}, 2, "loaves", {"Flour"}},
        {{" Categories: Soups", "     Serves: 6"}, {"Soups"}, 6, "", {"Flour"}},
        {{"      Yield: 3 dozen"}, {}, 3, "dozen", {"Flour"}},  // no categories line
        {{" Categories: Soups"}, {"Soups"}, 0, "", {"Flour"}},  // no yield line
        {{}, {}, 0, "", {"Flour"}},                             // neither
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = {"MMMMM----- Recipe via Meal-Master (tm) v8.05",
                                          "      Title: Test"};
        lines.insert(lines.end(), c.header.begin(), c.header.end());
        lines.insert(lines.end(), {"      1 c  Flour", "", "  Stir.", "MMMMM"});
        MealMasterParser parser;
        const Parsed p = ParseLines(parser, lines);
        const std::string label = c.header.empty() ? "(none)" : c.header.front();
        ASSERT_EQ(p.recipes.size(), 1u) << label;
        const Recipe& r = p.recipes[0];
        EXPECT_EQ(r.CategoryNames, c.categories) << label;
        EXPECT_DOUBLE_EQ(r.YieldNumber, c.yield) << label;
        EXPECT_EQ(r.YieldUnit, c.yieldUnit) << label;
        std::vector<std::string> names;
        for (const auto& line : r.Lines) names.push_back(line.Name);
        EXPECT_EQ(names, c.names) << label;
        EXPECT_EQ(r.Instructions, "Stir.") << label;
    }
}

// Ingredients set in two columns: each block gives column one's lines in
// order, then column two's; a hyphen continues the line of its own column.
TEST(MealMasterParserTest, TwoColumnIngredientsAreSeparateLines) {
    std::vector<std::string> lines = Header("Two Columns");
    lines.insert(
        lines.end(),
        {"      2    Chiles, calif.; roast & peel        1    Eggs; separated",
         "  1 1/3 oz Cheese, monterey jack            3/16 c  Flour, all purpose",
         "           -grated" + std::string(34, ' ') + "-sifted", "           Oil; for frying",
         "MMMMM------------------------TOMATO SAUCE-----------------------------",
         "    1/3 sm Onion                                 pn Cinnamon, ground",
         "      1 c  Flour, sifted three times with the baking powder and the salt", "", "  Stir.",
         "MMMMM"});
    MealMasterParser parser;
    const Parsed p = ParseLines(parser, lines);
    ASSERT_EQ(p.recipes.size(), 1u);
    std::vector<std::string> got;
    for (const auto& line : p.recipes[0].Lines)
        got.push_back(line.TextQty + "|" + line.Measure + "|" + line.Name + "|" + line.PrepNotes);
    EXPECT_EQ(got, (std::vector<std::string>{
                       "2||Chiles|calif. roast & peel",
                       "1 1/3|oz|Cheese|monterey jack grated",
                       "||Oil|for frying",
                       "1||Eggs|separated",
                       "3/16|c|Flour|all purpose sifted",
                       "1/3|sm|Onion|",
                       "1|c|Flour|sifted three times with the baking powder and the salt",
                       "|pn|Cinnamon|ground",
                   }));
}

TEST(MealMasterParserTest, SharedHelpers) {
    EXPECT_EQ(TitleCase("APPLE PIE deluxe"), "Apple Pie Deluxe");
    EXPECT_EQ(TitleCase("CR\xC3\x88ME BR\xC3\x9BL\xC3\x89"
                        "E \xC3\x80 L'ORANGE \xC5\x81\xC3\x93"
                        "D\xC5\xB9"),
              "Cr\xC3\xA8me Br\xC3\xBBl\xC3\xA9"
              "e \xC3\x80 L'orange \xC5\x81\xC3\xB3"
              "d\xC5\xBA");
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
