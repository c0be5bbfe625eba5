#include "storage/JetFunctions.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/DateTime.h"
#include "base/Text.h"
#include "storage/JetTranslator.h"

namespace pantrio {

namespace {

std::string_view TextArg(sqlite3_value* v) {
    const unsigned char* text = sqlite3_value_text(v);
    return text ? std::string_view(reinterpret_cast<const char*>(text),
                                   static_cast<std::size_t>(sqlite3_value_bytes(v)))
                : std::string_view();
}

void ResultText(sqlite3_context* ctx, std::string_view text) {
    sqlite3_result_text(ctx, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

// Byte offset of the character `index` (0-based) of UTF-8 text, or its size.
std::size_t OffsetOfChar(std::string_view text, std::int64_t index) {
    std::size_t pos = 0;
    while (pos < text.size() && index > 0) {
        ++pos;
        while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) ++pos;
        --index;
    }
    return pos;
}

std::int64_t CharsOf(std::string_view text) {
    return static_cast<std::int64_t>(CharCount(text));
}

// A stored date: ISO text, or the Jet forms the translator accepts.
bool DateArg(sqlite3_value* v, DateTime& out) {
    if (sqlite3_value_type(v) != SQLITE_TEXT) return false;
    std::string iso = JetDateToIso(TextArg(v));
    auto parsed = DateTime::ParseIso(iso);
    if (!parsed) return false;
    out = *parsed;
    return true;
}

void IsNull(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sqlite3_result_int(ctx, sqlite3_value_type(argv[0]) == SQLITE_NULL ? 1 : 0);
}

void Len(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, CharsOf(TextArg(argv[0])));
}

void Left(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    std::string_view text = TextArg(argv[0]);
    std::int64_t n = std::max<std::int64_t>(0, sqlite3_value_int64(argv[1]));
    ResultText(ctx, text.substr(0, OffsetOfChar(text, n)));
}

void Right(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    std::string_view text = TextArg(argv[0]);
    std::int64_t n = std::max<std::int64_t>(0, sqlite3_value_int64(argv[1]));
    std::int64_t skip = std::max<std::int64_t>(0, CharsOf(text) - n);
    ResultText(ctx, text.substr(OffsetOfChar(text, skip)));
}

// Mid(text, start[, length]) with a 1-based start.
void Mid(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    std::string_view text = TextArg(argv[0]);
    std::int64_t start = std::max<std::int64_t>(1, sqlite3_value_int64(argv[1]));
    std::size_t from = OffsetOfChar(text, start - 1);
    std::string_view rest = text.substr(from);
    if (argc > 2) {
        std::int64_t n = std::max<std::int64_t>(0, sqlite3_value_int64(argv[2]));
        rest = rest.substr(0, OffsetOfChar(rest, n));
    }
    ResultText(ctx, rest);
}

void UCase(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    ResultText(ctx, ToUpper(TextArg(argv[0])));
}

void LCase(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    ResultText(ctx, ToLower(TextArg(argv[0])));
}

// Val: the number at the start of the text (blanks skipped), 0 when none.
void Val(sqlite3_context* ctx, int, sqlite3_value** argv) {
    int type = sqlite3_value_type(argv[0]);
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) return sqlite3_result_value(ctx, argv[0]);
    std::string text = Trim(TextArg(argv[0]));
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || !std::isfinite(value)) value = 0;
    if (value == std::floor(value) && std::fabs(value) < 9e15)
        sqlite3_result_int64(ctx, static_cast<std::int64_t>(value));
    else
        sqlite3_result_double(ctx, value);
}

// Int: the largest integer not above the number.
void Int(sqlite3_context* ctx, int, sqlite3_value** argv) {
    int type = sqlite3_value_type(argv[0]);
    if (type == SQLITE_NULL) return sqlite3_result_null(ctx);
    if (type == SQLITE_INTEGER) return sqlite3_result_value(ctx, argv[0]);
    double value = std::floor(sqlite3_value_double(argv[0]));
    if (std::fabs(value) < 9e18)
        sqlite3_result_int64(ctx, static_cast<std::int64_t>(value));
    else
        sqlite3_result_double(ctx, value);
}

// Nz(value[, replacement]): the replacement (or 0) when the value is NULL.
void Nz(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) != SQLITE_NULL) return sqlite3_result_value(ctx, argv[0]);
    if (argc > 1) return sqlite3_result_value(ctx, argv[1]);
    sqlite3_result_int(ctx, 0);
}

void IIf(sqlite3_context* ctx, int, sqlite3_value** argv) {
    bool condition =
        sqlite3_value_type(argv[0]) != SQLITE_NULL && sqlite3_value_double(argv[0]) != 0;
    sqlite3_result_value(ctx, condition ? argv[1] : argv[2]);
}

template <int DateTime::*Field>
void DatePart(sqlite3_context* ctx, int, sqlite3_value** argv) {
    DateTime d;
    if (!DateArg(argv[0], d)) return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, d.*Field);
}

void Now(sqlite3_context* ctx, int, sqlite3_value**) {
    ResultText(ctx, DateTime::Now().IsoText());
}

void Date(sqlite3_context* ctx, int, sqlite3_value**) {
    DateTime now = DateTime::Now();
    ResultText(ctx, DateTime::FromDate(now.year, now.month, now.day).IsoText());
}

void DateValue(sqlite3_context* ctx, int, sqlite3_value** argv) {
    DateTime d;
    if (!DateArg(argv[0], d)) return sqlite3_result_null(ctx);
    ResultText(ctx, DateTime::FromDate(d.year, d.month, d.day).IsoText());
}

void CStr(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    ResultText(ctx, TextArg(argv[0]));
}

// CLng and CInt round halves to even, as Jet does.
void CLng(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    double value = std::nearbyint(sqlite3_value_double(argv[0]));
    if (std::fabs(value) >= 9e18) return sqlite3_result_error(ctx, "Overflow", -1);
    sqlite3_result_int64(ctx, static_cast<std::int64_t>(value));
}

void CDbl(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    sqlite3_result_double(ctx, sqlite3_value_double(argv[0]));
}

// InStr([start, ]text, search): 1-based position, 0 when absent; letter case
// is ignored as in every text comparison of the databases.
void InStr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    int first = argc == 3 ? 1 : 0;
    if (sqlite3_value_type(argv[first]) == SQLITE_NULL ||
        sqlite3_value_type(argv[first + 1]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    std::string_view text = TextArg(argv[first]);
    std::int64_t start = argc == 3 ? std::max<std::int64_t>(1, sqlite3_value_int64(argv[0])) : 1;
    std::size_t from = OffsetOfChar(text, start - 1);
    std::string_view search = TextArg(argv[first + 1]);
    std::size_t at = FindNoCase(text, search, from);
    if (at == std::string_view::npos) return sqlite3_result_int(ctx, 0);
    sqlite3_result_int64(ctx, CharsOf(text.substr(0, at)) + 1);
}

void Space(sqlite3_context* ctx, int, sqlite3_value** argv) {
    std::int64_t n = std::clamp<std::int64_t>(sqlite3_value_int64(argv[0]), 0, 1 << 20);
    ResultText(ctx, std::string(static_cast<std::size_t>(n), ' '));
}

struct Registration {
    const char* name;
    int args;
    void (*function)(sqlite3_context*, int, sqlite3_value**);
    bool deterministic;
};

}  // namespace

bool RegisterJetFunctions(sqlite3* db) {
    static const Registration kFunctions[] = {
        {"jet_isnull", 1, IsNull, true},
        {"jet_len", 1, Len, true},
        {"jet_left", 2, Left, true},
        {"jet_right", 2, Right, true},
        {"jet_mid", 2, Mid, true},
        {"jet_mid", 3, Mid, true},
        {"jet_ucase", 1, UCase, true},
        {"jet_lcase", 1, LCase, true},
        {"jet_val", 1, Val, true},
        {"jet_int", 1, Int, true},
        {"jet_nz", 1, Nz, true},
        {"jet_nz", 2, Nz, true},
        {"jet_iif", 3, IIf, true},
        {"jet_year", 1, DatePart<&DateTime::year>, true},
        {"jet_month", 1, DatePart<&DateTime::month>, true},
        {"jet_day", 1, DatePart<&DateTime::day>, true},
        {"jet_hour", 1, DatePart<&DateTime::hour>, true},
        {"jet_minute", 1, DatePart<&DateTime::minute>, true},
        {"jet_second", 1, DatePart<&DateTime::second>, true},
        {"jet_now", 0, Now, false},
        {"jet_date", 0, Date, false},
        {"jet_datevalue", 1, DateValue, true},
        {"jet_cstr", 1, CStr, true},
        {"jet_clng", 1, CLng, true},
        {"jet_cint", 1, CLng, true},
        {"jet_cdbl", 1, CDbl, true},
        {"jet_instr", 2, InStr, true},
        {"jet_instr", 3, InStr, true},
        {"jet_space", 1, Space, true},
    };
    for (const Registration& r : kFunctions) {
        int flags = SQLITE_UTF8 | (r.deterministic ? SQLITE_DETERMINISTIC : 0);
        if (sqlite3_create_function_v2(db, r.name, r.args, flags, nullptr, r.function, nullptr,
                                       nullptr, nullptr) != SQLITE_OK)
            return false;
    }
    return true;
}

}  // namespace pantrio
