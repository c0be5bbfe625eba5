// A fresh temporary data root for a test: a recipe box and a support database
// created from the shipped table schema (data/schema/*.sql) with the sqlite3
// API directly, so the tests of the access layer do not depend on it. The
// folder and everything in it are removed when the object goes away.
#pragma once

#include <string>

namespace pantrio::test {

struct TempDataRoot {
    // Creates a new folder under $TMPDIR (or /tmp) and, unless `createDatabases`
    // is false, "box.crb" and "support.csy" in it. Ok() tells whether that
    // worked; Error() says why not.
    explicit TempDataRoot(bool createDatabases = true);
    ~TempDataRoot();
    TempDataRoot(const TempDataRoot&) = delete;
    TempDataRoot& operator=(const TempDataRoot&) = delete;

    bool Ok() const { return error.empty(); }
    const std::string& Error() const { return error; }

    // A path inside the folder (nothing is created).
    std::string PathOf(const std::string& name) const;

    // Creates another database at `path` from a schema file (e.g. "recipebox.sql");
    // false with Error() set on failure.
    bool CreateDatabase(const std::string& path, const std::string& schemaFile);

    // Runs SQL on a database file directly (setting up test rows); false on failure.
    static bool Exec(const std::string& path, const std::string& sql, std::string* error = nullptr);

    // The folder holding recipebox.sql and support.sql.
    static std::string SchemaDir();

    std::string root;         // the temporary folder
    std::string boxPath;      // root + "/box.crb", a recipe box
    std::string supportPath;  // root + "/support.csy", the support database
    std::string error;
};

}  // namespace pantrio::test
