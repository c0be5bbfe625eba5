// pantrio-make-databases: creates the databases the program ships with from
// the table schema, the seed files and the USDA abbreviated food file.
//
//   pantrio-make-databases --schema DIR --seed DIR --usda ABBREV.txt --out DIR
//
// Exit code 0 on success, 1 when a database could not be built (the message
// names the file and, for seed and food files, the line), 2 on a bad command
// line.
#include <cstdio>
#include <cstring>
#include <string>

#include "DatabaseBuilder.h"

namespace {

void PrintUsage() {
    std::fprintf(stderr,
                 "usage: pantrio-make-databases --schema DIR --seed DIR --usda ABBREV.txt "
                 "--out DIR\n");
}

}  // namespace

int main(int argc, char** argv) {
    pantrio::tools::BuildOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (i + 1 >= argc) {
            std::fprintf(stderr, "pantrio-make-databases: %s needs a value\n", flag.c_str());
            PrintUsage();
            return 2;
        }
        const char* value = argv[++i];
        if (flag == "--schema") {
            options.schemaDir = value;
        } else if (flag == "--seed") {
            options.seedDir = value;
        } else if (flag == "--usda") {
            options.usdaFile = value;
        } else if (flag == "--out") {
            options.outDir = value;
        } else {
            std::fprintf(stderr, "pantrio-make-databases: unknown option %s\n", flag.c_str());
            PrintUsage();
            return 2;
        }
    }
    if (options.schemaDir.empty() || options.seedDir.empty() || options.usdaFile.empty() ||
        options.outDir.empty()) {
        PrintUsage();
        return 2;
    }
    std::string summary, error;
    if (!pantrio::tools::BuildDatabases(options, summary, error)) {
        std::fprintf(stderr, "pantrio-make-databases: %s\n", error.c_str());
        return 1;
    }
    std::printf("pantrio-make-databases: %s\n", summary.c_str());
    return 0;
}
