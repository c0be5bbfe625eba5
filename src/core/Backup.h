// The backup of the user's data: the Data folder (support database, templates,
// saved lists) and the Rbox folder (the recipe boxes with their pictures) are
// copied into one backup folder, replacing older copies there.
#pragma once

#include <string>

#include "core/DataFolders.h"
#include "core/FolderCopy.h"

namespace pantrio {

struct BackupOutcome {
    std::string folder;  // the backup folder
    CopyReport data;     // the copy of the Data folder to <folder>/Data
    CopyReport rbox;     // the copy of the Rbox folder to <folder>/Rbox
};

// Creates `backupFolder` and copies both folders into it. Both copies are
// tried even when the first fails.
BackupOutcome BackUpData(const DataFolders& folders, const std::string& backupFolder);

}  // namespace pantrio
