#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "base/Text.h"
#include "storage/CADODatabase.h"
#include "storage/CADORecordset.h"
#include "storage/StorageTestUtil.h"
#include "storage/Store.h"
#include "support/TestDatabases.h"

namespace pantrio {
namespace {

using test::ConnectStringFor;
using test::TempDataRoot;

// Each refused connection says why in the connection report format and
// leaves no file behind.
TEST(CADODatabase, RefusesWhatIsNotADatabaseFile) {
    TempDataRoot data;
    ASSERT_TRUE(data.Ok()) << data.Error();
    std::ofstream(data.PathOf("notes.txt")) << "These are not the tables you are looking for.\n";
    std::ofstream(data.PathOf("empty.crb"));
    std::filesystem::create_directory(data.PathOf("folder.crb"));

    for (const std::string name : {"missing.crb", "folder.crb", "notes.txt", "empty.crb", ""}) {
        SCOPED_TRACE(name);
        CADODatabase db;
        const std::string connect = ConnectStringFor(data, name.empty() ? "" : data.PathOf(name));
        EXPECT_FALSE(db.Connect(connect));
        EXPECT_FALSE(db.Connected());
        EXPECT_EQ(db.ErrorReport().rfind(
                      "Connection String = " + connect + "\nCADODataBase Error\n\tCode = ", 0),
                  0u)
            << db.ErrorReport();
        EXPECT_NE(db.ErrorCode(), 0u);
    }
    EXPECT_FALSE(std::filesystem::exists(data.PathOf("missing.crb")));
}

TEST(CADODatabase, ReportHasTheFixedLines) {
    TempDataRoot data;
    ASSERT_TRUE(data.Ok()) << data.Error();
    std::ofstream(data.PathOf("notes.txt")) << std::string(4096, 'x');
    CADODatabase db;
    ASSERT_FALSE(db.Connect("Data Source=" + data.PathOf("notes.txt")));
    EXPECT_EQ(db.ErrorCode(), 26u);  // not a database
    EXPECT_EQ(db.ErrorReport(), "Connection String = Data Source=" + data.PathOf("notes.txt") +
                                    "\nCADODataBase Error\n\tCode = 0000001a\n\tCode meaning = "
                                    "file is not a database\n\tSource = SQLite\n\tDescription = "
                                    "file is not a database\n");

    Store store;
    ASSERT_TRUE(store.Connect(ConnectStringFor(data, data.boxPath)));
    CADORecordset rs(store);
    EXPECT_FALSE(rs.Run("Select Missing from Recipes"));
    EXPECT_EQ(rs.ErrorReport(),
              "Query = Select Missing from Recipes\nCADORecordset Error\n\tCode = 00000001\n\tCode "
              "meaning = SQL logic error\n\tSource = SQLite\n\tDescription = no such column: "
              "Missing\n");
}

// Writes to a file that may only be read fail with a report; reads work.
TEST(CADODatabase, ReadOnlyConnectionsRefuseWritesCleanly) {
    TempDataRoot data;
    ASSERT_TRUE(data.Ok()) << data.Error();
    ASSERT_TRUE(TempDataRoot::Exec(data.boxPath,
                                   "INSERT INTO Recipes (RecipeID, Title) VALUES (1, 'Pie')"));

    auto check = [](Store& store) {
        EXPECT_EQ(store.QueryText("Select Title from Recipes where RecipeID = 1"), "Pie");
        EXPECT_EQ(store.RunSQL("UPDATE RECIPES SET Title = 'Cake' Where RecipeID = 1"), -1);
        EXPECT_NE(store.ErrorReport().find("Query = UPDATE RECIPES SET Title = 'Cake'"),
                  std::string::npos);
        EXPECT_EQ(store.ErrorCode() & 0xff, 8u);  // read-only
        EXPECT_EQ(store.QueryText("Select Title from Recipes where RecipeID = 1"), "Pie");
    };
    {
        Store store;
        ASSERT_TRUE(store.Connect(ConnectStringFor(data, data.boxPath) + ";Mode=Read"));
        check(store);
    }
    if (geteuid() != 0) {  // the superuser may write any file
        std::filesystem::permissions(data.boxPath, std::filesystem::perms::owner_read);
        Store store;
        ASSERT_TRUE(store.Connect(ConnectStringFor(data, data.boxPath)));
        check(store);
    }
}

TEST(CADODatabase, InnerSavepointFailureKeepsTheOuterWork) {
    TempDataRoot data;
    ASSERT_TRUE(data.Ok()) << data.Error();
    Store store;
    ASSERT_TRUE(store.Connect(ConnectStringFor(data, data.boxPath)));

    ASSERT_TRUE(store.BeginTransaction());
    EXPECT_EQ(store.RunSQL("INSERT INTO RECIPES(RecipeID, Title) VALUES (1, 'Kept')"), 1);
    {
        Transaction inner(store);
        ASSERT_TRUE(inner.Active());
        EXPECT_EQ(store.TransactionDepth(), 2);
        EXPECT_EQ(store.RunSQL("INSERT INTO RECIPES(RecipeID, Title) VALUES (2, 'Dropped')"), 1);
        EXPECT_EQ(store.RunSQL("INSERT INTO RECIPES(RecipeID, Title) VALUES (1, 'Duplicate')"), -1);
        // leaving the scope without Commit rolls the savepoint back
    }
    EXPECT_EQ(store.TransactionDepth(), 1);
    {
        Transaction inner(store);
        EXPECT_EQ(store.RunSQL("INSERT INTO RECIPES(RecipeID, Title) VALUES (3, 'Also kept')"), 1);
        EXPECT_TRUE(inner.Commit());
    }
    ASSERT_TRUE(store.CommitTransaction());
    EXPECT_EQ(store.TransactionDepth(), 0);
    EXPECT_FALSE(store.CommitTransaction());

    Store other;  // another connection sees only the committed rows
    ASSERT_TRUE(other.Connect(ConnectStringFor(data, data.boxPath)));
    EXPECT_EQ(other.QueryNumber("Select count(RecipeID) from Recipes"), 2);
    EXPECT_EQ(other.QueryText("Select Title from Recipes where RecipeID=3"), "Also kept");

    {
        Transaction outer(store);
        EXPECT_EQ(store.RunSQL("Delete * from Recipes"), 1);
    }
    EXPECT_EQ(other.QueryNumber("Select count(RecipeID) from Recipes"), 2);
}

// Results that outlive their connection, or are open while it closes, end
// quietly.
TEST(CADODatabase, ClosingEndsOpenResults) {
    TempDataRoot data;
    ASSERT_TRUE(data.Ok()) << data.Error();
    ASSERT_TRUE(TempDataRoot::Exec(
        data.boxPath, "INSERT INTO Recipes (RecipeID, Title) VALUES (1, 'Pie'), (2, 'Cake')"));
    auto db = std::make_unique<CADODatabase>();
    ASSERT_TRUE(db->Connect(ConnectStringFor(data, data.boxPath)));
    CADORecordset open(*db);
    ASSERT_TRUE(open.Run("Select Title from Recipes order by Title"));
    ASSERT_FALSE(open.AtEnd());

    ASSERT_TRUE(db->Connect(ConnectStringFor(data, data.boxPath)));  // reconnect closes first
    EXPECT_TRUE(open.AtEnd());
    std::string title = "unchanged";
    EXPECT_FALSE(open.Read("Title", title));
    EXPECT_EQ(title, "unchanged");

    ASSERT_TRUE(open.Run("Select Title from Recipes order by Title"));
    db.reset();
    EXPECT_TRUE(open.AtEnd());
}

}  // namespace
}  // namespace pantrio

namespace pantrio {
namespace {

// The settings for bulk work keep the file an ordinary rollback-journal
// database that can be copied or opened read-only once the work is
// committed, also after the connection was reopened.
TEST(CADODatabase, BulkSettingsKeepThePlainFileForm) {
    TempDataRoot data;
    ASSERT_TRUE(data.Ok()) << data.Error();
    Store store;
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(store.Connect(ConnectStringFor(data, data.boxPath))) << store.ErrorReport();
        EXPECT_EQ(store.QueryText("PRAGMA journal_mode"), "delete");
        EXPECT_EQ(store.QueryNumber("PRAGMA temp_store"), 2);  // memory
        Transaction outer(store);
        ASSERT_TRUE(outer.Active()) << store.ErrorReport();
        for (int id = 1; id <= 3; ++id) {
            Transaction inner(store);
            ASSERT_TRUE(inner.Active()) << store.ErrorReport();
            ASSERT_EQ(
                store.RunSQL(Format("INSERT INTO RECIPES(RecipeID) VALUES (%d)", round * 10 + id)),
                1);
            ASSERT_TRUE(inner.Commit()) << store.ErrorReport();
        }
        ASSERT_TRUE(outer.Commit()) << store.ErrorReport();
        store.Disconnect();
    }
    EXPECT_FALSE(std::filesystem::exists(data.boxPath + "-journal"));
    const std::string copy = data.PathOf("copy.crb");
    std::filesystem::copy_file(data.boxPath, copy);
    Store reader;
    ASSERT_TRUE(reader.Connect(ConnectStringFor(data, copy) + ";Mode=Read"));
    EXPECT_EQ(reader.QueryNumber("Select count(*) from Recipes"), 6);
}

}  // namespace
}  // namespace pantrio
