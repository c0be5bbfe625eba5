// MealMaster import into a real recipe box on disk.
#include <dirent.h>
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "base/Text.h"
#include "formats/ImportProgress.h"
#include "formats/MealMasterImport.h"
#include "storage/RecipeDB.h"
#include "support/FakePrompter.h"
#include "support/TestDatabases.h"

namespace pantrio {
namespace {

class MealMasterImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.Ok()) << root.Error();
        ASSERT_TRUE(db.Open(root.boxPath)) << db.ErrorReport();
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
    test::FakePrompter prompter;
    ImportSummary summary;
};

const std::string kTwoRecipes = std::string(PANTRIO_TEST_DATA_DIR) + "/mealmaster/two_recipes.mmf";

TEST_F(MealMasterImportTest, StoresEveryRecipeAndRefusesDuplicates) {
    EXPECT_EQ(ImportMealMaster(kTwoRecipes, db, window, &prompter, &summary), 0);
    EXPECT_EQ(summary.stored, 2);
    EXPECT_EQ(Count("Recipes"), 2);
    EXPECT_EQ(Count("IngredientLines"), 7);
    EXPECT_EQ(db.QueryText("Select Cuisine from Recipes where Title = 'Apple Pie Deluxe'"),
              "Italian");
    EXPECT_EQ(window.statuses, (std::vector<std::string>{"Apple Pie Deluxe", "Quick Soup"}));
    EXPECT_EQ(window.position, 100);
    EXPECT_TRUE(window.messages.rows.empty());
    EXPECT_EQ(db.TransactionDepth(), 0);

    EXPECT_EQ(ImportMealMaster(kTwoRecipes, db, window, &prompter, &summary), 0);
    EXPECT_EQ(summary.stored, 0);
    EXPECT_EQ(summary.notStored, 2);
    EXPECT_EQ(window.messages.Texts(),
              (std::vector<std::string>{"Duplicate found: Apple Pie Deluxe.  Not added.",
                                        "Duplicate found: Quick Soup.  Not added."}));
    EXPECT_EQ(Count("Recipes"), 2);
}

TEST_F(MealMasterImportTest, CancelKeepsFinishedRecipesOnly) {
    // The first recipe ends at line 21; cancel while the second is read.
    window.CancelAfterBreaths(27);
    EXPECT_EQ(ImportMealMaster(kTwoRecipes, db, window, &prompter, &summary), 0);
    EXPECT_TRUE(summary.cancelled);
    EXPECT_EQ(Count("Recipes"), 1);
    EXPECT_EQ(Count("IngredientLines"), 5);
    ASSERT_EQ(window.messages.rows.size(), 1u);
    EXPECT_EQ(window.messages.rows[0].text,
              "Cancelled after line 26: Quick Soup (line 25).  Not added.");
    EXPECT_EQ(db.TransactionDepth(), 0);

    // The flag is cleared when the next import starts.
    RecordingProgress again;
    again.SetCancelled(true);
    EXPECT_EQ(ImportMealMaster(kTwoRecipes, db, again, &prompter, &summary), 0);
    EXPECT_EQ(Count("Recipes"), 2);
}

TEST_F(MealMasterImportTest, EmptyAndMissingFiles) {
    EXPECT_EQ(ImportMealMaster(Write("empty.mmf", ""), db, window, &prompter, &summary), -1);
    EXPECT_TRUE(prompter.Messages().empty());

    const std::string missing = root.PathOf("absent.mmf");
    EXPECT_EQ(ImportMealMaster(missing, db, window, &prompter, &summary), 0);
    EXPECT_EQ(prompter.Messages(), std::vector<std::string>{"Failed to open " + missing});
    EXPECT_EQ(Count("Recipes"), 0);
}

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
    EXPECT_EQ(ImportMealMaster(Write("mixed.mmf", mixed), db, window, &prompter, &summary), 0);
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
    EXPECT_EQ(ImportMealMaster(Write("binary.mmf", binary), db, second, &prompter, &summary), 0);
    EXPECT_EQ(summary.stored, 0);
    EXPECT_EQ(second.messages.Texts().back(), "No MealMaster recipes found in this file.");

    // A file cut off in the middle of a recipe.
    const std::string truncated = text.substr(0, text.find("Heat and"));
    RecordingProgress third;
    EXPECT_EQ(ImportMealMaster(Write("cut.mmf", truncated), db, third, &prompter, &summary), 0);
    EXPECT_EQ(third.messages.Texts(),
              (std::vector<std::string>{"Duplicate found: Apple Pie Deluxe.  Not added.",
                                        "No end line: Quick Soup (line 25).  Not added."}));
    EXPECT_EQ(Count("Recipes"), 2);
    ExpectNoOrphanLines();
}

// The recipes a MealMaster file announces: header lines, counted as the
// corpus notes count them.
long CountHeaders(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    long count = 0;
    while (std::getline(in, line)) {
        if ((StartsWith(line, "MMMMM") || StartsWith(line, "-----")) &&
            (line.find("Meal-Master") != std::string::npos ||
             line.find("Exported") != std::string::npos ||
             line.find("Recipe") != std::string::npos)) {
            ++count;
        }
    }
    return count;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> files;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            if (entry->d_name[0] != '.') files.push_back(folder + "/" + entry->d_name);
        }
        closedir(dir);
    }
    return files;
}

TEST_F(MealMasterImportTest, EveryCorpusRecipeIsStoredOrReported) {
    const std::string corpus = std::string(PANTRIO_SHARED_DIR) + "/corpus";
    std::vector<std::string> files = FilesIn(corpus + "/mealmaster");
    for (const auto& f : FilesIn(corpus + "/large")) files.push_back(f);
    if (files.empty()) GTEST_SKIP() << "no corpus at " << corpus;
    long total = 0;
    for (const auto& file : files) {
        test::TempDataRoot fresh;
        RecipeDB box;
        ASSERT_TRUE(box.Open(fresh.boxPath));
        RecordingProgress progress;
        ASSERT_EQ(ImportMealMaster(file, box, progress, &prompter, &summary), 0) << file;
        const long promised = CountHeaders(file);
        EXPECT_GE(summary.stored + summary.notStored, promised) << file;
        EXPECT_EQ(box.QueryNumber("Select Count(*) from Recipes"), summary.stored) << file;
        total += summary.stored;
    }
    EXPECT_GE(total, 831);
}

}  // namespace
}  // namespace pantrio
