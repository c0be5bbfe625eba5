#include <gtest/gtest.h>

#include <clocale>
#include <ctime>

#include "storage/JetTranslator.h"

namespace pantrio {
namespace {

std::string Plain(const std::string& statement) {
    return TranslateJet(statement, false).sql;
}

TEST(JetTranslator, RewritesTheJetFormsOutsideQuotes) {
    EXPECT_EQ(Plain("Delete * from ShoppingList"), "Delete from ShoppingList");
    EXPECT_EQ(Plain("UPDATE RecipeList SET RecipeList.RecipeDate=#2024-03-05# where "
                    "(RecipeList.RecipeListID = 3)"),
              "UPDATE RecipeList SET RecipeDate='2024-03-05 00:00:00' where "
              "(RecipeList.RecipeListID = 3)");
    EXPECT_EQ(Plain("UPDATE T SET T.a = 1, T.b = T.c WHERE T.d = 2"),
              "UPDATE T SET a = 1, b = T.c WHERE T.d = 2");
    EXPECT_EQ(Plain("UPDATE RECIPES SET MARKED = true WHERE (false)"),
              "UPDATE RECIPES SET MARKED = 1 WHERE (0)");
    EXPECT_EQ(Plain("Select a from T Where IsNull(Cuisine) order by len(keywordtext) desc"),
              "Select a from T Where jet_isnull(Cuisine) order by jet_len(keywordtext) desc");
    // Names that only look like the words stay names.
    EXPECT_EQ(Plain("Select T.true, [false], T.len from T"),
              "Select T.true, [false], T.len from T");
}

TEST(JetTranslator, LeavesQuotedTextAsItIs) {
    const std::string title = "'Pie #1/2/2020# Delete * from T, true IsNull(x) O''Brien'";
    const std::string statement = "UPDATE RECIPES SET Title = " + title + " Where RecipeID = 5";
    EXPECT_EQ(Plain(statement), statement);

    JetStatement lifted = TranslateJet(statement);
    ASSERT_TRUE(lifted.Ok());
    EXPECT_EQ(lifted.sql, "UPDATE RECIPES SET Title = ? Where RecipeID = ?");
    ASSERT_EQ(lifted.params.size(), 2u);
    EXPECT_EQ(lifted.params[0].text, "Pie #1/2/2020# Delete * from T, true IsNull(x) O'Brien");
    EXPECT_EQ(lifted.params[1].integer, 5);
}

TEST(JetTranslator, LiftsOnlyValuesSoTheShapeRepeats) {
    JetStatement a = TranslateJet("INSERT INTO T(a, b, c, d) VALUES (7, -1, 1.500000000, 'x')");
    JetStatement b = TranslateJet("INSERT INTO T(a, b, c, d) VALUES (8, -2, 2.250000000, 'y''z')");
    ASSERT_TRUE(a.Ok() && b.Ok());
    EXPECT_EQ(a.sql, b.sql);
    ASSERT_EQ(b.params.size(), 4u);
    EXPECT_EQ(b.params[2].kind, JetValue::Kind::Real);
    EXPECT_DOUBLE_EQ(b.params[2].real, 2.25);
    EXPECT_EQ(b.params[3].text, "y'z");

    // Column positions, counts and select-list constants are not values.
    EXPECT_EQ(TranslateJet("SELECT a, 1 FROM T WHERE b = 2 ORDER BY 1 LIMIT 10").sql,
              "SELECT a, 1 FROM T WHERE b = ? ORDER BY 1 LIMIT 10");
    EXPECT_EQ(TranslateJet("SELECT a FROM T WHERE a IN (SELECT b FROM U GROUP BY 1) AND c = 3").sql,
              "SELECT a FROM T WHERE a IN (SELECT b FROM U GROUP BY 1) AND c = ?");
}

TEST(JetTranslator, ReadsDateLiteralsInEveryAcceptedForm) {
    EXPECT_EQ(JetDateToIso("2024-03-05"), "2024-03-05 00:00:00");
    EXPECT_EQ(JetDateToIso("2024-03-05 18:30:09"), "2024-03-05 18:30:09");
    EXPECT_EQ(JetDateToIso("3/5/2024"), "2024-03-05 00:00:00");
    EXPECT_EQ(JetDateToIso("3/5/2024 6:30:00 PM"), "2024-03-05 18:30:00");
    EXPECT_EQ(JetDateToIso("3/5/2024 12:05 AM"), "2024-03-05 00:05:00");
    EXPECT_EQ(JetDateToIso("2/29/2023"), "");  // no such day
    EXPECT_EQ(JetDateToIso("2024-02-29 23:59:59"), "2024-02-29 23:59:59");
    EXPECT_EQ(JetDateToIso("2023-02-29 10:00:00"), "");
    EXPECT_EQ(JetDateToIso("2024-03-05 24:00:00"), "");
    EXPECT_EQ(JetDateToIso("2024-13-01"), "");
    EXPECT_EQ(JetDateToIso("soon"), "");

    // The C library locale's %x and %c forms, as the program formats them.
    std::setlocale(LC_TIME, "C");
    std::tm tm{};
    tm.tm_year = 2024 - 1900;
    tm.tm_mon = 2;
    tm.tm_mday = 5;
    tm.tm_hour = 18;
    tm.tm_min = 30;
    std::mktime(&tm);
    char c[64], x[64];
    std::strftime(c, sizeof c, "%c", &tm);
    std::strftime(x, sizeof x, "%x", &tm);
    EXPECT_EQ(JetDateToIso(c), "2024-03-05 18:30:00") << c;
    EXPECT_EQ(JetDateToIso(x), "2024-03-05 00:00:00") << x;
}

TEST(JetTranslator, KeepsADateApartFromTheQuotedTextBesideIt) {
    // Written side by side, the two quoted texts would read as one.
    EXPECT_EQ(Plain("SELECT 'a'#2024-03-05#, #2024-03-05##2024-03-06#'b' FROM T"),
              "SELECT 'a' '2024-03-05 00:00:00', '2024-03-05 00:00:00' '2024-03-06 00:00:00' "
              "'b' FROM T");
}

TEST(JetTranslator, RefusesBrokenTextWithAReason) {
    EXPECT_FALSE(TranslateJet("SELECT * FROM T WHERE a = 'open").Ok());
    EXPECT_FALSE(TranslateJet("SELECT * FROM T WHERE d = #2024-03-05").Ok());
    JetStatement bad = TranslateJet("UPDATE T SET d = #31/31/2024#");
    EXPECT_FALSE(bad.Ok());
    EXPECT_NE(bad.error.find("#31/31/2024#"), std::string::npos);
}

}  // namespace
}  // namespace pantrio
