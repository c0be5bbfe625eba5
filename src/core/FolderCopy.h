// Copies a folder with everything in it, replacing files that already exist
// at the target. It goes on past files it cannot read or write and reports
// each of them, so one bad file never stops a backup halfway without notice.
#pragma once

#include <string>
#include <vector>

namespace pantrio {

struct CopyReport {
    std::vector<std::string> problems;  // one line per file or folder that failed
    bool Ok() const { return problems.empty(); }
};

// Copies the folder `from` to `to` recursively (the target and missing
// sub-folders are created). Symbolic links are copied as links; other special
// files are skipped without complaint.
CopyReport CopyFolder(const std::string& from, const std::string& to);

}  // namespace pantrio
