#include "SqliteFile.h"

#include <sqlite3.h>

namespace pantrio::tools {

SqliteFile::~SqliteFile() {
    std::string ignored;
    Close(ignored);
}

std::string SqliteFile::Failure(const std::string& what) const {
    return path_.string() + ": " + what + ": " + (db_ ? sqlite3_errmsg(db_) : "no database");
}

bool SqliteFile::Create(const std::filesystem::path& path, std::string& error) {
    std::string ignored;
    Close(ignored);
    path_ = path;
    std::error_code removeError;
    std::filesystem::remove(path, removeError);
    if (removeError) {
        error = path.string() + ": cannot replace the file: " + removeError.message();
        return false;
    }
    const int rc = sqlite3_open_v2(path.string().c_str(), &db_,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        error = Failure("cannot create the database");
        Close(ignored);
        return false;
    }
    return true;
}

bool SqliteFile::Exec(const std::string& sql, std::string& error) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        error = path_.string() + ": " + (message ? message : "statement failed");
        sqlite3_free(message);
        return false;
    }
    return true;
}

bool SqliteFile::Run(const std::string& sql, const std::vector<SqlValue>& values,
                     std::string& error) {
    sqlite3_stmt*& statement = statements_[sql];
    if (!statement && sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        error = Failure("cannot prepare \"" + sql + "\"");
        statements_.erase(sql);
        return false;
    }
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    for (size_t i = 0; i < values.size(); ++i) {
        const int index = static_cast<int>(i) + 1;
        const SqlValue& value = values[i];
        if (const auto* whole = std::get_if<std::int64_t>(&value)) {
            sqlite3_bind_int64(statement, index, *whole);
        } else if (const auto* real = std::get_if<double>(&value)) {
            sqlite3_bind_double(statement, index, *real);
        } else {
            const auto& text = std::get<std::string>(value);
            sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()),
                              SQLITE_TRANSIENT);
        }
    }
    if (sqlite3_step(statement) != SQLITE_DONE) {
        error = Failure("\"" + sql + "\" failed");
        return false;
    }
    return true;
}

bool SqliteFile::Close(std::string& error) {
    for (auto& [sql, statement] : statements_) sqlite3_finalize(statement);
    statements_.clear();
    if (!db_) return true;
    const int rc = sqlite3_close(db_);
    if (rc != SQLITE_OK) {
        error = Failure("cannot close the database");
        sqlite3_close_v2(db_);
    }
    db_ = nullptr;
    return rc == SQLITE_OK;
}

}  // namespace pantrio::tools
