// The bulk path of a recipe save stores exactly what a single save stores:
// the same rows field by field, the same duplicate test and the same
// messages, for the recipes of real files and for awkward hand-made ones.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "base/RowSink.h"
#include "base/Text.h"
#include "formats/LineReader.h"
#include "formats/MealMasterImport.h"
#include "formats/MxpImport.h"
#include "recipe/Recipe.h"
#include "storage/RecipeDB.h"
#include "support/BoxFixture.h"
#include "support/Corpus.h"

namespace pantrio {
namespace {

// Every row of a table as text, each value with its storage class, so that
// 1 and 1.0 or '' and NULL differ.
std::vector<std::string> Rows(RecipeDB& db, const std::string& table, const std::string& key) {
    std::vector<std::string> rows;
    sqlite3_stmt* stmt = nullptr;
    const std::string sql = "SELECT * FROM " + table + " ORDER BY " + key;
    EXPECT_EQ(sqlite3_prepare_v2(db.Handle(), sql.c_str(), -1, &stmt, nullptr), SQLITE_OK);
    while (stmt && sqlite3_step(stmt) == SQLITE_ROW) {
        std::string row;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            row += std::string(sqlite3_column_name(stmt, i)) + "=";
            switch (sqlite3_column_type(stmt, i)) {
                case SQLITE_NULL:
                    row += "NULL";
                    break;
                case SQLITE_INTEGER:
                    row += "i:" + std::to_string(sqlite3_column_int64(stmt, i));
                    break;
                case SQLITE_FLOAT:
                    row += Format("r:%.17g", sqlite3_column_double(stmt, i));
                    break;
                default:
                    row += "t:" +
                           std::string(reinterpret_cast<const char*>(sqlite3_column_blob(stmt, i)),
                                       static_cast<std::size_t>(sqlite3_column_bytes(stmt, i)));
            }
            row += " | ";
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(stmt);
    return rows;
}

// The records a parser makes of the files of one corpus folder.
std::vector<Recipe> CorpusRecipes(const std::string& folder, RecipeTextParser& parser) {
    std::vector<Recipe> recipes;
    parser.onRecipe = [&](Recipe& r) { recipes.push_back(r); };
    for (const std::string& path : test::CorpusFiles(folder)) {
        LineReader reader;
        if (!reader.Open(path)) continue;
        for (std::string line; reader.Next(line);) parser.Feed(line, reader.LineNumber());
        parser.Finish(false, reader.LineNumber());
    }
    return recipes;
}

// Records with what statement texts make hard: apostrophes, markup, wild
// cards, line ends of every kind, letters outside ASCII cut at the field
// widths, numbers that are huge, negative, tiny or not numbers at all.
std::vector<Recipe> AwkwardRecipes() {
    std::vector<Recipe> out;
    for (int i = 0; i < 6; ++i) {
        Recipe r;
        r.Title = i % 2 ? "O'Brien's <b>\"Best\"</b> 50% pie_" : "Crème brûlée";
        r.Instructions =
            "Line one\nline two\r\nline three\rend — " + std::to_string(i) + std::string(40, 'x');
        r.Notes = "a\nb";
        r.YieldText = "4 ''servings''";
        r.YieldNumber = i == 0 ? 1e300 : -2.25 * i;
        r.TasteRating = i == 1 ? std::numeric_limits<double>::quiet_NaN() : 3.14159265 * i;
        r.EffortRating = i == 2 ? std::numeric_limits<double>::infinity() : 1e-9;
        r.AppearanceRating = -0.00001;
        r.ScaleMultiple = 1.0 / 3;
        r.UniqueID = i == 3 ? 0 : 1000 + i;
        r.ActiveMinutes = -5;
        r.TotalMinutes = 2147483647;
        r.Source = "";
        r.AllIngredientsText = "x'y";
        r.AddCategoryName("Main Dish");
        r.AddCategoryName("Mom's");
        r.LastViewed = DateTime::ParseIso("2026-02-28 23:59:59").value();
        r.AddLine(false, "1 1/2", "tablespoons and more", std::string(48, 'a') + "éé'é",
                  std::string(62, 'p') + "ñ'", 1.0 / 7);
        r.AddLine(true, "", "", "FOR THE <i>SAUCE</i>", "", std::nan(""));
        r.AddLine(false, "-1", "c'", "%_", "", -1e308);
        out.push_back(r);
    }
    return out;
}

class SaveAsNewBulkTest : public test::BoxFixture {
protected:
    void SetUp() override {
        BoxFixture::SetUp();
        bulkPath = root.PathOf("bulk.crb");
        ASSERT_TRUE(root.CreateDatabase(bulkPath, "recipebox.sql")) << root.Error();
        ASSERT_TRUE(bulk.Open(bulkPath)) << bulk.ErrorReport();
    }

    // Stores the records both ways, each box in one transaction as an import
    // does, and expects the same results, messages and rows.
    void ExpectSameRows(std::vector<Recipe> recipes, const std::string& what) {
        ASSERT_FALSE(recipes.empty()) << what;
        // Each record twice, so that the duplicate test has work to do.
        const std::size_t count = recipes.size();
        for (std::size_t i = 0; i < count; i += 3) recipes.push_back(recipes[i]);
        VectorRowSink single, many;
        ASSERT_TRUE(box.BeginTransaction());
        ASSERT_TRUE(bulk.BeginTransaction());
        for (Recipe& r : recipes) {
            if (r.LastViewed.null) r.LastViewed = DateTime::ParseIso("2026-12-09 10:11:12").value();
            Recipe copy = r;
            const int one = box.SaveAsNew(r, &single);
            EXPECT_EQ(bulk.SaveAsNewBulk(copy, &many), one) << r.Title;
            EXPECT_EQ(copy.RecipeID, r.RecipeID) << r.Title;
        }
        ASSERT_TRUE(box.CommitTransaction());
        ASSERT_TRUE(bulk.CommitTransaction());
        EXPECT_EQ(single.Texts(), many.Texts()) << what;
        EXPECT_GE(single.rows.size(), count / 3) << "too few duplicates found in " << what;
        for (const auto& [table, key] : {std::pair{"Recipes", "RecipeID"},
                                         std::pair{"IngredientLines", "IngredientLinesID"}}) {
            const auto expected = Rows(box, table, key);
            const auto actual = Rows(bulk, table, key);
            ASSERT_EQ(expected.size(), actual.size()) << what << " " << table;
            for (std::size_t i = 0; i < expected.size(); ++i)
                ASSERT_EQ(expected[i], actual[i]) << what << " " << table;
        }
    }

    std::string bulkPath;
    RecipeDB bulk;
};

TEST_F(SaveAsNewBulkTest, StoresTheSameRowsAsASingleSave) {
    struct Source {
        std::string folder;
        std::unique_ptr<RecipeTextParser> parser;
    };
    std::vector<Source> sources;
    sources.push_back({"mealmaster", std::make_unique<MealMasterParser>()});
    sources.push_back({"large", std::make_unique<MealMasterParser>()});
    sources.push_back({"mastercook-mxp", std::make_unique<MxpParser>()});
    std::vector<Recipe> all = AwkwardRecipes();
    for (Source& source : sources) {
        std::vector<Recipe> read = CorpusRecipes(source.folder, *source.parser);
        if (read.empty()) std::cout << test::CorpusMissing(source.folder) << "\n";
        all.insert(all.end(), read.begin(), read.end());
    }
    ExpectSameRows(all, "corpus and hand-made records");
}

TEST_F(SaveAsNewBulkTest, FailsLikeASingleSaveOnAClosedBox) {
    bulk.Disconnect();
    VectorRowSink status;
    Recipe r = AwkwardRecipes().front();
    r.RecipeID = 77;
    EXPECT_EQ(bulk.SaveAsNewBulk(r, &status), -1);
    EXPECT_EQ(r.RecipeID, 77);
    ASSERT_EQ(status.rows.size(), 1u);
    EXPECT_EQ(status.rows[0].text, "Could not store recipe: " + r.Title + ".");
}

// Inside an import's transaction the bulk path keeps no savepoint per
// recipe: a failure removes what the recipe wrote, and the numbers it keeps
// between saves follow every other change to the box.
class BulkTransactionTest : public SaveAsNewBulkTest {
protected:
    static Recipe Named(const std::string& title, const std::vector<std::string>& names) {
        Recipe r;
        r.Title = title;
        r.Instructions = title + " is made like this, with care and patience.";
        for (const std::string& name : names) r.AddLine(false, "1", "cup", name, "", 1);
        return r;
    }
    int Save(const std::string& title, const std::vector<std::string>& names = {"salt"}) {
        Recipe r = Named(title, names);
        return bulk.SaveAsNewBulk(r, &status) == 0 ? r.RecipeID : -1;
    }
    long Number(const std::string& sql) { return bulk.QueryNumber(sql); }
    bool Run(const std::string& sql) { return bulk.RunSQL(sql) >= 0; }
    bool Exec(const char* sql) {
        return sqlite3_exec(bulk.Handle(), sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    // The box refuses every ingredient line named "poison".
    bool RefusePoison() {
        return Exec(
            "CREATE TRIGGER refuse BEFORE INSERT ON IngredientLines WHEN "
            "NEW.Name = 'poison' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    }

    VectorRowSink status;
};

TEST_F(BulkTransactionTest, AFailedRecipeLeavesNothingAndTheNextTakesItsNumber) {
    ASSERT_TRUE(RefusePoison());
    ASSERT_TRUE(bulk.BeginTransaction());
    EXPECT_EQ(Save("Good"), 1);
    // The recipe row and its first line are written before the second fails.
    EXPECT_EQ(Save("Bad", {"apple", "poison"}), -1);
    EXPECT_EQ(Save("After", {"pear", "fig"}), 2);
    ASSERT_TRUE(bulk.CommitTransaction());
    EXPECT_EQ(Number("Select Count(*) from Recipes"), 2);
    EXPECT_EQ(Number("Select Count(*) from IngredientLines"), 3);
    EXPECT_EQ(Number("Select Count(*) from IngredientLines where Name = 'apple'"), 0);
    EXPECT_EQ(Number("Select min(IngredientLinesID) from IngredientLines where RecipeID = 2"), 2);
    ASSERT_EQ(status.Texts(), std::vector<std::string>{"Could not store recipe: Bad."});
}

TEST_F(BulkTransactionTest, WhenTheRecipeCannotBeRemovedTheTransactionIsRolledBack) {
    ASSERT_TRUE(RefusePoison());
    ASSERT_TRUE(
        Exec("CREATE TRIGGER keep BEFORE DELETE ON Recipes BEGIN SELECT "
             "RAISE(ABORT, 'kept'); END"));
    ASSERT_TRUE(bulk.BeginTransaction());
    EXPECT_EQ(Save("Good"), 1);
    EXPECT_EQ(Save("Bad", {"apple", "poison"}), -1);
    // Rather than keep half a recipe, the whole open transaction went.
    EXPECT_EQ(bulk.TransactionDepth(), 0);
    EXPECT_EQ(Number("Select Count(*) from Recipes"), 0);
    EXPECT_EQ(Number("Select Count(*) from IngredientLines"), 0);
    EXPECT_NE(bulk.ErrorReport().find("refused"), std::string::npos) << bulk.ErrorReport();
}

TEST_F(BulkTransactionTest, KeptNumbersFollowOtherWritesAndRollbacks) {
    ASSERT_TRUE(bulk.BeginTransaction());
    EXPECT_EQ(Save("First", {"a", "b"}), 1);
    // Another writer of the same transaction: a recipe numbered 10, and
    // lines left behind under number 11, which the next recipe must not
    // adopt; its own lines take the numbers after the highest one left, as
    // a single save numbers them.
    ASSERT_TRUE(Run("INSERT INTO Recipes(RecipeID, Title) VALUES (10, 'Ten')"));
    ASSERT_TRUE(
        Run("INSERT INTO IngredientLines(IngredientLinesID, RecipeID, Name) VALUES "
            "(50, 40, 'kept')"));
    ASSERT_TRUE(
        Run("INSERT INTO IngredientLines(IngredientLinesID, RecipeID, Name) VALUES "
            "(100, 11, 'stray')"));
    EXPECT_EQ(Save("Eleven", {"c"}), 11);
    EXPECT_EQ(Number("Select IngredientLinesID from IngredientLines where Name = 'c'"), 51);
    EXPECT_EQ(Number("Select Count(*) from IngredientLines where RecipeID = 11"), 1);
    // A recipe rolled back with its savepoint frees its number again.
    ASSERT_TRUE(bulk.BeginTransaction());
    EXPECT_EQ(Save("Gone", {"d"}), 12);
    ASSERT_TRUE(bulk.RollbackTransaction());
    EXPECT_EQ(Save("Twelve", {"e"}), 12);
    EXPECT_EQ(Number("Select IngredientLinesID from IngredientLines where Name = 'e'"), 52);
    ASSERT_TRUE(bulk.CommitTransaction());
    // Alone, a save is its own transaction and reads the numbers afresh.
    ASSERT_TRUE(Run("INSERT INTO Recipes(RecipeID, Title) VALUES (20, 'Twenty')"));
    EXPECT_EQ(Save("Alone"), 21);
}

}  // namespace
}  // namespace pantrio
