#include "support/Corpus.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace pantrio::test {

std::string CorpusDir() {
    const char* chosen = std::getenv("PANTRIO_CORPUS_DIR");
    if (chosen != nullptr && *chosen != '\0') return chosen;
    return std::string(PANTRIO_SHARED_DIR) + "/corpus";
}

std::vector<std::string> CorpusFiles(const std::string& subfolder) {
    std::vector<std::string> files;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(CorpusDir() + "/" + subfolder, ec), end;
         !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!name.empty() && name[0] != '.' && it->is_regular_file(ec)) {
            files.push_back(it->path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string CorpusMissing(const std::string& subfolder) {
    return "no recipe files in " + CorpusDir() + "/" + subfolder +
           ": this test reads real files by other programs; set PANTRIO_CORPUS_DIR to a copy "
           "of the corpus to run it";
}

}  // namespace pantrio::test
