#include "mail/MailAddress.h"

#include "base/Text.h"
#include "mail/MailEncoding.h"

namespace pantrio {

MailAddress ParseMailAddress(std::string_view text) {
    const std::string trimmed = Trim(text);
    const std::size_t open = trimmed.find('<');
    const std::size_t close = trimmed.find('>');
    if (open != std::string::npos && close != std::string::npos && close > open + 1) {
        return {Trim(trimmed.substr(0, open)), trimmed.substr(open + 1, close - open - 1)};
    }
    return {"", trimmed};
}

std::vector<MailAddress> SplitMailAddresses(std::string_view text) {
    std::vector<MailAddress> addresses;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != ';' && text[i] != ',') continue;
        const std::string piece = Trim(text.substr(start, i - start));
        if (!piece.empty()) addresses.push_back(ParseMailAddress(piece));
        start = i + 1;
    }
    return addresses;
}

std::string RenderMailAddress(const MailAddress& address, std::string_view charset) {
    const std::string bare = CleanHeaderValue(address.address);
    if (address.name.empty()) return bare;
    const std::string name = CleanHeaderValue(address.name);
    std::string shown = EncodeHeaderWord(name, charset);
    // Encoded words stand as they are; plain text with specials is quoted.
    if (shown == name && name.find_first_of("()<>[]:;@\\,.\"") != std::string::npos) {
        shown = "\"" + ReplaceAll(ReplaceAll(name, "\\", "\\\\"), "\"", "\\\"") + "\"";
    }
    return shown + " <" + bare + ">";
}

}  // namespace pantrio
