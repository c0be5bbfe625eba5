#include "core/AppLink.h"

#include "base/Text.h"
#include "core/PercentEncoding.h"

namespace pantrio {

namespace {

// Removes one pair of surrounding double quotes, written plainly or
// percent-encoded (a browser may encode them in the address it reports).
std::string Unquote(std::string value) {
    for (const std::string quote : {"\"", "%22"}) {
        if (value.size() >= 2 * quote.size() && StartsWithNoCase(value, quote) &&
            EndsWithNoCase(value, quote)) {
            return value.substr(quote.size(), value.size() - 2 * quote.size());
        }
    }
    return value;
}

}  // namespace

AppLinkCommand ParseAppLink(const std::string& text) {
    struct Entry {
        const char* name;
        AppLinkCommand::Kind kind;
    };
    static const Entry kCommands[] = {
        {"FINDPRIMARYINGREDIENT(", AppLinkCommand::Kind::PrimaryIngredient},
        {"FINDCUISINE(", AppLinkCommand::Kind::Cuisine},
        {"FINDKEYWORD(", AppLinkCommand::Kind::Keyword},
        {"FINDRECIPE(", AppLinkCommand::Kind::Recipe},
    };
    AppLinkCommand command;
    for (const Entry& entry : kCommands) {
        const std::size_t at = FindNoCase(text, entry.name);
        if (at == std::string::npos) continue;
        const std::size_t from = at + std::string_view(entry.name).size();
        // The last character is taken to be the closing parenthesis, whatever
        // it is.
        const std::string raw =
            from < text.size() ? text.substr(from, text.size() - 1 - from) : std::string();
        command.kind = entry.kind;
        command.value = ToUpper(PercentDecode(Unquote(raw)));
        return command;
    }
    return command;
}

}  // namespace pantrio
