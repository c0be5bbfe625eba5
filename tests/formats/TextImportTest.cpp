// What the two line-based text importers (MealMaster and MasterCook MXP) do
// alike, run once per format: each format below writes the same test recipes
// in its own layout, and the same expectations hold for both.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <random>

#include "base/Text.h"
#include "formats/ImportProgress.h"
#include "formats/LineReader.h"
#include "formats/MealMasterImport.h"
#include "formats/MxpImport.h"
#include "storage/RecipeDB.h"
#include "storage/Store.h"
#include "support/Corpus.h"
#include "support/TestDatabases.h"

namespace pantrio {
namespace {

using Lines = std::vector<std::string>;

// A test recipe; each format writes it as its own block of lines.
struct TestRecipe {
    std::string title;
    int ingredients = 2;
    Lines directions = {"Stir well.", "", "Serve hot."};
    bool closed = true;  // whether the block has an end line, where the format has one
};

// The directions above as the importers store them.
const std::string kStoredDirections = "Stir well.\r\n\r\nServe hot.";

long CountLinesWith(const std::string& path, const std::function<bool(const std::string&)>& is) {
    std::ifstream in(path, std::ios::binary);
    long count = 0;
    for (std::string line; std::getline(in, line);)
        if (is(line)) ++count;
    return count;
}

struct MealMasterFormat {
    static constexpr const char* kNoRecipes = "No MealMaster recipes found in this file.";
    static constexpr bool kNeedsEndLine = true;
    // The block's line its reports name (0-based): the title line.
    static constexpr long kReportedLine = 2;

    static ImportSummary Import(const std::string& path, RecipeDB& db, ImportProgress& window,
                                const ImportOptions& options) {
        return ImportMealMaster(path, db, window, options);
    }
    static Lines Block(const TestRecipe& r) {
        Lines lines = {"MMMMM----- Recipe via Meal-Master (tm) v8.05",
                       "",
                       "      Title: " + r.title,
                       " Categories: Soups",
                       "      Yield: 4 servings",
                       ""};
        for (int i = 1; i <= r.ingredients; ++i)
            lines.push_back("      1 c  Item " + std::to_string(i));
        lines.push_back("");
        lines.insert(lines.end(), r.directions.begin(), r.directions.end());
        lines.push_back("");
        if (r.closed) lines.push_back("MMMMM");
        lines.push_back("");
        return lines;
    }

    // The corpus: its files, and the recipes they announce (header lines,
    // counted as the corpus notes count them).
    static Lines CorpusFolders() { return {"mealmaster", "large"}; }
    static constexpr long kCorpusRecipes = 831;
    static long CountAnnounced(const std::string& path) {
        return CountLinesWith(path, [](const std::string& line) {
            return (StartsWith(line, "MMMMM") || StartsWith(line, "-----")) &&
                   (line.find("Meal-Master") != std::string::npos ||
                    line.find("Exported") != std::string::npos ||
                    line.find("Recipe") != std::string::npos);
        });
    }
};

struct MasterCookFormat {
    static constexpr const char* kNoRecipes = "No MasterCook recipes found in this file.";
    static constexpr bool kNeedsEndLine = false;  // a recipe runs to the next banner
    static constexpr long kReportedLine = 0;      // the banner

    static ImportSummary Import(const std::string& path, RecipeDB& db, ImportProgress& window,
                                const ImportOptions& options) {
        return ImportMasterCook(path, db, window, options);
    }
    static Lines Block(const TestRecipe& r) {
        Lines lines = {"* Exported from MasterCook *",
                       "",
                       r.title,
                       "",
                       "Recipe By     : Sam",
                       "Serving Size  : 4",
                       "Categories    : Soups",
                       "",
                       "  Amount  Measure       Ingredient -- Preparation Method",
                       "--------  ------------  --------------------------------"};
        for (int i = 1; i <= r.ingredients; ++i)
            lines.push_back("   1      c             Item " + std::to_string(i));
        lines.push_back("");
        lines.insert(lines.end(), r.directions.begin(), r.directions.end());
        lines.push_back("");
        return lines;
    }

    static Lines CorpusFolders() { return {"mastercook-mxp"}; }
    static constexpr long kCorpusRecipes = 89;
    static long CountAnnounced(const std::string& path) {
        return CountLinesWith(path, [](const std::string& line) {
            return line.find("Exported from MasterCook") != std::string::npos;
        });
    }
};

template <typename Format>
class TextImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.Ok()) << root.Error();
        ASSERT_TRUE(db.Open(root.boxPath)) << db.ErrorReport();
    }

    // The recipes' blocks one after the other, with `ending` after each line.
    static std::string FileText(const std::vector<TestRecipe>& recipes,
                                const std::string& ending = "\n") {
        std::string text;
        for (const TestRecipe& r : recipes)
            for (const std::string& line : Format::Block(r)) text += line + ending;
        return text;
    }
    std::string Write(const std::string& bytes) {
        const std::string path = root.PathOf("import" + std::to_string(++files_) + ".txt");
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    ImportSummary Import(const std::string& bytes, ImportOptions options = {}) {
        window.messages.ClearRows();
        return Format::Import(Write(bytes), db, window, options);
    }
    // The 1-based line a report names for the recipe whose block starts after
    // `linesBefore` lines.
    static long ReportedLine(std::size_t linesBefore) {
        return static_cast<long>(linesBefore) + 1 + Format::kReportedLine;
    }

    long Count(const std::string& table) { return db.QueryNumber("Select Count(*) from " + table); }
    Recipe Stored(const std::string& title) {
        Recipe recipe;
        const int id =
            db.QueryInt("Select RecipeID from Recipes where Title = '" + QuoteSql(title) + "'");
        EXPECT_EQ(db.LoadRecipe(id, recipe), 1) << title;
        db.LoadIngredientLines(id, recipe);
        return recipe;
    }
    // Every stored line belongs to a stored recipe: nothing is half-stored.
    void ExpectWholeRecipesOnly() {
        EXPECT_EQ(db.QueryNumber("Select Count(*) from IngredientLines where RecipeID not in "
                                 "(Select RecipeID from Recipes)"),
                  0);
        EXPECT_EQ(db.TransactionDepth(), 0);
    }

    test::TempDataRoot root;
    RecipeDB db;
    RecordingProgress window;

private:
    int files_ = 0;
};

using Formats = ::testing::Types<MealMasterFormat, MasterCookFormat>;
TYPED_TEST_SUITE(TextImportTest, Formats);

TYPED_TEST(TextImportTest, StoresEveryRecipeCountsItAndRefusesDuplicates) {
    const std::string text = this->FileText({{"First Soup"}, {"Second Soup"}});
    ImportSummary summary = this->Import(text);
    EXPECT_EQ(summary.recipesFound, 2);
    EXPECT_EQ(summary.stored, 2);
    EXPECT_EQ(summary.notStored, 0);
    EXPECT_EQ(summary.newRecipeIDs, (std::vector<int>{1, 2}));
    EXPECT_EQ(summary.linesRead, static_cast<long>(2 * TypeParam::Block({"x"}).size()));
    EXPECT_FALSE(summary.cancelled);
    EXPECT_EQ(this->window.statuses, (Lines{"First Soup", "Second Soup"}));
    EXPECT_EQ(this->window.position, 100);
    EXPECT_TRUE(this->window.messages.rows.empty());
    const Recipe first = this->Stored("First Soup");
    EXPECT_EQ(first.Instructions, kStoredDirections);
    EXPECT_EQ(first.LineCount(), 2);
    EXPECT_EQ(first.AllCategoriesText, "|Soups");
    EXPECT_DOUBLE_EQ(first.YieldNumber, 4);

    summary = this->Import(text);
    EXPECT_EQ(summary.stored, 0);
    EXPECT_EQ(summary.notStored, 2);
    EXPECT_EQ(summary.duplicates, 2);
    EXPECT_TRUE(summary.newRecipeIDs.empty());
    EXPECT_EQ(this->window.messages.Texts(), (Lines{"Duplicate found: First Soup.  Not added.",
                                                    "Duplicate found: Second Soup.  Not added."}));
    EXPECT_EQ(this->Count("Recipes"), 2);
    this->ExpectWholeRecipesOnly();
}

TYPED_TEST(TextImportTest, CancelKeepsWholeRecipesOnly) {
    const std::string text = this->FileText({{"Done Soup"}, {"Half Soup"}});
    const std::size_t block = TypeParam::Block({"x"}).size();
    // Cancel once the second recipe's title was read.
    this->window.CancelAfterBreaths(static_cast<int>(block) + 4);
    ImportSummary summary = this->Import(text);
    EXPECT_TRUE(summary.cancelled);
    EXPECT_EQ(summary.stored, 1);
    EXPECT_EQ(this->Count("Recipes"), 1);
    EXPECT_EQ(this->window.messages.Texts(),
              Lines{Format("Cancelled after line %zu: Half Soup (line %ld).  Not added.", block + 3,
                           this->ReportedLine(block))});
    this->ExpectWholeRecipesOnly();

    // The flag is cleared when the next import starts.
    this->window.CancelAfterBreaths(-1);
    summary = this->Import(text);
    EXPECT_FALSE(summary.cancelled);
    EXPECT_EQ(summary.stored, 1);
    EXPECT_EQ(summary.duplicates, 1);
    EXPECT_EQ(this->Count("Recipes"), 2);
}

TYPED_TEST(TextImportTest, EmptyAndMissingFilesStoreNothing) {
    ImportSummary summary = this->Import("");
    EXPECT_TRUE(summary.emptyFile);
    EXPECT_TRUE(summary.notices.empty());

    const std::string missing = this->root.PathOf("absent.txt");
    summary = TypeParam::Import(missing, this->db, this->window, {});
    ASSERT_EQ(summary.notices.size(), 1u);
    EXPECT_EQ(summary.notices[0].text, "Failed to open " + missing);
    EXPECT_FALSE(summary.emptyFile);

    summary = this->Import("just some text\n\nmore text\n");
    EXPECT_EQ(this->window.messages.Texts(), Lines{TypeParam::kNoRecipes});
    EXPECT_EQ(summary.notStored, 0);  // no recipe began, so none was dropped
    EXPECT_EQ(this->Count("Recipes"), 0);
}

TYPED_TEST(TextImportTest, OverLongDirectionsDropTheRecipeAndOverLongLinesAreCut) {
    // 1.2 MB of directions in lines short enough to be read whole.
    TestRecipe endless{"Endless Soup"};
    endless.directions.assign(20, std::string(60000, 'x'));
    TestRecipe wide{"Wide Soup"};
    wide.directions = {std::string(LineReader::kMaxLineBytes + 5000, 'y')};
    const std::size_t block = TypeParam::Block(endless).size();
    const Lines wideLines = TypeParam::Block(wide);
    const auto wideAt = std::find(wideLines.begin(), wideLines.end(), wide.directions[0]);

    const ImportSummary summary = this->Import(this->FileText({endless, wide}));
    EXPECT_EQ(summary.stored, 1);
    EXPECT_EQ(summary.notStored, 1);
    EXPECT_EQ(
        this->window.messages.Texts(),
        (Lines{Format("Directions longer than %zu characters: Endless Soup (line %ld).  Not added.",
                      RecipeTextParser::kMaxDirectionsBytes, this->ReportedLine(0)),
               Format("Line %zu is longer than %zu characters; the rest of it was skipped.",
                      block + (wideAt - wideLines.begin()) + 1, LineReader::kMaxLineBytes)}));
    EXPECT_EQ(this->Stored("Wide Soup").Instructions, std::string(LineReader::kMaxLineBytes, 'y'));
    this->ExpectWholeRecipesOnly();
}

TYPED_TEST(TextImportTest, MoreIngredientLinesThanFitAreCutAndReported) {
    TestRecipe many{"Many Things"};
    many.ingredients = Recipe::kMaxLines + 1;
    const ImportSummary summary = this->Import(this->FileText({many}));
    EXPECT_EQ(summary.stored, 1);
    EXPECT_EQ(this->window.messages.Texts(),
              Lines{Format("More than %d ingredient lines: Many Things (line %ld).  Only the first "
                           "%d were added.",
                           Recipe::kMaxLines, this->ReportedLine(0), Recipe::kMaxLines)});
    EXPECT_EQ(this->Stored("Many Things").LineCount(), Recipe::kMaxLines);
}

TYPED_TEST(TextImportTest, AnyLineEndReadsTheSame) {
    struct Case {
        const char* ending;
        const char* title;
    };
    for (const Case& c :
         {Case{"\n", "Unix Soup"}, Case{"\r\n", "Dos Soup"}, Case{"\r", "Mac Soup"}}) {
        SCOPED_TRACE(c.title);
        const ImportSummary summary = this->Import(this->FileText({{c.title}}, c.ending));
        EXPECT_EQ(summary.stored, 1);
        const Recipe stored = this->Stored(c.title);
        EXPECT_EQ(stored.Instructions, kStoredDirections);
        EXPECT_EQ(stored.LineCount(), 2);
    }
}

TYPED_TEST(TextImportTest, Windows1252BytesAreReadAsSuch) {
    TestRecipe french{"Cr\xE8me Soup"};
    french.directions = {"Caf\xE9 au lait \x96 chaud."};
    EXPECT_EQ(this->Import(this->FileText({french})).stored, 1);
    EXPECT_EQ(this->Stored("Cr\xC3\xA8me Soup").Instructions,
              "Caf\xC3\xA9 au lait \xE2\x80\x93 chaud.");
}

TYPED_TEST(TextImportTest, ARecipeWithoutItsEndLine) {
    TestRecipe open{"Open Soup"};
    open.closed = false;
    const ImportSummary summary = this->Import(this->FileText({{"Closed Soup"}, open}));
    if (TypeParam::kNeedsEndLine) {
        EXPECT_EQ(summary.stored, 1);
        EXPECT_EQ(summary.notStored, 1);
        EXPECT_EQ(this->window.messages.Texts(),
                  Lines{Format("No end line: Open Soup (line %ld).  Not added.",
                               this->ReportedLine(TypeParam::Block({"x"}).size()))});
    } else {
        EXPECT_EQ(summary.stored, 2);
        EXPECT_TRUE(this->window.messages.rows.empty());
    }
    this->ExpectWholeRecipesOnly();
}

TYPED_TEST(TextImportTest, LongFormUnitsWhenAsked) {
    ImportOptions longForm;
    longForm.longFormUnits = true;
    ASSERT_EQ(this->Import(this->FileText({{"Short Soup"}})).stored, 1);
    ASSERT_EQ(this->Import(this->FileText({{"Long Soup"}}), longForm).stored, 1);
    EXPECT_EQ(this->Stored("Short Soup").Lines.at(0).Measure, "c");
    EXPECT_NE(this->Stored("Long Soup").Lines.at(0).Measure, "c");
}

TYPED_TEST(TextImportTest, EveryCorpusRecipeIsStoredOrReported) {
    Lines files;
    for (const std::string& folder : TypeParam::CorpusFolders())
        for (const std::string& file : test::CorpusFiles(folder)) files.push_back(file);
    if (files.empty()) GTEST_SKIP() << test::CorpusMissing(TypeParam::CorpusFolders()[0]);
    long total = 0;
    for (const std::string& file : files) {
        test::TempDataRoot fresh;
        RecipeDB box;
        ASSERT_TRUE(box.Open(fresh.boxPath));
        RecordingProgress progress;
        const ImportSummary summary = TypeParam::Import(file, box, progress, {});
        EXPECT_GE(summary.stored + summary.notStored, TypeParam::CountAnnounced(file)) << file;
        EXPECT_EQ(box.QueryNumber("Select Count(*) from Recipes"), summary.stored) << file;
        total += summary.stored;
    }
    EXPECT_GE(total, TypeParam::kCorpusRecipes);
}

// What each format does on its own, on the same fixture.

std::string DataFile(const std::string& name) {
    return std::string(PANTRIO_TEST_DATA_DIR) + "/" + name;
}

using MealMasterImport = TextImportTest<MealMasterFormat>;
using MasterCookImport = TextImportTest<MasterCookFormat>;

TEST_F(MealMasterImport, DamagedFilesStoreOnlyWholeRecipes) {
    ImportSummary summary;
    std::string text;
    {
        std::ifstream in(DataFile("mealmaster/two_recipes.mmf"), std::ios::binary);
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
    summary = ImportMealMaster(Write(mixed), db, window);
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
    summary = ImportMealMaster(Write(binary), db, second);
    EXPECT_EQ(summary.stored, 0);
    EXPECT_EQ(second.messages.Texts().back(), "No MealMaster recipes found in this file.");
    EXPECT_EQ(Count("Recipes"), 2);
    ExpectWholeRecipesOnly();
}

TEST_F(MasterCookImport, ReadsFixedColumnsAndStoresBothRecipes) {
    EXPECT_EQ(ImportMasterCook(DataFile("mxp/two_recipes.mxp"), db, window).stored, 2);
    EXPECT_EQ(window.statuses, (std::vector<std::string>{"Chocolate Cake", "Plain Toast"}));
    EXPECT_EQ(Count("Recipes"), 2);
    EXPECT_EQ(Count("IngredientLines"), 4);

    Recipe cake;
    ASSERT_EQ(db.LoadRecipe(1, cake), 1);
    db.LoadIngredientLines(1, cake);
    EXPECT_EQ(cake.Title, "Chocolate Cake");
    EXPECT_EQ(cake.Source, "Grandma");
    EXPECT_DOUBLE_EQ(cake.YieldNumber, 8);
    EXPECT_EQ(cake.YieldUnit, "Servings");
    EXPECT_EQ(cake.YieldText, "8 Servings");
    EXPECT_EQ(db.QueryText("Select AllCategoriesText from Recipes where RecipeID = 1"),
              "|Desserts|Cakes|Chocolate");
    ASSERT_EQ(cake.LineCount(), 3);
    EXPECT_EQ(cake.Lines[0].TextQty, "1/2");
    EXPECT_DOUBLE_EQ(cake.Lines[0].DblQty, 0.5);
    EXPECT_EQ(cake.Lines[0].Measure, "teaspoon");
    EXPECT_EQ(cake.Lines[0].Name, "salt");
    EXPECT_EQ(cake.Lines[0].PrepNotes, "to taste");
    EXPECT_EQ(cake.Lines[1].TextQty, "1 1/2");
    EXPECT_EQ(cake.Lines[1].PrepNotes, "sifted");
    EXPECT_EQ(cake.Lines[2].Measure, "");
    // Line breaks between lines, the paragraph kept, a break for the rule.
    EXPECT_EQ(
        cake.Instructions,
        "Mix everything.\r\nBake for an hour.\r\n\r\nLet it cool.\r\n\r\nNOTES : Keeps a week.");
}

}  // namespace
}  // namespace pantrio
