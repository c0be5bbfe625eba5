// The program's own app: links inside recipe pages ("app:FindCuisine(...)"),
// which the web view turns into searches when they are clicked, and the
// percent-encoding that keeps addresses in pages intact. A value is
// percent-encoded inside the parentheses and the address is quoted in the
// page, so "Main Dish" or "Mom's (best)" come back exactly as they went in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pantrio {

// Every byte other than ASCII letters, digits and "-._~" as %XX (upper-case
// hex); with `keepSlash` the "/" stays too (for paths).
std::string PercentEncode(std::string_view text, bool keepSlash = false);
// %XX sequences back to bytes; a "%" that is not followed by two hex digits
// stays as it is.
std::string PercentDecode(std::string_view text);

// "file://" + the absolute path, percent-encoded except for "/".
std::string FileUrl(const std::string& path);

// "<a href='app:" + command + "(" + encoded value + ")'>" + text + "</A>".
std::string AppLinkAnchor(const std::string& command, const std::string& value,
                          const std::string& text);

struct AppLink {
    std::string command;  // "FindCuisine"
    std::string value;    // decoded
};

// Reads "app:Command(value)" (the scheme in any letter case; the value runs
// to the last ")" or, without one, to the end) and percent-decodes the value.
// Nothing when the address is not an app: link or has no "(".
std::optional<AppLink> DecodeAppLink(std::string_view address);

}  // namespace pantrio
