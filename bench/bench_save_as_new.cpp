// Measures how fast recipes are stored with SaveAsNew: copies the shipped
// template box to a temporary folder, saves N generated recipes of ten lines
// each inside one transaction (as a bulk import does) and prints recipes per
// second, with the elapsed time at every 10,000 recipes so that linear growth
// can be checked (bench_save_as_new --count 100000).
//
// Usage: bench_save_as_new [--count N] [--template PATH] [--keep]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>

#include "BenchHelp.h"
#include "recipe/Recipe.h"
#include "storage/RecipeDB.h"

namespace fs = std::filesystem;
using pantrio::Recipe;
using pantrio::RecipeDB;

namespace {

// <program folder>/../share/pantrio, where the build puts the shipped data.
fs::path DefaultTemplate() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return exe.parent_path().parent_path() / "share" / "pantrio" / "Data" /
           "cookbook_template_do_not_delete.crb";
}

// A recipe that differs from every other by its title and instructions.
void MakeRecipe(Recipe& r, int n) {
    r.Clear();
    r.Title = "Benchmark Recipe " + std::to_string(n);
    r.Instructions = "Step " + std::to_string(n) +
                     ": combine the dry ingredients, then fold in the wet ones. "
                     "Bake at 350 degrees until golden, about 25 minutes.";
    r.YieldText = "4 Servings";
    r.YieldNumber = 4;
    r.YieldUnit = "Servings";
    r.Cuisine = "American";
    r.PrimaryIngredient = "Flour";
    r.TasteRating = n % 5;
    r.AddCategoryName("Baking");
    r.AddCategoryName("Mom's favorites");
    static const char* const kNames[] = {"flour",      "sugar",  "butter",        "eggs",
                                         "milk",       "salt",   "baking powder", "vanilla",
                                         "lemon zest", "walnuts"};
    static const char* const kUnits[] = {"c", "T", "t", "oz", "lb", "g", "ml", "", "pinch", "c"};
    for (int i = 0; i < 10; ++i)
        r.AddLine(i == 0, "", kUnits[i], kNames[i], i % 3 ? "chopped" : "", 0.25 * (i + 1));
}

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (pantrio::bench::AnswerHelp(
            argc, argv,
            "usage: bench_save_as_new [--count N] [--template PATH] [--keep]\n"
            "Stores N generated recipes (10000) in one transaction and prints recipes per "
            "second.\n"))
        return 0;
    long count = 10000;
    fs::path templatePath = DefaultTemplate();
    bool keep = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--count") && i + 1 < argc) {
            count = std::strtol(argv[++i], nullptr, 10);
        } else if (!std::strcmp(argv[i], "--template") && i + 1 < argc) {
            templatePath = argv[++i];
        } else if (!std::strcmp(argv[i], "--keep")) {
            keep = true;
        } else {
            std::fprintf(stderr, "usage: %s [--count N] [--template PATH] [--keep]\n", argv[0]);
            return 2;
        }
    }
    if (count < 1) {
        std::fprintf(stderr, "--count must be at least 1\n");
        return 2;
    }

    const char* tmp = std::getenv("TMPDIR");
    std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/pantrio-bench-XXXXXX";
    if (!mkdtemp(folder.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    const fs::path box = fs::path(folder) / "bench.crb";
    std::error_code ec;
    fs::copy_file(templatePath, box, ec);
    if (ec) {
        std::fprintf(stderr, "cannot copy the template box %s: %s\n", templatePath.c_str(),
                     ec.message().c_str());
        fs::remove_all(folder, ec);
        return 1;
    }

    int result = 0;
    {
        RecipeDB db;
        db.SystemDatabasePath = (fs::path(folder) / "system.mdw").string();
        if (!db.Open(box.string())) {
            std::fprintf(stderr, "cannot open %s:\n%s\n", box.c_str(), db.ErrorReport().c_str());
            fs::remove_all(folder, ec);
            return 1;
        }

        const std::clock_t cpuStart = std::clock();
        const auto start = std::chrono::steady_clock::now();
        auto lap = start;
        long stored = 0;
        db.BeginTransaction();
        Recipe recipe;
        for (long n = 1; n <= count; ++n) {
            MakeRecipe(recipe, static_cast<int>(n));
            if (db.SaveAsNew(recipe) == 0) ++stored;
            if (n % 10000 == 0 && count > 10000) {
                const auto now = std::chrono::steady_clock::now();
                std::printf("%7ld recipes: %7.3f s total, last 10,000 in %6.3f s\n", n,
                            Seconds(now - start), Seconds(now - lap));
                lap = now;
            }
        }
        if (!db.CommitTransaction()) {
            std::fprintf(stderr, "commit failed:\n%s\n", db.ErrorReport().c_str());
            result = 1;
        }
        const double elapsed = Seconds(std::chrono::steady_clock::now() - start);
        // Processor time too: on a busy machine the wall clock also counts
        // the time other programs had the processor.
        const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        std::printf(
            "stored %ld of %ld recipes (10 lines each) in %.3f s: %.0f recipes/s "
            "(processor time %.3f s: %.0f recipes/s)\n",
            stored, count, elapsed, static_cast<double>(count) / elapsed, cpu,
            static_cast<double>(count) / cpu);
        if (stored != count) result = 1;
    }
    if (keep)
        std::printf("box kept at %s\n", box.c_str());
    else
        fs::remove_all(folder, ec);
    return result;
}
