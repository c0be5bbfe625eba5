// Times the first batch of the results list (the row count and the first 100
// rows) on large recipe boxes: the "All" view, a title search, a keyword view
// and a Find Recipes query. Without arguments it generates boxes of 100,000
// and 250,000 recipes in the temporary folder (kept for later runs); with
// arguments it times the given boxes.
// Usage: bench_views [--schema recipebox.sql] [box.crb ...]
#include <sqlite3.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "BenchHelp.h"
#include "base/DateTime.h"
#include "base/Text.h"
#include "search/FindCriteria.h"
#include "search/ResultsModel.h"
#include "search/ViewQuery.h"
#include "storage/RecipeDB.h"
#include "storage/SearchIndexes.h"

using namespace pantrio;
namespace fs = std::filesystem;

namespace {

const char* const kWords[] = {"Chicken", "Beef",   "Apple",   "Lemon",     "Garlic", "Spicy",
                              "Creamy",  "Baked",  "Grilled", "Classic",   "Easy",   "Pork",
                              "Tomato",  "Potato", "Cheese",  "Chocolate", "Quick",  "Rustic"};
const char* const kDishes[] = {"Soup", "Stew",  "Pie",   "Salad", "Casserole", "Pasta",
                               "Cake", "Bread", "Tacos", "Curry", "Roast",     "Muffins"};
const char* const kKeywords[] = {"Main Dish",  "Side Dish",  "Desserts",       "Salads",
                                 "Appetizers", "Low Fat",    "Low Carb",       "Baked",
                                 "Summer",     "Vegetarian", "Quick and Easy", "Comfort Food",
                                 "@Favorite",  "@Try Soon!"};
const char* const kIngredients[] = {"chicken breast", "ground beef", "onion",    "garlic",
                                    "butter",         "flour",       "sugar",    "eggs",
                                    "milk",           "olive oil",   "tomatoes", "potatoes",
                                    "cheddar cheese", "rice",        "carrots"};
const char* const kCuisines[] = {"American", "Italian", "Mexican", "French", "Thai", "Indian"};

template <typename T, std::size_t N>
const char* Pick(T (&list)[N], std::mt19937& rng) {
    return list[std::uniform_int_distribution<std::size_t>(0, N - 1)(rng)];
}

bool Exec(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) == SQLITE_OK) return true;
    std::fprintf(stderr, "%s\n", error ? error : "?");
    sqlite3_free(error);
    return false;
}

// A box of `count` generated recipes with five ingredient lines each, in one
// transaction.
bool GenerateBox(const std::string& path, const std::string& schemaFile, int count) {
    std::ifstream in(schemaFile);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", schemaFile.c_str());
        return false;
    }
    std::stringstream schema;
    schema << in.rdbuf();
    fs::remove(path);
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) return false;
    bool ok = Exec(db, schema.str()) && Exec(db, "BEGIN");
    sqlite3_stmt* recipe = nullptr;
    sqlite3_stmt* line = nullptr;
    ok = ok &&
         sqlite3_prepare_v2(db,
                            "INSERT INTO Recipes(RecipeID, Title, Instructions, Color, Marked, "
                            "TasteRating, EffortRating, AllCategoriesText, Cuisine, "
                            "PrimaryIngredient, AllIngredientsText, LastViewed) "
                            "VALUES(?,?,?,?,?,?,?,?,?,?,?,?)",
                            -1, &recipe, nullptr) == SQLITE_OK &&
         sqlite3_prepare_v2(db,
                            "INSERT INTO IngredientLines(IngredientLinesID, RecipeID, LineOrder, "
                            "Name) VALUES(?,?,?,?)",
                            -1, &line, nullptr) == SQLITE_OK;
    std::mt19937 rng(42);
    const DateTime today = DateTime::Now();
    long lineID = 1;
    for (int id = 1; ok && id <= count; ++id) {
        const std::string title =
            std::string(Pick(kWords, rng)) + " " + Pick(kWords, rng) + " " + Pick(kDishes, rng);
        std::string keywords;
        for (int k = std::uniform_int_distribution<int>(1, 3)(rng); k > 0; --k)
            keywords += std::string("|") + Pick(kKeywords, rng);
        std::string ingredients;
        std::vector<std::string> names;
        for (int l = 0; l < 5; ++l) {
            names.push_back(Pick(kIngredients, rng));
            ingredients += names.back() + ", ";
        }
        const std::string instructions =
            "Preheat the oven. Combine the " + names[0] + " and the " + names[1] +
            " in a large bowl, season well and stir until smooth. Bake until golden, about "
            "forty minutes, then let it rest before serving with the " +
            names[2] + ".";
        const std::string viewed =
            MidnightOf(today, -std::uniform_int_distribution<int>(0, 400)(rng)).IsoText();
        sqlite3_bind_int(recipe, 1, id);
        sqlite3_bind_text(recipe, 2, title.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(recipe, 3, instructions.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(recipe, 4, id % 3 == 0 ? 1 : 0);
        sqlite3_bind_int(recipe, 5, id % 50 == 0 ? 1 : 0);
        sqlite3_bind_double(recipe, 6, id % 6);
        sqlite3_bind_double(recipe, 7, (id / 6) % 6);
        sqlite3_bind_text(recipe, 8, keywords.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(recipe, 9, Pick(kCuisines, rng), -1, SQLITE_STATIC);
        sqlite3_bind_text(recipe, 10, names[0].c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(recipe, 11, ingredients.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(recipe, 12, viewed.c_str(), -1, SQLITE_TRANSIENT);
        ok = sqlite3_step(recipe) == SQLITE_DONE;
        sqlite3_reset(recipe);
        for (int l = 0; ok && l < 5; ++l) {
            sqlite3_bind_int64(line, 1, lineID++);
            sqlite3_bind_int(line, 2, id);
            sqlite3_bind_int(line, 3, l + 1);
            sqlite3_bind_text(line, 4, names[static_cast<std::size_t>(l)].c_str(), -1,
                              SQLITE_TRANSIENT);
            ok = sqlite3_step(line) == SQLITE_DONE;
            sqlite3_reset(line);
        }
    }
    sqlite3_finalize(recipe);
    sqlite3_finalize(line);
    // No ANALYZE: boxes made by the program carry no planner statistics.
    ok = ok && Exec(db, "COMMIT");
    sqlite3_close(db);
    return ok;
}

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Processor time of this process (user and system), in milliseconds: on a
// busy machine it varies far less than the time on the clock.
double ProcessorMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The median time of a fill (count and first batch) over five runs, on the
// clock and in processor time.
void TimeFill(RecipeDB& box, const char* name, const std::string& statement) {
    ResultsModel model(box);
    std::vector<double> times, processor;
    for (int run = 0; run < 5; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ProcessorMilliseconds();
        if (model.Fill(statement) != 0) {
            std::printf("  %-28s failed: %s\n", name, box.ErrorReport().c_str());
            return;
        }
        times.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
        processor.push_back(ProcessorMilliseconds() - cpuStart);
    }
    std::sort(times.begin(), times.end());
    std::sort(processor.begin(), processor.end());
    std::printf("  %-28s %8.1f ms  %8.1f ms processor  (%ld rows, %ld read)\n", name, times[2],
                processor[2], model.TotalRows(), model.RowsRead());
}

void TimeBox(const std::string& path) {
    RecipeDB box;
    if (!box.Open(path)) {
        std::fprintf(stderr, "%s", box.ErrorReport().c_str());
        return;
    }
    std::printf("%s: %ld recipes\n", path.c_str(), box.CountRecipes());
    // A box made without the ingredient index gains it here, as on its first
    // opening by the program.
    const auto indexStart = std::chrono::steady_clock::now();
    if (EnsureSearchIndexes(box) == SearchIndexUpgrade::Built)
        std::printf("  ingredient index built in %.1f s\n",
                    Milliseconds(std::chrono::steady_clock::now() - indexStart) / 1000);
    const IngredientLookup lookup = IngredientLookupOf(box);
    const DateTime now = DateTime::Now();
    TimeFill(box, "All view", ViewQuery("&All", "All", now));
    FindCriteria title;
    title.titleText = "Chicken";
    TimeFill(box, "title search (begins with)", FindRecipesQuery(title));
    title.titleBeginsWith = false;
    title.titleText = "Lemon";
    TimeFill(box, "title search (contains)", FindRecipesQuery(title));
    TimeFill(box, "keyword view @Favorite", ViewQuery("&All", "@Favorite", now));
    TimeFill(box, "keyword view, last 7 days", ViewQuery("Last &7", "Main Dish", now));
    FindCriteria find;
    find.keywords[0] = "Main Dish";
    find.ingredients[0] = "chicken";
    find.minimumTaste = 3;
    TimeFill(box, "Find Recipes query", FindRecipesQuery(find, lookup));
    FindCriteria ingredient;
    ingredient.ingredients[0] = "chicken";
    TimeFill(box, "ingredient search (chicken)", FindRecipesQuery(ingredient, lookup));
    ingredient.ingredients[0] = "cheddar";
    ingredient.ingredients[1] = "rice";
    TimeFill(box, "two ingredients", FindRecipesQuery(ingredient, lookup));
}

}  // namespace

int main(int argc, char** argv) {
    if (pantrio::bench::AnswerHelp(
            argc, argv,
            "usage: bench_views [--schema recipebox.sql] [BOX.crb ...]\n"
            "Times the results list's first batch (count and first 100 rows) for views and "
            "searches\n"
            "of the given boxes, or of generated boxes of 100,000 and 250,000 recipes kept in the\n"
            "temporary folder.\n"))
        return 0;
    std::string schema =
        (fs::path(__FILE__).parent_path() / ".." / "data" / "schema" / "recipebox.sql").string();
    std::vector<std::string> boxes;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--schema" && i + 1 < argc)
            schema = argv[++i];
        else
            boxes.push_back(arg);
    }
    if (boxes.empty()) {
        for (int count : {100000, 250000}) {
            const std::string path =
                (fs::temp_directory_path() / Format("pantrio_bench_views_%d.crb", count)).string();
            if (!fs::exists(path)) {
                std::printf("generating %s ...\n", path.c_str());
                const auto start = std::chrono::steady_clock::now();
                if (!GenerateBox(path, schema, count)) return 1;
                std::printf("  %.1f s\n",
                            Milliseconds(std::chrono::steady_clock::now() - start) / 1000);
            }
            boxes.push_back(path);
        }
    }
    for (const std::string& path : boxes) TimeBox(path);
    return 0;
}
