#include "storage/JetTranslator.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "base/Text.h"
#include "storage/JetTokens.h"
#include "storage/StatementShape.h"

namespace pantrio {

namespace {

using Token = JetToken;
using TokenKind = JetTokenKind;
using Keyword = JetKeyword;

bool Is(const Token& t, std::string_view word) {
    return t.kind == TokenKind::Word && EqualsNoCase(t.text, word);
}
bool IsPunct(const Token& t, std::string_view p) {
    return t.kind == TokenKind::Punct && t.text == p;
}

bool Tokenize(std::string_view s, std::vector<Token>& tokens, std::string& error) {
    std::size_t pos = 0;
    Token token;
    while (pos < s.size()) {
        if (!NextJetToken(s, pos, token, error)) return false;
        tokens.push_back(token);
    }
    return true;
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

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) return 29;
    return days[month - 1];
}

bool IsValidDateTime(int year, int month, int day, int hour, int minute, int second) {
    return !(year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
             day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
             second < 0 || second > 59);
}

std::string IsoOf(int year, int month, int day, int hour, int minute, int second) {
    if (!IsValidDateTime(year, month, day, hour, minute, second)) return "";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour,
                  minute, second);
    return buffer;
}

// Reads an unsigned number of 1 to `maxDigits` digits at `pos`.
bool ReadNumber(std::string_view s, std::size_t& pos, int maxDigits, int& value) {
    std::size_t start = pos;
    value = 0;
    while (pos < s.size() && IsJetDigit(static_cast<unsigned char>(s[pos])) &&
           pos - start < static_cast<std::size_t>(maxDigits)) {
        value = value * 10 + (s[pos] - '0');
        ++pos;
    }
    return pos > start && (pos >= s.size() || !IsJetDigit(static_cast<unsigned char>(s[pos])));
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

// A date written as quoted text right beside another quoted text would join
// it into one text ('a''2024-...' reads as a'2024-...), so a blank goes
// between. Two quoted texts of the statement itself never touch: they would
// be one text with a doubled apostrophe.
void SeparateQuotes(std::string& out) {
    if (!out.empty() && out.back() == '\'') out += ' ';
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

namespace {

// The program writes its own dates as "YYYY-MM-DD HH:MM:SS", which is also
// the stored form: such a date is checked and kept as it is.
bool IsStoredForm(std::string_view s) {
    if (s.size() != 19 || s[4] != '-' || s[7] != '-' || s[10] != ' ' || s[13] != ':' ||
        s[16] != ':')
        return false;
    auto number = [&](std::size_t at, std::size_t digits, int& value) {
        value = 0;
        for (std::size_t i = at; i < at + digits; ++i) {
            if (!IsJetDigit(static_cast<unsigned char>(s[i]))) return false;
            value = value * 10 + (s[i] - '0');
        }
        return true;
    };
    int y, mo, d, h, mi, se;
    return number(0, 4, y) && number(5, 2, mo) && number(8, 2, d) && number(11, 2, h) &&
           number(14, 2, mi) && number(17, 2, se) && IsValidDateTime(y, mo, d, h, mi, se);
}

}  // namespace

std::string JetDateToIso(std::string_view text) {
    if (IsStoredForm(text)) return std::string(text);
    std::string trimmed = Trim(text);
    if (trimmed.empty()) return "";
    std::string iso = ParseIsoForm(trimmed);
    if (iso.empty()) iso = ParseUsForm(trimmed);
    if (iso.empty()) iso = ParseLocaleForm(trimmed);
    return iso;
}

namespace {

// Rewrites the Jet forms of `statement` for SQLite. With `placeholders` each
// `?` stands for a value that StatementShape lifted out of the text and is
// kept; otherwise a `?` is refused, because the program's statements carry
// their values as literals and a marker of its own would be left without one.
JetStatement Rewrite(std::string_view statement, bool placeholders) {
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
    int depth = 0;  // open parentheses
    bool isUpdate = false;
    bool inSetList = false;           // between SET and WHERE of an UPDATE, outside parentheses
    const Token* previous = nullptr;  // the previous token that is not blank
    bool firstWord = true;

    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        switch (t.kind) {
            case TokenKind::String:
                SeparateQuotes(out);
                out += t.text;
                break;
            case TokenKind::Space:
            case TokenKind::QuotedName:
            case TokenKind::Number:
                out += t.text;
                break;
            case TokenKind::Word: {
                const Keyword keyword = ClassifyJetWord(t.text);
                if (firstWord) {
                    firstWord = false;
                    result.startsWithSelect = keyword == Keyword::Select;
                    isUpdate = keyword == Keyword::Update;
                }
                const std::size_t next = nextSignificant(i + 1);
                const bool qualified = (previous && IsPunct(*previous, ".")) ||
                                       (next < tokens.size() && IsPunct(tokens[next], "."));
                const bool call = next < tokens.size() && IsPunct(tokens[next], "(");
                if (!qualified && isUpdate && depth == 0) {
                    if (keyword == Keyword::Set) inSetList = true;
                    if (keyword == Keyword::Where) inSetList = false;
                }
                if (qualified || call) {
                    // `SET Table.Column =`: SQLite names the assigned column alone.
                    if (inSetList && depth == 0 && previous &&
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
            case TokenKind::Date: {
                std::string iso = JetDateToIso(t.text.substr(1, t.text.size() - 2));
                if (iso.empty()) {
                    result.error = "The date " + std::string(t.text) + " is not a valid date.";
                    result.sql.clear();
                    return result;
                }
                SeparateQuotes(out);
                AppendQuoted(out, iso);
                break;
            }
            case TokenKind::Punct:
                if (t.text == "?" && !placeholders) {
                    result.error = "The statement holds a parameter marker (?).";
                    result.sql.clear();
                    return result;
                }
                if (t.text == "(") {
                    ++depth;
                } else if (t.text == ")" && depth > 0) {
                    --depth;
                }
                out += t.text;
                break;
        }
        if (t.kind != TokenKind::Space) previous = &t;
    }
    return result;
}

}  // namespace

JetStatement TranslateJetShape(std::string_view shape) {
    return Rewrite(shape, true);
}

JetStatement TranslateJet(std::string_view statement, bool liftValues) {
    if (!liftValues) return Rewrite(statement, false);
    JetStatement result;
    StatementShape shape;
    if (!shape.Read(statement)) {
        result.error = shape.Error();
        return result;
    }
    result = Rewrite(shape.Key(), true);
    if (!result.Ok()) return result;
    result.params.reserve(shape.Values().size());
    for (const StatementShape::Value& v : shape.Values()) {
        JetValue value;
        switch (v.kind) {
            case StatementShape::Value::Kind::Integer:
                value.kind = JetValue::Kind::Integer;
                value.integer = v.integer;
                break;
            case StatementShape::Value::Kind::Real:
                value.kind = JetValue::Kind::Real;
                value.real = v.real;
                break;
            case StatementShape::Value::Kind::Text:
                value.kind = JetValue::Kind::Text;
                value.text = shape.TextOf(v);
                break;
        }
        result.params.push_back(std::move(value));
    }
    return result;
}

}  // namespace pantrio
