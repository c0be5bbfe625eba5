#include "support/TestDatabases.h"

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace pantrio::test {

namespace fs = std::filesystem;

std::string TempDataRoot::SchemaDir() {
    return (fs::path(PANTRIO_TEST_DATA_DIR) / ".." / ".." / "data" / "schema")
        .lexically_normal()
        .string();
}

TempDataRoot::TempDataRoot(bool createDatabases) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/pantrio-test-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        error = "cannot create a temporary folder from " + pattern;
        return;
    }
    root = pattern;
    boxPath = root + "/box.crb";
    supportPath = root + "/support.csy";
    if (createDatabases) {
        if (CreateDatabase(boxPath, "recipebox.sql")) CreateDatabase(supportPath, "support.sql");
    }
}

TempDataRoot::~TempDataRoot() {
    if (root.empty()) return;
    std::error_code ignored;
    // Tests may leave files read-only; make the tree writable so it can go.
    for (auto it = fs::recursive_directory_iterator(root, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(root, ignored);
}

std::string TempDataRoot::PathOf(const std::string& name) const {
    return root + "/" + name;
}

bool TempDataRoot::CreateDatabase(const std::string& path, const std::string& schemaFile) {
    std::ifstream in(fs::path(SchemaDir()) / schemaFile, std::ios::binary);
    if (!in) {
        error = "cannot read the schema " + schemaFile + " in " + SchemaDir();
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string why;
    if (!Exec(path, text.str(), &why)) {
        error = "cannot create " + path + ": " + why;
        return false;
    }
    return true;
}

bool TempDataRoot::Exec(const std::string& path, const std::string& sql, std::string* error) {
    sqlite3* db = nullptr;
    int rc =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK) {
        // Test files are thrown away: do not wait for the disk.
        sqlite3_exec(db, "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
        char* message = nullptr;
        rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message);
        if (rc != SQLITE_OK && error) *error = message ? message : sqlite3_errstr(rc);
        sqlite3_free(message);
    } else if (error) {
        *error = sqlite3_errstr(rc);
    }
    sqlite3_close(db);
    return rc == SQLITE_OK;
}

}  // namespace pantrio::test
