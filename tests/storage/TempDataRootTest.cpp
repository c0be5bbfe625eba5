#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

#include "support/TestDatabases.h"

namespace pantrio::test {
namespace {

int CountTables(const std::string& path) {
    sqlite3* db = nullptr;
    int count = -1;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master WHERE type='table'", -1, &st,
                               nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            count = sqlite3_column_int(st, 0);
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return count;
}

TEST(TempDataRoot, CreatesBothDatabasesAndRemovesTheFolder) {
    std::string root;
    {
        TempDataRoot data;
        ASSERT_TRUE(data.Ok()) << data.Error();
        root = data.root;
        EXPECT_GE(CountTables(data.boxPath), 3);
        EXPECT_GE(CountTables(data.supportPath), 10);
        std::filesystem::permissions(data.boxPath, std::filesystem::perms::owner_read);
    }
    EXPECT_FALSE(std::filesystem::exists(root));
}

}  // namespace
}  // namespace pantrio::test
