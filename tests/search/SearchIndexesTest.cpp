// The search indexes: searches through the trigram index find the same
// recipes as reading every line, it stays in step as lines change, boxes made
// without the indexes gain them when opened for writing, a read-only box
// still answers, and the views and searches never read every recipe row or
// every ingredient line.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <random>
#include <string>
#include <vector>

#include "SearchFixture.h"
#include "search/FindCriteria.h"
#include "search/ResultsModel.h"
#include "search/ViewQuery.h"
#include "storage/JetTranslator.h"
#include "storage/SearchIndexes.h"

namespace pantrio {
namespace {

// Names with mixed case, apostrophes, wild-card characters and letters
// outside ASCII, whose case LIKE does not fold.
const std::vector<std::string> kNames = {
    "Chicken Breast", "chicken thighs",   "CRÈME fraîche",    "crème brûlée base", "Mom's gravy",
    "50% cocoa",      "rye_flour blend",  "ground beef",      "Gruyère cheese",    "Straße pretzel",
    "olive oil",      "o'brien potatoes", "extra-virgin oil", "\"Best\" butter"};

// Patterns where the two ways could part: letters outside ASCII in the other
// case (the index folds them, LIKE does not), apostrophes and wild cards.
const std::vector<std::string> kTrickyPatterns = {
    "CRÈME",   "crème",   "crè", "GRUYÈRE",  "gruyère", "STRASSE", "straße",
    "mom's",   "O'BRIEN", "50%", "0% c",     "rye_f",   "_flo",    "e_vir",
    "ick%bre", "bre%ick", "oil", "\"best\"", "T\" B"};

// Turns a new box into one made before the search indexes.
const char* const kMakeOld =
    "DROP TRIGGER IngredientNameTrigramsDelete; "
    "DROP TRIGGER IngredientNameTrigramsUpdate; DROP TABLE RecipeIngredientTrigrams;"
    "DROP INDEX RecipesTitle; CREATE INDEX RecipesTitle ON Recipes (Title);"
    "DROP INDEX RecipesLastViewed; CREATE INDEX RecipesLastViewed ON Recipes (LastViewed);";

class SearchIndexesTest : public test::SearchFixture {
protected:
    // `recipes` recipes of one to four random lines each, numbered from
    // `first`; their lines are numbered above every line.
    void AddRandomRecipes(int recipes, int first = 1) {
        std::string sql = "BEGIN;";
        int line =
            static_cast<int>(box.QueryNumber("SELECT coalesce(max(IngredientLinesID), 0) FROM "
                                             "IngredientLines")) +
            1;
        for (int id = first; id < first + recipes; ++id) {
            // Some recipes are left unrated (NULL), which a minimum must skip
            // either way.
            sql += Format(
                "INSERT INTO Recipes(RecipeID, Title, Color, Marked, TasteRating) VALUES(%d, "
                "'Recipe %d', %d, %d, %s);",
                id, id, id % 3, id % 7 == 0 ? 255 : 0,
                id % 11 == 0 ? "NULL" : Format("%d", id % 6).c_str());
            for (int n = Pick(4) + 1; n > 0; --n)
                sql += Format(
                    "INSERT INTO IngredientLines(IngredientLinesID, RecipeID, Name) "
                    "VALUES(%d, %d, '%s');",
                    line++, id, ReplaceAll(RandomName(), "'", "''").c_str());
        }
        Box(sql + "COMMIT;");
    }

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    std::string RandomName() {
        std::string name = kNames[static_cast<std::size_t>(Pick(static_cast<int>(kNames.size())))];
        for (char& c : name)
            if (Pick(4) == 0) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return name;
    }

    // A piece of a name (cut at character boundaries), with its ASCII case
    // flipped at random and sometimes a wild card in it.
    std::string RandomPattern() {
        const std::string name = RandomName();
        std::vector<std::size_t> starts;
        for (std::size_t i = 0; i < name.size(); ++i)
            if ((static_cast<unsigned char>(name[i]) & 0xC0) != 0x80) starts.push_back(i);
        starts.push_back(name.size());
        const int chars = static_cast<int>(starts.size()) - 1;
        const int length = std::min(chars, 2 + Pick(6));
        const int from = Pick(chars - length + 1);
        std::string piece = name.substr(starts[static_cast<std::size_t>(from)],
                                        starts[static_cast<std::size_t>(from + length)] -
                                            starts[static_cast<std::size_t>(from)]);
        for (char& c : piece)
            if (Pick(2) == 0) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (Pick(5) == 0 && piece.size() > 1) piece[piece.size() / 2] = Pick(2) ? '_' : '%';
        return piece;
    }

    // The tricky patterns and random ones, alone and in pairs, searched both ways: the rows and
    // their order must agree. Yields how many searches went through the index.
    int ExpectSameRecipesBothWays(int searches) {
        int indexed = 0;
        const int tricky = static_cast<int>(kTrickyPatterns.size());
        for (int i = 0; i < tricky + searches; ++i) {
            FindCriteria c;
            c.ingredients[0] =
                i < tricky ? kTrickyPatterns[static_cast<std::size_t>(i)] : RandomPattern();
            if (i % 3 == 0) c.ingredients[2] = RandomPattern();
            if (i % 4 == 1) c.minimumTaste = 3;
            const std::string viaIndex = FindRecipesQuery(c, IngredientLookup::TrigramIndex);
            if (viaIndex != FindRecipesQuery(c)) ++indexed;
            const std::vector<long> scanned = IdsOf(FindRecipesQuery(c));
            EXPECT_EQ(IdsOf(viaIndex), scanned) << c.ingredients[0] << " / " << c.ingredients[2];
            // The list reads a search that matches many recipes in the order
            // of its index, testing the sets: the same rows in the same order.
            EXPECT_EQ(IdsOf(WithSetTermsUnindexed(viaIndex)), scanned)
                << c.ingredients[0] << " / " << c.ingredients[2];
        }
        return indexed;
    }

    std::mt19937 rng_{20261209};
};

TEST_F(SearchIndexesTest, FindsTheSameRecipesAsReadingEveryLineAsLinesChange) {
    AddRandomRecipes(400);
    ASSERT_TRUE(HasIngredientIndex(box));
    // Stored lines wait in the pending table, where searches read them,
    // until they are indexed.
    EXPECT_GT(ExpectSameRecipesBothWays(40), 10);
    IndexPendingIngredientNames(box);
    EXPECT_EQ(box.QueryNumber("SELECT count(*) FROM IngredientNameTrigramsPending"), 0);
    EXPECT_GT(ExpectSameRecipesBothWays(150), 50);
    // Recipes added above every indexed one, as an import adds them; then
    // some more together with a line of an indexed recipe.
    const auto expectOneRowPerRecipe = [&] {
        EXPECT_EQ(box.QueryNumber("SELECT count(*) FROM RecipeIngredientTrigrams"),
                  box.QueryNumber("SELECT count(DISTINCT RecipeID) FROM IngredientLines"));
    };
    AddRandomRecipes(100, 401);
    IndexPendingIngredientNames(box);
    expectOneRowPerRecipe();
    AddRandomRecipes(50, 501);
    Box("INSERT INTO IngredientLines(IngredientLinesID, RecipeID, Name) VALUES(100000, 7, "
        "'star anise')");
    EXPECT_GT(ExpectSameRecipesBothWays(60), 20);
    IndexPendingIngredientNames(box);
    expectOneRowPerRecipe();
    EXPECT_GT(ExpectSameRecipesBothWays(100), 30);

    // Lines renamed, renumbered and removed leave the index in step, both
    // while the changed lines are pending and once they are indexed.
    Box("UPDATE IngredientLines SET Name = 'smoked paprika' WHERE IngredientLinesID % 5 = 0;"
        "UPDATE IngredientLines SET IngredientLinesID = IngredientLinesID + 100000 "
        "WHERE IngredientLinesID % 7 = 0;"
        "DELETE FROM IngredientLines WHERE RecipeID % 4 = 0;"
        "UPDATE IngredientLines SET RecipeID = RecipeID + 1 WHERE IngredientLinesID % 11 = 0;");
    EXPECT_GT(ExpectSameRecipesBothWays(150), 50);
    IndexPendingIngredientNames(box);
    EXPECT_EQ(box.QueryNumber("SELECT count(*) FROM RecipeIngredientTrigramsPending"), 0);
    Box("UPDATE IngredientLines SET RecipeID = RecipeID - 1 WHERE IngredientLinesID % 13 = 0;"
        "DELETE FROM Recipes WHERE RecipeID % 10 = 0;");
    EXPECT_GT(ExpectSameRecipesBothWays(100), 30);
    IndexPendingIngredientNames(box);
    Box("DELETE FROM IngredientLines WHERE RecipeID % 9 = 0;");
    EXPECT_GT(ExpectSameRecipesBothWays(150), 50);
    FindCriteria paprika;
    paprika.ingredients[0] = "PAPRIKA";
    EXPECT_FALSE(IdsOf(FindRecipesQuery(paprika, IngredientLookupOf(box))).empty());
    // A line that takes the number of an indexed line removed before it (the
    // program numbers lines from the highest one, so removing the last lines
    // frees their numbers) is found before and after it is indexed, and the
    // removed name is no longer found.
    IndexPendingIngredientNames(box);
    const long top = box.QueryNumber("SELECT max(IngredientLinesID) FROM IngredientLines");
    Box(
        Format("UPDATE IngredientLines SET Name = 'wild garlic' WHERE IngredientLinesID = %ld;"
               "DELETE FROM IngredientLines WHERE IngredientLinesID = %ld;"
               "INSERT INTO IngredientLines(IngredientLinesID, RecipeID, Name) "
               "VALUES(%ld, 3, 'ramsons');",
               top, top, top));
    IndexPendingIngredientNames(box);
    Box(
        Format("DELETE FROM IngredientLines WHERE IngredientLinesID = %ld;"
               "INSERT INTO IngredientLines(IngredientLinesID, RecipeID, Name) "
               "VALUES(%ld, 3, 'ramsons');",
               top, top));
    FindCriteria ramsons;
    ramsons.ingredients[0] = "Ramson";
    FindCriteria garlic;
    garlic.ingredients[0] = "garlic";
    for (int indexed = 0; indexed < 2; ++indexed) {
        EXPECT_EQ(IdsOf(FindRecipesQuery(ramsons, IngredientLookup::TrigramIndex)),
                  std::vector<long>{3});
        EXPECT_TRUE(IdsOf(FindRecipesQuery(garlic, IngredientLookup::TrigramIndex)).empty());
        IndexPendingIngredientNames(box);
    }
    EXPECT_EQ(box.QueryNumber("SELECT count(*) FROM IngredientNameTrigramsPending"), 0);
    Box("INSERT INTO RecipeIngredientTrigrams(RecipeIngredientTrigrams) VALUES "
        "('integrity-check');");
}

TEST_F(SearchIndexesTest, ShortPatternsAndEmptySlotsKeepTheStatementAsItIs) {
    for (const char* text : {"ab", "%", "", "a%bc", "é_", "x_y_z"}) {
        FindCriteria c;
        c.ingredients[0] = text;
        EXPECT_EQ(FindRecipesQuery(c, IngredientLookup::TrigramIndex), FindRecipesQuery(c)) << text;
    }
    EXPECT_EQ(FindRecipesQuery(LeftoverWizardCriteria("", "", ""), IngredientLookup::TrigramIndex),
              FindRecipesQuery(LeftoverWizardCriteria("", "", "")));
}

TEST_F(SearchIndexesTest, OldBoxGainsTheIndexWhenOpenedForWritingAndReadOnlyStillAnswers) {
    AddRandomRecipes(120);
    Box(kMakeOld);
    const std::string readOnly = CADODatabase::MakeConnectString("", root.boxPath) + ";Mode=Read";

    RecipeDB old;
    ASSERT_TRUE(old.Connect(readOnly)) << old.ErrorReport();
    EXPECT_EQ(EnsureSearchIndexes(old), SearchIndexUpgrade::ReadOnly);
    EXPECT_EQ(IngredientLookupOf(old), IngredientLookup::Scan);
    FindCriteria c;
    c.ingredients[0] = "chicken";
    CADORecordset rs(old);
    ASSERT_TRUE(rs.Run(FindRecipesQuery(c, IngredientLookupOf(old)))) << rs.ErrorReport();
    EXPECT_FALSE(rs.AtEnd());
    rs.Release();
    old.Disconnect();

    // A cancel leaves the box as it was.
    box.Disconnect();
    ASSERT_TRUE(box.Connect()) << box.ErrorReport();
    EXPECT_EQ(EnsureSearchIndexes(box, [](int) { return false; }), SearchIndexUpgrade::Cancelled);
    EXPECT_FALSE(HasIngredientIndex(box));

    std::vector<int> progress;
    EXPECT_EQ(EnsureSearchIndexes(box,
                                  [&](int percent) {
                                      progress.push_back(percent);
                                      return true;
                                  }),
              SearchIndexUpgrade::Built);
    EXPECT_EQ(progress.back(), 100);
    EXPECT_EQ(IngredientLookupOf(box), IngredientLookup::TrigramIndex);
    EXPECT_EQ(EnsureSearchIndexes(box), SearchIndexUpgrade::Present);
    EXPECT_GT(ExpectSameRecipesBothWays(60), 20);

    // The upgraded box holds the same objects as a box made new.
    const std::string fresh = root.PathOf("fresh.crb");
    ASSERT_TRUE(root.CreateDatabase(fresh, "recipebox.sql")) << root.Error();
    const std::string objects =
        "SELECT type || ' ' || name || ': ' || sql FROM sqlite_master WHERE name LIKE "
        "'IngredientNameTrigrams%' OR name LIKE 'RecipeIngredientTrigrams%' OR name IN "
        "('RecipesTitle', 'RecipesLastViewed') ORDER BY name";
    RecipeDB made;
    ASSERT_TRUE(made.Connect(CADODatabase::MakeConnectString("", fresh)));
    auto texts = [&](RecipeDB& db) {
        std::vector<std::string> out;
        CADORecordset list(db);
        EXPECT_TRUE(list.Run(objects)) << list.ErrorReport();
        for (; !list.AtEnd(); list.NextRow()) {
            std::string text;
            list.ReadAt(0, text);
            out.push_back(text);
        }
        return out;
    };
    EXPECT_EQ(texts(box), texts(made));
}

TEST_F(SearchIndexesTest, BoxWithAnEarlierShapeOfTheIndexGetsTheCurrentOne) {
    AddRandomRecipes(60);
    // The first shape: an index by line, whose triggers listed every line
    // stored at or below the mark and knew nothing of recipes.
    Box("DROP TRIGGER IngredientNameTrigramsDelete; DROP TRIGGER IngredientNameTrigramsUpdate;"
        "DROP TABLE RecipeIngredientTrigrams; DROP TABLE RecipeIngredientTrigramsPending;"
        "CREATE VIRTUAL TABLE IngredientNameTrigrams USING fts5(Name, "
        "content='IngredientLines', content_rowid='IngredientLinesID', tokenize='trigram');"
        "INSERT INTO IngredientNameTrigrams(IngredientNameTrigrams) VALUES ('rebuild');"
        "CREATE TRIGGER IngredientNameTrigramsInsert AFTER INSERT ON IngredientLines WHEN "
        "new.IngredientLinesID <= coalesce((SELECT LastIndexedLine FROM "
        "IngredientNameTrigramsMark), 0) BEGIN INSERT OR IGNORE INTO "
        "IngredientNameTrigramsPending(IngredientLinesID) VALUES (new.IngredientLinesID); END;"
        "CREATE TRIGGER IngredientNameTrigramsDelete AFTER DELETE ON IngredientLines BEGIN "
        "DELETE FROM IngredientNameTrigramsPending WHERE IngredientLinesID = "
        "old.IngredientLinesID; END;"
        "CREATE TRIGGER IngredientNameTrigramsUpdate AFTER UPDATE OF Name ON IngredientLines "
        "BEGIN SELECT 1; END;"
        "UPDATE IngredientLines SET Name = 'sorrel' WHERE IngredientLinesID % 4 = 0;");
    EXPECT_FALSE(HasIngredientIndex(box));
    EXPECT_EQ(EnsureSearchIndexes(box), SearchIndexUpgrade::Built);
    EXPECT_TRUE(HasIngredientIndex(box));
    EXPECT_EQ(box.QueryNumber("SELECT count(*) FROM sqlite_master WHERE name IN "
                              "('IngredientNameTrigramsInsert', 'IngredientNameTrigrams')"),
              0);
    EXPECT_EQ(EnsureSearchIndexes(box), SearchIndexUpgrade::Present);
    FindCriteria sorrel;
    sorrel.ingredients[0] = "SORREL";
    EXPECT_EQ(IdsOf(FindRecipesQuery(sorrel, IngredientLookupOf(box))),
              IdsOf(FindRecipesQuery(sorrel)));
    Box("DELETE FROM IngredientLines WHERE RecipeID % 3 = 0;");
    EXPECT_GT(ExpectSameRecipesBothWays(60), 20);
}

// The steps of SQLite's plan for a statement of the program, as the access
// layer runs it (translated, its values bound).
std::vector<std::string> PlanOf(RecipeDB& box, const std::string& statement) {
    const JetStatement jet = TranslateJet(statement);
    EXPECT_TRUE(jet.Ok()) << jet.error;
    sqlite3_stmt* plan = nullptr;
    std::vector<std::string> steps;
    if (sqlite3_prepare_v2(box.Handle(), ("EXPLAIN QUERY PLAN " + jet.sql).c_str(), -1, &plan,
                           nullptr) != SQLITE_OK) {
        ADD_FAILURE() << sqlite3_errmsg(box.Handle()) << "\n" << jet.sql;
        return steps;
    }
    for (std::size_t i = 0; i < jet.params.size(); ++i) {
        const JetValue& v = jet.params[i];
        const int at = static_cast<int>(i) + 1;
        if (v.kind == JetValue::Kind::Text)
            sqlite3_bind_text(plan, at, v.text.c_str(), -1, SQLITE_TRANSIENT);
        else if (v.kind == JetValue::Kind::Real)
            sqlite3_bind_double(plan, at, v.real);
        else
            sqlite3_bind_int64(plan, at, v.integer);
    }
    while (sqlite3_step(plan) == SQLITE_ROW)
        steps.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(plan, 3)));
    sqlite3_finalize(plan);
    return steps;
}

TEST_F(SearchIndexesTest, ViewsAndSearchesNeverReadEveryRecipeOrLine) {
    const DateTime now = DateTime::FromDate(2026, 12, 9);
    FindCriteria title;
    title.titleText = "Chicken";
    FindCriteria ingredients;
    ingredients.ingredients = {"chicken", "o'brien", "chick%n", "%", "%"};
    const std::vector<std::string> statements = {
        ViewQuery("Last &7", "Main Dish", now),
        ViewQuery("Last &30", "All", now),
        ViewQuery("&Yesterday", "Desserts", now),
        ViewQuery("&Today", "@Favorite", now),
        FindRecipesQuery(title),
        FindRecipesQuery(ingredients, IngredientLookup::TrigramIndex),
    };
    for (const std::string& statement : statements) {
        // The list runs the statement in a total order, and counts its rows.
        for (const std::string& run : {WithTotalOrder(statement), CountStatement(statement)}) {
            for (const std::string& step : PlanOf(box, run)) {
                const std::string upper = ToUpper(step);
                // Reading a title-ordered index that holds every column the
                // list needs stops after the rows shown; reading the table
                // (or an index with a visit to each row) does not.
                const bool tableScan = upper.rfind("SCAN RECIPES", 0) == 0 &&
                                       upper.find("COVERING INDEX") == std::string::npos;
                EXPECT_FALSE(tableScan || upper.rfind("SCAN INGREDIENTLINES", 0) == 0)
                    << step << "\n"
                    << run;
                // Counting the rows of a dated view reads the date index
                // alone, never each recipe row of the dates.
                const bool dated = statement.find("LastViewed >=") != std::string::npos;
                if (dated && run == CountStatement(statement) &&
                    upper.find("RECIPESLASTVIEWED") != std::string::npos) {
                    EXPECT_NE(upper.find("COVERING INDEX"), std::string::npos) << step;
                }
            }
        }
    }
    // A search that matches many recipes reads its rows in the list's order
    // from the index and stops after the rows shown: no sort of every match.
    std::string walkedPlan;
    for (const std::string& step :
         PlanOf(box, WithTotalOrder(WithSetTermsUnindexed(statements.back()))))
        walkedPlan += ToUpper(step) + "\n";
    EXPECT_NE(walkedPlan.find("SCAN RECIPES USING INDEX RECIPESMARKEDCOLORTITLE"),
              std::string::npos)
        << walkedPlan;
    EXPECT_EQ(walkedPlan.find("FOR ORDER BY"), std::string::npos) << walkedPlan;
}

}  // namespace
}  // namespace pantrio
