#include "tools/BuiltDatabase.h"

#include <sqlite3.h>

#include <cstdlib>

namespace pantrio::test {

std::string BuiltDataDir() {
    return PANTRIO_BUILT_DATA_DIR;
}

BuiltDatabase::BuiltDatabase(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        error_ = path + ": " + (db ? sqlite3_errmsg(db) : "cannot open");
        sqlite3_close(db);
        return;
    }
    db_ = db;
}

BuiltDatabase::~BuiltDatabase() {
    sqlite3_close(static_cast<sqlite3*>(db_));
}

std::vector<std::vector<std::string>> BuiltDatabase::Rows(const std::string& sql) {
    std::vector<std::vector<std::string>> rows;
    auto* db = static_cast<sqlite3*>(db_);
    if (!db) return rows;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        error_ = sql + ": " + sqlite3_errmsg(db);
        return rows;
    }
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            const auto* text = sqlite3_column_text(statement, i);
            row.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
        }
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) error_ = sql + ": " + sqlite3_errmsg(db);
    sqlite3_finalize(statement);
    return rows;
}

std::vector<std::string> BuiltDatabase::Column(const std::string& sql) {
    std::vector<std::string> values;
    for (auto& row : Rows(sql)) values.push_back(row.empty() ? "" : row[0]);
    return values;
}

long long BuiltDatabase::Number(const std::string& sql) {
    const auto rows = Rows(sql);
    if (rows.empty() || rows[0].empty() || rows[0][0].empty()) return -1;
    return std::strtoll(rows[0][0].c_str(), nullptr, 10);
}

std::string BuiltDatabase::Text(const std::string& sql) {
    const auto rows = Rows(sql);
    return rows.empty() || rows[0].empty() ? "" : rows[0][0];
}

}  // namespace pantrio::test
