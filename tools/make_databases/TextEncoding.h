// Text encoding helpers of the database builder. The USDA food file and older
// seed files may carry Windows-1252 bytes; everything the builder stores is
// UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace pantrio::tools {

// True when `text` is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view text);

// Reads `text` as Windows-1252 and returns it as UTF-8. The five byte values
// that Windows-1252 leaves undefined become U+FFFD.
std::string Cp1252ToUtf8(std::string_view text);

// `text` unchanged when it is valid UTF-8, otherwise read as Windows-1252.
std::string AsUtf8(std::string_view text);

}  // namespace pantrio::tools
