// The tab-separated output of the listing commands: one line per row, so the
// characters that would break a line or a column are written as escapes.
#pragma once

#include <string>

namespace pantrio::cli {

// Backslash, tab, line feed and carriage return become \\, \t, \n and \r.
std::string OutputField(const std::string& value);

}  // namespace pantrio::cli
