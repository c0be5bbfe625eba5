// Saves recipes through the access layer the way a recipe save does (an
// identifier query, the recipe row, ten ingredient lines with their
// identifier queries, a keyword update) in one transaction, and reports the
// rate. Usage: bench_statements [recipes] (default 10000).
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "BenchHelp.h"
#include "base/Text.h"
#include "storage/CADORecordset.h"
#include "storage/Store.h"

using namespace pantrio;

namespace {

bool CreateBox(const std::string& path) {
    const char* schema =
        "CREATE TABLE Recipes (RecipeID INTEGER NOT NULL PRIMARY KEY, Title TEXT COLLATE NOCASE, "
        "Instructions TEXT COLLATE NOCASE, YieldText TEXT COLLATE NOCASE, YieldNumber REAL, "
        "AllCategoriesText TEXT COLLATE NOCASE, LastViewed TEXT, ScaleMultiple REAL);"
        "CREATE INDEX RecipesTitle ON Recipes (Title);"
        "CREATE TABLE IngredientLines (IngredientLinesID INTEGER NOT NULL PRIMARY KEY, RecipeID "
        "INTEGER, LineOrder INTEGER, bHeading INTEGER, TextQty TEXT COLLATE NOCASE, DblQty REAL, "
        "Measure TEXT COLLATE NOCASE, Name TEXT COLLATE NOCASE, PrepNotes TEXT COLLATE NOCASE);"
        "CREATE INDEX IngredientLinesRecipeID ON IngredientLines (RecipeID);";
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(path.c_str(), &db) == SQLITE_OK &&
              sqlite3_exec(db, schema, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (pantrio::bench::AnswerHelp(
            argc, argv,
            "usage: bench_statements [RECIPES]\n"
            "Saves RECIPES recipes (10000) statement by statement and prints the rate.\n"))
        return 0;
    const int recipes = argc > 1 ? std::atoi(argv[1]) : 10000;
    const std::string path =
        (std::filesystem::temp_directory_path() / "pantrio_bench_statements.crb").string();
    std::filesystem::remove(path);
    if (!CreateBox(path)) return 1;
    Store box;
    if (!box.Connect("Data Source=" + path)) {
        std::fprintf(stderr, "%s", box.ErrorReport().c_str());
        return 1;
    }
    long statements = 0;
    const std::clock_t cpuStart = std::clock();
    const auto start = std::chrono::steady_clock::now();
    {
        Transaction transaction(box);
        for (int r = 0; r < recipes; ++r) {
            const long id = box.MaxOf("Recipes", "RecipeID") + 1;
            box.QueryNumber(
                Format("Select Count(RecipeID) from Recipes where Title = 'Recipe "
                       "%d' and Instructions LIKE 'Mix%%'",
                       r));
            box.RunSQL(
                Format("INSERT INTO RECIPES(RecipeID, Title, Instructions, YieldText, "
                       "YieldNumber, AllCategoriesText, LastViewed, ScaleMultiple) "
                       "VALUES(%ld,'Recipe %d', 'Mix it''s all %d', '4 servings', %.1f, "
                       "'', #2024-03-05 18:30:00#, %.4f)",
                       id, r, r, 4.0, 1.0));
            box.RunSQL(Format("Delete from IngredientLines where RecipeID = %ld", id));
            for (int line = 0; line < 10; ++line) {
                const long lineId = box.MaxOf("IngredientLines", "IngredientLinesID") + 1;
                box.RunSQL(
                    Format("INSERT INTO INGREDIENTLINES(IngredientLinesID, bHeading, "
                           "TextQty, Measure, Name, RecipeID, DblQty, PrepNotes, "
                           "LineOrder) VALUES(%ld, %s, '%s', '%s', '%s', %ld, %.9f, "
                           "'%s', %d)",
                           lineId, "false", "1 1/2", "cups", "flour", id, 1.5, "sifted", line));
            }
            box.RunSQL(Format("Update Recipes Set AllCategoriesText = '%s' where RecipeID=%ld",
                              "Dessert", id));
            statements += 25;
        }
        if (!transaction.Commit()) {
            std::fprintf(stderr, "%s", box.ErrorReport().c_str());
            return 1;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // Processor time too: on a busy machine the wall clock also counts the
    // time other programs had the processor.
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    std::printf(
        "%d recipes, %ld statements in %.3f s: %.0f recipes/s, %.0f statements/s "
        "(processor time %.3f s: %.0f recipes/s)\n",
        recipes, statements, seconds, recipes / seconds, statements / seconds, cpu, recipes / cpu);
    std::printf("rows: %ld recipes, %ld lines\n",
                box.QueryNumber("Select count(RecipeID) from recipes"),
                box.QueryNumber("Select count(IngredientLinesID) from IngredientLines"));
    box.Disconnect();
    std::filesystem::remove(path);
    return 0;
}
