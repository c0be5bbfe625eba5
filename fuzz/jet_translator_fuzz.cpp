// Feeds arbitrary statement text to the statement translator, with and
// without lifting values. Besides never crashing, hanging or reading out of
// bounds, quoted text must survive: the quoted texts of the plain
// translation are those of the input (date literals aside, which become
// quoted dates), and putting the lifted values back where the `?` stand gives
// the same quoted texts again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "storage/JetTokens.h"
#include "storage/JetTranslator.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

// The quoted texts of `sql`, as written; false when it does not split into
// tokens. With `values`, each `?` takes the next of `values` (a text value
// written as a quoted text, a number as nothing) and every value must be used.
bool QuotedTexts(std::string_view sql, std::vector<std::string>& out,
                 const std::vector<pantrio::JetValue>* values = nullptr) {
    std::size_t pos = 0;
    std::size_t next = 0;
    pantrio::JetToken token;
    std::string error;
    while (pos < sql.size()) {
        if (!pantrio::NextJetToken(sql, pos, token, error)) return false;
        if (token.kind == pantrio::JetTokenKind::String) {
            out.emplace_back(token.text);
        } else if (values && token.kind == pantrio::JetTokenKind::Punct && token.text == "?") {
            Check(next < values->size());
            const pantrio::JetValue& v = (*values)[next++];
            if (v.kind != pantrio::JetValue::Kind::Text) continue;
            std::string quoted = "'";
            for (char c : v.text) {
                if (c == '\'') quoted += '\'';
                quoted += c;
            }
            out.push_back(quoted + "'");
        }
    }
    if (values) Check(next == values->size());
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const pantrio::JetStatement plain = pantrio::TranslateJet(text, false);
    const pantrio::JetStatement lifted = pantrio::TranslateJet(text, true);
    // Both fail or both succeed, for the same reason.
    Check(plain.Ok() == lifted.Ok());
    Check(plain.error == lifted.error);
    if (!plain.Ok()) {
        Check(plain.sql.empty() && lifted.sql.empty() && lifted.params.empty());
        return 0;
    }
    Check(plain.params.empty());
    Check(plain.startsWithSelect == lifted.startsWithSelect);

    std::vector<std::string> fromPlain, fromLifted;
    Check(QuotedTexts(plain.sql, fromPlain));
    Check(QuotedTexts(lifted.sql, fromLifted, &lifted.params));
    Check(fromPlain == fromLifted);

    if (text.find('#') == std::string_view::npos) {
        std::vector<std::string> fromInput;
        Check(QuotedTexts(text, fromInput));
        Check(fromInput == fromPlain);
    }
    // The shape translates to the same text every time.
    Check(pantrio::TranslateJet(text, true).sql == lifted.sql);
    return 0;
}
