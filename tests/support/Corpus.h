// Where the tests find real recipe files written by other programs: the
// folder named by $PANTRIO_CORPUS_DIR, or else the shared corpus beside the
// source tree. The files are read in place, never copied into the project.
#pragma once

#include <string>
#include <vector>

namespace pantrio::test {

std::string CorpusDir();

// The files of one sub-folder of the corpus ("mealmaster"), hidden ones
// left out, in name order; empty when the folder is missing.
std::vector<std::string> CorpusFiles(const std::string& subfolder);

// Why a test that needs `subfolder` is skipped when it finds no files there.
std::string CorpusMissing(const std::string& subfolder);

}  // namespace pantrio::test
