// Linking ingredient lines to foods: the two measure rule tables, the
// automatic link after an edit, and the food search.
#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "base/RowSink.h"
#include "base/Text.h"
#include "nutrition/AutoLinkLine.h"
#include "nutrition/FoodSearch.h"
#include "nutrition/MeasureRules.h"
#include "recipe/IngredientLine.h"
#include "support/BoxFixture.h"

namespace pantrio {
namespace {

TEST(MeasureRules, SelectionTableProposesMeasureAndFactor) {
    struct Case {
        const char* unit;
        const char* d1;
        const char* d2;
        int measure;  // 0: no match
        double factor;
    };
    const Case cases[] = {
        {"cups", "1 cup", "", 1, 1},
        {" C ", "", "1 CUP", 2, 1},            // only the second measure fits
        {"tsp", "1 tbsp", "", 1, 0.3333},      // "1 TBSP" reads as "1 TB"
        {"tbsp", "1 tsp", "", 1, 3},           // and "1 TSP" as "1 TS"
        {"c", "1 fl oz", "", 1, 8},            // either measure
        {"c", "1 tbsp", "1 fl oz", 2, 8},      // row 9 comes before row 11
        {"oz", "1 cup", "", 1, 0.125},         //
        {"ounce", "1 oz", "", 0, 0},           // "OUNCE" is not in row 5
        {"fl. oz", "1 oz", "", 1, 1},          //
        {"tbs", "1 cup", "", 1, 1.0 / 16},     // "TBS" only in row 10
        {"tspns", "1 fl oz", "", 1, 1.0 / 6},  //
        {"teaspoon", "1 cup", "", 1, 1.0 / 48},
        {"can", "1 can", "1 cup", 1, 1},
        {"pinch", "1 cup", "1 tbsp", 0, 0},
        {"lb", "1 lb", "", 0, 0},  // the selection table knows no pounds
        {"cup", "", "", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.unit) + " / " + c.d1 + " / " + c.d2);
        const auto choice = SelectMeasure(c.unit, c.d1, c.d2);
        if (c.measure == 0) {
            EXPECT_FALSE(choice);
            continue;
        }
        ASSERT_TRUE(choice);
        EXPECT_EQ(choice->measure, c.measure);
        EXPECT_DOUBLE_EQ(choice->factor, c.factor);
    }
}

TEST(MeasureRules, LinkTableGivesMultipliers) {
    struct Case {
        const char* unit;
        const char* description;
        std::optional<double> multiplier;
    };
    const Case cases[] = {
        {"cup", "1 cup", 1},
        {"Tbsp", " 1 TBSP ", 1},
        {"tsp", "1 tbsp", 0.3333},
        {"lbs", "1 lb", 1},
        {"lb.", ".5 lb", 2},
        {"pound", "1 oz", 16},
        {"c", "1 oz", 8},
        {"cups", ".5 cup", 2},
        {"fluid ounce", "3 oz", 1.0 / 3},
        {"lbs.", "3 oz", 16.0 / 3},
        {"tblspn", "1 tsp", 3},
        {"ozs", "1 cup", 0.125},
        {"c", "1 tbsp", 16},
        {"ounce", "1 oz", 1},  // the link table has "OUNCE" where selection has not
        {"fl oz", "1 oz", std::nullopt},
        {"pinch", "1 cup", std::nullopt},
        {"cup", "", std::nullopt},
        {"", "1 cup", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.unit) + " / " + c.description);
        const auto m = LinkMultiplier(c.unit, c.description);
        ASSERT_EQ(m.has_value(), c.multiplier.has_value());
        if (m) {
            EXPECT_DOUBLE_EQ(*m, *c.multiplier);
        }
    }
}

class NutrientLinks : public test::BoxFixture {
protected:
    void SetUp() override {
        BoxFixture::SetUp();
        Support(
            "INSERT INTO Nutrients(NutrientID, Shrt_Desc, GmWt_1, GmWt_Desc1, GmWt_2, GmWt_Desc2) "
            "VALUES (1, 'FLOUR,WHEAT,ALL-PURPOSE', 125, '1 cup', 7.8, '1 tbsp'), "
            "(2, 'BUTTER,SALTED', 14.2, '1 tbsp', 227, '1 cup'), "
            "(3, 'WHEAT BRAN', 58, '1 cup', 0, ''), "
            "(4, 'BREAD,WHEAT', 0, '', 0, '');"
            "INSERT INTO IngredientMasterTable(ID, KeywordText, NutrientID) "
            "VALUES (1, 'flour', 1), (2, 'baker''s butter', 2), (3, 'bran', 3);");
        Box("INSERT INTO Recipes(RecipeID, Title) VALUES (1, 'Bread');"
            "INSERT INTO IngredientLines(IngredientLinesID, RecipeID, LineOrder, Name) "
            "VALUES (5, 1, 1, 'x');");
    }
    IngredientLine Line(const char* name, const char* measure, double qty) {
        IngredientLine line;
        line.IngredientLinesID = 5;
        line.Name = name;
        line.Measure = measure;
        line.DblQty = qty;
        return line;
    }
    std::string Link() {
        const long food = box.QueryNumber(
            "Select NutrientID from IngredientLinesNutrients where IngredientLinesID = 5");
        if (food < 0) return "";
        return Format("%ld:%g", food,
                      box.QueryDouble("Select BaseRecipeGramWeight from "
                                      "IngredientLinesNutrients where IngredientLinesID = 5"));
    }
};

TEST_F(NutrientLinks, AutoLinkFindsTheFoodAndWorksOutTheGrams) {
    struct Case {
        IngredientLine line;
        long food;
        const char* link;
    };
    const Case cases[] = {
        {Line("flour", "cups", 2), 1, "1:250"},
        {Line("FLOUR", "c", 2), 1, "1:250"},                 // the keyword ignores letter case
        {Line("baker's butter", "cup", 0.5), 2, "2:113.6"},  // apostrophe; 1st measure first
        {Line("baker's butter", "tsp", 3), 2, "2:14.1986"},
        {Line("bran", "pinch", 1), 0, ""},  // a unit the table does not know
        {Line("flour ", "lb", 1), 0, ""},
        {Line("rye", "cup", 1), 0, ""},  // no keyword
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.Name + " / " + c.line.Measure);
        box.RunSQL("Delete from IngredientLinesNutrients");
        EXPECT_EQ(AutoLinkLine(box, support, c.line), c.food);
        EXPECT_EQ(Link(), c.link);
    }
    IngredientLine heading = Line("flour", "cup", 1);
    heading.bHeading = true;
    EXPECT_EQ(AutoLinkLine(box, support, heading), 0);
}

TEST_F(NutrientLinks, LinkLineReplacesTheOldLinkAndRefusesNonsense) {
    ASSERT_EQ(LinkLine(box, 5, 1, 100), 1);
    ASSERT_EQ(LinkLine(box, 5, 3, 58), 1);
    EXPECT_EQ(box.QueryNumber("Select count(*) from IngredientLinesNutrients"), 1);
    EXPECT_EQ(Link(), "3:58");
    EXPECT_EQ(LinkLine(box, 5, 1, std::numeric_limits<double>::infinity()), -1);
    EXPECT_EQ(Link(), "3:58");
    // A food with a missing household weight would give negative grams.
    FoodMeasures missing{-1, 0, "1 cup", ""};
    EXPECT_LT(AutoLinkGrams(Line("bran", "cup", 1), missing), 0);
}

TEST_F(NutrientLinks, FoodSearchListsAllWordsFirstThenAnyWordOnce) {
    VectorRowSink list;
    EXPECT_EQ(SearchFoods(support, "wheat  flour", list), 3);
    EXPECT_EQ(list.Texts(),
              (std::vector<std::string>{"FLOUR,WHEAT,ALL-PURPOSE", "BREAD,WHEAT", "WHEAT BRAN"}));
    EXPECT_EQ(list.rows.front().data, 1);
    EXPECT_EQ(SearchFoods(support, "bran", list), 1);
    EXPECT_EQ(SearchFoods(support, "baker's", list), 0);
    EXPECT_EQ(SearchFoods(support, "   ", list), 0);
    EXPECT_TRUE(list.rows.empty());
}

TEST_F(NutrientLinks, MasterListLearnsOnlyExistingKeywords) {
    EXPECT_EQ(UpdateMasterListFood(support, "Baker's Butter", 4), 1);
    EXPECT_EQ(MasterListFood(support, "baker's butter"), 4);
    UpdateMasterListFood(support, "rye", 4);
    EXPECT_EQ(support.QueryNumber("Select count(*) from IngredientMasterTable"), 3);
}

}  // namespace
}  // namespace pantrio
