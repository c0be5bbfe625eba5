#include "render/MarkupSanitizer.h"

#include <cstdint>
#include <vector>

#include "base/Text.h"

namespace pantrio {

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}
bool IsAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (auto& c : out) c = Lower(c);
    return out;
}

bool StartsNoCase(std::string_view text, std::size_t at, std::string_view prefix) {
    if (at + prefix.size() > text.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (Lower(text[at + i]) != prefix[i]) return false;
    return true;
}

struct Attribute {
    std::string_view name;
    std::string_view value;   // without quotes
    std::string_view source;  // the whole attribute as written
};

struct Tag {
    bool closed = false;  // a ">" ends it
    std::string name;     // lower case
    std::vector<Attribute> attributes;
    bool selfClosing = false;
    std::size_t end = 0;  // position after ">"
};

// Reads a tag whose name starts at `at`, the way a browser's tokenizer does:
// attribute names run to blank, "/", ">" or "="; values are quoted or run to
// a blank or ">".
Tag ReadTag(std::string_view s, std::size_t at) {
    Tag tag;
    const std::size_t n = s.size();
    std::size_t i = at;
    while (i < n && !IsSpace(s[i]) && s[i] != '/' && s[i] != '>') ++i;
    tag.name = LowerAscii(s.substr(at, i - at));
    while (true) {
        while (i < n && (IsSpace(s[i]) || s[i] == '/')) {
            tag.selfClosing = s[i] == '/';
            ++i;
        }
        if (i >= n) return tag;
        if (s[i] == '>') {
            tag.closed = true;
            tag.end = i + 1;
            return tag;
        }
        tag.selfClosing = false;
        Attribute attribute;
        const std::size_t start = i;
        ++i;  // the first character belongs to the name whatever it is ("=" too)
        while (i < n && !IsSpace(s[i]) && s[i] != '/' && s[i] != '>' && s[i] != '=') ++i;
        attribute.name = s.substr(start, i - start);
        std::size_t j = i;
        while (j < n && IsSpace(s[j])) ++j;
        if (j < n && s[j] == '=') {
            ++j;
            while (j < n && IsSpace(s[j])) ++j;
            if (j >= n) return tag;
            if (s[j] == '"' || s[j] == '\'') {
                const std::size_t close = s.find(s[j], j + 1);
                if (close == npos) return tag;
                attribute.value = s.substr(j + 1, close - j - 1);
                i = close + 1;
            } else if (s[j] == '>') {
                i = j;  // an empty value; ">" ends the tag
            } else {
                std::size_t k = j;
                while (k < n && !IsSpace(s[k]) && s[k] != '>') ++k;
                attribute.value = s.substr(j, k - j);
                i = k;
            }
        }
        attribute.source = s.substr(start, i - start);
        tag.attributes.push_back(attribute);
    }
}

// An attribute value as the browser sees it, as far as an address scheme is
// concerned: numeric character references and the named ones that can spell
// a scheme's separator or blanks decoded.
std::string DecodeReferences(std::string_view value) {
    static const struct {
        std::string_view name;
        char c;
    } kNamed[] = {{"colon;", ':'}, {"Tab;", '\t'}, {"NewLine;", '\n'}, {"amp;", '&'},
                  {"amp", '&'},    {"lpar;", '('}, {"rpar;", ')'},     {"sol;", '/'},
                  {"lt;", '<'},    {"gt;", '>'},   {"quot;", '"'},     {"apos;", '\''}};
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '&') {
            out += value[i];
            continue;
        }
        std::size_t j = i + 1;
        if (j < value.size() && value[j] == '#') {
            ++j;
            const bool hex = j < value.size() && (value[j] == 'x' || value[j] == 'X');
            if (hex) ++j;
            std::uint32_t cp = 0;
            std::size_t digits = 0;
            while (j < value.size()) {
                const char c = value[j];
                int d = -1;
                if (c >= '0' && c <= '9')
                    d = c - '0';
                else if (hex && c >= 'a' && c <= 'f')
                    d = c - 'a' + 10;
                else if (hex && c >= 'A' && c <= 'F')
                    d = c - 'A' + 10;
                if (d < 0) break;
                if (cp < 0x110000) cp = cp * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
                ++digits;
                ++j;
            }
            if (digits == 0) {
                out += '&';
                continue;
            }
            if (j < value.size() && value[j] == ';') ++j;
            // A reference to U+0000 reads as U+FFFD, as in a browser.
            AppendUtf8(out, cp == 0 ? char32_t{0xFFFD} : static_cast<char32_t>(cp));
            i = j - 1;
            continue;
        }
        bool decoded = false;
        for (const auto& named : kNamed) {
            if (value.substr(j, named.name.size()) == named.name) {
                out += named.c;
                i = j + named.name.size() - 1;
                decoded = true;
                break;
            }
        }
        if (!decoded) out += '&';
    }
    return out;
}

// The value with every blank and control character removed, in lower case:
// what an address parser makes of "java&#x09;script :" and the like.
std::string Compact(std::string_view value) {
    std::string decoded = DecodeReferences(value);
    std::string out;
    for (char c : decoded) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u == 0x7F) continue;
        out += Lower(c);
    }
    return out;
}

bool IsScriptAddress(std::string_view value) {
    const std::string compact = Compact(value);
    for (std::string_view scheme : {"javascript:", "vbscript:", "livescript:"})
        if (compact.compare(0, scheme.size(), scheme) == 0) return true;
    return false;
}

bool KeepAttribute(const Attribute& attribute) {
    const std::string name = LowerAscii(attribute.name);
    if (name.size() >= 2 && name[0] == 'o' && name[1] == 'n') return false;
    if (name == "srcdoc") return false;
    if (IsScriptAddress(attribute.value)) return false;
    if (name == "style") {
        const std::string compact = Compact(attribute.value);
        if (compact.find("expression(") != npos || compact.find("javascript:") != npos ||
            compact.find("behavior:") != npos || compact.find("-moz-binding") != npos)
            return false;
    }
    return true;
}

// Elements whose tags are dropped while their content stays: their content
// is then read as ordinary markup by the browser and by this filter alike.
bool DropTagOnly(const std::string& name) {
    static const char* const kNames[] = {"iframe",   "frame",     "frameset", "object",  "embed",
                                         "applet",   "base",      "xmp",      "noembed", "noframes",
                                         "noscript", "plaintext", "svg",      "math",    "portal"};
    for (const char* dropped : kNames)
        if (name == dropped) return true;
    return false;
}

// Elements whose content the browser reads as plain text up to the matching
// end tag.
bool IsRawText(const std::string& name) {
    return name == "style" || name == "title" || name == "textarea";
}

// Position of the end tag "</name" followed by a blank, "/" or ">", from `from`.
std::size_t FindEndTag(std::string_view s, std::size_t from, const std::string& name) {
    for (std::size_t at = s.find("</", from); at != npos; at = s.find("</", at + 2)) {
        if (!StartsNoCase(s, at + 2, name)) continue;
        const std::size_t after = at + 2 + name.size();
        if (after >= s.size() || IsSpace(s[after]) || s[after] == '/' || s[after] == '>') return at;
    }
    return npos;
}

// Where a comment opened at `at` ("<!--") ends, or npos when it runs to the
// end of the text. Browsers also end "<!-->" and "<!--->" at once, and accept
// "--!>" as an end.
std::size_t CommentEnd(std::string_view s, std::size_t at) {
    const std::size_t body = at + 4;
    if (body < s.size() && s[body] == '>') return body + 1;
    if (s.compare(body, 2, "->") == 0) return body + 2;
    for (std::size_t dash = s.find("--", body); dash != npos; dash = s.find("--", dash + 1)) {
        if (s.compare(dash, 3, "-->") == 0) return dash + 3;
        if (s.compare(dash, 4, "--!>") == 0) return dash + 4;
    }
    return npos;
}

}  // namespace

std::string SanitizeMarkup(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    const std::size_t n = s.size();
    std::size_t i = 0;
    while (i < n) {
        const std::size_t lt = s.find('<', i);
        if (lt == npos) {
            out.append(s.substr(i));
            break;
        }
        out.append(s.substr(i, lt - i));
        i = lt;
        const char next = i + 1 < n ? s[i + 1] : '\0';

        if (s.compare(i, 4, "<!--") == 0) {
            const std::size_t end = CommentEnd(s, i);
            if (end == npos) {
                out += "&lt;";
                ++i;
            } else {
                out.append(s.substr(i, end - i));
                i = end;
            }
            continue;
        }
        if (next == '!' || next == '?') {
            // A declaration or processing instruction: the browser reads it as
            // a comment up to the next ">".
            const std::size_t gt = s.find('>', i + 2);
            if (gt == npos) {
                out += "&lt;";
                ++i;
            } else {
                out.append(s.substr(i, gt + 1 - i));
                i = gt + 1;
            }
            continue;
        }
        if (next == '/') {
            if (i + 2 < n && IsAlpha(s[i + 2])) {
                const Tag tag = ReadTag(s, i + 2);
                if (!tag.closed) {
                    out += "&lt;";
                    ++i;
                    continue;
                }
                if (tag.name != "script" && !DropTagOnly(tag.name))
                    out.append(s.substr(i, tag.end - i));
                i = tag.end;
            } else if (i + 2 < n && s[i + 2] == '>') {
                i += 3;  // "</>" means nothing to a browser
            } else {
                out += "&lt;";
                ++i;
            }
            continue;
        }
        if (!IsAlpha(next)) {
            out += "&lt;";
            ++i;
            continue;
        }

        const Tag tag = ReadTag(s, i + 1);
        if (!tag.closed) {
            out += "&lt;";
            ++i;
            continue;
        }
        if (tag.name == "script") {
            // The element goes with everything up to its end tag; without an
            // end tag the browser would run the rest, so the rest goes.
            const std::size_t close = FindEndTag(s, tag.end, "script");
            if (close == npos) break;
            const Tag endTag = ReadTag(s, close + 2);
            i = endTag.closed ? endTag.end : n;
            continue;
        }
        bool drop = DropTagOnly(tag.name);
        if (tag.name == "meta") {
            for (const auto& attribute : tag.attributes)
                if (LowerAscii(attribute.name) == "http-equiv") drop = true;
        }
        if (drop) {
            i = tag.end;
            continue;
        }
        std::size_t contentEnd = tag.end;
        if (IsRawText(tag.name)) {
            const std::size_t close = FindEndTag(s, tag.end, tag.name);
            if (close == npos) {
                // The browser would swallow the rest as text; show the tag as
                // text instead and read what follows as markup.
                out += "&lt;";
                ++i;
                continue;
            }
            contentEnd = close;
        }
        bool changed = false;
        for (const auto& attribute : tag.attributes)
            if (!KeepAttribute(attribute)) changed = true;
        if (!changed) {
            out.append(s.substr(i, tag.end - i));
        } else {
            out += '<';
            out.append(s.substr(i + 1, tag.name.size()));
            for (const auto& attribute : tag.attributes) {
                if (!KeepAttribute(attribute)) continue;
                out += ' ';
                out.append(attribute.source);
            }
            out += tag.selfClosing ? " />" : ">";
        }
        out.append(s.substr(tag.end, contentEnd - tag.end));
        i = contentEnd;
    }
    return out;
}

std::string SanitizeField(std::string_view text) {
    std::string clean;
    clean.reserve(text.size());
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t' && c != '\n' && c != '\f' && c != '\r') || u == 0x7F) continue;
        clean += c;
    }
    return SanitizeMarkup(clean);
}

}  // namespace pantrio
