#include "render/AppLink.h"

#include "base/Text.h"

namespace pantrio {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string PercentEncode(std::string_view text, bool keepSlash) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                           (keepSlash && c == '/');
        if (plain) {
            out += c;
        } else {
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 0x0F];
        }
    }
    return out;
}

std::string PercentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string FileUrl(const std::string& path) {
    return "file://" + PercentEncode(path, true);
}

std::string AppLinkAnchor(const std::string& command, const std::string& value,
                          const std::string& text) {
    return "<a href='app:" + command + "(" + PercentEncode(value) + ")'>" + text + "</A>";
}

std::optional<AppLink> DecodeAppLink(std::string_view address) {
    const std::string_view trimmed = address;
    if (!StartsWithNoCase(trimmed, "app:")) return std::nullopt;
    const std::string_view rest = trimmed.substr(4);
    const std::size_t open = rest.find('(');
    if (open == std::string_view::npos) return std::nullopt;
    const std::size_t close = rest.rfind(')');
    const std::string_view value = (close == std::string_view::npos || close < open)
                                       ? rest.substr(open + 1)
                                       : rest.substr(open + 1, close - open - 1);
    AppLink link;
    link.command = PercentDecode(rest.substr(0, open));
    link.value = PercentDecode(value);
    return link;
}

}  // namespace pantrio
