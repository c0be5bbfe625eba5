// Percent-encoding of text that travels inside an address (RFC 3986,
// section 2.1): query values sent to the recipe service and the values of
// the program's own app: links.
#pragma once

#include <string>
#include <string_view>

namespace pantrio {

// Every byte except the unreserved characters (letters, digits, "-", ".",
// "_", "~") becomes "%" and two upper-case hex digits; UTF-8 text is encoded
// byte by byte.
std::string PercentEncode(std::string_view text);

// Turns every "%" followed by two hex digits back into its byte; a "%" that
// is not followed by two hex digits stays as it is. "+" is left alone.
std::string PercentDecode(std::string_view text);

}  // namespace pantrio
