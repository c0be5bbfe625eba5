#include "storage/JetTranslator.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "base/Text.h"

namespace pantrio {

namespace {

enum class TokenKind { Space, Word, Number, String, QuotedName, Date, Punct };

struct Token {
    TokenKind kind;
    std::string_view text;
};

// ASCII tests without the locale: statements read the same everywhere.
bool IsAsciiLetter(unsigned char c) {
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}
bool IsAsciiDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}
bool IsWordStart(unsigned char c) {
    return IsAsciiLetter(c) || c == '_' || c >= 0x80;
}
bool IsWordChar(unsigned char c) {
    return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_' || c == '$' || c >= 0x80;
}

// Splits the statement into tokens; false with `error` set on an unterminated
// quote or date literal.
bool Tokenize(std::string_view s, std::vector<Token>& tokens, std::string& error) {
    std::size_t i = 0;
    const std::size_t n = s.size();
    auto add = [&](TokenKind kind, std::size_t from) {
        tokens.push_back({kind, s.substr(from, i - from)});
    };
    while (i < n) {
        const std::size_t start = i;
        const unsigned char c = s[i];
        if ((c == ' ' || (c >= '\t' && c <= '\r'))) {
            while (i < n && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
            add(TokenKind::Space, start);
        } else if (c == '-' && i + 1 < n && s[i + 1] == '-') {
            while (i < n && s[i] != '\n') ++i;
            add(TokenKind::Space, start);
        } else if (c == '/' && i + 1 < n && s[i + 1] == '*') {
            std::size_t end = s.find("*/", i + 2);
            i = end == std::string_view::npos ? n : end + 2;
            add(TokenKind::Space, start);
        } else if (c == '\'') {
            // A text literal; '' inside stands for one apostrophe.
            ++i;
            for (;;) {
                if (i >= n) {
                    error = "The text starting at " + std::string(s.substr(start, 20)) +
                            " has no closing apostrophe.";
                    return false;
                }
                if (s[i] == '\'') {
                    if (i + 1 < n && s[i + 1] == '\'') {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            add(TokenKind::String, start);
        } else if (c == '"' || c == '[' || c == '`') {
            const char close = c == '[' ? ']' : static_cast<char>(c);
            std::size_t end = s.find(close, i + 1);
            if (end == std::string_view::npos) {
                error =
                    "The name starting at " + std::string(s.substr(start, 20)) + " is not closed.";
                return false;
            }
            i = end + 1;
            add(TokenKind::QuotedName, start);
        } else if (c == '#') {
            std::size_t end = s.find('#', i + 1);
            if (end == std::string_view::npos) {
                error = "The date starting at " + std::string(s.substr(start, 20)) +
                        " has no closing #.";
                return false;
            }
            i = end + 1;
            add(TokenKind::Date, start);
        } else if (IsAsciiDigit(c) ||
                   (c == '.' && i + 1 < n && IsAsciiDigit(static_cast<unsigned char>(s[i + 1])))) {
            if (c == '0' && i + 1 < n && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
                i += 2;
                while (i < n && std::isxdigit(static_cast<unsigned char>(s[i]))) ++i;
            } else {
                while (i < n && (IsAsciiDigit(static_cast<unsigned char>(s[i])) || s[i] == '.'))
                    ++i;
                if (i < n && (s[i] == 'e' || s[i] == 'E')) {
                    std::size_t j = i + 1;
                    if (j < n && (s[j] == '+' || s[j] == '-')) ++j;
                    if (j < n && IsAsciiDigit(static_cast<unsigned char>(s[j]))) {
                        i = j;
                        while (i < n && IsAsciiDigit(static_cast<unsigned char>(s[i]))) ++i;
                    }
                }
            }
            // A number glued to letters is left for SQLite to refuse.
            while (i < n && IsWordChar(static_cast<unsigned char>(s[i]))) ++i;
            add(TokenKind::Number, start);
        } else if (IsWordStart(c)) {
            while (i < n && IsWordChar(static_cast<unsigned char>(s[i]))) ++i;
            add(TokenKind::Word, start);
        } else {
            ++i;
            // Two-character operators stay one token.
            if (i < n) {
                const char d = s[i];
                if ((c == '<' && (d == '>' || d == '=' || d == '<')) ||
                    (c == '>' && (d == '=' || d == '>')) || (c == '!' && d == '=') ||
                    (c == '=' && d == '=') || (c == '|' && d == '|'))
                    ++i;
            }
            add(TokenKind::Punct, start);
        }
    }
    return true;
}

bool Is(const Token& t, std::string_view word) {
    return t.kind == TokenKind::Word && EqualsNoCase(t.text, word);
}
bool IsPunct(const Token& t, std::string_view p) {
    return t.kind == TokenKind::Punct && t.text == p;
}

// Jet functions that are registered under a "jet_" name: some of the Jet
// names are SQLite keywords (IsNull, Left, Right) and others would shadow
// built-in functions with a different meaning (Date).
constexpr std::string_view kJetFunctions[] = {
    "isnull", "len",       "left", "right", "mid",  "ucase", "lcase",  "val",    "int",
    "nz",     "iif",       "year", "month", "day",  "hour",  "minute", "second", "now",
    "date",   "datevalue", "cstr", "clng",  "cint", "cdbl",  "instr",  "space"};

bool IsJetFunction(std::string_view name) {
    for (std::string_view f : kJetFunctions)
        if (EqualsNoCase(name, f)) return true;
    return false;
}

// Value positions: after WHERE, HAVING, ON, SET and VALUES a literal is a
// value that may become a parameter; after SELECT, FROM, JOIN, ORDER, GROUP,
// LIMIT and OFFSET a number may be a column position or a count and stays in
// the text.
enum class Keyword { None, Value, Name, Select, Update, Set, Where, Delete, From, True, False };

// The words that steer the translation, found with one lower-casing of the
// word instead of a comparison per keyword.
Keyword Classify(std::string_view word) {
    if (word.size() < 2 || word.size() > 6) return Keyword::None;
    char lower[8];
    for (std::size_t i = 0; i < word.size(); ++i)
        lower[i] = static_cast<char>(word[i] | (IsAsciiLetter(word[i]) ? 0x20 : 0));
    const std::string_view w(lower, word.size());
    if (w == "select") return Keyword::Select;
    if (w == "update") return Keyword::Update;
    if (w == "set") return Keyword::Set;
    if (w == "where") return Keyword::Where;
    if (w == "delete") return Keyword::Delete;
    if (w == "from") return Keyword::From;
    if (w == "true") return Keyword::True;
    if (w == "false") return Keyword::False;
    if (w == "having" || w == "on" || w == "values") return Keyword::Value;
    if (w == "join" || w == "order" || w == "group" || w == "limit" || w == "offset")
        return Keyword::Name;
    return Keyword::None;
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) return 29;
    return days[month - 1];
}

std::string IsoOf(int year, int month, int day, int hour, int minute, int second) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59)
        return "";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour,
                  minute, second);
    return buffer;
}

// Reads an unsigned number of 1 to `maxDigits` digits at `pos`.
bool ReadNumber(std::string_view s, std::size_t& pos, int maxDigits, int& value) {
    std::size_t start = pos;
    value = 0;
    while (pos < s.size() && IsAsciiDigit(static_cast<unsigned char>(s[pos])) &&
           pos - start < static_cast<std::size_t>(maxDigits)) {
        value = value * 10 + (s[pos] - '0');
        ++pos;
    }
    return pos > start && (pos >= s.size() || !IsAsciiDigit(static_cast<unsigned char>(s[pos])));
}

bool Expect(std::string_view s, std::size_t& pos, char c) {
    if (pos < s.size() && s[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

void SkipBlanks(std::string_view s, std::size_t& pos) {
    while (pos < s.size() && s[pos] == ' ') ++pos;
}

// "yyyy-mm-dd[ hh:mm[:ss]]" or "yyyy-mm-ddThh:mm[:ss]".
std::string ParseIsoForm(std::string_view s) {
    std::size_t p = 0;
    int y, mo, d, h = 0, mi = 0, se = 0;
    if (!ReadNumber(s, p, 4, y) || p != 4 || !Expect(s, p, '-') || !ReadNumber(s, p, 2, mo) ||
        !Expect(s, p, '-') || !ReadNumber(s, p, 2, d))
        return "";
    if (p < s.size()) {
        if (s[p] != ' ' && s[p] != 'T') return "";
        ++p;
        SkipBlanks(s, p);
        if (!ReadNumber(s, p, 2, h) || !Expect(s, p, ':') || !ReadNumber(s, p, 2, mi)) return "";
        if (Expect(s, p, ':') && !ReadNumber(s, p, 2, se)) return "";
        if (p != s.size()) return "";
    }
    return IsoOf(y, mo, d, h, mi, se);
}

// "m/d/yyyy[ h:mm[:ss][ AM|PM]]"; a two-digit year 00-29 is 20xx, 30-99 19xx.
std::string ParseUsForm(std::string_view s) {
    std::size_t p = 0;
    int y, mo, d, h = 0, mi = 0, se = 0;
    if (!ReadNumber(s, p, 2, mo) || !Expect(s, p, '/') || !ReadNumber(s, p, 2, d) ||
        !Expect(s, p, '/'))
        return "";
    std::size_t yearStart = p;
    if (!ReadNumber(s, p, 4, y)) return "";
    if (p - yearStart == 2)
        y += y < 30 ? 2000 : 1900;
    else if (p - yearStart != 4)
        return "";
    SkipBlanks(s, p);
    if (p < s.size()) {
        if (!ReadNumber(s, p, 2, h) || !Expect(s, p, ':') || !ReadNumber(s, p, 2, mi)) return "";
        if (Expect(s, p, ':') && !ReadNumber(s, p, 2, se)) return "";
        SkipBlanks(s, p);
        if (p < s.size()) {
            std::string_view rest = s.substr(p);
            bool pm = EqualsNoCase(rest, "PM");
            if (!pm && !EqualsNoCase(rest, "AM")) return "";
            if (h < 1 || h > 12) return "";
            if (h == 12) h = 0;
            if (pm) h += 12;
        }
    }
    return IsoOf(y, mo, d, h, mi, se);
}

// The C library locale's date ("%x") and date-and-time ("%c") forms.
std::string ParseLocaleForm(std::string_view s) {
    const std::string text(s);
    for (const char* format : {"%c", "%x %X", "%x"}) {
        std::tm tm{};
        const char* end = strptime(text.c_str(), format, &tm);
        if (!end) continue;
        while (*end == ' ') ++end;
        if (*end) continue;
        std::string iso =
            IsoOf(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
        if (!iso.empty()) return iso;
    }
    return "";
}

void AppendQuoted(std::string& out, std::string_view text) {
    out += '\'';
    for (char c : text) {
        if (c == '\'') out += '\'';
        out += c;
    }
    out += '\'';
}

}  // namespace

std::string JetDateToIso(std::string_view text) {
    std::string trimmed = Trim(text);
    if (trimmed.empty()) return "";
    std::string iso = ParseIsoForm(trimmed);
    if (iso.empty()) iso = ParseUsForm(trimmed);
    if (iso.empty()) iso = ParseLocaleForm(trimmed);
    return iso;
}

JetStatement TranslateJet(std::string_view statement, bool liftValues) {
    JetStatement result;
    std::vector<Token> tokens;
    tokens.reserve(64);
    if (!Tokenize(statement, tokens, result.error)) return result;

    // Index of the next token that is not blank, from `i` on.
    auto nextSignificant = [&](std::size_t i) {
        while (i < tokens.size() && tokens[i].kind == TokenKind::Space) ++i;
        return i;
    };

    std::string& out = result.sql;
    out.reserve(statement.size() + 16);
    bool lift = false;            // literals here are values
    std::vector<bool> liftStack;  // `lift` of the enclosing parentheses
    bool isUpdate = false;
    bool inSetList = false;           // between SET and WHERE of an UPDATE, outside parentheses
    const Token* previous = nullptr;  // the previous token that is not blank
    bool firstWord = true;

    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        switch (t.kind) {
            case TokenKind::Space:
            case TokenKind::QuotedName:
                out += t.text;
                break;
            case TokenKind::Word: {
                const Keyword keyword = Classify(t.text);
                if (firstWord) {
                    firstWord = false;
                    result.startsWithSelect = keyword == Keyword::Select;
                    isUpdate = keyword == Keyword::Update;
                }
                const std::size_t next = nextSignificant(i + 1);
                const bool qualified = (previous && IsPunct(*previous, ".")) ||
                                       (next < tokens.size() && IsPunct(tokens[next], "."));
                const bool call = next < tokens.size() && IsPunct(tokens[next], "(");
                if (!qualified) {
                    switch (keyword) {
                        case Keyword::Value:
                        case Keyword::Set:
                        case Keyword::Where:
                            lift = true;
                            break;
                        case Keyword::Name:
                        case Keyword::Select:
                        case Keyword::From:
                            lift = false;
                            break;
                        default:
                            break;
                    }
                    if (isUpdate && liftStack.empty()) {
                        if (keyword == Keyword::Set) inSetList = true;
                        if (keyword == Keyword::Where) inSetList = false;
                    }
                }
                if (qualified || call) {
                    // `SET Table.Column =`: SQLite names the assigned column alone.
                    if (inSetList && liftStack.empty() && previous &&
                        (Is(*previous, "set") || IsPunct(*previous, ",")) && next < tokens.size() &&
                        IsPunct(tokens[next], ".")) {
                        const std::size_t column = nextSignificant(next + 1);
                        const std::size_t equals = nextSignificant(column + 1);
                        if (equals < tokens.size() && IsPunct(tokens[equals], "=")) {
                            i = next;  // skip the table name and the dot
                            continue;
                        }
                    }
                    if (call && !qualified && IsJetFunction(t.text)) {
                        out += "jet_";
                        out += ToLower(t.text);
                    } else {
                        out += t.text;
                    }
                } else if (keyword == Keyword::True) {
                    out += '1';
                } else if (keyword == Keyword::False) {
                    out += '0';
                } else if (keyword == Keyword::Delete && next < tokens.size() &&
                           IsPunct(tokens[next], "*")) {
                    // `Delete * from T`: the star names no columns in SQLite.
                    out += t.text;
                    const std::size_t from = nextSignificant(next + 1);
                    if (from < tokens.size() && Is(tokens[from], "from")) i = next;
                } else {
                    out += t.text;
                }
                break;
            }
            case TokenKind::Number: {
                if (liftValues && lift) {
                    JetValue v;
                    const char* first = t.text.data();
                    const char* last = first + t.text.size();
                    bool real = t.text.find_first_of(".eE") != std::string_view::npos;
                    bool hex = t.text.size() > 1 && (t.text[1] == 'x' || t.text[1] == 'X');
                    std::from_chars_result r{};
                    if (real) {
                        v.kind = JetValue::Kind::Real;
                        r = std::from_chars(first, last, v.real);
                    } else if (!hex) {
                        v.kind = JetValue::Kind::Integer;
                        r = std::from_chars(first, last, v.integer);
                    }
                    if (!hex && r.ec == std::errc() && r.ptr == last) {
                        out += '?';
                        result.params.push_back(std::move(v));
                        break;
                    }
                }
                out += t.text;
                break;
            }
            case TokenKind::String: {
                if (liftValues && lift) {
                    JetValue v;
                    v.kind = JetValue::Kind::Text;
                    std::string_view inner = t.text.substr(1, t.text.size() - 2);
                    v.text.reserve(inner.size());
                    for (std::size_t k = 0; k < inner.size(); ++k) {
                        v.text += inner[k];
                        if (inner[k] == '\'') ++k;  // '' stands for one apostrophe
                    }
                    out += '?';
                    result.params.push_back(std::move(v));
                } else {
                    out += t.text;
                }
                break;
            }
            case TokenKind::Date: {
                std::string iso = JetDateToIso(t.text.substr(1, t.text.size() - 2));
                if (iso.empty()) {
                    result.error = "The date " + std::string(t.text) + " is not a valid date.";
                    result.sql.clear();
                    result.params.clear();
                    return result;
                }
                if (liftValues && lift) {
                    JetValue v;
                    v.kind = JetValue::Kind::Text;
                    v.text = std::move(iso);
                    out += '?';
                    result.params.push_back(std::move(v));
                } else {
                    AppendQuoted(out, iso);
                }
                break;
            }
            case TokenKind::Punct:
                if (t.text == "?") {
                    // The program's statements carry their values as literals;
                    // a marker of its own would be left without a value.
                    result.error = "The statement holds a parameter marker (?).";
                    result.sql.clear();
                    result.params.clear();
                    return result;
                }
                if (t.text == "(") {
                    liftStack.push_back(lift);
                } else if (t.text == ")" && !liftStack.empty()) {
                    lift = liftStack.back();
                    liftStack.pop_back();
                }
                out += t.text;
                break;
        }
        if (t.kind != TokenKind::Space) previous = &t;
    }
    return result;
}

}  // namespace pantrio
