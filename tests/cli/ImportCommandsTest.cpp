// The import, export, scale and convert commands of pantrio-cli on a real
// data root.
#include <filesystem>

#include "cli/CliFixture.h"
#include "recipe/RecipePicture.h"

namespace pantrio::test {
namespace {

const std::string kMealMaster =
    "MMMMM----- Recipe via Meal-Master (tm) v8.05\n"
    "\n"
    "      Title: Mom's Tomato Soup\n"
    " Categories: Soups\n"
    "      Yield: 4 servings\n"
    "\n"
    "      2 c  Milk\n"
    "      8 oz Tomato paste\n"
    "      1 ts Salt\n"
    "\n"
    "  Warm the milk, stir in the paste & salt.\n"
    "\n"
    "MMMMM\n";

class ImportCommandsTest : public CliTest {
protected:
    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = temp.PathOf(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
};

TEST_F(ImportCommandsTest, ImportsTellsAboutDuplicatesAndExportsAgain) {
    const std::string file = Write("soup.mmf", kMealMaster);
    CliRun run = Cli({"import", file});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "Imported 1 recipe, 0 duplicates skipped\n");

    run = Cli({"import", file});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "Imported 0 recipes, 1 duplicate skipped\n");
    EXPECT_NE(run.err.find("Duplicate found: Mom's Tomato Soup.  Not added."), std::string::npos);

    const std::string rxf = temp.PathOf("soup.rxf");
    run = Cli({"export-rxf", "--out", rxf, "1"});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string text = ReadFile(rxf);
    EXPECT_EQ(text.rfind("<RECIPE>", 0), 0u) << text;
    EXPECT_NE(text.find("Mom's Tomato Soup"), std::string::npos);

    // The exported file goes into a new box whole.
    ASSERT_EQ(Cli({"--yes", "new-box", "Second"}).code, 0);
    run = Cli({"import", rxf});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "Imported 1 recipe, 0 duplicates skipped\n");
    run = Cli({"list"});
    EXPECT_EQ(run.out, "1\tMom's Tomato Soup\n");
}

TEST_F(ImportCommandsTest, CopiesAnotherBoxAndRefusesTheOpenOne) {
    ASSERT_EQ(Cli({"import", Write("soup.mmf", kMealMaster)}).code, 0);
    const std::string standard = Root() + "/Rbox/standard.crb";
    CliRun run = Cli({"import", standard});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("That recipe box is the one you are currently viewing."),
              std::string::npos);

    ASSERT_EQ(Cli({"new-box", "kitchen"}).code, 0);
    run = Cli({"import", standard});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "Imported 1 recipe, 0 duplicates skipped\n");
    run = Cli({"import", standard});
    EXPECT_EQ(run.out, "Imported 0 recipes, 1 duplicate skipped\n");
}

TEST_F(ImportCommandsTest, SeveralRecipesExportAsOneDocument) {
    std::string two = kMealMaster;
    two += ReplaceAll(kMealMaster, "Mom's Tomato Soup", "Dad's Tomato Soup");
    ASSERT_EQ(Cli({"import", Write("two.mmf", two)}).out,
              "Imported 2 recipes, 0 duplicates skipped\n");
    const std::string rxf = temp.PathOf("both.rxf");
    ASSERT_EQ(Cli({"export-rxf", "--out", rxf, "1", "2"}).code, 0);
    const std::string text = ReadFile(rxf);
    EXPECT_EQ(text.rfind("<RXF>", 0), 0u);
    ASSERT_EQ(Cli({"new-box", "copy"}).code, 0);
    EXPECT_EQ(Cli({"import", rxf}).out, "Imported 2 recipes, 0 duplicates skipped\n");
}

TEST_F(ImportCommandsTest, JsonLdExportImportsBackIntoAnotherBox) {
    std::string two = kMealMaster;
    two += ReplaceAll(kMealMaster, "Mom's Tomato Soup", "Dad's Soup <3 & Bread");
    ASSERT_EQ(Cli({"import", Write("two.mmf", two)}).code, 0);
    const std::string one = temp.PathOf("one.json");
    const std::string both = temp.PathOf("both.json");
    CliRun run = Cli({"export-jsonld", "--out", one, "1"});
    ASSERT_EQ(run.code, 0) << run.err;
    ASSERT_EQ(Cli({"export-jsonld", "--out=" + both, "1", "2"}).code, 0);
    EXPECT_EQ(ReadFile(one).rfind("{", 0), 0u) << "one recipe: one object";
    EXPECT_EQ(ReadFile(both).rfind("[", 0), 0u) << "several: an array";
    EXPECT_NE(ReadFile(both).find("Dad's Soup \\u0026lt;3 \\u0026 Bread"), std::string::npos);

    ASSERT_EQ(Cli({"new-box", "copy"}).code, 0);
    EXPECT_EQ(Cli({"import", both}).out, "Imported 2 recipes, 0 duplicates skipped\n");
    EXPECT_EQ(Cli({"list"}).out, "2\tDad's Soup <3 & Bread\n1\tMom's Tomato Soup\n");
    // The round trip keeps the lines and the instructions: the copy is a duplicate.
    EXPECT_EQ(Cli({"import", one}).out, "Imported 0 recipes, 1 duplicate skipped\n");
    const std::string again = temp.PathOf("again.json");
    ASSERT_EQ(Cli({"export-jsonld", "--out", again, "1"}).code, 0);
    EXPECT_EQ(ReadFile(again), ReadFile(one));

    // A picture from a file for the recipes a page brings; a file that is
    // no JPEG imports nothing.
    ASSERT_EQ(Cli({"new-box", "pictures"}).code, 0);
    run = Cli({"import", "--picture", Write("pie.jpg", "not a jpeg"), one});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("pie.jpg"), std::string::npos) << run.err;
    EXPECT_EQ(Cli({"list"}).out, "");
    const std::string jpeg = temp.PathOf("soup.jpg");
    ASSERT_TRUE(WriteJpegFile({500, 250, std::vector<unsigned char>(500 * 250 * 3, 60)}, jpeg, 90));
    run = Cli({"import", "--picture=" + jpeg, one});
    ASSERT_EQ(run.code, 0) << run.err;
    RgbImage stored;
    EXPECT_EQ(ReadJpegFile(Root() + "/Rbox/pictures/Pictures/1_Mom_s_Tomato_Soup.jpg", stored),
              PictureResult::Ok);
    EXPECT_EQ(stored.height, 150);
    EXPECT_EQ(Cli({"import", "--picture"}).code, 2);

    // Unknown numbers and bad arguments write nothing.
    const std::string none = temp.PathOf("none.json");
    run = Cli({"export-jsonld", "--out", none, "1", "42"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("No recipe number 42"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(none));
    EXPECT_EQ(Cli({"export-jsonld", "1"}).code, 2);
    EXPECT_EQ(Cli({"export-jsonld", "--out", none, "x"}).code, 2);
    EXPECT_NE(Cli({"--help"}).out.find("export-jsonld --out FILE ID..."), std::string::npos);
}

TEST_F(ImportCommandsTest, TextFilesAreToldApartByTheirContent) {
    // A MasterCook export and a MealMaster file whose second recipe lacks its
    // end line, both named .txt.
    const std::string mxp = Write(
        "mastercook.txt", ReadFile(std::string(PANTRIO_TEST_DATA_DIR) + "/mxp/two_recipes.mxp"));
    std::string unclosed = ReplaceAll(kMealMaster, "Mom's Tomato Soup", "Open Soup");
    unclosed.resize(unclosed.rfind("MMMMM"));
    const std::string mmf = Write("mealmaster.txt", kMealMaster + unclosed);
    const CliRun run = Cli({"import", mxp, mmf});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "Imported 3 recipes, 0 duplicates skipped, 1 not stored\n");
    EXPECT_NE(run.err.find("No end line: Open Soup (line "), std::string::npos) << run.err;
}

TEST_F(ImportCommandsTest, ScalesAndConvertsARecipe) {
    ASSERT_EQ(Cli({"import", Write("soup.mmf", kMealMaster)}).code, 0);
    CliRun run = Cli({"scale", "1", "6"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "ScaleMultiple 1.5000\n");

    run = Cli({"convert", "1"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("Converted 3 lines to metric units"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("0.5\tl\tMilk"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("226.8\tg\tTomato paste"), std::string::npos) << run.out;
    run = Cli({"convert", "1"});
    EXPECT_NE(run.out.find("to English units"), std::string::npos) << run.out;
}

TEST_F(ImportCommandsTest, BadArgumentsAndFilesAreRefusedClearly) {
    EXPECT_EQ(Cli({"import"}).code, 2);
    EXPECT_EQ(Cli({"scale", "x", "4"}).code, 2);
    EXPECT_EQ(Cli({"export-rxf", "1"}).code, 2);
    CliRun run = Cli({"import", temp.PathOf("missing.mmf")});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("no such file"), std::string::npos);
    run = Cli({"import", Write("notes.doc", "hello")});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("not a recipe file"), std::string::npos);
    run = Cli({"scale", "42", "4"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("No recipe number 42"), std::string::npos);
}

}  // namespace
}  // namespace pantrio::test
