// One database file being built: created empty at a path, filled through
// statements with bound values, and closed. Statements are prepared once and
// reused by their text. Errors are returned as text naming the file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <variant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace pantrio::tools {

using SqlValue = std::variant<std::int64_t, double, std::string>;

class SqliteFile {
public:
    SqliteFile() = default;
    ~SqliteFile();
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    // Creates a new, empty database at `path`, replacing any file there.
    bool Create(const std::filesystem::path& path, std::string& error);

    // Runs one or more statements without values (a schema, BEGIN, COMMIT).
    bool Exec(const std::string& sql, std::string& error);

    // Runs one statement with `values` bound to its '?' parameters in order.
    bool Run(const std::string& sql, const std::vector<SqlValue>& values, std::string& error);

    // Finishes the statements and closes the file; false when closing failed.
    bool Close(std::string& error);

private:
    std::string Failure(const std::string& what) const;

    sqlite3* db_ = nullptr;
    std::filesystem::path path_;
    std::map<std::string, sqlite3_stmt*> statements_;
};

}  // namespace pantrio::tools
