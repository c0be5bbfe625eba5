#include <gtest/gtest.h>

#include <string>

#include "storage/StatementShape.h"

namespace pantrio {
namespace {

TEST(StatementShape, StatementsOfOneTemplateShareTheirKey) {
    StatementShape a, b;
    ASSERT_TRUE(
        a.Read("INSERT INTO T(a, b, c, d, e) VALUES(7, -1, 1.500000000, 'x', "
               "#2024-03-05 18:30:00#)"));
    ASSERT_TRUE(
        b.Read("INSERT INTO T(a, b, c, d, e) VALUES(8, -2, 2.250000000, 'O''Brien''s', "
               "#3/6/2024 6:30:00 PM#)"));
    EXPECT_EQ(a.Key(), "INSERT INTO T(a, b, c, d, e) VALUES(?, -?, ?, ?, ?)");
    EXPECT_EQ(a.Key(), b.Key());

    ASSERT_EQ(b.Values().size(), 5u);
    EXPECT_EQ(b.Values()[0].kind, StatementShape::Value::Kind::Integer);
    EXPECT_EQ(b.Values()[0].integer, 8);
    EXPECT_EQ(b.Values()[1].integer, 2);
    EXPECT_EQ(b.Values()[2].kind, StatementShape::Value::Kind::Real);
    EXPECT_DOUBLE_EQ(b.Values()[2].real, 2.25);
    EXPECT_EQ(b.TextOf(b.Values()[3]), "O'Brien's");
    EXPECT_EQ(b.TextOf(b.Values()[4]), "2024-03-06 18:30:00");
}

TEST(StatementShape, KeepsWhatIsNotAValueInTheKey) {
    StatementShape shape;
    // Select-list constants, column positions, counts, hexadecimal numbers
    // and numbers glued to letters stay; parentheses restore the outside.
    ASSERT_TRUE(
        shape.Read("SELECT a, 2 FROM T WHERE b IN (SELECT c FROM U ORDER BY 1) AND "
                   "d = 0x1F AND e = 3abc AND f = 'q' ORDER BY 2 LIMIT 10"));
    EXPECT_EQ(shape.Key(),
              "SELECT a, 2 FROM T WHERE b IN (SELECT c FROM U ORDER BY 1) AND d = 0x1F AND "
              "e = 3abc AND f = ? ORDER BY 2 LIMIT 10");
    ASSERT_EQ(shape.Values().size(), 1u);

    // Qualified names do not steer, and the shape reader is reusable. The
    // translator names an assigned column without its table, so such a
    // column is read as a bare word, as the translation will read it.
    ASSERT_TRUE(shape.Read("UPDATE T SET T.Title = 'x -- y', T.Order = 5 WHERE T.From = 6"));
    EXPECT_EQ(shape.Key(), "UPDATE T SET T.Title = ?, T.Order = 5 WHERE T.From = ?");
    ASSERT_EQ(shape.Values().size(), 2u);
    EXPECT_EQ(shape.TextOf(shape.Values()[0]), "x -- y");
}

TEST(StatementShape, RefusesBrokenTextWithTheFirstReasonToMend) {
    StatementShape shape;
    EXPECT_FALSE(shape.Read("SELECT * FROM T WHERE a = 'open"));
    EXPECT_NE(shape.Error().find("no closing apostrophe"), std::string::npos);
    EXPECT_TRUE(shape.Key().empty());
    EXPECT_TRUE(shape.Values().empty());

    EXPECT_FALSE(shape.Read("SELECT * FROM T WHERE a = ?"));
    EXPECT_NE(shape.Error().find("parameter marker"), std::string::npos);

    EXPECT_FALSE(shape.Read("UPDATE T SET d = #2/30/2024# WHERE a = 1"));
    EXPECT_NE(shape.Error().find("#2/30/2024#"), std::string::npos);

    // A text that is not closed is reported before a bad date ahead of it.
    EXPECT_FALSE(shape.Read("UPDATE T SET d = #2/30/2024# WHERE a = [open"));
    EXPECT_NE(shape.Error().find("is not closed"), std::string::npos);

    EXPECT_TRUE(shape.Read("SELECT 1"));
    EXPECT_TRUE(shape.Error().empty());
}

}  // namespace
}  // namespace pantrio
