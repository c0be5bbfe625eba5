#include "storage/StatementShape.h"

#include <charconv>

#include "storage/JetTokens.h"
#include "storage/JetTranslator.h"

namespace pantrio {

namespace {

// Whether the token after `pos` (past blanks and comments) is the dot of a
// qualified name. A dot followed by a digit begins a number instead.
bool DotFollows(std::string_view s, std::size_t pos) {
    SkipJetSpace(s, pos);
    return pos < s.size() && s[pos] == '.' &&
           !(pos + 1 < s.size() && IsJetDigit(static_cast<unsigned char>(s[pos + 1])));
}

// With `pos` just past the dot of `SET Table.Column =`: whether one token and
// then a lone `=` follow. The translator drops the table prefix there.
bool ColumnThenEquals(std::string_view s, std::size_t pos) {
    SkipJetSpace(s, pos);
    if (pos >= s.size()) return false;
    JetToken column;
    std::string ignored;
    if (!NextJetToken(s, pos, column, ignored)) return false;
    SkipJetSpace(s, pos);
    return pos < s.size() && s[pos] == '=' && !(pos + 1 < s.size() && s[pos + 1] == '=');
}

// The position just past the dot that follows `pos`.
std::size_t PastDot(std::string_view s, std::size_t pos) {
    SkipJetSpace(s, pos);
    return pos + 1;
}

// What the previous token that is not blank was, as far as lifting cares.
enum class Previous { Other, Dot, SetOrComma };

}  // namespace

bool StatementShape::Fail(std::string error) {
    error_ = std::move(error);
    key_.clear();
    values_.clear();
    return false;
}

bool StatementShape::Read(std::string_view s) {
    source_ = s;
    key_.clear();
    values_.clear();
    scratch_.clear();
    error_.clear();
    liftStack_.clear();
    // Values are found again by 32-bit offsets.
    if (s.size() >= 0xFFFFFFFFu) return Fail("The statement is too long.");
    key_.reserve(s.size());
    values_.reserve(32);

    // A fault found while walking the tokens (a bad date, a `?`) is reported
    // only when the whole text splits into tokens; an unclosed literal later
    // in the text is the first thing to mend.
    std::string walkError;
    bool lift = false;  // literals here are values
    bool firstWord = true;
    bool isUpdate = false;
    bool inSetList = false;  // between SET and WHERE of an UPDATE, outside parentheses
    Previous previous = Previous::Other;
    std::size_t copied = 0;  // s[0, copied) is in the key
    std::size_t pos = 0;
    JetToken token;

    auto liftHere = [&](std::size_t start, const Value& value) {
        key_.append(s, copied, start - copied);
        key_ += '?';
        copied = pos;
        values_.push_back(value);
    };

    while (pos < s.size()) {
        const std::size_t start = pos;
        // Blanks and words, most of a statement, are read here directly.
        const char c = s[pos];
        if (IsJetCharClass(c, kJetBlank)) {
            ++pos;
            while (pos < s.size() && IsJetCharClass(s[pos], kJetBlank)) ++pos;
            continue;
        }
        if (c == ',' || c == '(' || c == ')') {
            // Single-character punctuation that never pairs with the next one.
            ++pos;
            token.kind = JetTokenKind::Punct;
            token.text = s.substr(start, 1);
        } else if (IsJetCharClass(c, kJetWordStart)) {
            ++pos;
            while (pos < s.size() && IsJetCharClass(s[pos], kJetWordChar)) ++pos;
            token.kind = JetTokenKind::Word;
            token.text = s.substr(start, pos - start);
        } else if (!NextJetToken(s, pos, token, error_)) {
            return Fail(std::move(error_));
        }
        switch (token.kind) {
            case JetTokenKind::Space:
                continue;
            case JetTokenKind::QuotedName:
                break;
            case JetTokenKind::Word: {
                // Every word that steers has 2 to 6 letters.
                const JetKeyword keyword = token.text.size() >= 2 && token.text.size() <= 6
                                               ? ClassifyJetWord(token.text)
                                               : JetKeyword::None;
                if (firstWord) {
                    firstWord = false;
                    isUpdate = keyword == JetKeyword::Update;
                }
                // Only the words that steer lifting, and a table name after
                // SET, care whether they are qualified.
                bool steers = false;
                switch (keyword) {
                    case JetKeyword::Value:
                    case JetKeyword::Set:
                    case JetKeyword::Where:
                    case JetKeyword::Name:
                    case JetKeyword::Select:
                    case JetKeyword::From:
                        steers = true;
                        break;
                    default:
                        break;
                }
                const bool dotFollows = (steers || (inSetList && liftStack_.empty() &&
                                                    previous == Previous::SetOrComma)) &&
                                        DotFollows(s, pos);
                const bool qualified = previous == Previous::Dot || dotFollows;
                if (!qualified) {
                    switch (keyword) {
                        case JetKeyword::Value:
                        case JetKeyword::Set:
                        case JetKeyword::Where:
                            lift = true;
                            break;
                        case JetKeyword::Name:
                        case JetKeyword::Select:
                        case JetKeyword::From:
                            lift = false;
                            break;
                        default:
                            break;
                    }
                    if (isUpdate && liftStack_.empty()) {
                        if (keyword == JetKeyword::Set) inSetList = true;
                        if (keyword == JetKeyword::Where) inSetList = false;
                    }
                }
                // `SET Table.Column =`: the translator drops the table and the
                // dot.
                if (dotFollows && inSetList && liftStack_.empty() &&
                    previous == Previous::SetOrComma && ColumnThenEquals(s, PastDot(s, pos))) {
                    // As there, the column that follows is read as if it
                    // followed SET or the comma directly.
                    pos = PastDot(s, pos);
                    continue;
                }
                previous = keyword == JetKeyword::Set ? Previous::SetOrComma : Previous::Other;
                continue;
            }
            case JetTokenKind::Number: {
                if (!lift) break;
                const std::string_view text = token.text;
                const bool hex = text.size() > 1 && (text[1] == 'x' || text[1] == 'X');
                if (hex) break;
                Value value;
                const char* first = text.data();
                const char* last = first + text.size();
                std::from_chars_result r{};
                if (text.find_first_of(".eE") != std::string_view::npos) {
                    value.kind = Value::Kind::Real;
                    r = std::from_chars(first, last, value.real);
                } else {
                    value.kind = Value::Kind::Integer;
                    r = std::from_chars(first, last, value.integer);
                }
                if (r.ec == std::errc() && r.ptr == last) liftHere(start, value);
                break;
            }
            case JetTokenKind::String: {
                if (!lift) break;
                const std::string_view inner = token.text.substr(1, token.text.size() - 2);
                Value value;
                value.kind = Value::Kind::Text;
                if (inner.find('\'') == std::string_view::npos) {
                    value.offset = static_cast<std::uint32_t>(start + 1);
                } else {
                    // '' stands for one apostrophe.
                    value.inScratch = true;
                    value.offset = static_cast<std::uint32_t>(scratch_.size());
                    for (std::size_t k = 0; k < inner.size(); ++k) {
                        scratch_ += inner[k];
                        if (inner[k] == '\'') ++k;
                    }
                }
                value.length = static_cast<std::uint32_t>(
                    value.inScratch ? scratch_.size() - value.offset : inner.size());
                liftHere(start, value);
                break;
            }
            case JetTokenKind::Date: {
                const std::string iso = JetDateToIso(token.text.substr(1, token.text.size() - 2));
                if (iso.empty()) {
                    if (walkError.empty())
                        walkError = "The date " + std::string(token.text) + " is not a valid date.";
                    break;
                }
                if (!lift) break;
                Value value;
                value.kind = Value::Kind::Text;
                value.inScratch = true;
                value.offset = static_cast<std::uint32_t>(scratch_.size());
                value.length = static_cast<std::uint32_t>(iso.size());
                scratch_ += iso;
                liftHere(start, value);
                break;
            }
            case JetTokenKind::Punct: {
                const std::string_view p = token.text;
                if (p == "?") {
                    // The program's statements carry their values as literals;
                    // a marker of its own would be left without a value.
                    if (walkError.empty())
                        walkError = "The statement holds a parameter marker (?).";
                } else if (p == "(") {
                    liftStack_.push_back(lift);
                } else if (p == ")" && !liftStack_.empty()) {
                    lift = liftStack_.back();
                    liftStack_.pop_back();
                }
                previous = p == "."   ? Previous::Dot
                           : p == "," ? Previous::SetOrComma
                                      : Previous::Other;
                continue;
            }
        }
        previous = Previous::Other;
    }
    if (!walkError.empty()) return Fail(std::move(walkError));
    key_.append(s, copied, std::string_view::npos);
    return true;
}

}  // namespace pantrio
