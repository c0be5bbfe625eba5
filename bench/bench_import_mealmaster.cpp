// MealMaster import speed and memory: generates collections of 10,000 and
// 100,000 recipes with gen_mealmaster (beside this program), imports each
// into a fresh copy of the template box, and prints recipes per second and
// the peak resident memory of the process (getrusage ru_maxrss), so linear
// time and flat memory can be checked.
//
//   bench_import_mealmaster [--count N]... [--file path.mmf]... [--template path/to/template.crb]
//
// --file imports a collection written before (so the generator's time is
// not counted), as scripts/bench.sh --import does for repeated runs.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "BenchHelp.h"
#include "formats/ImportProgress.h"
#include "formats/MealMasterImport.h"
#include "storage/RecipeDB.h"
#include "storage/SearchIndexes.h"

namespace fs = std::filesystem;
using namespace pantrio;

namespace {

// A progress window that shows nothing and keeps no messages in memory.
class SilentProgress : public ImportProgress {
public:
    class CountingSink : public RowSink {
    public:
        void AddRow(ListRow) override { ++rows; }
        void ClearRows() override { rows = 0; }
        long rows = 0;
    };
    void SetStatus(const std::string&) override {}
    void SetPosition(int) override {}
    RowSink& Messages() override { return sink; }
    CountingSink sink;
};

double Seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
}

long PeakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    if (pantrio::bench::AnswerHelp(argc, argv,
                                   "usage: bench_import_mealmaster [--count N]... [--file "
                                   "FILE.mmf]... [--template BOX.crb]\n"
                                   "Imports generated MealMaster collections (10,000 and 100,000 "
                                   "recipes unless --count or\n"
                                   "--file is given) into fresh copies of the template box and "
                                   "prints recipes per second,\n"
                                   "processor time, peak memory and the time of bringing the "
                                   "ingredient index up to date.\n"))
        return 0;
    const fs::path self = fs::canonical("/proc/self/exe");
    fs::path templateBox =
        self.parent_path().parent_path() / "share/pantrio/Data/cookbook_template_do_not_delete.crb";
    std::vector<long> counts;
    std::vector<fs::path> files;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        if (flag == "--count") counts.push_back(std::atol(argv[i + 1]));
        if (flag == "--file") files.emplace_back(argv[i + 1]);
        if (flag == "--template") templateBox = argv[i + 1];
    }
    if (counts.empty() && files.empty()) counts = {10000, 100000};
    if (!fs::exists(templateBox)) {
        std::fprintf(stderr, "template box not found: %s\n", templateBox.c_str());
        return 1;
    }
    const fs::path work = fs::temp_directory_path() / ("pantrio-bench-" + std::to_string(getpid()));
    fs::create_directories(work);

    int status = 0;
    std::vector<std::pair<fs::path, long>> inputs;  // a file and the recipes it must give, or -1
    for (const fs::path& file : files) inputs.emplace_back(file, -1);
    for (long count : counts)
        inputs.emplace_back(work / ("gen" + std::to_string(count) + ".mmf"), count);
    for (const auto& [input, count] : inputs) {
        if (count >= 0) {
            const std::string command = (self.parent_path() / "gen_mealmaster").string() + " " +
                                        std::to_string(count) + " " + input.string();
            if (std::system(command.c_str()) != 0) {
                std::fprintf(stderr, "generator failed: %s\n", command.c_str());
                status = 1;
                break;
            }
        }
        const fs::path box = work / (input.stem().string() + ".crb");
        fs::copy_file(templateBox, box, fs::copy_options::overwrite_existing);
        RecipeDB db;
        if (!db.Open(box.string())) {
            std::fprintf(stderr, "cannot open %s: %s\n", box.c_str(), db.ErrorReport().c_str());
            status = 1;
            break;
        }
        SilentProgress window;
        rusage before{};
        getrusage(RUSAGE_SELF, &before);
        const auto start = std::chrono::steady_clock::now();
        const ImportSummary summary = ImportMealMaster(input.string(), db, window);
        const auto imported = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(imported - start).count();
        // The program brings the ingredient index up to date right after an
        // import; that belongs to the import's cost too.
        IndexPendingIngredientNames(db);
        const double indexing =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - imported).count();
        rusage after{};
        getrusage(RUSAGE_SELF, &after);
        const double user = Seconds(after.ru_utime) - Seconds(before.ru_utime);
        const double sys = Seconds(after.ru_stime) - Seconds(before.ru_stime);
        std::printf(
            "%7ld recipes (%6.1f MB file): %6.2f s, %8.0f recipes/s, user %.2f s, sys %.2f s, "
            "stored %ld, messages %ld, peak memory %.1f MB, then index %.2f s\n",
            summary.stored, fs::file_size(input) / 1e6, seconds, summary.stored / seconds, user,
            sys, summary.stored, window.sink.rows, PeakKiB() / 1024.0, indexing);
        std::fflush(stdout);
        if (count >= 0 && summary.stored != count) status = 1;
        db.Disconnect();
        fs::remove(box);
    }
    fs::remove_all(work);
    return status;
}
