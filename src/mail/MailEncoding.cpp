#include "mail/MailEncoding.h"

#include <cstdio>
#include <cstdlib>

namespace pantrio {

namespace {

const char kBase64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
const char kHexDigits[] = "0123456789ABCDEF";

void AppendEscape(std::string& out, unsigned char byte) {
    out += '=';
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
}

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

// One hard line of quoted-printable, without its line end.
void EncodeQuotedPrintableLine(std::string_view line, std::string& out) {
    std::string current;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        const bool blank = c == ' ' || c == '\t';
        const bool last = i + 1 == line.size();
        // White space at the end of a line would be lost by transports that
        // trim lines, so it is escaped there (RFC 2045 section 6.7, rule 3).
        std::string token;
        if ((c >= 33 && c <= 126 && c != '=') || (blank && !last)) {
            token.assign(1, static_cast<char>(c));
        } else {
            AppendEscape(token, c);
        }
        // A line that continues needs room for the "=" of its soft break; the
        // last piece of a hard line may use all 76 characters (rule 5).
        const std::size_t limit = last ? 76 : 75;
        while (current.size() + token.size() > limit) {
            const std::size_t cut = current.find_last_of(" \t");
            const std::size_t keep =
                cut != std::string::npos && cut + 1 < current.size() ? cut + 1 : current.size();
            out.append(current, 0, keep);
            out += "=\r\n";
            current.erase(0, keep);
        }
        current += token;
    }
    out += current;
}

bool IsUtf8Continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The "Q" form of one byte inside an encoded word. Only the characters that
// RFC 2047 section 5 (3) allows in every header position stay as they are.
void AppendQ(std::string& out, unsigned char c) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '!' || c == '*' || c == '+' || c == '-' || c == '/';
    if (c == ' ') {
        out += '_';
    } else if (plain) {
        out += static_cast<char>(c);
    } else {
        AppendEscape(out, c);
    }
}

}  // namespace

std::string Base64Encode(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const unsigned value = static_cast<unsigned char>(bytes[i]) << 16 |
                               static_cast<unsigned char>(bytes[i + 1]) << 8 |
                               static_cast<unsigned char>(bytes[i + 2]);
        out += kBase64Alphabet[value >> 18 & 63];
        out += kBase64Alphabet[value >> 12 & 63];
        out += kBase64Alphabet[value >> 6 & 63];
        out += kBase64Alphabet[value & 63];
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        unsigned value = static_cast<unsigned char>(bytes[i]) << 16;
        if (rest == 2) value |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += kBase64Alphabet[value >> 18 & 63];
        out += kBase64Alphabet[value >> 12 & 63];
        out += rest == 2 ? kBase64Alphabet[value >> 6 & 63] : '=';
        out += '=';
    }
    return out;
}

std::string Base64Decode(std::string_view text, bool* ok) {
    std::string out;
    unsigned buffer = 0;
    int bits = 0;
    std::size_t digits = 0;
    std::size_t padding = 0;
    bool good = true;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        if (c == '=') {
            ++padding;
            ++digits;
            continue;
        }
        const int value = Base64Value(c);
        if (value < 0 || padding > 0) {
            good = false;
            break;
        }
        ++digits;
        buffer = buffer << 6 | static_cast<unsigned>(value);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>(buffer >> bits & 0xFF);
        }
    }
    if (!good || digits % 4 != 0 || padding > 2) {
        out.clear();
        good = false;
    }
    if (ok) *ok = good;
    return out;
}

std::string Base64Lines(std::string_view bytes) {
    const std::string encoded = Base64Encode(bytes);
    std::string out;
    out.reserve(encoded.size() + encoded.size() / 76 * 2 + 2);
    for (std::size_t i = 0; i < encoded.size(); i += 76) {
        out.append(encoded, i, 76);
        out += "\r\n";
    }
    return out;
}

std::string EncodeQuotedPrintable(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        EncodeQuotedPrintableLine(text.substr(start, end - start), out);
        if (end == std::string_view::npos) break;
        out += "\r\n";
        start = end + 2;
    }
    return out;
}

std::string DotStuff(std::string_view text, bool atLineStart) {
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool lineStart = i == 0 ? atLineStart : text[i - 1] == '\n';
        if (lineStart && text[i] == '.') out += '.';
        out += text[i];
    }
    return out;
}

std::string EncodeHeaderWord(std::string_view text, std::string_view charset) {
    bool plain = true;
    for (char c : text) plain = plain && static_cast<unsigned char>(c) < 128;
    if (plain) return std::string(text);

    const std::string open = "=?" + std::string(charset) + "?q?";
    const std::size_t room = 75 - open.size() - 2;  // RFC 2047 section 2: 75 at most
    std::string out;
    std::string word;
    std::size_t i = 0;
    while (i < text.size()) {
        // One whole character, so no word ends inside a multi-byte sequence.
        std::size_t end = i + 1;
        while (end < text.size() && IsUtf8Continuation(static_cast<unsigned char>(text[end])))
            ++end;
        std::string encoded;
        for (std::size_t k = i; k < end; ++k) AppendQ(encoded, static_cast<unsigned char>(text[k]));
        if (!word.empty() && word.size() + encoded.size() > room) {
            out += open + word + "?=\r\n ";
            word.clear();
        }
        word += encoded;
        i = end;
    }
    out += open + word + "?=";
    return out;
}

std::string WithLineEnds(std::string_view text, std::string_view lineEnd) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += lineEnd;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string CleanHeaderValue(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte == 127) c = ' ';
    }
    return out;
}

std::string MailZoneText(long minutesEastOfUtc) {
    const long hours = minutesEastOfUtc / 60;
    const long minutes = std::labs(minutesEastOfUtc) % 60;
    char text[48];
    std::snprintf(text, sizeof text, "%c%.2ld%.2ld", minutesEastOfUtc < 0 ? '-' : '+',
                  std::labs(hours), minutes);
    return text;
}

std::string MailDateText(std::time_t when) {
    // Names in English whatever the user's locale, as RFC 5322 section 3.3
    // requires, so no locale-dependent formatting is used.
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm local{};
    localtime_r(&when, &local);
    char text[64];
    std::snprintf(text, sizeof text, "%s, %.2d %s %d %.2d:%.2d:%.2d ", kDays[local.tm_wday % 7],
                  local.tm_mday, kMonths[local.tm_mon % 12], local.tm_year + 1900, local.tm_hour,
                  local.tm_min, local.tm_sec);
    return text + MailZoneText(local.tm_gmtoff / 60);
}

}  // namespace pantrio
