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

// The triggers that keep the indexes in step when lines change or go. New
// lines need none: the program numbers them above the highest line, so they
// stand above the mark, or take the number of a line removed since the index
// was brought up to date, which the delete trigger lists as pending. A recipe
// whose indexed lines were removed, renamed or moved to another recipe is
// listed as pending for the index by recipe.
const char* const kDeleteTrigger =
    "CREATE TRIGGER IngredientNameTrigramsDelete AFTER DELETE ON IngredientLines WHEN "
    "old.IngredientLinesID <= coalesce((SELECT LastIndexedLine FROM "
    "IngredientNameTrigramsMark), 0) BEGIN INSERT INTO "
    "IngredientNameTrigrams(IngredientNameTrigrams, rowid, Name) SELECT 'delete', "
    "old.IngredientLinesID, old.Name WHERE NOT EXISTS (SELECT 1 FROM "
    "IngredientNameTrigramsPending WHERE IngredientLinesID = old.IngredientLinesID); "
    "INSERT OR IGNORE INTO IngredientNameTrigramsPending(IngredientLinesID) VALUES "
    "(old.IngredientLinesID); INSERT OR IGNORE INTO RecipeIngredientTrigramsPending(RecipeID) "
    "SELECT old.RecipeID WHERE old.RecipeID IS NOT NULL; END";
const char* const kUpdateTrigger =
    "CREATE TRIGGER IngredientNameTrigramsUpdate AFTER UPDATE OF IngredientLinesID, RecipeID, "
    "Name ON IngredientLines BEGIN INSERT INTO IngredientNameTrigrams(IngredientNameTrigrams, "
    "rowid, Name) SELECT 'delete', old.IngredientLinesID, old.Name WHERE "
    "old.IngredientLinesID <= coalesce((SELECT LastIndexedLine FROM "
    "IngredientNameTrigramsMark), 0) AND NOT EXISTS (SELECT 1 FROM "
    "IngredientNameTrigramsPending WHERE IngredientLinesID = old.IngredientLinesID); "
    "INSERT OR IGNORE INTO IngredientNameTrigramsPending(IngredientLinesID) SELECT "
    "old.IngredientLinesID WHERE old.IngredientLinesID <= coalesce((SELECT "
    "LastIndexedLine FROM IngredientNameTrigramsMark), 0); INSERT OR IGNORE INTO "
    "IngredientNameTrigramsPending(IngredientLinesID) SELECT new.IngredientLinesID WHERE "
    "new.IngredientLinesID <= coalesce((SELECT LastIndexedLine FROM "
    "IngredientNameTrigramsMark), 0); INSERT OR IGNORE INTO "
    "RecipeIngredientTrigramsPending(RecipeID) SELECT old.RecipeID WHERE old.RecipeID IS NOT "
    "NULL; INSERT OR IGNORE INTO RecipeIngredientTrigramsPending(RecipeID) SELECT "
    "new.RecipeID WHERE new.RecipeID IS NOT NULL; END";

const char* const kCreateIndex =
    "CREATE VIRTUAL TABLE IngredientNameTrigrams USING fts5(Name, "
    "content='IngredientLines', content_rowid='IngredientLinesID', tokenize='trigram');\n"
    "CREATE TABLE IngredientNameTrigramsPending (IngredientLinesID INTEGER NOT NULL "
    "PRIMARY KEY);\n"
    "CREATE TABLE IngredientNameTrigramsMark (MarkID INTEGER NOT NULL PRIMARY KEY CHECK "
    "(MarkID = 1), LastIndexedLine INTEGER NOT NULL);\n";

// The index by recipe: one row per recipe numbered by its RecipeID, holding
// its ingredient names one per line with the ASCII letters in lower case,
// which is how LIKE compares them, so a text found in it is found by LIKE and
// the other way round.
const char* const kCreateRecipeIndex =
    "CREATE VIRTUAL TABLE RecipeIngredientTrigrams USING fts5(Names, tokenize='trigram "
    "case_sensitive 1');\n"
    "CREATE TABLE RecipeIngredientTrigramsPending (RecipeID INTEGER NOT NULL PRIMARY KEY);\n";

const char* const kDropRecipeIndex =
    "DROP TABLE IF EXISTS RecipeIngredientTrigrams;"
    "DROP TABLE IF EXISTS RecipeIngredientTrigramsPending;";

// The row of the index by recipe for each recipe among `recipes` (a
// subquery) that has lines.
const char* const kRecipeRows =
    "INSERT INTO RecipeIngredientTrigrams(rowid, Names) SELECT RecipeID, "
    "lower(group_concat(Name, char(10))) FROM IngredientLines WHERE RecipeID IN ";
const char* const kRecipeRowsEnd = " GROUP BY RecipeID";

// The triggers of every earlier shape of the index, including the insert
// trigger that listed each new line numbered at or below the mark.
const char* const kDropTriggers =
    "DROP TRIGGER IF EXISTS IngredientNameTrigramsInsert;"
    "DROP TRIGGER IF EXISTS IngredientNameTrigramsDelete;"
    "DROP TRIGGER IF EXISTS IngredientNameTrigramsUpdate;";

const char* const kDropIndex =
    "DROP TABLE IF EXISTS IngredientNameTrigrams;"
    "DROP TABLE IF EXISTS IngredientNameTrigramsPending;"
    "DROP TABLE IF EXISTS IngredientNameTrigramsMark;";

// Lines are added in ranges of identifiers, so that progress can be shown
// and a cancel heard between ranges.
constexpr sqlite3_int64 kLinesPerStep = 50000;

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

// Runs `insertSql` (two parameters: the first and last identifier of a range)
// over the identifiers from `first` to `last` in steps of `step`, telling
// `progress` the share done scaled into [from, to]; an SQLite result code.
int FillInRanges(sqlite3* db, const char* insertSql, sqlite3_int64 first, sqlite3_int64 last,
                 sqlite3_int64 step, const IndexProgress& progress, int from, int to,
                 bool& cancelled) {
    sqlite3_stmt* insert = nullptr;
    int rc = sqlite3_prepare_v2(db, insertSql, -1, &insert, nullptr);
    for (sqlite3_int64 at = first; rc == SQLITE_OK && at <= last; at += step) {
        const sqlite3_int64 end = std::min(last, at + step - 1);
        sqlite3_bind_int64(insert, 1, at);
        sqlite3_bind_int64(insert, 2, end);
        rc = sqlite3_step(insert);
        if (rc == SQLITE_DONE) rc = SQLITE_OK;
        sqlite3_reset(insert);
        const int percent =
            from + static_cast<int>((end - first + 1) * (to - from) / (last - first + 1));
        if (rc == SQLITE_OK && progress && !progress(percent)) cancelled = true;
        if (cancelled) break;
    }
    sqlite3_finalize(insert);
    return rc;
}

// Fills the new index by line from the stored lines; an SQLite result code.
int FillIndex(sqlite3* db, const IndexProgress& progress, int from, int to, bool& cancelled) {
    return FillInRanges(
        db,
        "INSERT INTO IngredientNameTrigrams(rowid, Name) SELECT IngredientLinesID, Name FROM "
        "IngredientLines WHERE IngredientLinesID BETWEEN ? AND ?",
        QueryInteger(db, "SELECT min(IngredientLinesID) FROM IngredientLines", 0),
        QueryInteger(db, "SELECT max(IngredientLinesID) FROM IngredientLines", -1), kLinesPerStep,
        progress, from, to, cancelled);
}

// Fills the new index by recipe from the stored lines; an SQLite result code.
int FillRecipeIndex(sqlite3* db, const IndexProgress& progress, int from, int to, bool& cancelled) {
    const std::string insert = std::string(kRecipeRows) +
                               "(SELECT RecipeID FROM IngredientLines WHERE RecipeID BETWEEN ? "
                               "AND ?)" +
                               kRecipeRowsEnd;
    return FillInRanges(db, insert.c_str(),
                        QueryInteger(db, "SELECT min(RecipeID) FROM IngredientLines", 0),
                        QueryInteger(db, "SELECT max(RecipeID) FROM IngredientLines", -1),
                        kLinesPerStep / 5, progress, from, to, cancelled);
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

bool HasIndex(sqlite3* db, const char* name, const char* sql) {
    return HasObject(db, "index", name, sql);
}

// True when both triggers have their current shape.
bool HasCurrentTriggers(sqlite3* db) {
    return HasObject(db, "trigger", "IngredientNameTrigramsDelete", kDeleteTrigger) &&
           HasObject(db, "trigger", "IngredientNameTrigramsUpdate", kUpdateTrigger);
}

int CreateTriggers(sqlite3* db) {
    int rc = sqlite3_exec(db, kDropTriggers, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, kDeleteTrigger, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, kUpdateTrigger, nullptr, nullptr, nullptr);
    return rc;
}

bool HasLineIndexTables(sqlite3* db) {
    return QueryInteger(db,
                        "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN "
                        "('IngredientNameTrigrams', 'IngredientNameTrigramsPending', "
                        "'IngredientNameTrigramsMark')",
                        0) == 3;
}

bool HasRecipeIndexTables(sqlite3* db) {
    return QueryInteger(db,
                        "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN "
                        "('RecipeIngredientTrigrams', 'RecipeIngredientTrigramsPending')",
                        0) == 2;
}

// Replaces the index `name` with its current shape `sql`; an SQLite result code.
int ReplaceIndex(sqlite3* db, const char* name, const char* sql) {
    const std::string drop = std::string("DROP INDEX IF EXISTS ") + name;
    int rc = sqlite3_exec(db, drop.c_str(), nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    return rc;
}

// Moves the mark to the highest line number, so that the lines indexed now
// count as indexed; an SQLite result code.
int MoveMark(sqlite3* db) {
    return sqlite3_exec(db,
                        "INSERT OR REPLACE INTO IngredientNameTrigramsMark(MarkID, "
                        "LastIndexedLine) SELECT 1, max(coalesce((SELECT LastIndexedLine FROM "
                        "IngredientNameTrigramsMark), 0), coalesce((SELECT max(IngredientLinesID) "
                        "FROM IngredientLines), 0))",
                        nullptr, nullptr, nullptr);
}

// Adds the waiting lines to the index by line and moves the mark past them;
// an SQLite result code.
int IndexPendingLines(sqlite3* db) {
    const int rc = sqlite3_exec(db,
                                "INSERT INTO IngredientNameTrigrams(rowid, Name) SELECT "
                                "IngredientLinesID, Name FROM IngredientLines WHERE "
                                "IngredientLinesID IN (SELECT IngredientLinesID FROM "
                                "IngredientNameTrigramsPending) OR IngredientLinesID > "
                                "coalesce((SELECT LastIndexedLine FROM "
                                "IngredientNameTrigramsMark), 0);"
                                "DELETE FROM IngredientNameTrigramsPending;",
                                nullptr, nullptr, nullptr);
    return rc == SQLITE_OK ? MoveMark(db) : rc;
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
    return HasLineIndexTables(db) && HasRecipeIndexTables(db) && HasCurrentTriggers(db);
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
    Transaction transaction(box);
    if (!transaction.Active()) return;
    // The recipes go first: which of them are pending follows from the
    // lines still waiting. A failure rolls back and leaves everything
    // waiting, where searches still test it directly.
    const std::string recipes =
        std::string("DELETE FROM RecipeIngredientTrigrams WHERE rowid IN ") + kPendingRecipes +
        ";" + kRecipeRows + kPendingRecipes + kRecipeRowsEnd +
        ";DELETE FROM RecipeIngredientTrigramsPending;";
    if (sqlite3_exec(db, recipes.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK &&
        IndexPendingLines(db) == SQLITE_OK)
        transaction.Commit();
}

SearchIndexUpgrade EnsureSearchIndexes(CADODatabase& box, const IndexProgress& progress) {
    sqlite3* db = box.Handle();
    if (db == nullptr) return SearchIndexUpgrade::ReadOnly;
    // A leftover table of the index by line without its triggers may be
    // stale: it is filled again.
    const bool hasLineIndex =
        HasLineIndexTables(db) &&
        QueryInteger(db,
                     "SELECT count(*) FROM sqlite_master WHERE type = 'trigger' AND name IN "
                     "('IngredientNameTrigramsDelete', 'IngredientNameTrigramsUpdate')",
                     0) == 2;
    const bool hasRecipeIndex = HasRecipeIndexTables(db);
    const bool currentTriggers = HasCurrentTriggers(db);
    const bool hasListIndexes = HasIndex(db, "RecipesTitle", kTitleIndex) &&
                                HasIndex(db, "RecipesLastViewed", kLastViewedIndex);
    if (hasLineIndex && hasRecipeIndex && currentTriggers && hasListIndexes) {
        IndexPendingIngredientNames(box);
        return SearchIndexUpgrade::Present;
    }
    if (sqlite3_db_readonly(db, "main") != 0) return SearchIndexUpgrade::ReadOnly;

    Transaction transaction(box);
    if (!transaction.Active()) return SearchIndexUpgrade::Failed;
    bool cancelled = false;
    int rc = SQLITE_OK;
    if (!hasListIndexes) {
        rc = ReplaceIndex(db, "RecipesTitle", kTitleIndex);
        if (rc == SQLITE_OK) rc = ReplaceIndex(db, "RecipesLastViewed", kLastViewedIndex);
    }
    // Triggers of an earlier shape go before anything is filled; the index
    // by line keeps its rows and marks, which mean the same in every shape.
    if (rc == SQLITE_OK && !currentTriggers)
        rc = sqlite3_exec(db, kDropTriggers, nullptr, nullptr, nullptr);
    // The index by recipe is filled anew whenever its changes may have gone
    // unrecorded: without the current triggers, or when the mark of the
    // index by line moves past lines it never saw.
    const bool fillLines = !hasLineIndex;
    const bool fillRecipes = !hasRecipeIndex || !hasLineIndex || !currentTriggers;
    const int split = fillLines && fillRecipes ? 50 : fillLines ? 100 : 0;
    if (fillLines) {
        if (rc == SQLITE_OK) rc = sqlite3_exec(db, kDropIndex, nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) rc = sqlite3_exec(db, kCreateIndex, nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) rc = FillIndex(db, progress, 0, split, cancelled);
        if (rc == SQLITE_OK && !cancelled) rc = MoveMark(db);
    }
    if (fillRecipes && !cancelled) {
        // Filled from every stored line, with none left waiting for the
        // index by line, it is up to date for every recipe.
        if (rc == SQLITE_OK && !fillLines) rc = IndexPendingLines(db);
        if (rc == SQLITE_OK) rc = sqlite3_exec(db, kDropRecipeIndex, nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) rc = sqlite3_exec(db, kCreateRecipeIndex, nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) rc = FillRecipeIndex(db, progress, split, 100, cancelled);
    }
    if (rc == SQLITE_OK && !cancelled && !currentTriggers) rc = CreateTriggers(db);
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
