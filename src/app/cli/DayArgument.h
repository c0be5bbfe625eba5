// Days given on the command line, written YYYY-MM-DD.
#pragma once

#include <optional>
#include <string>

#include "base/DateTime.h"

namespace pantrio::cli {

// The day `text` names; nothing unless it is exactly YYYY-MM-DD and a day
// of the calendar (2025-02-29 is not).
std::optional<DateTime> ParseDay(const std::string& text);

// The day before `day`.
DateTime DayBefore(const DateTime& day);

}  // namespace pantrio::cli
