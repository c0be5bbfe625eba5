// The tokens of a statement in the program's Jet dialect and the words that
// steer its translation. The translator and the value scanner (StatementShape)
// both split text with NextJetToken, so they always agree on where a quoted
// text, a date literal or a name begins and ends.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pantrio {

enum class JetTokenKind : unsigned char { Space, Word, Number, String, QuotedName, Date, Punct };

struct JetToken {
    JetTokenKind kind = JetTokenKind::Space;
    std::string_view text;
};

// Reads the token that starts at `pos` (which must be inside `s`) and moves
// `pos` past it. Blanks and comments are Space tokens. False, with `error`
// set, on a text, name or date literal that is not closed.
bool NextJetToken(std::string_view s, std::size_t& pos, JetToken& token, std::string& error);

// Moves `pos` past blanks and comments.
void SkipJetSpace(std::string_view s, std::size_t& pos);

// Value positions: after WHERE, HAVING, ON, SET and VALUES a literal is a
// value that may become a parameter; after SELECT, FROM, JOIN, ORDER, GROUP,
// LIMIT and OFFSET a number may be a column position or a count and stays in
// the text.
enum class JetKeyword { None, Value, Name, Select, Update, Set, Where, Delete, From, True, False };

JetKeyword ClassifyJetWord(std::string_view word);

// ASCII tests without the locale: statements read the same everywhere.
constexpr bool IsJetLetter(unsigned char c) {
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}
constexpr bool IsJetDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

// Character classes by table, for the loops that run over every character.
enum : unsigned char { kJetBlank = 1, kJetWordStart = 2, kJetWordChar = 4 };

struct JetCharTable {
    unsigned char classes[256] = {};
    constexpr JetCharTable() {
        for (int c = 0; c < 256; ++c) {
            const auto u = static_cast<unsigned char>(c);
            if (c == ' ' || (c >= '\t' && c <= '\r')) classes[c] |= kJetBlank;
            if (IsJetLetter(u) || c == '_' || c >= 0x80) classes[c] |= kJetWordStart;
            if (IsJetLetter(u) || IsJetDigit(u) || c == '_' || c == '$' || c >= 0x80)
                classes[c] |= kJetWordChar;
        }
    }
};
inline constexpr JetCharTable kJetChars;

inline bool IsJetCharClass(char c, unsigned char mask) {
    return (kJetChars.classes[static_cast<unsigned char>(c)] & mask) != 0;
}

}  // namespace pantrio
