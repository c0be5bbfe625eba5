#include "base/Text.h"

#include <locale.h>

#include <cstdarg>
#include <cstdio>

namespace pantrio {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

// The other case of code point `c`, or `c` itself when it has none among
// the scripts the recipe files of people use (see ToLowerUtf8).
char32_t OtherCase(char32_t c, bool upper) {
    auto shifted = [&](char32_t lowerFrom, char32_t lowerTo, char32_t distance) -> char32_t {
        if (upper && c >= lowerFrom && c <= lowerTo) return c - distance;
        if (!upper && c >= lowerFrom - distance && c <= lowerTo - distance) return c + distance;
        return 0;
    };
    // Alternating pairs: an upper-case letter at the even (or odd) place and
    // its lower case right after it.
    auto paired = [&](char32_t from, char32_t to, bool upperEven) -> char32_t {
        if (c < from || c > to) return 0;
        const bool isUpper = ((c % 2) == 0) == upperEven;
        if (upper && !isUpper) return c - 1;
        if (!upper && isUpper) return c + 1;
        return c;
    };
    if (c < 0x80)
        return upper ? static_cast<unsigned char>(UpperAscii(static_cast<char>(c)))
                     : static_cast<unsigned char>(LowerAscii(static_cast<char>(c)));
    if (c == 0xD7 || c == 0xF7) return c;  // the multiplication and division signs
    if (c == 0xFF) return upper ? 0x178 : c;
    if (c == 0x178) return upper ? c : 0xFF;
    if (c == 0x130) return upper ? c : U'i';
    if (c == 0x131) return upper ? U'I' : c;
    if (c == 0x17F) return upper ? U'S' : c;
    if (c == 0x3C2) return upper ? 0x3A3 : c;  // final sigma
    for (char32_t r :
         {shifted(0xE0, 0xFE, 0x20), paired(0x100, 0x137, true), paired(0x139, 0x148, false),
          paired(0x14A, 0x177, true), paired(0x179, 0x17E, false), shifted(0x3B1, 0x3C9, 0x20),
          shifted(0x430, 0x44F, 0x20), shifted(0x450, 0x45F, 0x50)})
        if (r != 0) return r;
    return c;
}

std::string CaseMappedUtf8(std::string_view text, bool upper) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : 0;
        bool valid = length != 0 && i + length <= text.size();
        char32_t c = length == 1 ? lead : length == 2 ? (lead & 0x1F) : (lead & 0x0F);
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (length == 2 && c < 0x80) valid = false;  // an overlong form of an ASCII byte
        // Only two-byte characters change (and ASCII); longer ones and
        // stray bytes are copied as they stand.
        if (!valid || length == 3) {
            const std::size_t take = valid ? length : 1;
            out.append(text.substr(i, take));
            i += take;
            continue;
        }
        const char32_t mapped = OtherCase(c, upper);
        if (mapped < 0x80) {
            out += static_cast<char>(mapped);
        } else {
            out += static_cast<char>(0xC0 | (mapped >> 6));
            out += static_cast<char>(0x80 | (mapped & 0x3F));
        }
        i += length;
    }
    return out;
}

}  // namespace

std::string ToLowerUtf8(std::string_view text) {
    return CaseMappedUtf8(text, false);
}

std::string ToUpperUtf8(std::string_view text) {
    return CaseMappedUtf8(text, true);
}

std::string TrimLeft(std::string_view text) {
    std::size_t b = 0;
    while (b < text.size() && IsBlank(text[b])) ++b;
    return std::string(text.substr(b));
}

std::string TrimRight(std::string_view text) {
    std::size_t e = text.size();
    while (e > 0 && IsBlank(text[e - 1])) --e;
    return std::string(text.substr(0, e));
}

std::string Trim(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    return std::string(text.substr(b, e - b));
}

std::string ToLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = LowerAscii(c);
    return out;
}

std::string ToUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = UpperAscii(c);
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty()) return from <= text.size() ? from : std::string_view::npos;
    for (std::size_t i = from; i + needle.size() <= text.size(); ++i)
        if (EqualsNoCase(text.substr(i, needle.size()), needle)) return i;
    return std::string_view::npos;
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    if (from.empty()) return text;
    std::size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
    return text;
}

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == separator) {
            parts.emplace_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

std::string Format(const char* format, ...) {
    // Numbers in statements and files always use a decimal point, whatever
    // locale the desktop program runs in.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    const locale_t previous = uselocale(cLocale);
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), format, args);
        out.resize(static_cast<std::size_t>(n));
    }
    va_end(args);
    uselocale(previous);
    return out;
}

std::size_t CharCount(std::string_view text) {
    std::size_t n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string CutChars(std::string_view text, std::size_t maxChars) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) != 0x80) {
            if (chars == maxChars) return std::string(text.substr(0, i));
            ++chars;
        }
    }
    return std::string(text);
}

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        unsigned int cp;
        if ((c & 0xE0) == 0xC0) {
            extra = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= n) return false;
            unsigned char cc = static_cast<unsigned char>(bytes[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800) ||
            (extra == 3 && cp < 0x10000) || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    // Code points of 0x80..0x9F in Windows-1252.
    static const unsigned short kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (unsigned char c : bytes) {
        char32_t cp = c;
        if (c >= 0x80 && c <= 0x9F) cp = kHigh[c - 0x80];
        AppendUtf8(out, cp);
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string EnsureUtf8(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return Cp1252ToUtf8(bytes);
}

}  // namespace pantrio
