#include "service/SqliteServiceStore.h"

#include <sqlite3.h>

#include "service/ServiceSql.h"

namespace pantrio {

namespace {

const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS recipes ("
    " id INTEGER PRIMARY KEY, title TEXT NOT NULL, document TEXT NOT NULL,"
    " posted_page TEXT NOT NULL, title_key TEXT NOT NULL, duplicate_key TEXT NOT NULL,"
    " keywords_key TEXT NOT NULL, ingredients_key TEXT NOT NULL, main_key TEXT NOT NULL,"
    " cuisine_key TEXT NOT NULL, changed TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS recipes_title ON recipes (title)",
    "CREATE INDEX IF NOT EXISTS recipes_title_key ON recipes (title_key)",
    "CREATE TABLE IF NOT EXISTS comments ("
    " id INTEGER PRIMARY KEY, recipe_id INTEGER NOT NULL REFERENCES recipes (id),"
    " notes TEXT NOT NULL, make_again TEXT NOT NULL, taste INTEGER NOT NULL,"
    " appearance INTEGER NOT NULL, ease INTEGER NOT NULL, affordability INTEGER NOT NULL,"
    " active_minutes INTEGER NOT NULL, total_minutes INTEGER NOT NULL, posted TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS comments_recipe ON comments (recipe_id)",
    "CREATE TABLE IF NOT EXISTS referrers (name TEXT PRIMARY KEY, visits INTEGER NOT NULL)",
};

// One prepared statement; values are bound from the left, columns read by
// position.
class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt_, nullptr) != SQLITE_OK) Fail();
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(const std::string& value) {
        Check(sqlite3_bind_text(stmt_, ++slot_, value.data(), static_cast<int>(value.size()),
                                SQLITE_TRANSIENT));
        return *this;
    }
    Statement& Bind(long value) {
        Check(sqlite3_bind_int64(stmt_, ++slot_, value));
        return *this;
    }
    Statement& Bind(int value) { return Bind(static_cast<long>(value)); }
    Statement& Bind(double value) {
        Check(sqlite3_bind_double(stmt_, ++slot_, value));
        return *this;
    }
    // True while there is a row to read.
    bool Step() {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) return true;
        if (rc != SQLITE_DONE) Fail();
        return false;
    }
    std::string Text(int column) const {
        const auto* text = sqlite3_column_text(stmt_, column);
        return text ? std::string(reinterpret_cast<const char*>(text),
                                  static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
                    : std::string();
    }
    long Number(int column) const { return static_cast<long>(sqlite3_column_int64(stmt_, column)); }
    double Real(int column) const { return sqlite3_column_double(stmt_, column); }

private:
    void Check(int rc) {
        if (rc != SQLITE_OK) Fail();
    }
    [[noreturn]] void Fail() { throw ServiceStoreError(sqlite3_errmsg(db_)); }

    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    int slot_ = 0;
};

void Run(sqlite3* db, const std::string& sql) {
    Statement statement(db, sql);
    while (statement.Step()) {
    }
}

std::vector<RecipeHeading> Headings(Statement& statement) {
    std::vector<RecipeHeading> headings;
    while (statement.Step()) headings.push_back({statement.Number(0), statement.Text(1)});
    return headings;
}

Statement& BindRecipe(Statement& statement, const ServiceRecipe& recipe) {
    return statement.Bind(recipe.title)
        .Bind(recipe.document)
        .Bind(recipe.postedPage)
        .Bind(recipe.titleKey)
        .Bind(recipe.duplicateKey)
        .Bind(recipe.keywordsKey)
        .Bind(recipe.ingredientsKey)
        .Bind(recipe.mainKey)
        .Bind(recipe.cuisineKey)
        .Bind(UtcNowText());
}

}  // namespace

SqliteServiceStore::SqliteServiceStore(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK) {
        const std::string reason = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw ServiceStoreError("cannot open " + path + ": " + reason);
    }
    sqlite3_busy_timeout(db_, 5000);
    try {
        Run(db_, "PRAGMA foreign_keys = ON");
        for (const char* statement : kSchema) Run(db_, statement);
    } catch (...) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw;
    }
}

SqliteServiceStore::~SqliteServiceStore() {
    sqlite3_close(db_);
}

long SqliteServiceStore::AddRecipe(const ServiceRecipe& recipe) {
    std::lock_guard lock(mutex_);
    Statement insert(db_,
                     "INSERT INTO recipes (title, document, posted_page, title_key, duplicate_key,"
                     " keywords_key, ingredients_key, main_key, cuisine_key, changed)"
                     " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    BindRecipe(insert, recipe).Step();
    return static_cast<long>(sqlite3_last_insert_rowid(db_));
}

bool SqliteServiceStore::UpdateRecipe(const ServiceRecipe& recipe) {
    std::lock_guard lock(mutex_);
    Statement update(db_,
                     "UPDATE recipes SET title = ?, document = ?, posted_page = ?, title_key = ?,"
                     " duplicate_key = ?, keywords_key = ?, ingredients_key = ?, main_key = ?,"
                     " cuisine_key = ?, changed = ? WHERE id = ?");
    BindRecipe(update, recipe).Bind(recipe.number).Step();
    return sqlite3_changes(db_) > 0;
}

std::optional<ServiceRecipe> SqliteServiceStore::Recipe(long number) {
    std::lock_guard lock(mutex_);
    Statement select(db_,
                     "SELECT id, title, document, posted_page, title_key, duplicate_key,"
                     " keywords_key, ingredients_key, main_key, cuisine_key"
                     " FROM recipes WHERE id = ?");
    select.Bind(number);
    if (!select.Step()) return std::nullopt;
    ServiceRecipe recipe;
    recipe.number = select.Number(0);
    recipe.title = select.Text(1);
    recipe.document = select.Text(2);
    recipe.postedPage = select.Text(3);
    recipe.titleKey = select.Text(4);
    recipe.duplicateKey = select.Text(5);
    recipe.keywordsKey = select.Text(6);
    recipe.ingredientsKey = select.Text(7);
    recipe.mainKey = select.Text(8);
    recipe.cuisineKey = select.Text(9);
    return recipe;
}

long SqliteServiceStore::FindDuplicate(const std::string& title, const std::string& duplicateKey) {
    std::lock_guard lock(mutex_);
    Statement select(db_,
                     "SELECT id FROM recipes WHERE title = ? AND (? = '' OR duplicate_key = ?)"
                     " ORDER BY id LIMIT 1");
    select.Bind(title).Bind(duplicateKey).Bind(duplicateKey);
    return select.Step() ? select.Number(0) : 0;
}

std::vector<RecipeHeading> SqliteServiceStore::Search(const ServiceQuery& query) {
    std::lock_guard lock(mutex_);
    const BoundSql sql = SearchStatement(query, SqlDialect::Sqlite);
    Statement select(db_, sql.text);
    for (const auto& value : sql.values) std::visit([&](const auto& v) { select.Bind(v); }, value);
    return Headings(select);
}

std::vector<RecipeHeading> SqliteServiceStore::ByTitle(int offset, int count) {
    std::lock_guard lock(mutex_);
    Statement select(db_, "SELECT id, title FROM recipes ORDER BY title_key, id LIMIT ? OFFSET ?");
    select.Bind(count).Bind(offset);
    return Headings(select);
}

std::vector<RecipeHeading> SqliteServiceStore::Newest(int count) {
    std::lock_guard lock(mutex_);
    Statement select(db_, "SELECT id, title FROM recipes ORDER BY changed DESC, id DESC LIMIT ?");
    select.Bind(count);
    return Headings(select);
}

int SqliteServiceStore::RecipeCount() {
    std::lock_guard lock(mutex_);
    Statement select(db_, "SELECT count(*) FROM recipes");
    return select.Step() ? static_cast<int>(select.Number(0)) : 0;
}

bool SqliteServiceStore::AddComment(const ServiceComment& comment) {
    std::lock_guard lock(mutex_);
    Statement insert(db_,
                     "INSERT INTO comments (recipe_id, notes, make_again, taste, appearance, ease,"
                     " affordability, active_minutes, total_minutes, posted)"
                     " SELECT id, ?, ?, ?, ?, ?, ?, ?, ?, ? FROM recipes WHERE id = ?");
    insert.Bind(comment.notes)
        .Bind(comment.makeAgain)
        .Bind(comment.taste)
        .Bind(comment.appearance)
        .Bind(comment.ease)
        .Bind(comment.affordability)
        .Bind(comment.activeMinutes)
        .Bind(comment.totalMinutes)
        .Bind(UtcNowText())
        .Bind(comment.recipe)
        .Step();
    return sqlite3_changes(db_) > 0;
}

std::vector<ServiceComment> SqliteServiceStore::Comments(long recipe) {
    std::lock_guard lock(mutex_);
    Statement select(db_,
                     "SELECT notes, make_again, taste, appearance, ease, affordability,"
                     " active_minutes, total_minutes, posted FROM comments WHERE recipe_id = ?"
                     " ORDER BY id DESC");
    select.Bind(recipe);
    std::vector<ServiceComment> comments;
    while (select.Step()) {
        ServiceComment comment;
        comment.recipe = recipe;
        comment.notes = select.Text(0);
        comment.makeAgain = select.Text(1);
        comment.taste = static_cast<int>(select.Number(2));
        comment.appearance = static_cast<int>(select.Number(3));
        comment.ease = static_cast<int>(select.Number(4));
        comment.affordability = static_cast<int>(select.Number(5));
        comment.activeMinutes = static_cast<int>(select.Number(6));
        comment.totalMinutes = static_cast<int>(select.Number(7));
        comment.posted = select.Text(8);
        comments.push_back(std::move(comment));
    }
    return comments;
}

RatingAverages SqliteServiceStore::Averages(long recipe) {
    std::lock_guard lock(mutex_);
    Statement select(
        db_,
        "SELECT coalesce(avg(nullif(taste, 0)), 0), coalesce(avg(nullif(appearance, 0)), 0),"
        " coalesce(avg(nullif(ease, 0)), 0), coalesce(avg(nullif(affordability, 0)), 0),"
        " count(*), coalesce(sum(make_again = 'YES'), 0), coalesce(sum(make_again = 'NO'), 0)"
        " FROM comments WHERE recipe_id = ?");
    select.Bind(recipe);
    RatingAverages averages;
    if (select.Step()) {
        averages.taste = select.Real(0);
        averages.appearance = select.Real(1);
        averages.ease = select.Real(2);
        averages.affordability = select.Real(3);
        averages.comments = static_cast<int>(select.Number(4));
        averages.makeAgainYes = static_cast<int>(select.Number(5));
        averages.makeAgainNo = static_cast<int>(select.Number(6));
    }
    return averages;
}

void SqliteServiceStore::CountReferrer(const std::string& referrer) {
    std::lock_guard lock(mutex_);
    Statement upsert(db_,
                     "INSERT INTO referrers (name, visits) VALUES (?, 1)"
                     " ON CONFLICT (name) DO UPDATE SET visits = visits + 1");
    upsert.Bind(referrer).Step();
}

long SqliteServiceStore::ReferrerVisits(const std::string& referrer) {
    std::lock_guard lock(mutex_);
    Statement select(db_, "SELECT visits FROM referrers WHERE name = ?");
    select.Bind(referrer);
    return select.Step() ? select.Number(0) : 0;
}

}  // namespace pantrio
