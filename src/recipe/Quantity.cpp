#include "recipe/Quantity.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace pantrio {

namespace {

constexpr double kTolerance = 1e-14;
constexpr std::int64_t kMaxInt64 = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMinInt64 = std::numeric_limits<std::int64_t>::min();

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a decimal integer the way the C library does: leading white space and
// a sign are allowed, reading stops at the first non-digit, and a value out of
// range saturates. 0 when there are no digits.
std::int64_t ReadInt64(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::int64_t value = 0;
    bool saturated = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (saturated) continue;
        int digit = text[i] - '0';
        // Accumulate as a negative number: its range is one larger.
        if (value < (kMinInt64 + digit) / 10) {
            saturated = true;
            continue;
        }
        value = value * 10 - digit;
    }
    if (saturated) return negative ? kMinInt64 : kMaxInt64;
    if (negative) return value;
    return value == kMinInt64 ? kMaxInt64 : -value;
}

// The longest decimal number at the start of the text after white space, as
// the C library reads it, but independent of the locale's decimal point.
double ReadDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    if (i < text.size() && text[i] == '+') ++i;
    // Only numbers that start with a digit or a decimal point count, so words
    // such as "inf" or "nan" read as no number at all.
    std::size_t first = i;
    if (first < text.size() && text[first] == '-') ++first;
    if (first >= text.size() || !(IsDigit(text[first]) || text[first] == '.')) return 0;
    double value = 0;
    auto [end, ec] = std::from_chars(text.data() + i, text.data() + text.size(), value);
    (void)end;
    if (ec != std::errc() || !std::isfinite(value)) return 0;
    return value;
}

// Truncation toward zero that saturates instead of overflowing.
std::int64_t TruncSaturated(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 9.2e18) return kMaxInt64;
    if (value <= -9.2e18) return kMinInt64;
    return static_cast<std::int64_t>(value);
}

}  // namespace

double ParseQuantity(std::string_view text) {
    std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) return ReadDecimal(text);

    std::int64_t denominator = ReadInt64(text.substr(slash + 1));
    if (denominator == 0) return 0;

    // Leading blanks are skipped before the blank between the whole part and
    // the fraction is looked for, so " 2 1/4" still reads as 2 1/4.
    std::string_view before = text.substr(0, slash);
    std::size_t start = 0;
    while (start < before.size() && IsSpace(before[start])) ++start;
    std::size_t blank = before.find(' ', start);
    if (blank == std::string_view::npos)
        return static_cast<double>(ReadInt64(before)) / static_cast<double>(denominator);

    std::int64_t numerator = ReadInt64(text.substr(blank + 1));
    std::int64_t whole = ReadInt64(before.substr(0, blank));
    double fraction = static_cast<double>(numerator) / static_cast<double>(denominator);
    return whole < 0 ? static_cast<double>(whole) - fraction
                     : static_cast<double>(whole) + fraction;
}

Fraction Approximate(double value, std::int64_t maxDenominator) {
    Fraction f;
    if (!std::isfinite(value)) return f;
    if (maxDenominator < 1) maxDenominator = 1;

    f.whole = TruncSaturated(value + kTolerance);
    const double g = std::fabs(value - static_cast<double>(f.whole));
    f.numerator = 1;
    f.denominator = 0;
    f.error = g;

    if (g > kTolerance) {
        const double inverse = 1 / g;
        double m = g;
        double t = kTolerance;
        std::int64_t previous = 0;
        std::int64_t beforePrevious = 0;
        auto denominatorOf = [&](std::int64_t numerator) {
            return TruncSaturated(static_cast<double>(numerator) * inverse + 0.5);
        };
        auto errorOf = [&](std::int64_t numerator, std::int64_t denominator) {
            return std::fabs(static_cast<double>(numerator) / static_cast<double>(denominator) - g);
        };
        for (;;) {
            std::int64_t a = TruncSaturated(1 / m + t);
            m = 1 / m - static_cast<double>(a);
            if (previous != 0) {
                std::int64_t next;
                // An overflowing numerator is far too fine; saturating it makes
                // the denominator test below fall back to the previous one.
                if (__builtin_mul_overflow(f.numerator, a, &next) ||
                    __builtin_add_overflow(next, beforePrevious, &next))
                    next = kMaxInt64;
                f.numerator = next;
            }
            f.denominator = denominatorOf(f.numerator);
            f.error = errorOf(f.numerator, f.denominator);
            if (f.denominator > maxDenominator) {
                if (previous != 0) {
                    f.numerator = previous;
                    f.denominator = denominatorOf(previous);
                    f.error = errorOf(f.numerator, f.denominator);
                } else {
                    f.denominator = maxDenominator;
                    f.numerator = 1;
                    f.error = errorOf(1, maxDenominator);
                    if (f.error > g) {
                        f.numerator = 0;
                        f.denominator = 1;
                        f.error = g;
                    }
                }
                break;
            }
            if (f.error <= kTolerance || m < t) break;
            t = kTolerance / f.error;
            beforePrevious = previous;
            previous = f.numerator;
        }
    }

    if (f.numerator == f.denominator) {
        // The remainder rounds up to a whole unit, away from zero on either
        // side, so -1.999 becomes -2 rather than 0.
        if (value < 0)
            f.whole -= 1;
        else
            f.whole += 1;
        f.numerator = 0;
        f.denominator = 0;
    } else if (f.denominator == 0) {
        f.numerator = 0;
    }
    return f;
}

std::string FractionText(double value, std::int64_t maxDenominator) {
    Fraction f = Approximate(value, maxDenominator);
    std::string text;
    if (f.whole != 0) text = std::to_string(f.whole);
    if (f.numerator != 0 && f.denominator != 0) {
        if (!text.empty())
            text += ' ';
        else if (value < 0)
            text += '-';
        text += std::to_string(f.numerator) + '/' + std::to_string(f.denominator);
    }
    return text.empty() ? "0" : text;
}

std::string DecimalText(double value, int decimals) {
    if (!std::isfinite(value)) value = 0;
    if (decimals < 0) decimals = 0;
    char buffer[400];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (ec != std::errc()) return "0";
    return std::string(buffer, end);
}

std::string ExactDecimalText(double value) {
    if (!std::isfinite(value)) value = 0;
    char buffer[400];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (ec != std::errc()) return "0";
    return std::string(buffer, end);
}

double NearestKitchenFraction(double value) {
    if (!std::isfinite(value)) return value;
    // A two-decimal rounding moves a value by at most 0.005; the small slack
    // covers the binary form of the decimal read.
    constexpr double kRounding = 0.005 + 1e-9;
    const double magnitude = std::fabs(value);
    const double whole = std::floor(magnitude);
    const double remainder = magnitude - whole;
    double best = remainder;
    double bestError = kRounding;
    bool found = false;
    for (int denominator : {2, 3, 4, 6, 8, 16}) {
        const double candidate = std::round(remainder * denominator) / denominator;
        const double error = std::fabs(candidate - remainder);
        if (error <= kRounding && (!found || error < bestError - 1e-12)) {
            best = candidate;
            bestError = error;
            found = true;
        }
    }
    if (!found) return value;
    return std::copysign(whole + best, value);
}
}  // namespace pantrio
