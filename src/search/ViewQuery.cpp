#include "search/ViewQuery.h"

#include <chrono>

#include "base/Text.h"
#include "storage/Store.h"

namespace pantrio {

const std::vector<SelectorEntry>& ViewSelectorMenu() {
    static const std::vector<SelectorEntry> menu = {
        {"&All (by Star)", "&All"},          {"All (by &Recency)", "&Recent"},
        {"&Marked Recipes", "&Marked"},      {"Viewed &Today", "&Today"},
        {"Viewed &Yesterday", "&Yesterday"}, {"Last &7 Days", "Last &7"},
        {"Last &30 Days", "Last &30"},
    };
    return menu;
}

const std::vector<SelectorEntry>& KeywordSelectorMenu() {
    static const std::vector<SelectorEntry> menu = {
        {"All", "All", true},           {"@Favorite", "@Favorite"},   {"@Try Soon!", "@Try Soon!"},
        {"@My Diet", "@My Diet", true}, {"Appetizers", "Appetizers"}, {"Salads", "Salad"},
        {"Main Dish", "Main Dish"},     {"Side Dish", "Side Dish"},   {"Dessert", "Desserts", true},
        {"Low Cal", "Low Cal"},         {"Low Carb", "Low Carb"},     {"Low Fat", "Low Fat"},
    };
    return menu;
}

DateTime MidnightOf(const DateTime& when, int days) {
    using namespace std::chrono;
    const year_month_day date{sys_days{year{when.year} / month{static_cast<unsigned>(when.month)} /
                                       day{static_cast<unsigned>(when.day)}} +
                              std::chrono::days{days}};
    return DateTime::FromDate(static_cast<int>(date.year()),
                              static_cast<int>(static_cast<unsigned>(date.month())),
                              static_cast<int>(static_cast<unsigned>(date.day())));
}

std::string ViewQuery(const std::string& viewCaption, const std::string& keywordCaption,
                      const DateTime& now) {
    const std::string keyword = ToUpper(keywordCaption);
    std::string sql;
    if (keyword == "KEYWORD =" || keyword == "ALL")
        sql = "Select RecipeID, Title, Color, Marked, TasteRating from Recipes WHERE TRUE ";
    else
        // The captions are the fixed menu texts; quoting keeps any other
        // caption a caller passes inside its string.
        sql =
            "Select RecipeID, Title, Color, Marked, TasteRating from Recipes Where "
            "AllCategoriesText like '%" +
            QuoteSql(keyword) + "%' ";

    const std::string view = ToUpper(Trim(viewCaption));
    if (view == "&MARKED") sql += " AND Marked > 0 ";

    // Dates go into the statement in the program's ISO form between "#" signs.
    auto literal = [&now](int days) { return MidnightOf(now, days).IsoText(); };
    if (view == "&TODAY") {
        sql += " AND LASTVIEWED IS NOT NULL AND LastViewed >= #" + literal(0) + "# ";
    } else if (view == "&YESTERDAY") {
        sql += " AND LASTVIEWED IS NOT NULL AND LastViewed >= #" + literal(-1) +
               "# and LastViewed <#" + literal(0) + "#";
    } else if (view == "LAST &7") {
        sql += " AND LASTVIEWED IS NOT NULL AND LastViewed >= #" + literal(-7) + "#";
    } else if (view == "LAST &30") {
        sql += " AND LASTVIEWED IS NOT NULL AND LastViewed >= #" + literal(-30) + "#";
    }

    sql += view == "&RECENT" ? " order by lastviewed desc" : " order by Title";
    return sql;
}

std::string HeaderClickQuery(int header) {
    switch (header) {
        case 0:
            return "Select RecipeID, Title, Color, Marked, TasteRating from Recipes ORDER BY "
                   "Recipes.Title";
        case 2:
            return "Select RecipeID, Title, Color, Marked, TasteRating from Recipes ORDER BY "
                   "Recipes.TasteRating DESC";
        default:
            return "";
    }
}

std::string SingleRecipeQuery(int recipeID) {
    return Format(
        "Select RecipeID, Title, Marked, Color, TasteRating from Recipes where RecipeID = %d",
        recipeID);
}

}  // namespace pantrio
