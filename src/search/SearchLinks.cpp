#include "search/SearchLinks.h"

#include <cctype>

#include "base/Text.h"
#include "storage/RecipeDB.h"

namespace pantrio {

namespace {

const char kSelect[] = "Select RecipeID, Title, Color, Marked, TasteRating from Recipes ";

bool IsWholeNumber(const std::string& text) {
    if (text.empty() || text.size() > 9) return false;
    for (unsigned char c : text)
        if (!std::isdigit(c)) return false;
    return true;
}

const char* FolderColumn(RecipeFolder folder) {
    return folder == RecipeFolder::Cuisines ? "Cuisine" : "PrimaryIngredient";
}

}  // namespace

std::optional<std::string> SearchLinkQuery(SearchLink link, const std::string& value) {
    const std::string quoted = QuoteSql(value);
    auto like = [&](const char* column, const std::string& pattern) {
        return std::string(kSelect) + "Where " + column + " LIKE '" + pattern +
               "' ORDER BY Marked DESC,Color DESC,Title";
    };
    switch (link) {
        case SearchLink::MainIngredient:
            return like("PrimaryIngredient", quoted);
        case SearchLink::Cuisine:
            return like("Cuisine", quoted);
        case SearchLink::Keyword:
            return like("AllCategoriesText", "%" + quoted + "%");
        case SearchLink::Recipe: {
            const std::string number = Trim(value);
            if (!IsWholeNumber(number)) return std::nullopt;
            return std::string(kSelect) + "Where RecipeID = " + number;
        }
    }
    return std::nullopt;
}

std::optional<ParsedSearchLink> ParseSearchLink(const std::string& linkText) {
    static const struct {
        const char* command;
        SearchLink link;
    } kCommands[] = {
        {"FINDPRIMARYINGREDIENT(", SearchLink::MainIngredient},
        {"FINDCUISINE(", SearchLink::Cuisine},
        {"FINDKEYWORD(", SearchLink::Keyword},
        {"FINDRECIPE(", SearchLink::Recipe},
    };
    for (const auto& c : kCommands) {
        const std::string command = c.command;
        if (!StartsWithNoCase(linkText, command)) continue;
        // The value runs up to, not including, the last character (the
        // closing parenthesis).
        if (linkText.size() <= command.size()) return ParsedSearchLink{c.link, ""};
        return ParsedSearchLink{
            c.link, linkText.substr(command.size(), linkText.size() - command.size() - 1)};
    }
    return std::nullopt;
}

int FolderItems(RecipeDB& db, RecipeFolder folder, std::vector<std::string>& items) {
    std::vector<std::string> values;
    if (db.DistinctValues(FolderColumn(folder), values) < 0) return -1;
    // The grouped result starts with the group of recipes without a value
    // (NULL sorts first); that row is no folder item. When every recipe has a
    // value, the first row is a real value and stays.
    std::size_t first = 0;
    if (!values.empty() && Trim(values[0]).empty()) first = 1;
    int added = 0;
    for (std::size_t i = first; i < values.size(); ++i) {
        items.push_back(values[i]);
        ++added;
    }
    return added;
}

int FolderItemIcon(RecipeFolder folder) {
    return folder == RecipeFolder::Cuisines ? 8 : 9;
}

std::string FolderItemQuery(RecipeFolder folder, const std::string& itemText) {
    const std::string column = FolderColumn(folder);
    const std::string text = Trim(itemText);
    if (text.empty())
        return std::string(kSelect) + "Where IsNull(" + column + ") OR (" + column +
               " = '') ORDER BY Marked DESC,Color DESC,Title";
    return std::string(kSelect) + "Where " + column + " LIKE '" + QuoteSql(text) +
           "' ORDER BY Marked DESC,Color DESC,Title";
}

std::optional<std::string> TypeAheadQuery(char key) {
    const unsigned char c = static_cast<unsigned char>(key);
    if (!std::isalnum(c)) return std::nullopt;
    // Compared with the character alone, so that a title that is just the
    // character, or the character and a blank, is listed too.
    return Format(
        "Select RecipeID, Color, Marked, Title, TasteRating from Recipes Where Title >= '%c' "
        "ORDER BY TITLE",
        static_cast<char>(std::toupper(c)));
}

}  // namespace pantrio
