// MealMaster import into a real recipe box on disk.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "formats/ImportProgress.h"
#include "formats/MealMasterImport.h"
#include "storage/RecipeDB.h"
#include "support/TestDatabases.h"

namespace pantrio {
namespace {

class MealMasterImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.Ok()) << root.Error();
        db.CookbookPath = root.boxPath;
        db.BuildConnectString();
        ASSERT_TRUE(db.Connect()) << db.ErrorReport();
    }

    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = root.PathOf(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    long Count(const std::string& table) { return db.QueryNumber("Select Count(*) from " + table); }

    // Every stored line belongs to a stored recipe: nothing is half-stored.
    void ExpectNoOrphanLines() {
        EXPECT_EQ(db.QueryNumber("Select Count(*) from IngredientLines where RecipeID not in "
                                 "(Select RecipeID from Recipes)"),
                  0);
    }

    test::TempDataRoot root;
    RecipeDB db;
    RecordingProgress window;
    ImportSummary summary;
};

const std::string kTwoRecipes = std::string(PANTRIO_TEST_DATA_DIR) + "/mealmaster/two_recipes.mmf";

TEST_F(MealMasterImportTest, DamagedFilesStoreOnlyWholeRecipes) {
    std::string text;
    {
        std::ifstream in(kTwoRecipes, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), {});
    }
    // Mixed line ends, NUL bytes and a 1 MB line inside the directions.
    std::string mixed;
    int n = 0;
    for (char c : text) {
        if (c == '\n') {
            mixed += (++n % 3 == 0) ? "\r" : (n % 3 == 1 ? "\r\n" : "\n");
        } else {
            mixed += c;
        }
    }
    mixed.insert(mixed.find("Heat and serve."),
                 std::string("\0\0", 2) + std::string(1 << 20, 'z') + "\n");
    summary = ImportMealMaster(Write("mixed.mmf", mixed), db, window);
    EXPECT_EQ(summary.stored, 2);
    ASSERT_EQ(window.messages.rows.size(), 1u);
    // (A lone CR before an empty LF line reads as one CR LF, so line numbers
    // depend on the mix; the message names the line whatever its number.)
    EXPECT_NE(window.messages.rows[0].text.find(" is longer than 65536 characters"),
              std::string::npos)
        << window.messages.rows[0].text;
    EXPECT_EQ(db.QueryText("Select Title from Recipes where RecipeID = 2"), "Quick Soup");

    // Random bytes: no recipe, a clear message, nothing stored.
    std::mt19937 random(7);
    std::string binary(200000, '\0');
    for (char& c : binary) c = static_cast<char>(random() & 0xFF);
    RecordingProgress second;
    summary = ImportMealMaster(Write("binary.mmf", binary), db, second);
    EXPECT_EQ(summary.stored, 0);
    EXPECT_EQ(second.messages.Texts().back(), "No MealMaster recipes found in this file.");

    // A file cut off in the middle of a recipe.
    const std::string truncated = text.substr(0, text.find("Heat and"));
    RecordingProgress third;
    summary = ImportMealMaster(Write("cut.mmf", truncated), db, third);
    EXPECT_EQ(third.messages.Texts(),
              (std::vector<std::string>{"Duplicate found: Apple Pie Deluxe.  Not added.",
                                        "No end line: Quick Soup (line 25).  Not added."}));
    EXPECT_EQ(Count("Recipes"), 2);
    ExpectNoOrphanLines();
}

}  // namespace
}  // namespace pantrio
