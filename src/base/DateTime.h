// A calendar date and time of day as the databases store it (ISO text
// "YYYY-MM-DD HH:MM:SS"), with a null state for NULL date columns.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pantrio {

struct DateTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool null = true;  // true when the value is absent (a NULL column)

    static DateTime Now();  // the current local time
    static DateTime FromDate(int year, int month, int day);

    // "YYYY-MM-DD HH:MM:SS"; empty when null.
    std::string IsoText() const;
    // "YYYY-MM-DD"; empty when null.
    std::string IsoDateText() const;
    // strftime-style formatting of the value; empty when null.
    std::string Format(const char* format) const;

    // Parses ISO date or date-and-time text ("YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS",
    // also with a "T" separator); nothing on anything else.
    static std::optional<DateTime> ParseIso(const std::string& text);

    // Whole days from this date to `other` (time of day ignored).
    long DaysUntil(const DateTime& other) const;

    bool operator==(const DateTime&) const = default;
};

}  // namespace pantrio
