#include "service/ServiceSql.h"

#include <ctime>

#include "service/ServiceStore.h"

namespace pantrio {

namespace {

class Builder {
public:
    explicit Builder(SqlDialect dialect) : dialect_(dialect) {}

    std::string Slot() {
        if (dialect_ == SqlDialect::Sqlite) return "?";
        return "$" + std::to_string(sql_.values.size());
    }
    std::string Contains(const char* column) {
        return dialect_ == SqlDialect::Sqlite
                   ? std::string("instr(") + column + ", " + Slot() + ")"
                   : std::string("strpos(") + column + ", " + Slot() + ")";
    }
    void Add(const char* column, const char* relation, const std::string& value) {
        sql_.values.emplace_back(value);
        Where(Contains(column) + relation);
    }
    void Equals(const char* column, const std::string& value) {
        sql_.values.emplace_back(value);
        Where(std::string(column) + " = " + Slot());
    }
    void Minimum(const char* column, double value) {
        sql_.values.emplace_back(value);
        Where(std::string("id IN (SELECT recipe_id FROM comments WHERE ") + column +
              " > 0 GROUP BY recipe_id HAVING avg(" + column + ") >= " + Slot() + ")");
    }
    BoundSql Finish(int limit) {
        sql_.values.emplace_back(static_cast<long>(limit));
        sql_.text =
            "SELECT id, title FROM recipes" + where_ + " ORDER BY title_key, id LIMIT " + Slot();
        return std::move(sql_);
    }

private:
    void Where(const std::string& condition) {
        where_ += where_.empty() ? " WHERE " : " AND ";
        where_ += condition;
    }

    SqlDialect dialect_;
    BoundSql sql_;
    std::string where_;
};

}  // namespace

BoundSql SearchStatement(const ServiceQuery& query, SqlDialect dialect) {
    Builder sql(dialect);
    if (!query.titleContains.empty()) sql.Add("title_key", " > 0", query.titleContains);
    if (!query.titleBegins.empty()) sql.Add("title_key", " = 1", query.titleBegins);
    for (const std::string& keyword : query.keywords)
        if (!keyword.empty()) sql.Add("keywords_key", " > 0", keyword);
    for (const std::string& ingredient : query.ingredients)
        if (!ingredient.empty()) sql.Add("ingredients_key", " > 0", ingredient);
    if (!query.mainIngredient.empty()) sql.Equals("main_key", query.mainIngredient);
    if (!query.cuisine.empty()) sql.Equals("cuisine_key", query.cuisine);
    if (query.minTaste > 0) sql.Minimum("taste", query.minTaste);
    if (query.minAffordability > 0) sql.Minimum("affordability", query.minAffordability);
    if (query.minEase > 0) sql.Minimum("ease", query.minEase);
    if (query.minAppearance > 0) sql.Minimum("appearance", query.minAppearance);
    return sql.Finish(query.limit);
}

std::string UtcNowText() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return text;
}

}  // namespace pantrio
