#include "service/PostgresServiceStore.h"

#include <pqxx/pqxx>

#include "base/Text.h"
#include "service/ServiceSql.h"

namespace pantrio {

namespace {

const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS recipes ("
    " id BIGSERIAL PRIMARY KEY, title TEXT NOT NULL, document TEXT NOT NULL,"
    " posted_page TEXT NOT NULL, title_key TEXT NOT NULL, duplicate_key TEXT NOT NULL,"
    " keywords_key TEXT NOT NULL, ingredients_key TEXT NOT NULL, main_key TEXT NOT NULL,"
    " cuisine_key TEXT NOT NULL, changed TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS recipes_title ON recipes (title)",
    "CREATE INDEX IF NOT EXISTS recipes_title_key ON recipes (title_key)",
    "CREATE TABLE IF NOT EXISTS comments ("
    " id BIGSERIAL PRIMARY KEY, recipe_id BIGINT NOT NULL REFERENCES recipes (id),"
    " notes TEXT NOT NULL, make_again TEXT NOT NULL, taste INTEGER NOT NULL,"
    " appearance INTEGER NOT NULL, ease INTEGER NOT NULL, affordability INTEGER NOT NULL,"
    " active_minutes INTEGER NOT NULL, total_minutes INTEGER NOT NULL, posted TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS comments_recipe ON comments (recipe_id)",
    "CREATE TABLE IF NOT EXISTS referrers (name TEXT PRIMARY KEY, visits BIGINT NOT NULL)",
};

std::vector<RecipeHeading> Headings(const pqxx::result& rows) {
    std::vector<RecipeHeading> headings;
    for (const auto& row : rows) headings.push_back({row[0].as<long>(), row[1].as<std::string>()});
    return headings;
}

std::string SearchValue(const std::variant<std::string, double, long>& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    if (const auto* number = std::get_if<long>(&value)) return std::to_string(*number);
    return Format("%.6f", std::get<double>(value));
}

}  // namespace

struct PostgresServiceStore::Connection {
    explicit Connection(const std::string& url) : connection(url) {}
    pqxx::connection connection;
};

template <typename Work>
auto PostgresServiceStore::Transact(Work&& work) {
    std::lock_guard lock(mutex_);
    try {
        pqxx::work transaction(connection_->connection);
        auto result = work(transaction);
        transaction.commit();
        return result;
    } catch (const pqxx::failure& error) {
        throw ServiceStoreError(error.what());
    } catch (const pqxx::usage_error& error) {
        throw ServiceStoreError(error.what());
    } catch (const pqxx::conversion_error& error) {
        throw ServiceStoreError(error.what());
    }
}

PostgresServiceStore::PostgresServiceStore(const std::string& url, const std::string& schema) {
    try {
        connection_ = std::make_unique<Connection>(url);
        pqxx::work transaction(connection_->connection);
        if (!schema.empty()) {
            const std::string name = transaction.quote_name(schema);
            transaction.exec("CREATE SCHEMA IF NOT EXISTS " + name);
            // Every later transaction of this connection works inside it.
            transaction.exec("SET search_path TO " + name);
        }
        for (const char* statement : kSchema) transaction.exec(statement);
        transaction.commit();
    } catch (const std::exception& error) {
        throw ServiceStoreError(std::string("PostgreSQL: ") + error.what());
    }
}

PostgresServiceStore::~PostgresServiceStore() = default;

void PostgresServiceStore::DropSchema(const std::string& url, const std::string& schema) {
    try {
        pqxx::connection connection(url);
        pqxx::work transaction(connection);
        transaction.exec("DROP SCHEMA IF EXISTS " + transaction.quote_name(schema) + " CASCADE");
        transaction.commit();
    } catch (const std::exception& error) {
        throw ServiceStoreError(std::string("PostgreSQL: ") + error.what());
    }
}

long PostgresServiceStore::AddRecipe(const ServiceRecipe& r) {
    return Transact([&](pqxx::work& t) {
        return t
            .exec_params1(
                "INSERT INTO recipes (title, document, posted_page, title_key, duplicate_key,"
                " keywords_key, ingredients_key, main_key, cuisine_key, changed)"
                " VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10) RETURNING id",
                r.title, r.document, r.postedPage, r.titleKey, r.duplicateKey, r.keywordsKey,
                r.ingredientsKey, r.mainKey, r.cuisineKey, UtcNowText())[0]
            .as<long>();
    });
}

bool PostgresServiceStore::UpdateRecipe(const ServiceRecipe& r) {
    return Transact([&](pqxx::work& t) {
        return t.exec_params(
                    "UPDATE recipes SET title = $1, document = $2, posted_page = $3,"
                    " title_key = $4, duplicate_key = $5, keywords_key = $6,"
                    " ingredients_key = $7, main_key = $8, cuisine_key = $9,"
                    " changed = $10 WHERE id = $11",
                    r.title, r.document, r.postedPage, r.titleKey, r.duplicateKey, r.keywordsKey,
                    r.ingredientsKey, r.mainKey, r.cuisineKey, UtcNowText(), r.number)
                   .affected_rows() > 0;
    });
}

std::optional<ServiceRecipe> PostgresServiceStore::Recipe(long number) {
    return Transact([&](pqxx::work& t) -> std::optional<ServiceRecipe> {
        const pqxx::result rows = t.exec_params(
            "SELECT id, title, document, posted_page, title_key, duplicate_key,"
            " keywords_key, ingredients_key, main_key, cuisine_key"
            " FROM recipes WHERE id = $1",
            number);
        if (rows.empty()) return std::nullopt;
        const auto& row = rows[0];
        ServiceRecipe recipe;
        recipe.number = row[0].as<long>();
        recipe.title = row[1].as<std::string>();
        recipe.document = row[2].as<std::string>();
        recipe.postedPage = row[3].as<std::string>();
        recipe.titleKey = row[4].as<std::string>();
        recipe.duplicateKey = row[5].as<std::string>();
        recipe.keywordsKey = row[6].as<std::string>();
        recipe.ingredientsKey = row[7].as<std::string>();
        recipe.mainKey = row[8].as<std::string>();
        recipe.cuisineKey = row[9].as<std::string>();
        return recipe;
    });
}

long PostgresServiceStore::FindDuplicate(const std::string& title,
                                         const std::string& duplicateKey) {
    return Transact([&](pqxx::work& t) {
        const pqxx::result rows = t.exec_params(
            "SELECT id FROM recipes WHERE title = $1 AND ($2::text = '' OR duplicate_key = $2)"
            " ORDER BY id LIMIT 1",
            title, duplicateKey);
        return rows.empty() ? 0L : rows[0][0].as<long>();
    });
}

std::vector<RecipeHeading> PostgresServiceStore::Search(const ServiceQuery& query) {
    const BoundSql sql = SearchStatement(query, SqlDialect::Postgres);
    std::vector<std::string> values;
    for (const auto& value : sql.values) values.push_back(SearchValue(value));
    return Transact([&](pqxx::work& t) {
        return Headings(t.exec_params(sql.text, pqxx::prepare::make_dynamic_params(values)));
    });
}

std::vector<RecipeHeading> PostgresServiceStore::ByTitle(int offset, int count) {
    return Transact([&](pqxx::work& t) {
        return Headings(
            t.exec_params("SELECT id, title FROM recipes ORDER BY title_key, id LIMIT $1 OFFSET $2",
                          count, offset));
    });
}

std::vector<RecipeHeading> PostgresServiceStore::Newest(int count) {
    return Transact([&](pqxx::work& t) {
        return Headings(t.exec_params(
            "SELECT id, title FROM recipes ORDER BY changed DESC, id DESC LIMIT $1", count));
    });
}

int PostgresServiceStore::RecipeCount() {
    return Transact(
        [&](pqxx::work& t) { return t.exec1("SELECT count(*) FROM recipes")[0].as<int>(); });
}

bool PostgresServiceStore::AddComment(const ServiceComment& c) {
    return Transact([&](pqxx::work& t) {
        return t.exec_params(
                    "INSERT INTO comments (recipe_id, notes, make_again, taste,"
                    " appearance, ease, affordability, active_minutes, total_minutes,"
                    " posted) SELECT id, $1, $2, $3, $4, $5, $6, $7, $8, $9"
                    " FROM recipes WHERE id = $10",
                    c.notes, c.makeAgain, c.taste, c.appearance, c.ease, c.affordability,
                    c.activeMinutes, c.totalMinutes, UtcNowText(), c.recipe)
                   .affected_rows() > 0;
    });
}

std::vector<ServiceComment> PostgresServiceStore::Comments(long recipe) {
    return Transact([&](pqxx::work& t) {
        std::vector<ServiceComment> comments;
        for (const auto& row : t.exec_params(
                 "SELECT notes, make_again, taste, appearance, ease, affordability,"
                 " active_minutes, total_minutes, posted FROM comments WHERE recipe_id = $1"
                 " ORDER BY id DESC",
                 recipe)) {
            ServiceComment comment;
            comment.recipe = recipe;
            comment.notes = row[0].as<std::string>();
            comment.makeAgain = row[1].as<std::string>();
            comment.taste = row[2].as<int>();
            comment.appearance = row[3].as<int>();
            comment.ease = row[4].as<int>();
            comment.affordability = row[5].as<int>();
            comment.activeMinutes = row[6].as<int>();
            comment.totalMinutes = row[7].as<int>();
            comment.posted = row[8].as<std::string>();
            comments.push_back(std::move(comment));
        }
        return comments;
    });
}

RatingAverages PostgresServiceStore::Averages(long recipe) {
    return Transact([&](pqxx::work& t) {
        const auto row = t.exec_params1(
            "SELECT coalesce(avg(nullif(taste, 0)), 0)::float8,"
            " coalesce(avg(nullif(appearance, 0)), 0)::float8,"
            " coalesce(avg(nullif(ease, 0)), 0)::float8,"
            " coalesce(avg(nullif(affordability, 0)), 0)::float8, count(*),"
            " count(*) FILTER (WHERE make_again = 'YES'), count(*) FILTER (WHERE make_again = 'NO')"
            " FROM comments WHERE recipe_id = $1",
            recipe);
        RatingAverages averages;
        averages.taste = row[0].as<double>();
        averages.appearance = row[1].as<double>();
        averages.ease = row[2].as<double>();
        averages.affordability = row[3].as<double>();
        averages.comments = row[4].as<int>();
        averages.makeAgainYes = row[5].as<int>();
        averages.makeAgainNo = row[6].as<int>();
        return averages;
    });
}

void PostgresServiceStore::CountReferrer(const std::string& referrer) {
    Transact([&](pqxx::work& t) {
        return t
            .exec_params(
                "INSERT INTO referrers (name, visits) VALUES ($1, 1)"
                " ON CONFLICT (name) DO UPDATE SET visits = referrers.visits + 1",
                referrer)
            .affected_rows();
    });
}

long PostgresServiceStore::ReferrerVisits(const std::string& referrer) {
    return Transact([&](pqxx::work& t) {
        const pqxx::result rows =
            t.exec_params("SELECT visits FROM referrers WHERE name = $1", referrer);
        return rows.empty() ? 0L : rows[0][0].as<long>();
    });
}

}  // namespace pantrio
