#include <gtest/gtest.h>

#include "base/DateTime.h"

namespace pantrio {

TEST(DateTime, IsoTextRoundTrips) {
    auto d = DateTime::ParseIso("2026-03-04 05:06:07");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->IsoText(), "2026-03-04 05:06:07");
    auto dateOnly = DateTime::ParseIso("2026-12-31");
    ASSERT_TRUE(dateOnly);
    EXPECT_EQ(dateOnly->IsoText(), "2026-12-31 00:00:00");
    EXPECT_FALSE(DateTime::ParseIso("12/31/2026"));
    EXPECT_FALSE(DateTime::ParseIso("2026-13-01"));
    EXPECT_FALSE(DateTime::ParseIso("2026-01-01 10"));
}

TEST(DateTime, NullValuesPrintNothing) {
    DateTime d;
    EXPECT_TRUE(d.null);
    EXPECT_EQ(d.IsoText(), "");
    EXPECT_EQ(d.Format("%Y"), "");
}

TEST(DateTime, DaysUntilCountsAcrossMonthsAndLeapYears) {
    EXPECT_EQ(DateTime::FromDate(2024, 2, 28).DaysUntil(DateTime::FromDate(2024, 3, 1)), 2);
    EXPECT_EQ(DateTime::FromDate(2023, 2, 28).DaysUntil(DateTime::FromDate(2023, 3, 1)), 1);
    EXPECT_EQ(DateTime::FromDate(2026, 12, 9).DaysUntil(DateTime::FromDate(2026, 11, 8)), -31);
}

TEST(DateTime, FormatNamesTheWeekday) {
    // The printed meal plan heads each day with its weekday.
    EXPECT_EQ(DateTime::FromDate(2026, 12, 10).Format("%A, %B %d, %Y"),
              "Thursday, December 10, 2026");
    EXPECT_EQ(DateTime::FromDate(2024, 2, 29).Format("%a %j"), "Thu 060");
    EXPECT_EQ(DateTime::FromDate(1969, 12, 31).Format("%A"), "Wednesday");
}

}  // namespace pantrio
