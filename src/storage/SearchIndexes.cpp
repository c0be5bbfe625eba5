#include "storage/SearchIndexes.h"

#include <sqlite3.h>

#include <algorithm>
#include <string>

#include "storage/CADODatabase.h"
#include "storage/ErrorReport.h"

namespace pantrio {

namespace {

// The same objects as the box schema creates; the tests compare a box
// upgraded here with a new one, so the two stay alike.
const char* const kTitleIndex =
    "CREATE INDEX RecipesTitle ON Recipes (Title, Marked, Color, TasteRating, LastViewed, "
    "AllCategoriesText)";
const char* const kLastViewedIndex =
    "CREATE INDEX RecipesLastViewed ON Recipes (LastViewed, Title, Marked, Color, TasteRating, "
    "AllCategoriesText)";

// The triggers that keep the index in step when lines change or go. New
// lines need none: the program numbers them above the highest line, so they
// stand above the mark; a line number freed at or below the mark (by a
// removed or renumbered line) is listed as pending, so that a line taking it
// later counts as new too. A recipe whose lines were removed, renamed or
// moved to another recipe is listed as pending.
const char* const kDeleteTrigger =
    "CREATE TRIGGER IngredientNameTrigramsDelete AFTER DELETE ON IngredientLines WHEN "
    "old.IngredientLinesID <= coalesce((SELECT LastIndexedLine FROM "
    "IngredientNameTrigramsMark), 0) BEGIN INSERT OR IGNORE INTO "
    "IngredientNameTrigramsPending(IngredientLinesID) VALUES (old.IngredientLinesID); INSERT "
    "OR IGNORE INTO RecipeIngredientTrigramsPending(RecipeID) SELECT old.RecipeID WHERE "
    "old.RecipeID IS NOT NULL; END";
const char* const kUpdateTrigger =
    "CREATE TRIGGER IngredientNameTrigramsUpdate AFTER UPDATE OF IngredientLinesID, RecipeID, "
    "Name ON IngredientLines BEGIN INSERT OR IGNORE INTO "
    "IngredientNameTrigramsPending(IngredientLinesID) SELECT old.IngredientLinesID WHERE "
    "old.IngredientLinesID <= coalesce((SELECT LastIndexedLine FROM "
    "IngredientNameTrigramsMark), 0); INSERT OR IGNORE INTO "
    "RecipeIngredientTrigramsPending(RecipeID) SELECT old.RecipeID WHERE old.RecipeID IS NOT "
    "NULL; INSERT OR IGNORE INTO RecipeIngredientTrigramsPending(RecipeID) SELECT "
    "new.RecipeID WHERE new.RecipeID IS NOT NULL; END";

// One row per recipe numbered by its RecipeID, holding its ingredient names
// one per line with the ASCII letters in lower case, which is how LIKE
// compares them: a text is in one of the names, as LIKE sees it, exactly
// when its lower-case form is in the row.
const char* const kCreateIndex =
    "CREATE VIRTUAL TABLE RecipeIngredientTrigrams USING fts5(Names, tokenize='trigram "
    "case_sensitive 1');\n"
    "CREATE TABLE RecipeIngredientTrigramsPending (RecipeID INTEGER NOT NULL PRIMARY KEY);\n"
    "CREATE TABLE IngredientNameTrigramsPending (IngredientLinesID INTEGER NOT NULL "
    "PRIMARY KEY);\n"
    "CREATE TABLE IngredientNameTrigramsMark (MarkID INTEGER NOT NULL PRIMARY KEY CHECK "
    "(MarkID = 1), LastIndexedLine INTEGER NOT NULL);\n";

// The index gathers words in memory up to this many bytes before it writes
// them out (SQLite's default is 1 MB): the names of an import then go in as a
// few large pieces instead of many small ones that must be merged, a third
// less time. The setting is kept in the box; a SQLite without it ignores it.
const char* const kIndexBufferBytes = "8388608";

// Everything of the index, and of its earlier shapes: the index by line
// (IngredientNameTrigrams) and the insert trigger of the first one.
const char* const kDropIndex =
    "DROP TRIGGER IF EXISTS IngredientNameTrigramsInsert;"
    "DROP TRIGGER IF EXISTS IngredientNameTrigramsDelete;"
    "DROP TRIGGER IF EXISTS IngredientNameTrigramsUpdate;"
    "DROP TABLE IF EXISTS IngredientNameTrigrams;"
    "DROP TABLE IF EXISTS RecipeIngredientTrigrams;"
    "DROP TABLE IF EXISTS RecipeIngredientTrigramsPending;"
    "DROP TABLE IF EXISTS IngredientNameTrigramsPending;"
    "DROP TABLE IF EXISTS IngredientNameTrigramsMark;";

// The rows of the recipes among `recipes` (a subquery) that have lines.
const char* const kRecipeRows =
    "INSERT INTO RecipeIngredientTrigrams(rowid, Names) SELECT RecipeID, "
    "lower(group_concat(Name, char(10))) FROM IngredientLines WHERE RecipeID IN ";
const char* const kRecipeRowsEnd = " GROUP BY RecipeID";
// The rows of the recipes numbered from a number on, which follows.
const char* const kRecipeRowsFrom =
    "INSERT INTO RecipeIngredientTrigrams(rowid, Names) SELECT RecipeID, "
    "lower(group_concat(Name, char(10))) FROM IngredientLines WHERE RecipeID >= ";

// Recipes are added in ranges of numbers, so that progress can be shown and
// a cancel heard between ranges.
constexpr sqlite3_int64 kRecipesPerStep = 10000;

// One integer from a statement without parameters; `fallback` when it yields
// no row or fails.
sqlite3_int64 QueryInteger(sqlite3* db, const char* sql, sqlite3_int64 fallback) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_int64 value = fallback;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_type(statement, 0) != SQLITE_NULL)
        value = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    return value;
}

// Fills the new index from the stored lines; an SQLite result code.
int FillIndex(sqlite3* db, const IndexProgress& progress, bool& cancelled) {
    const sqlite3_int64 first = QueryInteger(db, "SELECT min(RecipeID) FROM IngredientLines", 0);
    const sqlite3_int64 last = QueryInteger(db, "SELECT max(RecipeID) FROM IngredientLines", -1);
    const std::string sql = std::string(kRecipeRows) +
                            "(SELECT RecipeID FROM IngredientLines WHERE RecipeID BETWEEN ? AND "
                            "?)" +
                            kRecipeRowsEnd;
    sqlite3_stmt* insert = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &insert, nullptr);
    for (sqlite3_int64 from = first; rc == SQLITE_OK && from <= last; from += kRecipesPerStep) {
        const sqlite3_int64 to = std::min(last, from + kRecipesPerStep - 1);
        sqlite3_bind_int64(insert, 1, from);
        sqlite3_bind_int64(insert, 2, to);
        rc = sqlite3_step(insert);
        if (rc == SQLITE_DONE) rc = SQLITE_OK;
        sqlite3_reset(insert);
        const int percent = static_cast<int>((to - first + 1) * 100 / (last - first + 1));
        if (rc == SQLITE_OK && progress && !progress(percent)) cancelled = true;
        if (cancelled) break;
    }
    sqlite3_finalize(insert);
    return rc;
}

// True when the box's object `name` of `type` has the current shape `sql`.
bool HasObject(sqlite3* db, const char* type, const char* name, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    bool same = false;
    if (sqlite3_prepare_v2(db, "SELECT sql FROM sqlite_master WHERE type = ? AND name = ?", -1,
                           &statement, nullptr) == SQLITE_OK &&
        sqlite3_bind_text(statement, 1, type, -1, SQLITE_STATIC) == SQLITE_OK &&
        sqlite3_bind_text(statement, 2, name, -1, SQLITE_STATIC) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        const unsigned char* text = sqlite3_column_text(statement, 0);
        same = text != nullptr && std::string(reinterpret_cast<const char*>(text)) == sql;
    }
    sqlite3_finalize(statement);
    return same;
}

// Replaces the index `name` with its current shape `sql`; an SQLite result code.
int ReplaceIndex(sqlite3* db, const char* name, const char* sql) {
    const std::string drop = std::string("DROP INDEX IF EXISTS ") + name;
    int rc = sqlite3_exec(db, drop.c_str(), nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    return rc;
}

// Empties the lists of pending lines and recipes and moves the mark to the
// highest line number, so that every line stored counts as indexed; an
// SQLite result code.
int MarkAllIndexed(sqlite3* db) {
    return sqlite3_exec(db,
                        "DELETE FROM RecipeIngredientTrigramsPending;"
                        "DELETE FROM IngredientNameTrigramsPending;"
                        "INSERT OR REPLACE INTO IngredientNameTrigramsMark(MarkID, "
                        "LastIndexedLine) SELECT 1, max(coalesce((SELECT LastIndexedLine FROM "
                        "IngredientNameTrigramsMark), 0), coalesce((SELECT max(IngredientLinesID) "
                        "FROM IngredientLines), 0))",
                        nullptr, nullptr, nullptr);
}

// For its scope, the connection keeps SQLite's default page cache instead of
// the larger one of bulk work (CADODatabase): the index step writes its
// pieces once and reads them once to merge them, so more cache gains nothing,
// and the memory it frees serves the words gathered (kIndexBufferBytes).
class DefaultPageCache {
public:
    explicit DefaultPageCache(sqlite3* db)
        : db_(db), pages_(QueryInteger(db, "PRAGMA cache_size", -2000)) {
        sqlite3_exec(db_, "PRAGMA cache_size=-2000", nullptr, nullptr, nullptr);
    }
    ~DefaultPageCache() {
        const std::string restore = "PRAGMA cache_size=" + std::to_string(pages_);
        sqlite3_exec(db_, restore.c_str(), nullptr, nullptr, nullptr);
    }
    DefaultPageCache(const DefaultPageCache&) = delete;
    DefaultPageCache& operator=(const DefaultPageCache&) = delete;

private:
    sqlite3* db_;
    sqlite3_int64 pages_;
};

// Sets the index's memory for gathering words when the box has another.
void SetIndexBuffer(sqlite3* db) {
    const std::string read = std::string("SELECT v = ") + kIndexBufferBytes +
                             " FROM RecipeIngredientTrigrams_config WHERE k = 'hashsize'";
    if (QueryInteger(db, read.c_str(), 0) == 1) return;
    const std::string set =
        std::string(
            "INSERT INTO RecipeIngredientTrigrams(RecipeIngredientTrigrams, rank) "
            "VALUES('hashsize', ") +
        kIndexBufferBytes + ")";
    sqlite3_exec(db, set.c_str(), nullptr, nullptr, nullptr);
}

}  // namespace

const char* const kPendingRecipes =
    "(SELECT RecipeID FROM RecipeIngredientTrigramsPending UNION SELECT RecipeID FROM "
    "IngredientLines WHERE IngredientLinesID IN (SELECT IngredientLinesID FROM "
    "IngredientNameTrigramsPending) OR IngredientLinesID > coalesce((SELECT LastIndexedLine "
    "FROM IngredientNameTrigramsMark), 0))";

bool HasIngredientIndex(CADODatabase& box) {
    sqlite3* db = box.Handle();
    if (db == nullptr) return false;
    return QueryInteger(db,
                        "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN "
                        "('RecipeIngredientTrigrams', 'RecipeIngredientTrigramsPending', "
                        "'IngredientNameTrigramsPending', 'IngredientNameTrigramsMark')",
                        0) == 4 &&
           HasObject(db, "trigger", "IngredientNameTrigramsDelete", kDeleteTrigger) &&
           HasObject(db, "trigger", "IngredientNameTrigramsUpdate", kUpdateTrigger);
}

void IndexPendingIngredientNames(CADODatabase& box) {
    sqlite3* db = box.Handle();
    if (db == nullptr || box.TransactionDepth() > 0 || sqlite3_db_readonly(db, "main") != 0 ||
        !HasIngredientIndex(box) ||
        QueryInteger(db,
                     "SELECT EXISTS (SELECT 1 FROM IngredientNameTrigramsPending) OR EXISTS "
                     "(SELECT 1 FROM RecipeIngredientTrigramsPending) OR EXISTS (SELECT 1 FROM "
                     "IngredientLines WHERE IngredientLinesID > coalesce((SELECT "
                     "LastIndexedLine FROM IngredientNameTrigramsMark), 0))",
                     0) == 0)
        return;
    ReadMapPause unmapped(box);
    DefaultPageCache cache(db);
    Transaction transaction(box);
    if (!transaction.Active()) return;
    // A failure rolls back and leaves the recipes pending, where searches
    // still test their lines directly.
    //
    // After an import the lines not yet indexed are commonly those of new
    // recipes only, numbered above every row. Every indexed line's recipe has
    // a row, and a line that changed since is listed as pending; so when
    // nothing is listed and the lowest recipe number among the new lines is
    // above every row, the recipes from that number on are exactly the ones
    // to add, and their rows are written straight from the lines.
    const sqlite3_int64 firstNew =
        QueryInteger(db,
                     "SELECT CASE WHEN EXISTS (SELECT 1 FROM IngredientNameTrigramsPending) OR "
                     "EXISTS (SELECT 1 FROM RecipeIngredientTrigramsPending) THEN 0 ELSE (SELECT "
                     "min(+RecipeID) FROM IngredientLines WHERE IngredientLinesID > "
                     "coalesce((SELECT LastIndexedLine FROM IngredientNameTrigramsMark), 0)) END",
                     0);
    const sqlite3_int64 lastRow = QueryInteger(
        db, "SELECT rowid FROM RecipeIngredientTrigrams ORDER BY rowid DESC LIMIT 1", 0);
    if (firstNew > 0 && firstNew > lastRow) {
        const std::string added =
            std::string(kRecipeRowsFrom) + std::to_string(firstNew) + kRecipeRowsEnd;
        if (sqlite3_exec(db, added.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK &&
            MarkAllIndexed(db) == SQLITE_OK)
            transaction.Commit();
        return;
    }
    // Otherwise the pending recipes are listed once; those numbered above
    // every row have no row to remove.
    const std::string rows =
        std::string(
            "CREATE TEMP TABLE IF NOT EXISTS RecipesToIndex (RecipeID INTEGER PRIMARY KEY);"
            "DELETE FROM temp.RecipesToIndex;"
            "INSERT OR IGNORE INTO temp.RecipesToIndex SELECT RecipeID FROM ") +
        kPendingRecipes +
        " WHERE RecipeID IS NOT NULL;DELETE FROM RecipeIngredientTrigrams WHERE rowid IN (SELECT "
        "RecipeID FROM "
        "temp.RecipesToIndex WHERE RecipeID <= coalesce((SELECT rowid FROM "
        "RecipeIngredientTrigrams ORDER BY rowid DESC LIMIT 1), 0));" +
        kRecipeRows + "(SELECT RecipeID FROM temp.RecipesToIndex)" + kRecipeRowsEnd +
        ";DROP TABLE temp.RecipesToIndex;";
    if (sqlite3_exec(db, rows.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK &&
        MarkAllIndexed(db) == SQLITE_OK)
        transaction.Commit();
}

SearchIndexUpgrade EnsureSearchIndexes(CADODatabase& box, const IndexProgress& progress) {
    sqlite3* db = box.Handle();
    if (db == nullptr) return SearchIndexUpgrade::ReadOnly;
    const bool hasIndex = HasIngredientIndex(box);
    // The index by line of an earlier shape is no longer read; it goes.
    const bool leftover = QueryInteger(db,
                                       "SELECT count(*) FROM sqlite_master WHERE name = "
                                       "'IngredientNameTrigrams'",
                                       0) > 0;
    const bool hasListIndexes = HasObject(db, "index", "RecipesTitle", kTitleIndex) &&
                                HasObject(db, "index", "RecipesLastViewed", kLastViewedIndex);
    if (hasIndex && !leftover && hasListIndexes) {
        if (sqlite3_db_readonly(db, "main") == 0) SetIndexBuffer(db);
        IndexPendingIngredientNames(box);
        return SearchIndexUpgrade::Present;
    }
    if (sqlite3_db_readonly(db, "main") != 0) return SearchIndexUpgrade::ReadOnly;

    ReadMapPause unmapped(box);
    DefaultPageCache cache(db);
    Transaction transaction(box);
    if (!transaction.Active()) return SearchIndexUpgrade::Failed;
    bool cancelled = false;
    int rc = SQLITE_OK;
    if (!hasListIndexes) {
        rc = ReplaceIndex(db, "RecipesTitle", kTitleIndex);
        if (rc == SQLITE_OK) rc = ReplaceIndex(db, "RecipesLastViewed", kLastViewedIndex);
    }
    if (rc == SQLITE_OK && leftover && hasIndex)
        rc = sqlite3_exec(db, "DROP TABLE IngredientNameTrigrams", nullptr, nullptr, nullptr);
    // An index without its current triggers may have missed changes: it is
    // made and filled anew.
    if (!hasIndex) {
        if (rc == SQLITE_OK) rc = sqlite3_exec(db, kDropIndex, nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) rc = sqlite3_exec(db, kCreateIndex, nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) SetIndexBuffer(db);
        if (rc == SQLITE_OK) rc = FillIndex(db, progress, cancelled);
        if (rc == SQLITE_OK && !cancelled) rc = MarkAllIndexed(db);
        if (rc == SQLITE_OK && !cancelled)
            rc = sqlite3_exec(db, kDeleteTrigger, nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK && !cancelled)
            rc = sqlite3_exec(db, kUpdateTrigger, nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        // The report is taken before the rollback, which would replace the
        // message of the failed statement.
        box.SetError(static_cast<std::uint32_t>(rc),
                     ConnectionErrorReport(box.ConnectString(), SqliteError(db, rc)));
        return SearchIndexUpgrade::Failed;
    }
    if (cancelled) return SearchIndexUpgrade::Cancelled;
    return transaction.Commit() ? SearchIndexUpgrade::Built : SearchIndexUpgrade::Failed;
}

}  // namespace pantrio
