// Checks the databases the build ships: the support database with its food
// table, master ingredient list, keywords and look-up lists, and the two empty
// recipe boxes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "tools/BuiltDatabase.h"

namespace pantrio::test {
namespace {

namespace fs = std::filesystem;

std::string SupportPath() {
    return BuiltDataDir() + "/Data/support.csy";
}

class ShippedSupportDatabase : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(SupportPath())) GTEST_SKIP() << "not built: " << SupportPath();
        ASSERT_EQ(db.Error(), "");
    }
    BuiltDatabase db{SupportPath()};
};

TEST_F(ShippedSupportDatabase, HoldsEveryTableWithItsStartingRows) {
    const auto tables = db.Column("SELECT name FROM sqlite_master WHERE type = 'table'");
    for (const char* table : {"RecipeList", "ShoppingList", "Nutrients", "IngredientMasterTable",
                              "NutrientKeyword", "Keywords", "Cuisines", "PrimaryIngredients",
                              "YieldUnits", "Measures", "PrepNotes", "EmailAddresses"}) {
        EXPECT_NE(std::find(tables.begin(), tables.end(), table), tables.end()) << table;
    }
    EXPECT_GT(db.Number("SELECT count(*) FROM Nutrients"), 7000);
    EXPECT_GE(db.Number("SELECT count(*) FROM IngredientMasterTable"), 300);
    EXPECT_GE(db.Number("SELECT count(DISTINCT StdDeptName) FROM IngredientMasterTable"), 12);
    EXPECT_GE(db.Number("SELECT count(*) FROM Cuisines"), 25);
    EXPECT_GE(db.Number("SELECT count(*) FROM PrimaryIngredients"), 25);
    EXPECT_GE(db.Number("SELECT count(*) FROM PrepNotes"), 30);
    EXPECT_GT(db.Number("SELECT count(*) FROM NutrientKeyword"), 0);
    // The meal plan, the shopping list and the remembered addresses start empty.
    EXPECT_EQ(db.Number("SELECT count(*) FROM RecipeList"), 0);
    EXPECT_EQ(db.Number("SELECT count(*) FROM ShoppingList"), 0);
    EXPECT_EQ(db.Number("SELECT count(*) FROM EmailAddresses"), 0);
}

TEST_F(ShippedSupportDatabase, FoodsCarryTheirUsdaNumbersAndValues) {
    // The number as text keeps its leading zero; as the row number it is the
    // same number, so links stay valid when the table is rebuilt.
    EXPECT_EQ(db.Number("SELECT count(*) FROM Nutrients WHERE length(NDB_NO) <> 5 OR "
                        "CAST(NDB_NO AS INTEGER) <> NutrientID OR NutrientID > 100000"),
              0);
    const auto butter = db.Rows(
        "SELECT NDB_NO, Shrt_Desc, Water, Energ_Kcal, Protein, Tot_Lipid, Carbohydrt, Sodium, "
        "Vit_A, Folate, Panto_acid, Vit_B12, Vit_E, FA_Sat, FA_Mono, FA_Poly, Cholestrl, "
        "GmWt_1, GmWt_Desc1, GmWt_2, GmWt_Desc2, Refuse_Pct FROM Nutrients WHERE NutrientID = "
        "1001");
    ASSERT_EQ(butter.size(), 1u);
    const std::vector<std::string> expected = {"01001",  "BUTTER,WITH SALT",
                                               "15.87",  "717.0",
                                               "0.85",   "81.11",
                                               "0.06",   "576.0",
                                               "2499.0", "3.0",
                                               "0.11",   "0.17",
                                               "2.32",   "51.368",
                                               "21.021", "3.043",
                                               "215.0",  "227.0",
                                               "1 cup",  "14.2",
                                               "1 tbsp", "0"};
    EXPECT_EQ(butter[0], expected);
    // Nutrients the food file does not carry, and empty fields, read as 0.
    EXPECT_EQ(db.Number("SELECT count(*) FROM Nutrients WHERE Alcohol <> 0 OR Caffeine <> 0"), 0);
    EXPECT_EQ(db.Text("SELECT Vit_E FROM Nutrients WHERE NutrientID = 15076"), "0.0");
}

TEST_F(ShippedSupportDatabase, MasterLinksPointAtTheFoodsTheyName) {
    EXPECT_EQ(db.Number("SELECT count(*) FROM IngredientMasterTable m WHERE m.NutrientID > 0 AND "
                        "NOT EXISTS (SELECT 1 FROM Nutrients n WHERE n.NutrientID = m.NutrientID)"),
              0);
    EXPECT_EQ(db.Number("SELECT count(*) FROM (SELECT lower(KeywordText) FROM "
                        "IngredientMasterTable GROUP BY 1 HAVING count(*) > 1)"),
              0);
    const std::map<std::string, std::string> links = {
        {"butter", "BUTTER,WITH SALT"},
        {"eggs", "EGG,WHOLE,RAW,FRESH"},
        {"flour", "WHEAT FLR,WHITE,ALL-PURPOSE,ENR,BLEACHED"},
        {"sugar", "SUGARS,GRANULATED"},
        {"brown sugar", "SUGARS,BROWN"},
        {"milk", "MILK,WHL,3.25% MILKFAT"},
        {"onion", "ONIONS,RAW"},
        {"green onions", "ONIONS,SPRING OR SCALLIONS (INCL TOPS&BULB),RAW"},
        {"olive oil", "OIL,OLIVE,SALAD OR COOKING"},
        {"salt", "SALT,TABLE"},
        {"chicken breasts", "CHICKEN,BROILERS OR FRYERS,BREAST,MEAT ONLY,RAW"},
    };
    for (const auto& [keyword, food] : links) {
        EXPECT_EQ(db.Text("SELECT n.Shrt_Desc FROM IngredientMasterTable m JOIN Nutrients n ON "
                          "n.NutrientID = m.NutrientID WHERE m.KeywordText = '" +
                          keyword + "'"),
                  food)
            << keyword;
    }
    // Generic words stand for no single food and stay unlinked.
    EXPECT_EQ(
        db.Number("SELECT NutrientID FROM IngredientMasterTable WHERE KeywordText = 'cheese'"), 0);
}

TEST_F(ShippedSupportDatabase, StapleFoodsHaveAMeasureThatLinesCanBeLinkedBy) {
    // Lines are linked automatically only when one of the food's household
    // measures is described in one of these ways ("1 tbsp" and "1 tsp" are
    // shortened to "1 TB" and "1 TS" first).
    const std::set<std::string> known = {"1 CUP", ".5 CUP", "1 TB", "1 TS",  "1 CAN",
                                         "1 OZ",  "3 OZ",   "1 LB", ".5 LB", "1 FL OZ"};
    auto shortened = [](std::string description) {
        if (description == "1 TBSP") return std::string("1 TB");
        if (description == "1 TSP") return std::string("1 TS");
        return description;
    };
    for (const char* keyword : {"flour", "sugar", "butter", "milk", "olive oil", "honey", "salt",
                                "baking soda", "vanilla", "water", "rice"}) {
        const auto row = db.Rows(
            "SELECT upper(trim(n.GmWt_Desc1)), upper(trim(n.GmWt_Desc2)) FROM "
            "IngredientMasterTable m JOIN Nutrients n ON n.NutrientID = m.NutrientID WHERE "
            "m.KeywordText = '" +
            std::string(keyword) + "'");
        ASSERT_EQ(row.size(), 1u) << keyword;
        EXPECT_TRUE(known.count(shortened(row[0][0])) || known.count(shortened(row[0][1])))
            << keyword << ": " << row[0][0] << " / " << row[0][1];
    }
}

// The department the master list gives a name, taking the longest keyword
// that occurs in it, as the ingredient-name recognition does.
std::string DepartmentOf(BuiltDatabase& db, const std::string& name) {
    return db.Text("SELECT StdDeptName FROM IngredientMasterTable WHERE instr(lower('" + name +
                   "'), lower(KeywordText)) > 0 ORDER BY length(KeywordText) DESC, ID LIMIT 1");
}

TEST_F(ShippedSupportDatabase, CommonIngredientNamesFindTheirDepartment) {
    const std::map<std::string, std::string> names = {
        {"large eggs", "Dairy"},
        {"eggplant, cubed", "Produce"},
        {"crunchy peanut butter", "Condiments"},
        {"unsalted butter", "Dairy"},
        {"boneless skinless chicken breasts", "Meat"},
        {"low-sodium chicken broth", "Canned Goods"},
        {"freshly ground black pepper", "Spices & Herbs"},
        {"red bell pepper", "Produce"},
        {"cornstarch", "Baking"},
        {"extra virgin olive oil", "Oils & Vinegars"},
        {"graham cracker crumbs", "Baking"},
        {"garlic powder", "Spices & Herbs"},
        {"minced garlic", "Produce"},
        {"all-purpose flour", "Baking"},
        {"frozen peas", "Frozen"},
        {"shredded cheddar cheese", "Dairy"},
    };
    for (const auto& [name, department] : names) {
        EXPECT_EQ(DepartmentOf(db, name), department) << name;
    }
}

TEST_F(ShippedSupportDatabase, KeywordGroupsHoldTheQuickAssignmentKeywords) {
    const auto groups = db.Column("SELECT DISTINCT KeywordGroup FROM Keywords ORDER BY 1");
    EXPECT_EQ(groups,
              (std::vector<std::string>{"Course/Dish", "Custom", "Other", "Preparation Method",
                                        "Season/Occasion", "Special Considerations"}));
    const std::map<std::string, std::string> quick = {{"@Favorite", "Custom"},
                                                      {"@Try Soon!", "Custom"},
                                                      {"@My Diet", "Custom"},
                                                      {"Appetizers", "Course/Dish"},
                                                      {"Salads", "Course/Dish"},
                                                      {"Main Dish", "Course/Dish"},
                                                      {"Side Dish", "Course/Dish"},
                                                      {"Desserts", "Course/Dish"},
                                                      {"Low Cal", "Special Considerations"},
                                                      {"Low Carb", "Special Considerations"},
                                                      {"Low Fat", "Special Considerations"}};
    for (const auto& [keyword, group] : quick) {
        EXPECT_EQ(db.Text("SELECT KeywordGroup FROM Keywords WHERE Keyword = '" + keyword + "'"),
                  group)
            << keyword;
    }
    // The editor puts the "@" keywords above the "Other" list itself; listing
    // them in that group as well would show them twice.
    EXPECT_EQ(db.Number("SELECT count(*) FROM Keywords WHERE KeywordGroup = 'Other' AND "
                        "Keyword LIKE '@%'"),
              0);
    for (const char* group : {"Course/Dish", "Preparation Method", "Season/Occasion",
                              "Special Considerations", "Other"}) {
        const auto count = db.Number("SELECT count(*) FROM Keywords WHERE KeywordGroup LIKE '" +
                                     std::string(group) + "'");
        EXPECT_GE(count, 20) << group;
        EXPECT_LE(count, 40) << group;
    }
}

TEST_F(ShippedSupportDatabase, LookupListsOfferTheWordsTheProgramUses) {
    const auto yields = db.Column("SELECT YieldUnit FROM YieldUnits");
    for (const char* unit : {"Servings", "Serving"}) {
        EXPECT_NE(std::find(yields.begin(), yields.end(), unit), yields.end()) << unit;
    }
    const auto measures = db.Column("SELECT Measure FROM Measures");
    for (const char* unit : {"cup", "tbsp", "tsp", "oz", "lb", "g", "kg", "ml", "l", "pinch",
                             "clove", "can", "pint", "quart", "gallon"}) {
        EXPECT_NE(std::find(measures.begin(), measures.end(), unit), measures.end()) << unit;
    }
    const auto notes = db.Column("SELECT PrepNote FROM PrepNotes");
    for (const char* note : {"chopped", "minced", "diced", "sliced"}) {
        EXPECT_NE(std::find(notes.begin(), notes.end(), note), notes.end()) << note;
    }
}

TEST(ShippedRecipeBoxes, AreEmptyBoxesWithTheRecipeTables) {
    for (const char* relative :
         {"/Data/cookbook_template_do_not_delete.crb", "/Rbox/standard.crb"}) {
        const std::string path = BuiltDataDir() + relative;
        if (!fs::exists(path)) GTEST_SKIP() << "not built: " << path;
        BuiltDatabase box(path);
        ASSERT_EQ(box.Error(), "");
        for (const char* table : {"Recipes", "IngredientLines", "IngredientLinesNutrients"}) {
            EXPECT_EQ(box.Number("SELECT count(*) FROM " + std::string(table)), 0)
                << relative << " " << table;
        }
        EXPECT_EQ(box.Error(), "") << relative;
        EXPECT_EQ(box.Number("SELECT count(*) FROM sqlite_master WHERE name = 'Nutrients'"), 0);
    }
}

TEST(ShippedDataFolder, HoldsNoPlaceholdersOrUnfinishedFiles) {
    if (!fs::exists(BuiltDataDir())) GTEST_SKIP() << "not built: " << BuiltDataDir();
    for (const auto& entry : fs::recursive_directory_iterator(BuiltDataDir())) {
        const std::string name = entry.path().filename().string();
        EXPECT_NE(name, ".keep") << entry.path();
        EXPECT_EQ(name.find(".building-"), std::string::npos) << entry.path();
    }
    for (const char* folder :
         {"Data/HTM/Images", "Data/shoppinglists", "themes", "Publish/Images"}) {
        EXPECT_TRUE(fs::is_directory(BuiltDataDir() + "/" + folder)) << folder;
    }
}

}  // namespace
}  // namespace pantrio::test
