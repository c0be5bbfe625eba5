// The shape of one statement of the program's Jet dialect and the values it
// carries. The program writes every statement by formatting a fixed template,
// so values stand in the text as literals; one pass over the text lifts the
// literals that stand where a value is expected and leaves a key in which
// each lifted literal is a `?`. Statements of one template then share one
// key, so the connection translates and prepares each template once and
// afterwards only looks the key up and binds the values.
//
// Where a literal is a value: after WHERE, HAVING, ON, SET and VALUES, and
// not after SELECT, FROM, JOIN, ORDER, GROUP, LIMIT and OFFSET, where a number
// may be a column position or a count; parentheses restore the state of
// their outside. A number that does not read as a whole integer or a decimal
// number stays in the text. Quoted text is never changed: a lifted text value
// is the literal's content with each doubled apostrophe read as one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pantrio {

class StatementShape {
public:
    struct Value {
        enum class Kind : unsigned char { Integer, Real, Text };
        Kind kind = Kind::Integer;
        bool inScratch = false;  // text held by the shape itself, not by the statement
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
        std::int64_t integer = 0;
        double real = 0;
    };

    // Reads `statement`; false, with Error() set, when the text cannot be
    // translated (a quote or date literal that is not closed, a date that is
    // not a date, a `?` of its own). Text values may point into `statement`,
    // which must stay unchanged while they are used.
    bool Read(std::string_view statement);

    // The statement with every lifted value written as `?`.
    const std::string& Key() const { return key_; }
    const std::vector<Value>& Values() const { return values_; }
    std::string_view TextOf(const Value& value) const {
        const char* base = value.inScratch ? scratch_.data() : source_.data();
        return std::string_view(base + value.offset, value.length);
    }
    const std::string& Error() const { return error_; }

private:
    bool Fail(std::string error);

    std::string_view source_;
    std::string key_;
    std::vector<Value> values_;
    std::string scratch_;  // unescaped texts and dates, read through offsets
    std::string error_;
    std::vector<bool> liftStack_;
};

}  // namespace pantrio
