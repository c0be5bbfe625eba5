#include <gtest/gtest.h>

#include "recipe/Units.h"

namespace pantrio {

TEST(UnitCode, TellsSpoonLettersApartByCase) {
    EXPECT_EQ(UnitCode("T"), "tb");
    EXPECT_EQ(UnitCode("t"), "ts");
    EXPECT_EQ(UnitCode(" T "), "tb");
    EXPECT_EQ(UnitCode("TABLESPOONS"), "tb");
    EXPECT_EQ(UnitCode("Tablespoon"), "tb");
    EXPECT_EQ(UnitCode("TeaSpoons"), "ts");
}

TEST(UnitCode, ReducesLoweredWordsToCodes) {
    EXPECT_EQ(UnitCode("Cups"), "c");
    EXPECT_EQ(UnitCode("C"), "c");
    EXPECT_EQ(UnitCode("pints"), "pt");
    EXPECT_EQ(UnitCode("TBSP"), "tb");
    EXPECT_EQ(UnitCode("tspns"), "ts");
    EXPECT_EQ(UnitCode("qt."), "q");
    EXPECT_EQ(UnitCode("quart"), "q");
    EXPECT_EQ(UnitCode("Gallons"), "ga");
    EXPECT_EQ(UnitCode("lbs."), "lb");
    EXPECT_EQ(UnitCode("fl. oz"), "oz");
    EXPECT_EQ(UnitCode("Fluid Ounces"), "oz");
    EXPECT_EQ(UnitCode("Litre"), "l");
    EXPECT_EQ(UnitCode("lit."), "l");
    EXPECT_EQ(UnitCode("milliliters"), "ml");
    EXPECT_EQ(UnitCode("mililitre"), "ml");
    EXPECT_EQ(UnitCode("gms"), "g");
    EXPECT_EQ(UnitCode("K"), "kg");
    EXPECT_EQ(UnitCode("kgms"), "kg");
}

TEST(UnitCode, ReturnsUnknownWordsTrimmedAndLowered) {
    EXPECT_EQ(UnitCode("  Cloves "), "cloves");
    EXPECT_EQ(UnitCode("CC"), "cc");
    EXPECT_EQ(UnitCode(""), "");
}

TEST(IsMetricCode, AcceptsMetricCodesOnly) {
    for (const char* code : {"l", "ml", "g", "kg", "cc"}) EXPECT_TRUE(IsMetricCode(code)) << code;
    for (const char* code : {"c", "tb", "ts", "oz", "lb", "q", "pt", "ga", "", "L"})
        EXPECT_FALSE(IsMetricCode(code)) << code;
    EXPECT_TRUE(IsMetricCode(UnitCode("Grams")));
    EXPECT_FALSE(IsMetricCode(UnitCode("cups")));
}

TEST(LongFormUnit, ChoosesSingularOrPluralByQuantity) {
    EXPECT_EQ(LongFormUnit("c", 2), "cups");
    EXPECT_EQ(LongFormUnit("C", 1), "cup");
    EXPECT_EQ(LongFormUnit("T", 1), "tablespoon");
    EXPECT_EQ(LongFormUnit("t", 0.5), "teaspoon");
    EXPECT_EQ(LongFormUnit("tsp", 3), "teaspoons");
    EXPECT_EQ(LongFormUnit("ml", 250), "mililiters");
    EXPECT_EQ(LongFormUnit(" TB ", 2), "tablespoons");
    EXPECT_EQ(LongFormUnit("fl", 2), "fluid ozs");
    EXPECT_EQ(LongFormUnit("lg", 3), "large");
    EXPECT_EQ(LongFormUnit("ds", 2), "dashes");
    EXPECT_EQ(LongFormUnit("wh", 2), "whole");
    EXPECT_EQ(LongFormUnit("ga", 1.01), "gallons");
}

TEST(LongFormUnit, LeavesUnknownUnitsExactlyAsGiven) {
    EXPECT_EQ(LongFormUnit(" handful ", 2), " handful ");
    EXPECT_EQ(LongFormUnit("cups", 2), "cups");
    EXPECT_EQ(LongFormUnit("", 2), "");
}

}  // namespace pantrio
