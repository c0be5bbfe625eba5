// The program's own links inside recipe pages: "app:FindCuisine(value)" and
// its three siblings. Clicking one runs a search instead of a navigation. The
// value is written quoted and percent-encoded ("app:FindCuisine(%22Tex%20Mex%22)"
// or with the quotes as they are), so blanks and parentheses survive the
// click; links of older pages carry the bare value, which still works.
#pragma once

#include <string>

namespace pantrio {

struct AppLinkCommand {
    enum class Kind { None, PrimaryIngredient, Cuisine, Keyword, Recipe };
    Kind kind = Kind::None;
    // The decoded value, upper-cased (ASCII letters), as the searches take it.
    std::string value;
};

// Parses what follows "app:". The commands are looked for in the order
// FINDPRIMARYINGREDIENT(, FINDCUISINE(, FINDKEYWORD(, FINDRECIPE( without
// regard to case; the first found wins. The value runs from after the
// opening parenthesis to before the text's last character (the closing
// parenthesis); surrounding double quotes, plain or as "%22", are removed,
// and percent escapes are decoded once. Kind::None when no command occurs.
AppLinkCommand ParseAppLink(const std::string& text);

}  // namespace pantrio
