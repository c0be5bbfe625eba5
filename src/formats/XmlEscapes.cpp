#include "formats/XmlEscapes.h"

namespace pantrio {

namespace {

std::string Escape(std::string_view text, bool attribute) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '\'':
                if (attribute)
                    out += "&apos;";
                else
                    out += c;
                break;
            case '"':
                if (attribute)
                    out += "&quot;";
                else
                    out += c;
                break;
            default:
                out += c;
                break;
        }
    }
    return out;
}

struct Entity {
    std::string_view name;  // with its ampersand and semicolon
    char character;
};

constexpr Entity kEntities[] = {
    {"&lt;", '<'}, {"&amp;", '&'}, {"&gt;", '>'}, {"&apos;", '\''}, {"&quot;", '"'},
};

}  // namespace

std::string EscapeXmlText(std::string_view text) {
    return Escape(text, false);
}

std::string EscapeXmlAttribute(std::string_view text) {
    return Escape(text, true);
}

std::string UnescapeXml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t amp = text.find('&', i);
        if (amp == std::string_view::npos) {
            out.append(text.substr(i));
            break;
        }
        out.append(text.substr(i, amp - i));
        bool decoded = false;
        for (const Entity& e : kEntities) {
            if (text.substr(amp, e.name.size()) == e.name) {
                out += e.character;
                i = amp + e.name.size();
                decoded = true;
                break;
            }
        }
        if (!decoded) {
            out += '&';
            i = amp + 1;
        }
    }
    return out;
}

}  // namespace pantrio
