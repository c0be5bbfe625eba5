// Turns one statement of the program's Jet dialect into SQLite text. The
// program writes every statement by formatting a fixed template, so values
// stand in the text as literals; StatementShape lifts the literals that stand
// where a value is expected into bound parameters. The resulting text (the
// statement's "shape") is then the same for every recipe saved or shown, and
// its translation and prepared form can be reused. Quoted text is never
// changed.
//
// Besides lifting, the translation:
// - turns `#...#` date literals (ISO, m/d/yyyy with an optional time and
//   AM/PM, and the C library locale's %x and %c forms) into ISO text
//   "YYYY-MM-DD HH:MM:SS", the form in which dates are stored;
// - drops the `*` of `Delete * from`;
// - drops the table prefix of the assigned column in `UPDATE ... SET T.C =`;
// - writes the bare words `true` and `false` as 1 and 0;
// - renames calls of Jet functions (`IsNull(`, `len(`, `Left(` ...) to the
//   functions that JetFunctions registers (`jet_isnull(` ...), because some
//   of those names are SQLite keywords.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pantrio {

struct JetValue {
    enum class Kind { Integer, Real, Text };
    Kind kind = Kind::Integer;
    std::int64_t integer = 0;
    double real = 0;
    std::string text;
};

struct JetStatement {
    std::string sql;                // SQLite text with ? for each lifted value
    std::vector<JetValue> params;   // the lifted values, in order
    bool startsWithSelect = false;  // the first word is SELECT
    std::string error;              // why the text could not be translated; empty on success

    bool Ok() const { return error.empty(); }
};

// Translates `statement`. With `liftValues` false every literal stays in the
// text (date literals become quoted ISO text); the result then has no
// parameters.
JetStatement TranslateJet(std::string_view statement, bool liftValues = true);

// Translates the key of a StatementShape, in which each `?` stands for a
// lifted value; the result has no parameters of its own.
JetStatement TranslateJetShape(std::string_view shape);

// Parses the contents of a `#...#` literal to "YYYY-MM-DD HH:MM:SS"; empty
// when it is not a date in one of the accepted forms.
std::string JetDateToIso(std::string_view text);

}  // namespace pantrio
