// Quantities as text and as numbers. An ingredient quantity is kept twice: as
// the text the user sees and types ("1 1/2") and as a double. These pure
// functions convert between the two, and print numbers for statements and
// files without regard to the user's locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pantrio {

// Quantity text to a number: a decimal number ("2.5", "2 cups" gives 2), a
// simple fraction ("3/4") or a mixed number ("1 1/2", "-1 1/2"). Only the
// first slash and the first blank before it count. Text without a number, a
// zero denominator and values that are not finite give 0.
double ParseQuantity(std::string_view text);

// A value as a whole part and a common fraction with a bounded denominator.
// The whole part carries the value's sign; the fraction is of the absolute
// remainder. A denominator of 0 means there is no fractional part.
struct Fraction {
    std::int64_t whole = 0;
    std::int64_t numerator = 0;
    std::int64_t denominator = 0;
    double error = 0;  // absolute error of the fraction against the remainder
};

// Continued-fraction convergents of the remainder, tolerance 1e-14: only
// convergents are tried, and one whose denominator exceeds `maxDenominator`
// falls back to the previous one (0.97 with bound 32 gives 1).
Fraction Approximate(double value, std::int64_t maxDenominator);

// The approximation as text: "1 1/2", "2", "3/10", "-1 1/2"; "0" when both
// parts are zero. A negative value below one whole keeps its sign ("-1/2").
std::string FractionText(double value, std::int64_t maxDenominator);

// A double with a fixed number of decimals and a decimal point whatever the
// locale, as printf's "%.Nf" prints it in the C locale. Values that are not
// finite print as 0, so a statement never carries "nan" or "inf".
std::string DecimalText(double value, int decimals);

// A double in fixed notation with the fewest decimals that read back as the
// same value ("0.125", "0.3333333333333333"), so a quantity written to a file
// comes back unchanged. Values that are not finite print as 0.
std::string ExactDecimalText(double value);

// Files written with two decimals carry kitchen fractions rounded ("0.13" for
// 1/8). When the fractional part of `value` lies within 0.005 of a half,
// third, quarter, sixth, eighth or sixteenth, that fraction is returned (the
// nearest, the smaller denominator on a tie); otherwise `value` itself.
double NearestKitchenFraction(double value);

}  // namespace pantrio
