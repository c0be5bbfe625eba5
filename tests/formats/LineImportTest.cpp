// The two threads of a line import on a collection of a few thousand recipes:
// a cancel stores exactly what a full import stores up to the cut, with the
// same messages, and failures on either thread end the import without a hang.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/Text.h"
#include "formats/ImportProgress.h"
#include "formats/LineImport.h"
#include "formats/MealMasterImport.h"
#include "storage/RecipeDB.h"
#include "support/TestDatabases.h"

namespace pantrio {
namespace {

using Texts = std::vector<std::string>;

// A MealMaster collection of `count` recipes of varying size. Every 500th is a
// copy of the one before (a duplicate) and every 97th lacks its end line (a
// message, the recipe is still stored).
struct Collection {
    explicit Collection(int count) {
        long line = 0;
        const auto add = [&](const std::string& text) {
            this->text += text + "\n";
            ++line;
        };
        for (int i = 1; i <= count; ++i) {
            const int k = i % 500 == 0 ? i - 1 : i;
            titles.push_back("Test Dish " + std::to_string(k));
            add("MMMMM----- Recipe via Meal-Master (tm) v8.05");
            add("");
            add("      Title: Test Dish " + std::to_string(k));
            titleLines.push_back(line);
            add(" Categories: Soups, Group " + std::to_string(k % 13));
            add("      Yield: " + std::to_string(k % 8 + 1) + " servings");
            add("");
            for (int j = 1; j <= k % 9 + 1; ++j)
                add(Format("%7d %-2s %s", j, j % 2 ? "c" : "ts",
                           ("Item " + std::to_string(j) + " of " + std::to_string(k) +
                            (j == 3 ? "; chopped" : ""))
                               .c_str()));
            add("");
            for (int s = 1; s <= k % 4 + 1; ++s) {
                add("Step " + std::to_string(s) + " of dish " + std::to_string(k) + ".");
                add("");
            }
            if (k % 97 != 0 || i == count) add("MMMMM");
            add("");
        }
    }
    std::string text;
    Texts titles;                  // in file order
    std::vector<long> titleLines;  // the line of each title
};

// At the status of the nth title: sets the cancel flag, the way a user
// presses Cancel while a title is shown, or throws, the way a broken window would.
class AtTitle : public RecordingProgress {
public:
    AtTitle(std::size_t n, bool fail) : n_(n), fail_(fail) {}
    void SetStatus(const std::string& text) override {
        RecordingProgress::SetStatus(text);
        if (statuses.size() != n_) return;
        if (fail_) throw std::runtime_error("broken window");
        SetCancelled(true);
    }

private:
    std::size_t n_;
    bool fail_;
};

// Every column the import fills, of the recipes numbered up to `lastId` and
// their lines, in storing order.
std::string Dump(RecipeDB& db, long lastId) {
    const std::string upTo = std::to_string(lastId);
    std::string all;
    for (const char* column : {"RecipeID", "Title", "Instructions", "YieldText", "YieldNumber",
                               "YieldUnit", "AllCategoriesText", "SubHead"})
        all += db.QueryText(std::string("Select group_concat(") + column +
                            ", '#') from Recipes where RecipeID <= " + upTo) +
               "\n";
    for (const char* column : {"IngredientLinesID", "RecipeID", "LineOrder", "TextQty", "DblQty",
                               "Measure", "Name", "PrepNotes"})
        all += db.QueryText(std::string("Select group_concat(") + column +
                            ", '#') from IngredientLines where RecipeID <= " + upTo) +
               "\n";
    return all;
}

class LineImportTest : public ::testing::Test {
protected:
    static constexpr int kRecipes = 5200;

    // The collection and its full import, shared by the tests.
    static void SetUpTestSuite() {
        shared_ = new Shared;
        Shared& s = *shared_;
        ASSERT_TRUE(s.root.Ok()) << s.root.Error();
        s.path = s.root.PathOf("collection.mmf");
        std::ofstream(s.path, std::ios::binary) << s.collection.text;
        ASSERT_TRUE(s.full.Open(s.root.boxPath)) << s.full.ErrorReport();
        s.summary = ImportMealMaster(s.path, s.full, s.window);
        s.messages = s.window.messages.Texts();
    }
    static void TearDownTestSuite() {
        delete shared_;
        shared_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(db.Open(root.boxPath)) << db.ErrorReport(); }

    struct Shared {
        test::TempDataRoot root;
        Collection collection{kRecipes};
        std::string path;
        RecipeDB full;
        RecordingProgress window;
        ImportSummary summary;
        Texts messages;
    };
    static Shared* shared_;

    test::TempDataRoot root;
    RecipeDB db;
};

LineImportTest::Shared* LineImportTest::shared_ = nullptr;

TEST_F(LineImportTest, AFullImportBreathesOnceALineAndStoresEveryRecipeInOrder) {
    const Shared& s = *shared_;
    const long duplicates = kRecipes / 500;
    EXPECT_FALSE(s.summary.cancelled);
    EXPECT_EQ(s.summary.recipesFound, kRecipes);
    EXPECT_EQ(s.summary.stored, kRecipes - duplicates);
    EXPECT_EQ(s.summary.duplicates, duplicates);
    EXPECT_EQ(s.summary.notStored, duplicates);
    EXPECT_EQ(s.summary.linesRead, s.window.breaths);
    EXPECT_EQ(s.window.statuses, s.collection.titles);
    EXPECT_EQ(s.window.position, 100);
    ASSERT_EQ(s.summary.newRecipeIDs.size(), static_cast<std::size_t>(s.summary.stored));
    for (std::size_t i = 0; i < s.summary.newRecipeIDs.size(); ++i)
        ASSERT_EQ(s.summary.newRecipeIDs[i], static_cast<int>(i) + 1);
    // One message for every duplicate and every recipe closed by the next.
    EXPECT_EQ(static_cast<long>(s.messages.size()), duplicates + (kRecipes - 1) / 97);
    EXPECT_EQ(s.full.TransactionDepth(), 0);
}

// Cancels while the nth title is shown: recipes 1..n-1 are stored exactly as
// the full import stored them, the nth is reported as cut off, and the
// messages are the full import's up to there.
TEST_F(LineImportTest, ACancelStoresWhatTheFullImportStoredUpToTheCut) {
    const Shared& s = *shared_;
    // First and second recipe, a recipe closed by the next one (97), after a
    // duplicate (500, 501), around the commit of the 5000th stored recipe, the last.
    for (const int n : {1, 2, 98, 500, 502, 5010, 5011, 5012, kRecipes}) {
        SCOPED_TRACE("cancel at title " + std::to_string(n));
        test::TempDataRoot where;
        RecipeDB box;
        ASSERT_TRUE(box.Open(where.boxPath));
        AtTitle window(static_cast<std::size_t>(n), false);
        const ImportSummary summary = ImportMealMaster(s.path, box, window);

        const long titleLine = s.collection.titleLines[n - 1];
        const long duplicates = (n - 1) / 500;
        EXPECT_TRUE(summary.cancelled);
        EXPECT_EQ(summary.recipesFound, n);
        EXPECT_EQ(summary.stored, n - 1 - duplicates);
        EXPECT_EQ(summary.duplicates, duplicates);
        EXPECT_EQ(summary.notStored, duplicates + 1);
        EXPECT_EQ(summary.linesRead, titleLine + 1);
        EXPECT_EQ(window.breaths, titleLine + 1);
        EXPECT_EQ(box.TransactionDepth(), 0);

        const Texts messages = window.messages.Texts();
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.back(),
                  Format("Cancelled after line %ld: %s (line %ld).  Not added.", titleLine,
                         s.collection.titles[n - 1].c_str(), titleLine));
        ASSERT_LE(messages.size() - 1, s.messages.size());
        EXPECT_TRUE(std::equal(messages.begin(), messages.end() - 1, s.messages.begin()));

        EXPECT_EQ(box.QueryNumber("Select Count(*) from Recipes"), summary.stored);
        EXPECT_EQ(box.QueryNumber("Select Count(*) from IngredientLines where RecipeID not in "
                                  "(Select RecipeID from Recipes)"),
                  0);
        EXPECT_EQ(Dump(box, kRecipes), Dump(shared_->full, summary.stored));
    }
}

// Throws from Feed at one line, after reading the lines before as usual.
class ThrowingParser : public MealMasterParser {
public:
    explicit ThrowingParser(long at) : at_(at) {}
    void Feed(const std::string& line, long lineNumber) override {
        if (lineNumber == at_) throw std::runtime_error("broken parser");
        MealMasterParser::Feed(line, lineNumber);
    }

private:
    long at_;
};

TEST_F(LineImportTest, AnExceptionOnEitherThreadEndsTheImportWithoutAHang) {
    const Shared& s = *shared_;
    // The parser fails on the title line of the 300th recipe: the recipes
    // before it were handled, the exception reaches the caller.
    ThrowingParser parser(s.collection.titleLines[299]);
    RecordingProgress window;
    EXPECT_THROW(RunLineImport(s.path, parser, db, window, {}), std::runtime_error);
    EXPECT_EQ(window.statuses.size(), 299u);
    EXPECT_EQ(window.breaths, s.collection.titleLines[299]);
    EXPECT_FALSE(parser.onRecipe || parser.onMessage || parser.onTitle);
    if (db.TransactionDepth() > 0) db.RollbackTransaction();

    // The window fails while the reading thread waits on a full queue.
    MealMasterParser other;
    AtTitle failing(10, true);
    EXPECT_THROW(RunLineImport(s.path, other, db, failing, {}), std::runtime_error);
    EXPECT_EQ(failing.statuses.size(), 10u);
    EXPECT_FALSE(other.onRecipe || other.onMessage || other.onTitle);
    if (db.TransactionDepth() > 0) db.RollbackTransaction();

    // The parser is usable again afterwards.
    test::TempDataRoot where;
    RecipeDB box;
    ASSERT_TRUE(box.Open(where.boxPath));
    RecordingProgress again;
    EXPECT_EQ(RunLineImport(s.path, other, box, again, {}).stored, s.summary.stored);
}

// A recipe the box refuses a line of, and then refuses to remove: rather
// than keep half of it, the save rolls back the open transaction. The import
// lists that, counts the recipes of the lost batch as not stored and goes on.
TEST_F(LineImportTest, ABatchTheBoxRolledBackIsCountedAsNotStored) {
    ASSERT_EQ(sqlite3_exec(db.Handle(),
                           "CREATE TRIGGER refuse BEFORE INSERT ON IngredientLines WHEN NEW.Name "
                           "= 'Item 2 of 5' BEGIN SELECT RAISE(ABORT, 'refused'); END;"
                           "CREATE TRIGGER keep BEFORE DELETE ON Recipes BEGIN SELECT "
                           "RAISE(ABORT, 'kept'); END;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    const Collection twelve(12);
    const std::string path = root.PathOf("twelve.mmf");
    std::ofstream(path, std::ios::binary) << twelve.text;
    RecordingProgress window;
    const ImportSummary summary = ImportMealMaster(path, db, window);
    EXPECT_EQ(summary.stored, 7);
    EXPECT_EQ(summary.notStored, 5);
    EXPECT_EQ(summary.newRecipeIDs, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(db.QueryText("Select group_concat(Title, '|') from (Select Title from Recipes order "
                           "by RecipeID)"),
              "Test Dish 6|Test Dish 7|Test Dish 8|Test Dish 9|Test Dish 10|Test Dish 11|"
              "Test Dish 12");
    const Texts messages = window.messages.Texts();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "Could not store recipe: Test Dish 5.");
    EXPECT_EQ(messages[1].rfind("Could not store the recipes read so far: ", 0), 0u) << messages[1];
    EXPECT_EQ(db.TransactionDepth(), 0);
}

}  // namespace
}  // namespace pantrio
