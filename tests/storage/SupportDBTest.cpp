// The support store against a real support database made from the shipped
// schema.
#include <gtest/gtest.h>

#include "base/RowSink.h"
#include "storage/SupportDB.h"
#include "support/TestDatabases.h"

namespace pantrio {
namespace {

using Texts = std::vector<std::string>;

class SupportDBTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.Ok()) << root.Error();
        std::string why;
        ASSERT_TRUE(test::TempDataRoot::Exec(
            root.supportPath,
            "INSERT INTO Cuisines VALUES(1, 'Thai'), (2, 'Cajun'), (40000, 'mexican');"
            "INSERT INTO Keywords VALUES(1, 'Soup', 'Course/Dish'), (2, 'Zesty', 'Custom'), "
            "(3, 'Appetizer', 'Course/Dish'), (4, 'Aunt''s', 'Custom');"
            "INSERT INTO IngredientMasterTable(ID, KeywordText, StdDeptName) VALUES"
            "(1, 'sugar', 'Baking'), (2, 'confectioner', 'Baking'), (3, 'flour', 'Baking'), "
            "(4, 'brown sugar', 'Baking'), (5, 'salt', 'Spices');"
            "INSERT INTO Nutrients(NutrientID, Shrt_Desc, Protein) VALUES(7, 'EGG,WHL', 12.56), "
            "(3, 'APPLES,RAW', 0.26);",
            &why))
            << why;
        ASSERT_TRUE(db.Open(root.supportPath));
    }

    test::TempDataRoot root;
    SupportDB db;
};

TEST_F(SupportDBTest, FillOperationsAppendRowsWithTheirNumbers) {
    VectorRowSink list;
    list.AddRow({"(none)", 0, {}, 0});
    EXPECT_EQ(db.FillCombo("Cuisines", "Cuisine", "ID", list, "Cuisine"), 3);
    EXPECT_EQ(list.Texts(), (Texts{"(none)", "Cajun", "mexican", "Thai"}));
    EXPECT_EQ(list.rows[2].data, 40000);  // not cut to 16 bits
    EXPECT_EQ(db.FillCombo("Cuisines; DROP TABLE Cuisines", "Cuisine", "ID", list, "ID"), -1);
    EXPECT_EQ(db.FillCombo("YieldUnits", "YieldUnit", "ID", list, "YieldUnit"), 0);
    EXPECT_EQ(list.rows.size(), 4u);

    VectorRowSink keywords, custom, group, depts, foods;
    EXPECT_EQ(db.FillKeywordCombo(keywords, false), 4);
    EXPECT_EQ(keywords.Texts(), (Texts{"Appetizer", "Aunt's", "Soup", "Zesty"}));
    EXPECT_EQ(keywords.rows[1].data, 4);
    EXPECT_EQ(db.FillKeywordCombo(custom, true), 2);
    EXPECT_EQ(custom.Texts(), (Texts{"Aunt's", "Zesty"}));
    EXPECT_EQ(db.FillKeywordGroupList("course/dish", group), 0);
    EXPECT_EQ(group.Texts(), (Texts{"Soup", "Appetizer"}));
    EXPECT_EQ(db.FillDepartmentCombo(depts), 2);
    EXPECT_EQ(depts.Texts(), (Texts{"Baking", "Spices"}));
    EXPECT_EQ(db.FillFoodCombo(foods), 2);
    EXPECT_EQ(foods.Texts(), (Texts{"APPLES,RAW", "EGG,WHL"}));
    EXPECT_EQ(foods.rows[0].data, 3);
}

TEST_F(SupportDBTest, MasterListPutsLongerKeywordsFirst) {
    Texts list;
    EXPECT_EQ(db.LoadIngredientMasterList(list), 0);
    // Equal lengths come in whatever order the database returns them.
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(Texts(list.begin(), list.begin() + 2), (Texts{"confectioner", "brown sugar"}));
    EXPECT_EQ(list.back(), "salt");
}

TEST_F(SupportDBTest, NutrientValueOfAFood) {
    EXPECT_DOUBLE_EQ(db.NutrientValue("Protein", 7), 12.56);
    EXPECT_DOUBLE_EQ(db.NutrientValue("Protein", 8), -1);
    EXPECT_DOUBLE_EQ(db.NutrientValue("Protein from Nutrients; --", 7), -1);
}

}  // namespace
}  // namespace pantrio
