#include "core/FolderCopy.h"

#include <filesystem>
#include <system_error>

namespace pantrio {

namespace fs = std::filesystem;

namespace {

void Problem(CopyReport& report, const fs::path& path, const std::error_code& ec) {
    report.problems.push_back(path.string() + ": " + ec.message());
}

void CopyInto(const fs::path& from, const fs::path& to, CopyReport& report) {
    std::error_code ec;
    fs::create_directories(to, ec);
    if (ec) {
        Problem(report, to, ec);
        return;
    }
    fs::directory_iterator it(from, ec);
    if (ec) {
        Problem(report, from, ec);
        return;
    }
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        const fs::path source = it->path();
        const fs::path target = to / source.filename();
        const fs::file_status status = it->symlink_status(ec);
        if (ec) {
            Problem(report, source, ec);
            ec.clear();
            continue;
        }
        if (fs::is_symlink(status)) {
            fs::remove(target, ec);
            ec.clear();
            fs::copy_symlink(source, target, ec);
        } else if (fs::is_directory(status)) {
            CopyInto(source, target, report);
        } else if (fs::is_regular_file(status)) {
            fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
        }
        if (ec) {
            Problem(report, source, ec);
            ec.clear();
        }
    }
    if (ec) Problem(report, from, ec);
}

}  // namespace

CopyReport CopyFolder(const std::string& from, const std::string& to) {
    CopyReport report;
    std::error_code ec;
    if (!fs::is_directory(from, ec)) {
        report.problems.push_back(from + ": not a folder");
        return report;
    }
    CopyInto(from, to, report);
    return report;
}

}  // namespace pantrio
