// Runs the database builder on small inputs in a temporary folder: what it
// stores from the food file and the seed files, and how it refuses bad input
// without touching the files it built before.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

#include "support/TestDatabases.h"
#include "tools/BuiltDatabase.h"

namespace pantrio::test {
namespace {

namespace fs = std::filesystem;

std::string ToolPath() {
    return (fs::path(BuiltDataDir()) / ".." / ".." / "tools" / "pantrio-make-databases")
        .lexically_normal()
        .string();
}

// The butter row exactly as the USDA file of 51 fields has it.
const char* kButterLine =
    "~01001~^~BUTTER,WITH SALT~^15.87^717^0.85^81.11^2.11^0.06^0.0^0.06^24^0.02^2^24^24^576^0.09^"
    "0.000^0.000^1.0^0.0^0.005^0.034^0.042^0.110^0.003^3^0^3^3^18.8^0.17^2499^684^671^0^158^0^0^"
    "0^2.32^7.0^51.368^21.021^3.043^215^227.00^~1 cup~^14.20^~1 tbsp~^0";

// A made-up food in the 53-field layout (vitamin D after vitamin E), with a
// Windows-1252 letter in its name and empty fields.
std::string ThreeVitaminDLine() {
    std::vector<std::string> f(53);
    f[0] = "~00042~";
    f[1] = "~CAF\xC9 AU LAIT~";
    f[2] = "50";     // Water
    f[3] = "100";    // Energ_Kcal
    f[20] = "4.5";   // Vit_C
    f[40] = "1.25";  // Vit_E
    f[41] = "9";     // Vit_D_mcg
    f[42] = "360";   // Vit_D_IU
    f[43] = "8";     // Vit_K
    f[44] = "2.5";   // FA_Sat
    f[47] = "12";    // Cholestrl
    f[48] = "240";   // GmWt_1
    f[49] = "~1 cup~";
    f[51] = "~~";
    f[52] = "5";  // Refuse_Pct
    std::string line;
    for (size_t i = 0; i < f.size(); ++i) line += (i ? "^" : "") + f[i];
    return line;
}

class MakeDatabases : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(ToolPath())) GTEST_SKIP() << "not built: " << ToolPath();
        ASSERT_TRUE(root.Ok()) << root.Error();
        files = {
            {"usda/ABBREV.txt", std::string(kButterLine) + "\r\n" + ThreeVitaminDLine() + "\r\n"},
            {"seed/ingredient_master.tsv",
             "# keyword, department, unit, food, description\n"
             "butter\tDairy\tlb\t1001\tBUTTER,WITH SALT\n"
             "cafe au lait\tBeverages\tcup\t42\tCAF\xC3\x89 AU LAIT\n"
             "salt\tSpices & Herbs\tbox\t0\t\n"},
            {"seed/keywords.tsv", "Course/Dish\tSalads\nCustom\t@Favorite\n"},
            {"seed/cuisines.txt", "Italian\nThai\n"},
            {"seed/primary_ingredients.txt", "Beef\n"},
            {"seed/yield_units.txt", "Servings\nServing\n"},
            {"seed/measures.txt", "cup\n"},
            {"seed/prep_notes.txt", "chopped\n"},
        };
    }

    // Writes the input files, runs the tool and returns its exit code; its
    // output goes to `output`.
    int Run(std::string schemaDir = TempDataRoot::SchemaDir()) {
        for (const auto& [name, text] : files) {
            const fs::path path = fs::path(root.root) / name;
            fs::create_directories(path.parent_path());
            std::ofstream(path, std::ios::binary) << text;
        }
        const std::string command = "'" + ToolPath() + "' --schema '" + schemaDir + "' --seed '" +
                                    root.root + "/seed' --usda '" + root.root +
                                    "/usda/ABBREV.txt' --out '" + OutDir() + "' 2>&1";
        output.clear();
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) return -1;
        char buffer[512];
        while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
        const int status = pclose(pipe);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string OutDir() const { return root.root + "/out"; }
    std::string SupportPath() const { return OutDir() + "/Data/support.csy"; }

    TempDataRoot root{false};
    std::map<std::string, std::string> files;
    std::string output;
};

TEST_F(MakeDatabases, StoresFoodsAndSeedRowsFromEitherFileLayout) {
    // What a killed build left behind goes; it would otherwise be shipped.
    const std::string stale = OutDir() + "/Data/support.csy.building-1";
    fs::create_directories(OutDir() + "/Data");
    std::ofstream(stale) << "half a database";
    ASSERT_EQ(Run(), 0) << output;
    EXPECT_FALSE(fs::exists(stale));
    for (const char* box : {"/Data/cookbook_template_do_not_delete.crb", "/Rbox/standard.crb"}) {
        EXPECT_TRUE(fs::exists(OutDir() + box)) << box;
    }
    BuiltDatabase db(SupportPath());
    ASSERT_EQ(db.Error(), "");
    EXPECT_EQ(db.Rows("SELECT NDB_NO, Shrt_Desc, Tot_Lipid, Vit_A, Vit_E, FA_Sat, GmWt_Desc2 FROM "
                      "Nutrients WHERE NutrientID = 1001"),
              (std::vector<std::vector<std::string>>{
                  {"01001", "BUTTER,WITH SALT", "81.11", "2499.0", "2.32", "51.368", "1 tbsp"}}));
    // Vitamin D is skipped by position, the Windows-1252 letter becomes UTF-8
    // and empty fields read as 0.
    EXPECT_EQ(
        db.Rows("SELECT NDB_NO, Shrt_Desc, Water, Vit_C, Vit_E, FA_Sat, Cholestrl, Protein, "
                "GmWt_1, GmWt_2, GmWt_Desc2, Refuse_Pct FROM Nutrients WHERE NutrientID = 42"),
        (std::vector<std::vector<std::string>>{{"00042", "CAF\xC3\x89 AU LAIT", "50.0", "4.5",
                                                "1.25", "2.5", "12.0", "0.0", "240.0", "0.0", "",
                                                "5"}}));
    EXPECT_EQ(
        db.Rows("SELECT ID, KeywordText, NutrientID, StdDeptName, UnitOfPurchase FROM "
                "IngredientMasterTable ORDER BY ID"),
        (std::vector<std::vector<std::string>>{{"1", "butter", "1001", "Dairy", "lb"},
                                               {"2", "cafe au lait", "42", "Beverages", "cup"},
                                               {"3", "salt", "0", "Spices & Herbs", "box"}}));
    // Only keywords that stand for a food are offered for linking.
    EXPECT_EQ(db.Column("SELECT KeywordText FROM NutrientKeyword ORDER BY ID"),
              (std::vector<std::string>{"butter", "cafe au lait"}));
    EXPECT_EQ(db.Rows("SELECT Keyword, KeywordGroup FROM Keywords ORDER BY ID"),
              (std::vector<std::vector<std::string>>{{"Salads", "Course/Dish"},
                                                     {"@Favorite", "Custom"}}));
    EXPECT_EQ(db.Column("SELECT Cuisine FROM Cuisines ORDER BY ID"),
              (std::vector<std::string>{"Italian", "Thai"}));
    EXPECT_EQ(db.Text("SELECT PrimaryIngredient FROM PrimaryIngredients WHERE "
                      "PrimaryIngredientID = 1"),
              "Beef");
}

TEST_F(MakeDatabases, BadInputIsNamedByFileAndLineAndLeavesTheOldFiles) {
    struct Case {
        std::string file;
        std::string text;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"seed/ingredient_master.tsv",
         "# header\nbutter\tDairy\tlb\t1001\tBUTTER,WITH SALT\neggs\tDairy\n",
         "ingredient_master.tsv:3: expected 5 tab-separated fields, found 2"},
        {"seed/ingredient_master.tsv", "eggs\tDairy\tdozen\t1123\tEGG,WHOLE,RAW,FRESH\n",
         "ingredient_master.tsv:1: food 1123 is not in the USDA food file"},
        {"seed/ingredient_master.tsv", "\nbutter\tDairy\tlb\t1001\tBUTTER,WITHOUT SALT\n",
         "ingredient_master.tsv:2: food 1001 is 'BUTTER,WITH SALT', not 'BUTTER,WITHOUT SALT'"},
        {"seed/ingredient_master.tsv", "butter\tDairy\tlb\tone\t\n",
         "ingredient_master.tsv:1: the food number 'one' is not a number of 0 or more"},
        {"seed/ingredient_master.tsv", "butter\tDairy\tlb\t0\t\nButter\tDairy\tlb\t0\t\n",
         "ingredient_master.tsv:2: the keyword 'Butter' is listed twice"},
        {"seed/keywords.tsv", "Course/Dish\tSalads\nDesserts\tPies\n",
         "keywords.tsv:2: unknown keyword group 'Desserts'"},
        {"seed/cuisines.txt", "Italian\nThai\nitalian\n",
         "cuisines.txt:3: 'italian' is listed twice"},
        {"seed/measures.txt", "cup\n\xB0 C\n", "measures.txt:2: the line is not valid UTF-8"},
        {"usda/ABBREV.txt", std::string(kButterLine) + "\n~01002~^~BUTTER~^1^2\n",
         "ABBREV.txt:2: expected 51 or 53 '^'-separated fields, found 4"},
        {"usda/ABBREV.txt", std::string(kButterLine).replace(27, 5, "15,87"),
         "ABBREV.txt:1: field 3 ('15,87') is not a number"},
    };
    ASSERT_EQ(Run(), 0) << output;
    const auto builtAt = fs::last_write_time(SupportPath());
    const auto builtSize = fs::file_size(SupportPath());
    const auto good = files;
    for (const auto& c : cases) {
        files = good;
        files[c.file] = c.text;
        EXPECT_EQ(Run(), 1) << c.message;
        EXPECT_NE(output.find(c.message), std::string::npos) << output;
    }
    files = good;
    files.erase("seed/prep_notes.txt");
    fs::remove(fs::path(root.root) / "seed/prep_notes.txt");
    EXPECT_EQ(Run(), 1);
    EXPECT_NE(output.find("prep_notes.txt: cannot read the seed file"), std::string::npos)
        << output;

    // A failed build neither replaces nor leaves behind any file.
    EXPECT_EQ(fs::last_write_time(SupportPath()), builtAt);
    EXPECT_EQ(fs::file_size(SupportPath()), builtSize);
    for (const auto& entry : fs::recursive_directory_iterator(OutDir())) {
        EXPECT_EQ(entry.path().filename().string().find(".building-"), std::string::npos)
            << entry.path();
    }
}

TEST_F(MakeDatabases, MissingSchemaOrFoodFileStopsTheBuild) {
    EXPECT_EQ(Run(root.root + "/no-schema"), 1);
    EXPECT_NE(output.find("support.sql: cannot read the schema"), std::string::npos) << output;
    files.erase("usda/ABBREV.txt");
    fs::remove(fs::path(root.root) / "usda/ABBREV.txt");
    EXPECT_EQ(Run(), 1);
    EXPECT_NE(output.find("ABBREV.txt: cannot read the USDA food file"), std::string::npos)
        << output;
    EXPECT_FALSE(fs::exists(SupportPath()));
}

TEST_F(MakeDatabases, IncompleteCommandLineShowsUsage) {
    const int status = std::system(("'" + ToolPath() + "' --schema x >/dev/null 2>&1").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

}  // namespace
}  // namespace pantrio::test
