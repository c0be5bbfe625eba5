#include "base/DateTime.h"

#include <cstdio>
#include <ctime>

namespace pantrio {

namespace {

std::tm ToTm(const DateTime& d) {
    std::tm t{};
    t.tm_year = d.year - 1900;
    t.tm_mon = d.month - 1;
    t.tm_mday = d.day;
    t.tm_hour = d.hour;
    t.tm_min = d.minute;
    t.tm_sec = d.second;
    t.tm_isdst = -1;
    return t;
}

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's
// days_from_civil), independent of time zones.
long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

}  // namespace

DateTime DateTime::Now() {
    std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    DateTime d;
    d.year = t.tm_year + 1900;
    d.month = t.tm_mon + 1;
    d.day = t.tm_mday;
    d.hour = t.tm_hour;
    d.minute = t.tm_min;
    d.second = t.tm_sec;
    d.null = false;
    return d;
}

DateTime DateTime::FromDate(int year, int month, int day) {
    DateTime d;
    d.year = year;
    d.month = month;
    d.day = day;
    d.null = false;
    return d;
}

std::string DateTime::IsoText() const {
    if (null) return {};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute,
                  second);
    return buf;
}

std::string DateTime::IsoDateText() const {
    if (null) return {};
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", year, month, day);
    return buf;
}

std::string DateTime::Format(const char* format) const {
    if (null) return {};
    std::tm t = ToTm(*this);
    // strftime reads the weekday and the day of the year ("%A", "%j") from
    // fields that nothing else fills in; 1970-01-01 was a Thursday.
    const long days = DaysFromCivil(year, month, day);
    t.tm_wday = static_cast<int>(((days + 4) % 7 + 7) % 7);
    t.tm_yday = static_cast<int>(days - DaysFromCivil(year, 1, 1));
    char buf[256];
    std::size_t n = std::strftime(buf, sizeof buf, format, &t);
    return std::string(buf, n);
}

std::optional<DateTime> DateTime::ParseIso(const std::string& text) {
    DateTime d;
    char sep = 0;
    int consumed = 0;
    int n = std::sscanf(text.c_str(), "%4d-%2d-%2d%n%c%2d:%2d:%2d", &d.year, &d.month, &d.day,
                        &consumed, &sep, &d.hour, &d.minute, &d.second);
    if (n < 3) return std::nullopt;
    if (n > 3 && sep != ' ' && sep != 'T') return std::nullopt;
    if (n > 3 && n < 6) return std::nullopt;
    if (n == 6) d.second = 0;
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31 || d.hour < 0 || d.hour > 23 ||
        d.minute < 0 || d.minute > 59 || d.second < 0 || d.second > 60)
        return std::nullopt;
    d.null = false;
    return d;
}

long DateTime::DaysUntil(const DateTime& other) const {
    return DaysFromCivil(other.year, other.month, other.day) - DaysFromCivil(year, month, day);
}

}  // namespace pantrio
