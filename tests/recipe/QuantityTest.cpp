#include <gtest/gtest.h>

#include <clocale>
#include <limits>

#include "recipe/Quantity.h"

namespace pantrio {

TEST(ParseQuantity, ReadsMixedNumbersAndFractions) {
    EXPECT_DOUBLE_EQ(ParseQuantity("1 1/2"), 1.5);
    EXPECT_DOUBLE_EQ(ParseQuantity("3/4"), 0.75);
    EXPECT_DOUBLE_EQ(ParseQuantity("-1 1/2"), -1.5);
    EXPECT_DOUBLE_EQ(ParseQuantity("0 1/2"), 0.5);
    EXPECT_DOUBLE_EQ(ParseQuantity("1/2 cup"), 0.5);
    EXPECT_DOUBLE_EQ(ParseQuantity("  2 1/4"), 2.25);
}

TEST(ParseQuantity, CountsOnlyTheFirstSlashAndBlank) {
    EXPECT_DOUBLE_EQ(ParseQuantity("1 1/2/3"), 1.5);
    // The integer read from "1-1" is 1, so the result is 1/2.
    EXPECT_DOUBLE_EQ(ParseQuantity("1-1/2"), 0.5);
}

TEST(ParseQuantity, ReadsDecimalNumbers) {
    EXPECT_DOUBLE_EQ(ParseQuantity("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(ParseQuantity("2 cups"), 2);
    EXPECT_DOUBLE_EQ(ParseQuantity(" .5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseQuantity("-3.25 g"), -3.25);
}

TEST(ParseQuantity, GivesZeroForTextWithoutAUsableNumber) {
    EXPECT_EQ(ParseQuantity(""), 0);
    EXPECT_EQ(ParseQuantity("a pinch"), 0);
    EXPECT_EQ(ParseQuantity("1/0"), 0);
    EXPECT_EQ(ParseQuantity("1/"), 0);
    EXPECT_EQ(ParseQuantity("nan"), 0);
    EXPECT_EQ(ParseQuantity("inf"), 0);
    EXPECT_EQ(ParseQuantity("1e999"), 0);
}

TEST(ParseQuantity, SaturatesHugeIntegersInsteadOfOverflowing) {
    double v = ParseQuantity("99999999999999999999999/1");
    EXPECT_DOUBLE_EQ(v, static_cast<double>(std::numeric_limits<std::int64_t>::max()));
}

TEST(ParseQuantity, IgnoresTheLocaleDecimalComma) {
    // A locale with a decimal comma must not change how "2.5" reads.
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = old ? old : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE locale";
    double v = ParseQuantity("2.5");
    std::string text = DecimalText(2.5, 2);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_DOUBLE_EQ(v, 2.5);
    EXPECT_EQ(text, "2.50");
}

TEST(FractionText, BoundThirtyTwo) {
    EXPECT_EQ(FractionText(1.5, 32), "1 1/2");
    EXPECT_EQ(FractionText(2.25, 32), "2 1/4");
    EXPECT_EQ(FractionText(0.125, 32), "1/8");
    EXPECT_EQ(FractionText(0.333333, 32), "1/3");
    EXPECT_EQ(FractionText(0.66, 32), "2/3");
    EXPECT_EQ(FractionText(0.3, 32), "3/10");
    EXPECT_EQ(FractionText(1.999, 32), "2");
    EXPECT_EQ(FractionText(3, 32), "3");
    EXPECT_EQ(FractionText(0, 32), "0");
    EXPECT_EQ(FractionText(0.01, 32), "0");
    EXPECT_EQ(FractionText(0.02, 32), "1/32");
    // 32/33 is too fine and the convergent before it is 1/1.
    EXPECT_EQ(FractionText(0.97, 32), "1");
}

TEST(FractionText, BoundSixteen) {
    EXPECT_EQ(FractionText(0.15, 16), "1/7");
    EXPECT_EQ(FractionText(0.05, 16), "1/16");
    EXPECT_EQ(FractionText(0.03, 16), "0");
    EXPECT_EQ(FractionText(0.45, 16), "4/9");
}

TEST(FractionText, BoundTwelve) {
    EXPECT_EQ(FractionText(1.0 / 16, 12), "1/12");
    EXPECT_EQ(FractionText(0.83, 12), "5/6");
    EXPECT_EQ(FractionText(5.5, 12), "5 1/2");
}

TEST(FractionText, NegativeValuesKeepTheirSign) {
    EXPECT_EQ(FractionText(-1.5, 32), "-1 1/2");
    EXPECT_EQ(FractionText(-0.5, 32), "-1/2");
    // Rounding up moves away from zero on the negative side too.
    EXPECT_EQ(FractionText(-1.999, 32), "-2");
    EXPECT_EQ(FractionText(-0.999, 32), "-1");
    EXPECT_EQ(FractionText(-2, 32), "-2");
    EXPECT_EQ(FractionText(-0.001, 32), "0");
}

TEST(FractionText, SurvivesValuesWithoutAFraction) {
    EXPECT_EQ(FractionText(std::numeric_limits<double>::quiet_NaN(), 32), "0");
    EXPECT_EQ(FractionText(std::numeric_limits<double>::infinity(), 32), "0");
    EXPECT_EQ(FractionText(1e300, 32), "9223372036854775807");
    EXPECT_EQ(FractionText(0.5 + 1e-13, 32), "1/2");
    EXPECT_EQ(FractionText(1e-13, 32), "0");
    EXPECT_EQ(FractionText(0.5, 0), "1");
}

TEST(Approximate, ReportsPartsAndError) {
    Fraction f = Approximate(2.25, 32);
    EXPECT_EQ(f.whole, 2);
    EXPECT_EQ(f.numerator, 1);
    EXPECT_EQ(f.denominator, 4);
    EXPECT_NEAR(f.error, 0, 1e-12);

    Fraction whole = Approximate(3, 32);
    EXPECT_EQ(whole.whole, 3);
    EXPECT_EQ(whole.numerator, 0);
    EXPECT_EQ(whole.denominator, 0);

    // Dropped fraction: numerator 0, denominator 1, error the remainder.
    Fraction dropped = Approximate(0.01, 32);
    EXPECT_EQ(dropped.whole, 0);
    EXPECT_EQ(dropped.numerator, 0);
    EXPECT_EQ(dropped.denominator, 1);
    EXPECT_NEAR(dropped.error, 0.01, 1e-12);

    Fraction pi = Approximate(3.14159265, 10);
    EXPECT_EQ(pi.whole, 3);
    EXPECT_EQ(pi.numerator, 1);
    EXPECT_EQ(pi.denominator, 7);
    EXPECT_NEAR(pi.error, 1.0 / 7 - 0.14159265, 1e-9);
}

TEST(DecimalText, PrintsFixedDecimalsLikePrintf) {
    EXPECT_EQ(DecimalText(1.5, 1), "1.5");
    EXPECT_EQ(DecimalText(0.25, 1), "0.2");  // exact tie rounds to even, as printf does
    EXPECT_EQ(DecimalText(1.0 / 3, 9), "0.333333333");
    EXPECT_EQ(DecimalText(2, 4), "2.0000");
    EXPECT_EQ(DecimalText(-226.796, 2), "-226.80");
    EXPECT_EQ(DecimalText(std::numeric_limits<double>::quiet_NaN(), 2), "0.00");
    EXPECT_EQ(DecimalText(-std::numeric_limits<double>::infinity(), 1), "0.0");
}

}  // namespace pantrio
