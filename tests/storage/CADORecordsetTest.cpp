#include <gtest/gtest.h>

#include "base/Text.h"
#include "storage/CADORecordset.h"
#include "storage/StatementCache.h"
#include "storage/StorageTestUtil.h"
#include "storage/Store.h"

namespace pantrio {
namespace {

using test::TempDataRoot;

class CADORecordsetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(data.Ok()) << data.Error();
        ASSERT_TRUE(box.Connect(test::ConnectStringFor(data, data.boxPath))) << box.ErrorReport();
    }
    // Adds `count` recipes numbered from 1 in one transaction.
    void AddRecipes(int count) {
        Transaction t(box);
        for (int id = 1; id <= count; ++id)
            ASSERT_EQ(
                box.RunSQL(Format("INSERT INTO RECIPES(RecipeID, Title) VALUES (%d, 'Recipe %05d')",
                                  id, id)),
                1);
        ASSERT_TRUE(t.Commit());
    }

    TempDataRoot data;
    Store box;
};

TEST_F(CADORecordsetTest, ReadsEachTypeAndNullsAsTheProgramExpects) {
    ASSERT_EQ(box.RunSQL("INSERT INTO RECIPES(RecipeID, Title, YieldNumber, Color, TasteRating, "
                         "LastViewed, Marked, ActiveMinutes) VALUES (1, 'Pie', 2.5, 3, 0.1, "
                         "#3/5/2024 6:30:00 PM#, true, 40000)"),
              1);
    ASSERT_EQ(box.RunSQL("INSERT INTO RECIPES(RecipeID) VALUES (2)"), 1);

    CADORecordset rs(box);
    ASSERT_TRUE(rs.Run("Select * from Recipes order by RecipeID"));
    std::string text;
    double number = -1;
    long id = -1;
    int small = -1;
    DateTime date;
    EXPECT_TRUE(rs.Read("title", text));
    EXPECT_EQ(text, "Pie");
    EXPECT_TRUE(rs.Read("YieldNumber", text));
    EXPECT_EQ(text, "2.5");
    EXPECT_TRUE(rs.Read("TasteRating", text));
    EXPECT_EQ(text, "0.1");
    EXPECT_TRUE(rs.Read("Color", text));
    EXPECT_EQ(text, "3");
    EXPECT_TRUE(rs.Read("LastViewed", text));
    EXPECT_EQ(text, "2024-03-05 18:30:00");
    EXPECT_TRUE(rs.Read("LastViewed", text, "%d.%m.%Y"));
    EXPECT_EQ(text, "05.03.2024");
    EXPECT_TRUE(rs.Read("LastViewed", date));
    EXPECT_EQ(date.IsoText(), "2024-03-05 18:30:00");
    EXPECT_TRUE(rs.Read("Marked", small));
    EXPECT_EQ(small, 1);
    EXPECT_TRUE(rs.Read("ActiveMinutes", small));
    EXPECT_EQ(small, 40000);  // the stored value, not wrapped to 16 bits
    EXPECT_TRUE(rs.Read("Recipes.RecipeID", id));
    EXPECT_EQ(id, 1);
    EXPECT_TRUE(rs.ReadAt(5, number));  // YieldNumber by position
    EXPECT_DOUBLE_EQ(number, 2.5);

    // A column that is not there, or a value that is not a number, leaves the target alone.
    text = "kept";
    number = 7;
    EXPECT_FALSE(rs.Read("NoSuchColumn", text));
    EXPECT_FALSE(rs.ReadAt(99, text));
    EXPECT_FALSE(rs.Read("Title", number));
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(number, 7);

    rs.NextRow();
    ASSERT_FALSE(rs.AtEnd());
    EXPECT_TRUE(rs.Read("Title", text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(rs.Read("UniqueID", id));  // default 0
    EXPECT_TRUE(rs.Read("LastViewed", number));
    EXPECT_EQ(number, 0);
    EXPECT_TRUE(rs.Read("LastViewed", date));
    EXPECT_TRUE(date.null);
    EXPECT_TRUE(rs.Read("PictureFile1", small));
    EXPECT_EQ(small, 0);
    rs.NextRow();
    EXPECT_TRUE(rs.AtEnd());
    EXPECT_FALSE(rs.Read("Title", text));
}

TEST_F(CADORecordsetTest, ComparesAndSortsTextWithoutCase) {
    const std::string title = "Mrs. O'Brien's \"Best\" Pie";
    ASSERT_EQ(box.RunSQL("INSERT INTO RECIPES(RecipeID, Title, Cuisine) VALUES (1, 'banana bread', "
                         "'ITALIAN'), (2, 'Apple Cake', 'italian'), (3, '" +
                         QuoteSql(title) + "', NULL), (4, 'cherry', '')"),
              1);
    EXPECT_EQ(box.QueryNumber("Select RecipeID from Recipes where Title = 'APPLE CAKE'"), 2);
    EXPECT_EQ(
        box.QueryNumber("Select RecipeID from Recipes where Title = '" + QuoteSql(title) + "'"), 3);
    EXPECT_EQ(box.QueryText("Select Title from Recipes where RecipeID = 3"), title);
    EXPECT_EQ(box.QueryRowCount("Select RecipeID from Recipes Where Cuisine LIKE 'Italian'"), 2);
    EXPECT_EQ(
        box.QueryRowCount("Select RecipeID from Recipes Where IsNull(Cuisine) OR (Cuisine = '')"),
        2);
    EXPECT_EQ(box.QueryRowCount("Select Cuisine from Recipes GROUP BY Cuisine"), 3);

    CADORecordset rs(box);
    ASSERT_TRUE(rs.Run("Select Title from Recipes Where Title >= 'B%' ORDER BY TITLE"));
    std::vector<std::string> titles;
    for (; !rs.AtEnd(); rs.NextRow()) {
        std::string t;
        rs.Read("Title", t);
        titles.push_back(t);
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"banana bread", "cherry", title}));
}

// A results view reads the first rows of a big result: the count comes
// without reading the rows, and stays right when the view reads on.
TEST_F(CADORecordsetTest, CountsALargeResultWithoutReadingIt) {
    AddRecipes(2000);
    CADORecordset rs(box);
    ASSERT_TRUE(rs.Run("Select RecipeID, Title from Recipes order by Title desc"));
    EXPECT_EQ(rs.RowCount(), 2000);
    long id = 0;
    for (int i = 0; i < 100; ++i) rs.NextRow();
    ASSERT_TRUE(rs.Read("RecipeID", id));
    EXPECT_EQ(id, 1900);
    EXPECT_EQ(rs.RowCount(), 2000);

    CADORecordset empty(box);
    ASSERT_TRUE(empty.Run("Select RecipeID from Recipes where RecipeID < 0"));
    EXPECT_TRUE(empty.AtEnd());
    EXPECT_EQ(empty.RowCount(), 0);
    CADORecordset pragma(box);  // rows of a statement that is not a SELECT
    ASSERT_TRUE(pragma.Run("PRAGMA table_info(Recipes)"));
    EXPECT_EQ(pragma.RowCount(), 25);
}

// An open result is a snapshot: writes on the same connection while it is
// read neither change nor repeat its rows.
TEST_F(CADORecordsetTest, OpenResultKeepsItsRowsWhileTheTableChanges) {
    AddRecipes(300);
    CADORecordset rs(box);
    ASSERT_TRUE(rs.Run("Select RecipeID, Title from Recipes order by Title"));
    rs.NextRow();
    // Renaming moves every row behind the read position of the title index.
    ASSERT_EQ(box.RunSQL("UPDATE Recipes SET Title = 'zz ' || Title"), 1);
    ASSERT_EQ(box.RunSQL("Delete from Recipes where RecipeID > 150"), 1);
    long rows = 1, id = 0, last = 1;
    std::string title;
    for (; !rs.AtEnd(); rs.NextRow(), ++rows) {
        ASSERT_TRUE(rs.Read("RecipeID", id));
        ASSERT_TRUE(rs.Read("Title", title));
        EXPECT_EQ(id, last + 1);
        EXPECT_EQ(title, Format("Recipe %05ld", id));
        last = id;
    }
    EXPECT_EQ(rows, 300);
    EXPECT_EQ(rs.RowCount(), 300);
    EXPECT_EQ(box.QueryRowCount("Select RecipeID from Recipes"), 150);
}

// Two open results of the same statement shape each have their own rows;
// the statement cache stays bounded.
TEST_F(CADORecordsetTest, SameShapeResultsAreIndependentAndTheCacheIsBounded) {
    AddRecipes(10);
    CADORecordset a(box), b(box);
    ASSERT_TRUE(a.Run("Select RecipeID from Recipes where RecipeID > 2 order by RecipeID"));
    ASSERT_TRUE(b.Run("Select RecipeID from Recipes where RecipeID > 7 order by RecipeID"));
    long first = 0, second = 0;
    a.NextRow();
    ASSERT_TRUE(a.Read("RecipeID", first));
    ASSERT_TRUE(b.Read("RecipeID", second));
    EXPECT_EQ(first, 4);
    EXPECT_EQ(second, 8);
    EXPECT_EQ(a.RowCount(), 8);
    EXPECT_EQ(b.RowCount(), 3);
    a.Release();
    b.Release();

    for (int i = 0; i < 200; ++i)
        box.QueryNumber(
            Format("Select RecipeID from Recipes where RecipeID = 1 ORDER BY %d", 1 + i % 2) +
            std::string(static_cast<std::size_t>(i), ' '));
    EXPECT_LE(box.Cache().Size(), box.Cache().Capacity());
    EXPECT_EQ(box.QueryNumber("Select RecipeID from Recipes where RecipeID = 5"), 5);
}

TEST_F(CADORecordsetTest, OneTemplateIsPreparedOnceWhateverItsValues) {
    const std::size_t before = box.Cache().Size();
    {
        Transaction t(box);
        for (int id = 1; id <= 50; ++id)
            ASSERT_EQ(box.RunSQL(Format("INSERT INTO RECIPES(RecipeID, Title, YieldNumber, "
                                        "LastViewed) VALUES (%d, 'O''Brien''s %d', %d.5, "
                                        "#2024-03-%02d 18:30:00#)",
                                        id, id, id, 1 + id % 28)),
                      1)
                << box.ErrorReport();
        ASSERT_TRUE(t.Commit());
    }
    EXPECT_EQ(box.Cache().Size(), before + 1);
    // The values arrived as they were written.
    EXPECT_EQ(box.QueryText("Select Title from Recipes where RecipeID = 27"), "O'Brien's 27");
    EXPECT_EQ(box.QueryDouble("Select YieldNumber from Recipes where RecipeID = 27"), 27.5);
    EXPECT_EQ(box.QueryText("Select LastViewed from Recipes where RecipeID = 27"),
              "2024-03-28 18:30:00");
    EXPECT_EQ(box.QueryNumber("Select count(*) from Recipes where Title LIKE 'o''brien''s 4%'"),
              1 + 10);
}

TEST_F(CADORecordsetTest, CountsAStatementThatEndsInAComment) {
    AddRecipes(3);
    CADORecordset rs(box);
    ASSERT_TRUE(rs.Run("Select RecipeID from Recipes where RecipeID > 1 -- the later ones"))
        << rs.ErrorReport();
    EXPECT_EQ(rs.RowCount(), 2);
    EXPECT_FALSE(rs.AtEnd());
}

TEST_F(CADORecordsetTest, RefusedStatementsLeaveAnEmptyResult) {
    CADORecordset rs(box);
    EXPECT_FALSE(rs.Run("Select * from NoSuchTable"));
    EXPECT_TRUE(rs.AtEnd());
    EXPECT_EQ(rs.RowCount(), 0);
    EXPECT_FALSE(rs.Run("   "));
    EXPECT_NE(rs.ErrorReport().find("The statement is empty."), std::string::npos);
    EXPECT_FALSE(rs.Run("UPDATE Recipes SET LastViewed = #not a date#"));
    EXPECT_NE(rs.ErrorReport().find("#not a date#"), std::string::npos);
    EXPECT_TRUE(rs.Run("INSERT INTO RECIPES(RecipeID, Title) VALUES (1, 'x')"));
    EXPECT_TRUE(rs.AtEnd());
    EXPECT_TRUE(rs.Run("Recipes", RunOption::Table));
    EXPECT_EQ(rs.RowCount(), 1);
}

}  // namespace
}  // namespace pantrio
