// Read-only access to a database file for the tests of the database builder:
// run a query and get its rows as text. Opened read-only, so a test can never
// change the shipped files it inspects.
#pragma once

#include <string>
#include <vector>

namespace pantrio::test {

class BuiltDatabase {
public:
    explicit BuiltDatabase(const std::string& path);
    ~BuiltDatabase();
    BuiltDatabase(const BuiltDatabase&) = delete;
    BuiltDatabase& operator=(const BuiltDatabase&) = delete;

    // Empty when the file opened; otherwise why not.
    const std::string& Error() const { return error_; }

    // Every row of `sql`, each column as text (NULL as ""). A failing
    // statement yields no rows and sets Error().
    std::vector<std::vector<std::string>> Rows(const std::string& sql);

    // The first column of every row.
    std::vector<std::string> Column(const std::string& sql);

    // The first column of the first row as a number; -1 when there is none.
    long long Number(const std::string& sql);

    // The first column of the first row as text; "" when there is none.
    std::string Text(const std::string& sql);

private:
    void* db_ = nullptr;  // sqlite3*, kept out of the header
    std::string error_;
};

// The folder the build writes the shipped data to.
std::string BuiltDataDir();

}  // namespace pantrio::test
