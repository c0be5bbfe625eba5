#include "search/SimpleFind.h"

#include <cctype>
#include <charconv>

#include "base/Text.h"
#include "storage/Store.h"

namespace pantrio {

namespace {

// A recipe number on the service: the whole text, trimmed, is a positive
// whole number. Text that merely starts with a number ("7 layer dip") is a
// search.
int ServiceRecipeNumber(const std::string& text) {
    const std::string t = Trim(text);
    if (t.empty()) return 0;
    for (unsigned char c : t)
        if (!std::isdigit(c)) return 0;
    int value = 0;
    auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (error != std::errc() || end != t.data() + t.size()) return 0;
    return value;
}

}  // namespace

std::string SimpleFindQuery(const std::string& text) {
    const std::string q = QuoteSql(text);
    const char* s = q.c_str();
    return Format(
        "Select RecipeID, Color, Marked, Title, TasteRating from Recipes Where Title Like "
        "'%%%s%%' OR AllIngredientsText Like '%%%s%%' OR AllCategoriestext Like '%%%s%%' OR "
        "Instructions Like '%%%s%%' OR Cuisine Like '%%%s%%' OR PrimaryIngredient LIKE '%%%s%%'",
        s, s, s, s, s, s);
}

SimpleFindAction SimpleFind(const std::string& text, FindScope scope) {
    SimpleFindAction action;
    action.text = text;
    if (int number = ServiceRecipeNumber(text); number >= 1) {
        action.kind = SimpleFindAction::Kind::OpenServiceRecipe;
        action.serviceRecipe = number;
        return action;
    }
    if (scope == FindScope::RecipeService) {
        action.kind = SimpleFindAction::Kind::SearchService;
        return action;
    }
    action.kind = SimpleFindAction::Kind::SearchBox;
    action.statement = SimpleFindQuery(text);
    return action;
}

}  // namespace pantrio
