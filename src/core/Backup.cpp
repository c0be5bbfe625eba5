#include "core/Backup.h"

#include <filesystem>
#include <system_error>

namespace pantrio {

namespace fs = std::filesystem;

BackupOutcome BackUpData(const DataFolders& folders, const std::string& backupFolder) {
    BackupOutcome outcome;
    outcome.folder = backupFolder;
    std::error_code ec;
    fs::create_directories(backupFolder, ec);  // a failure shows in the copies below
    outcome.data = CopyFolder(folders.Data(), (fs::path(backupFolder) / "Data").string());
    outcome.rbox = CopyFolder(folders.Rbox(), (fs::path(backupFolder) / "Rbox").string());
    return outcome;
}

}  // namespace pantrio
