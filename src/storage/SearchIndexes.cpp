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
// stand above the mark, or take the number of a line removed since the index
// was brought up to date, which the delete trigger lists as pending.
const char* const kTriggers =
    "CREATE TRIGGER IngredientNameTrigramsDelete AFTER DELETE ON IngredientLines WHEN "
    "old.IngredientLinesID <= coalesce((SELECT LastIndexedLine FROM "
    "IngredientNameTrigramsMark), 0) BEGIN INSERT INTO "
    "IngredientNameTrigrams(IngredientNameTrigrams, rowid, Name) SELECT 'delete', "
    "old.IngredientLinesID, old.Name WHERE NOT EXISTS (SELECT 1 FROM "
    "IngredientNameTrigramsPending WHERE IngredientLinesID = old.IngredientLinesID); "
    "INSERT OR IGNORE INTO IngredientNameTrigramsPending(IngredientLinesID) VALUES "
    "(old.IngredientLinesID); END;"
    "CREATE TRIGGER IngredientNameTrigramsUpdate AFTER UPDATE OF IngredientLinesID, Name "
    "ON IngredientLines BEGIN INSERT INTO IngredientNameTrigrams(IngredientNameTrigrams, "
    "rowid, Name) SELECT 'delete', old.IngredientLinesID, old.Name WHERE "
    "old.IngredientLinesID <= coalesce((SELECT LastIndexedLine FROM "
    "IngredientNameTrigramsMark), 0) AND NOT EXISTS (SELECT 1 FROM "
    "IngredientNameTrigramsPending WHERE IngredientLinesID = old.IngredientLinesID); "
    "INSERT OR IGNORE INTO IngredientNameTrigramsPending(IngredientLinesID) SELECT "
    "old.IngredientLinesID WHERE old.IngredientLinesID <= coalesce((SELECT "
    "LastIndexedLine FROM IngredientNameTrigramsMark), 0); INSERT OR IGNORE INTO "
    "IngredientNameTrigramsPending(IngredientLinesID) SELECT new.IngredientLinesID WHERE "
    "new.IngredientLinesID <= coalesce((SELECT LastIndexedLine FROM "
    "IngredientNameTrigramsMark), 0); END;";

const char* const kCreateIndex =
    "CREATE VIRTUAL TABLE IngredientNameTrigrams USING fts5(Name, "
    "content='IngredientLines', content_rowid='IngredientLinesID', tokenize='trigram');\n"
    "CREATE TABLE IngredientNameTrigramsPending (IngredientLinesID INTEGER NOT NULL "
    "PRIMARY KEY);\n"
    "CREATE TABLE IngredientNameTrigramsMark (MarkID INTEGER NOT NULL PRIMARY KEY CHECK "
    "(MarkID = 1), LastIndexedLine INTEGER NOT NULL);\n";

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

// Fills the new index from the stored lines; an SQLite result code.
int FillIndex(sqlite3* db, const IndexProgress& progress, bool& cancelled) {
    const sqlite3_int64 first =
        QueryInteger(db, "SELECT min(IngredientLinesID) FROM IngredientLines", 0);
    const sqlite3_int64 last =
        QueryInteger(db, "SELECT max(IngredientLinesID) FROM IngredientLines", -1);
    sqlite3_stmt* insert = nullptr;
    int rc = sqlite3_prepare_v2(db,
                                "INSERT INTO IngredientNameTrigrams(rowid, Name) SELECT "
                                "IngredientLinesID, Name FROM IngredientLines WHERE "
                                "IngredientLinesID BETWEEN ? AND ?",
                                -1, &insert, nullptr);
    for (sqlite3_int64 from = first; rc == SQLITE_OK && from <= last; from += kLinesPerStep) {
        const sqlite3_int64 to = std::min(last, from + kLinesPerStep - 1);
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

// True when the box's index `name` has the current shape `sql`.
bool HasIndex(sqlite3* db, const char* name, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    bool same = false;
    if (sqlite3_prepare_v2(db, "SELECT sql FROM sqlite_master WHERE type = 'index' AND name = ?",
                           -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_bind_text(statement, 1, name, -1, SQLITE_STATIC) == SQLITE_OK &&
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

}  // namespace

bool HasIngredientIndex(CADODatabase& box) {
    sqlite3* db = box.Handle();
    if (db == nullptr) return false;
    return QueryInteger(db,
                        "SELECT count(*) FROM sqlite_master WHERE (type = 'table' AND name IN "
                        "('IngredientNameTrigrams', 'IngredientNameTrigramsPending', "
                        "'IngredientNameTrigramsMark')) OR (type = "
                        "'trigger' AND name IN ('IngredientNameTrigramsDelete', "
                        "'IngredientNameTrigramsUpdate'))",
                        0) == 5;
}

void IndexPendingIngredientNames(CADODatabase& box) {
    sqlite3* db = box.Handle();
    if (db == nullptr || box.TransactionDepth() > 0 || sqlite3_db_readonly(db, "main") != 0 ||
        !HasIngredientIndex(box) ||
        QueryInteger(db,
                     "SELECT EXISTS (SELECT 1 FROM IngredientNameTrigramsPending) OR EXISTS "
                     "(SELECT 1 FROM IngredientLines WHERE IngredientLinesID > coalesce((SELECT "
                     "LastIndexedLine FROM IngredientNameTrigramsMark), 0))",
                     0) == 0)
        return;
    Transaction transaction(box);
    if (!transaction.Active()) return;
    // A failure rolls back and leaves the lines waiting, where searches
    // still test them.
    if (sqlite3_exec(db,
                     "INSERT INTO IngredientNameTrigrams(rowid, Name) SELECT IngredientLinesID, "
                     "Name FROM IngredientLines WHERE IngredientLinesID IN (SELECT "
                     "IngredientLinesID FROM IngredientNameTrigramsPending) OR "
                     "IngredientLinesID > coalesce((SELECT LastIndexedLine FROM "
                     "IngredientNameTrigramsMark), 0);"
                     "DELETE FROM IngredientNameTrigramsPending;",
                     nullptr, nullptr, nullptr) == SQLITE_OK &&
        MoveMark(db) == SQLITE_OK)
        transaction.Commit();
}

SearchIndexUpgrade EnsureSearchIndexes(CADODatabase& box, const IndexProgress& progress) {
    sqlite3* db = box.Handle();
    if (db == nullptr) return SearchIndexUpgrade::ReadOnly;
    const bool hasTrigrams = HasIngredientIndex(box);
    const bool hasListIndexes = HasIndex(db, "RecipesTitle", kTitleIndex) &&
                                HasIndex(db, "RecipesLastViewed", kLastViewedIndex);
    // The first shape of the index also had a trigger for every line
    // stored; its lines and marks mean the same, so only the triggers change.
    const bool oldTriggers =
        hasTrigrams && QueryInteger(db,
                                    "SELECT count(*) FROM sqlite_master WHERE type = 'trigger' "
                                    "AND name = 'IngredientNameTrigramsInsert'",
                                    0) > 0;
    if (hasTrigrams && hasListIndexes && !oldTriggers) {
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
    if (!hasTrigrams || oldTriggers)
        if (rc == SQLITE_OK) rc = sqlite3_exec(db, kDropTriggers, nullptr, nullptr, nullptr);
    if (!hasTrigrams) {
        if (rc == SQLITE_OK) rc = sqlite3_exec(db, kDropIndex, nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) rc = sqlite3_exec(db, kCreateIndex, nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) rc = FillIndex(db, progress, cancelled);
        if (rc == SQLITE_OK && !cancelled) rc = MoveMark(db);
    }
    if (!hasTrigrams || oldTriggers)
        if (rc == SQLITE_OK && !cancelled)
            rc = sqlite3_exec(db, kTriggers, nullptr, nullptr, nullptr);
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
