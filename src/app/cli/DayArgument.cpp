#include "app/cli/DayArgument.h"

#include <cctype>
#include <chrono>

namespace pantrio::cli {

std::optional<DateTime> ParseDay(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (i != 4 && i != 7 && !std::isdigit(static_cast<unsigned char>(text[i])))
            return std::nullopt;
    const int year = std::stoi(text.substr(0, 4));
    const int month = std::stoi(text.substr(5, 2));
    const int day = std::stoi(text.substr(8, 2));
    const std::chrono::year_month_day date{std::chrono::year(year),
                                           std::chrono::month(static_cast<unsigned>(month)),
                                           std::chrono::day(static_cast<unsigned>(day))};
    if (year < 1 || !date.ok()) return std::nullopt;
    return DateTime::FromDate(year, month, day);
}

DateTime DayBefore(const DateTime& day) {
    const std::chrono::year_month_day date{
        std::chrono::sys_days(std::chrono::year_month_day{
            std::chrono::year(day.year), std::chrono::month(static_cast<unsigned>(day.month)),
            std::chrono::day(static_cast<unsigned>(day.day))}) -
        std::chrono::days(1)};
    return DateTime::FromDate(static_cast<int>(date.year()),
                              static_cast<int>(static_cast<unsigned>(date.month())),
                              static_cast<int>(static_cast<unsigned>(date.day())));
}

}  // namespace pantrio::cli
