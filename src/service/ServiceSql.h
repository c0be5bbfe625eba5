// The statements both service stores share: the search, built from fixed
// pieces with every value bound, in either placeholder style.
#pragma once

#include <string>
#include <variant>
#include <vector>

namespace pantrio {

struct ServiceQuery;

enum class SqlDialect { Sqlite, Postgres };

struct BoundSql {
    std::string text;
    std::vector<std::variant<std::string, double, long>> values;
};

// "Select id, title from recipes where …" for `query`, ordered by title.
BoundSql SearchStatement(const ServiceQuery& query, SqlDialect dialect);

// The present moment in UTC as "YYYY-MM-DD HH:MM:SS".
std::string UtcNowText();

}  // namespace pantrio
