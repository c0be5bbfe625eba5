// A mail address with its friendly name, as the user types it ("Ann <a@b.c>"
// or "a@b.c") and as a header shows it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pantrio {

struct MailAddress {
    std::string name;
    std::string address;
};

// Trims the text; when it holds "<" followed later by ">" with something
// between, that is the address and the trimmed text before "<" the name;
// otherwise the whole trimmed text is the address.
MailAddress ParseMailAddress(std::string_view text);

// The addresses of a recipient line: ";" and "," separate them, pieces that
// are blank are skipped, and each piece goes through ParseMailAddress.
std::vector<MailAddress> SplitMailAddresses(std::string_view text);

// The address as a header shows it: the bare address without a name, else
// the name and the address in angle brackets. A name with non-ASCII text
// becomes encoded words in `charset`; a name with characters that have a
// meaning in an address list (a comma, for one) is quoted, so the reader
// does not split it (RFC 5322 section 3.4).
std::string RenderMailAddress(const MailAddress& address, std::string_view charset);

}  // namespace pantrio
