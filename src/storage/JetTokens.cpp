#include "storage/JetTokens.h"

namespace pantrio {

namespace {

bool IsBlank(char c) {
    return IsJetCharClass(c, kJetBlank);
}
bool IsHexDigit(unsigned char c) {
    return IsJetDigit(c) || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f');
}
bool IsWordStart(unsigned char c) {
    return IsJetCharClass(static_cast<char>(c), kJetWordStart);
}
bool IsWordChar(unsigned char c) {
    return IsJetCharClass(static_cast<char>(c), kJetWordChar);
}

}  // namespace

bool NextJetToken(std::string_view s, std::size_t& pos, JetToken& token, std::string& error) {
    const std::size_t n = s.size();
    const std::size_t start = pos;
    std::size_t i = pos;
    const unsigned char c = s[i];
    JetTokenKind kind;
    if (IsBlank(static_cast<char>(c))) {
        while (i < n && IsBlank(s[i])) ++i;
        kind = JetTokenKind::Space;
    } else if (c == '-' && i + 1 < n && s[i + 1] == '-') {
        while (i < n && s[i] != '\n') ++i;
        kind = JetTokenKind::Space;
    } else if (c == '/' && i + 1 < n && s[i + 1] == '*') {
        const std::size_t end = s.find("*/", i + 2);
        i = end == std::string_view::npos ? n : end + 2;
        kind = JetTokenKind::Space;
    } else if (c == '\'') {
        // A text literal; '' inside stands for one apostrophe.
        ++i;
        for (;;) {
            const std::size_t quote = s.find('\'', i);
            if (quote == std::string_view::npos) {
                error = "The text starting at " + std::string(s.substr(start, 20)) +
                        " has no closing apostrophe.";
                return false;
            }
            i = quote + 1;
            if (i < n && s[i] == '\'') {
                ++i;
                continue;
            }
            break;
        }
        kind = JetTokenKind::String;
    } else if (c == '"' || c == '[' || c == '`') {
        const char close = c == '[' ? ']' : static_cast<char>(c);
        const std::size_t end = s.find(close, i + 1);
        if (end == std::string_view::npos) {
            error = "The name starting at " + std::string(s.substr(start, 20)) + " is not closed.";
            return false;
        }
        i = end + 1;
        kind = JetTokenKind::QuotedName;
    } else if (c == '#') {
        const std::size_t end = s.find('#', i + 1);
        if (end == std::string_view::npos) {
            error =
                "The date starting at " + std::string(s.substr(start, 20)) + " has no closing #.";
            return false;
        }
        i = end + 1;
        kind = JetTokenKind::Date;
    } else if (IsJetDigit(c) ||
               (c == '.' && i + 1 < n && IsJetDigit(static_cast<unsigned char>(s[i + 1])))) {
        if (c == '0' && i + 1 < n && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
            i += 2;
            while (i < n && IsHexDigit(static_cast<unsigned char>(s[i]))) ++i;
        } else {
            while (i < n && (IsJetDigit(static_cast<unsigned char>(s[i])) || s[i] == '.')) ++i;
            if (i < n && (s[i] == 'e' || s[i] == 'E')) {
                std::size_t j = i + 1;
                if (j < n && (s[j] == '+' || s[j] == '-')) ++j;
                if (j < n && IsJetDigit(static_cast<unsigned char>(s[j]))) {
                    i = j;
                    while (i < n && IsJetDigit(static_cast<unsigned char>(s[i]))) ++i;
                }
            }
        }
        // A number glued to letters is left for SQLite to refuse.
        while (i < n && IsWordChar(static_cast<unsigned char>(s[i]))) ++i;
        kind = JetTokenKind::Number;
    } else if (IsWordStart(c)) {
        while (i < n && IsWordChar(static_cast<unsigned char>(s[i]))) ++i;
        kind = JetTokenKind::Word;
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
        kind = JetTokenKind::Punct;
    }
    token.kind = kind;
    token.text = s.substr(start, i - start);
    pos = i;
    return true;
}

void SkipJetSpace(std::string_view s, std::size_t& pos) {
    const std::size_t n = s.size();
    while (pos < n) {
        const char c = s[pos];
        if (IsBlank(c)) {
            ++pos;
        } else if (c == '-' && pos + 1 < n && s[pos + 1] == '-') {
            while (pos < n && s[pos] != '\n') ++pos;
        } else if (c == '/' && pos + 1 < n && s[pos + 1] == '*') {
            const std::size_t end = s.find("*/", pos + 2);
            pos = end == std::string_view::npos ? n : end + 2;
        } else {
            return;
        }
    }
}

JetKeyword ClassifyJetWord(std::string_view word) {
    if (word.size() < 2 || word.size() > 6) return JetKeyword::None;
    char lower[8];
    for (std::size_t i = 0; i < word.size(); ++i)
        lower[i] = static_cast<char>(word[i] | (IsJetLetter(word[i]) ? 0x20 : 0));
    const std::string_view w(lower, word.size());
    switch (w.size()) {
        case 2:
            if (w == "on") return JetKeyword::Value;
            break;
        case 3:
            if (w == "set") return JetKeyword::Set;
            break;
        case 4:
            if (w == "from") return JetKeyword::From;
            if (w == "true") return JetKeyword::True;
            if (w == "join") return JetKeyword::Name;
            break;
        case 5:
            if (w == "where") return JetKeyword::Where;
            if (w == "false") return JetKeyword::False;
            if (w == "order" || w == "group" || w == "limit") return JetKeyword::Name;
            break;
        case 6:
            if (w == "select") return JetKeyword::Select;
            if (w == "update") return JetKeyword::Update;
            if (w == "delete") return JetKeyword::Delete;
            if (w == "having" || w == "values") return JetKeyword::Value;
            if (w == "offset") return JetKeyword::Name;
            break;
        default:
            break;
    }
    return JetKeyword::None;
}

}  // namespace pantrio
