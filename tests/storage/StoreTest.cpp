#include <gtest/gtest.h>

#include "storage/StorageTestUtil.h"
#include "storage/Store.h"

namespace pantrio {
namespace {

using test::TempDataRoot;

TEST(Store, MaxOfGivesTheBaseOfTheNextIdentifier) {
    TempDataRoot data;
    ASSERT_TRUE(data.Ok()) << data.Error();
    Store box;
    ASSERT_TRUE(box.Connect(test::ConnectStringFor(data, data.boxPath)));
    EXPECT_EQ(box.MaxOf("Recipes", "RecipeID"), 0);  // empty: the first identifier is 1
    ASSERT_EQ(box.RunSQL("INSERT INTO RECIPES(RecipeID, Title) VALUES (7, 'Pie')"), 1);
    EXPECT_EQ(box.MaxOf("Recipes", "RecipeID"), 7);
    EXPECT_EQ(box.MaxOf("Recipes", "UniqueID"), 0);
    ASSERT_EQ(box.RunSQL("UPDATE Recipes SET UniqueID = NULL"), 1);
    EXPECT_EQ(box.MaxOf("Recipes", "UniqueID"), 0);  // a NULL maximum
    EXPECT_EQ(box.MaxOf("NoSuchTable", "RecipeID"), -1);
    EXPECT_NE(box.ErrorReport().find("Query = SELECT max(RecipeID) from NoSuchTable\n"),
              std::string::npos);
}

TEST(Store, QueriesSayWhenThereIsNoValue) {
    TempDataRoot data;
    ASSERT_TRUE(data.Ok()) << data.Error();
    Store box;
    ASSERT_TRUE(box.Connect(test::ConnectStringFor(data, data.boxPath)));
    ASSERT_EQ(
        box.RunSQL("INSERT INTO RECIPES(RecipeID, Title, YieldNumber) VALUES (1, 'Pie', 2.5)"), 1);

    EXPECT_EQ(box.QueryNumber("Select count(RecipeID) from recipes"), 1);
    EXPECT_EQ(box.QueryText("Select Title from Recipes where RecipeID=1"), "Pie");
    EXPECT_DOUBLE_EQ(box.QueryDouble("Select YieldNumber from Recipes where RecipeID=1"), 2.5);
    EXPECT_EQ(box.QueryInt("Select Color from Recipes where RecipeID=1"), 0);

    const std::string none = "Select Title from Recipes where RecipeID=2";
    EXPECT_EQ(box.QueryNumber(none), -1);
    EXPECT_EQ(box.QueryText(none), "");
    EXPECT_EQ(box.QueryDouble(none), -1);
    EXPECT_EQ(box.QueryInt(none), -1);
    EXPECT_EQ(box.QueryRowCount(none), 0);
    EXPECT_EQ(box.QueryNumber("Select Title from Nowhere"), -1);
    EXPECT_EQ(box.QueryRowCount("Select Title from Nowhere"), -1);
    EXPECT_EQ(box.RunSQL("Update Nowhere set a = 1"), -1);

    box.Disconnect();  // a closed store does nothing and says so
    EXPECT_EQ(box.RunSQL("Delete * from Recipes"), 1);
    EXPECT_EQ(box.MaxOf("Recipes", "RecipeID"), 0);
    EXPECT_EQ(box.QueryRowCount("Select Title from Recipes"), 0);
    EXPECT_EQ(box.QueryNumber("Select count(RecipeID) from recipes"), -1);
    ASSERT_TRUE(box.Connect());  // the same connection string again
    EXPECT_EQ(box.QueryNumber("Select count(RecipeID) from recipes"), 1);
}

TEST(Store, QuoteSqlDoublesApostrophes) {
    EXPECT_EQ(QuoteSql("O'Brien's"), "O''Brien''s");
    EXPECT_EQ(QuoteSql("''"), "''''");
    EXPECT_EQ(QuoteSql("plain"), "plain");
}

}  // namespace
}  // namespace pantrio
