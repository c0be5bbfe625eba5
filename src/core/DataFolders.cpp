#include "core/DataFolders.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "core/FolderCopy.h"
#include "core/UserFolders.h"

namespace pantrio {

namespace fs = std::filesystem;

namespace {

std::string Join(const std::string& folder, const char* name) {
    return (fs::path(folder) / name).string();
}

}  // namespace

DataFolders::DataFolders(std::string root) : root_(std::move(root)) {}

std::string DataFolders::Data() const {
    return Join(root_, "Data");
}
std::string DataFolders::Htm() const {
    return Join(Data(), "HTM");
}
std::string DataFolders::HtmImages() const {
    return Join(Htm(), "Images");
}
std::string DataFolders::ShoppingLists() const {
    return Join(Data(), "shoppinglists");
}
std::string DataFolders::Rbox() const {
    return Join(root_, "Rbox");
}
std::string DataFolders::Themes() const {
    return Join(root_, "themes");
}
std::string DataFolders::Publish() const {
    return Join(root_, "Publish");
}
std::string DataFolders::PublishImages() const {
    return Join(Publish(), "Images");
}
std::string DataFolders::SupportDatabase() const {
    return Join(Data(), "support.csy");
}
std::string DataFolders::SystemDatabase() const {
    return Join(Data(), "system.mdw");
}
std::string DataFolders::BoxTemplate() const {
    return Join(Data(), "cookbook_template_do_not_delete.crb");
}
std::string DataFolders::StandardBox() const {
    return Join(Rbox(), "standard.crb");
}

std::string DataFolders::PicturesFolderOf(const std::string& boxPath) {
    return (fs::path(boxPath).parent_path() / "Pictures").string();
}

std::string DataFolders::DefaultRoot() {
    return Join(DataHome(), "Pantrio");
}

std::string DataFolders::InstalledDataFolder() {
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (ec || program.empty()) return {};
    return (program.parent_path().parent_path() / "share" / "pantrio").lexically_normal().string();
}

std::string DataFolders::BackupFolder() {
    return Join(HomeFolder(), "backup_pantrio");
}

bool DataFolders::CreateRootIfMissing(const std::string& root, const std::string& installed,
                                      std::string& error) {
    std::error_code ec;
    if (fs::exists(root, ec)) {
        if (!fs::is_directory(root, ec)) {
            error = "The data folder " + root + " exists but is not a folder.";
            return false;
        }
        // An empty folder (made by `mktemp -d`, say) is filled like a missing
        // one; the finished copy is renamed onto it, which POSIX allows for an
        // empty folder.
        if (!fs::is_empty(root, ec) || ec) return true;
    }
    if (installed.empty() || !fs::is_directory(installed, ec)) {
        error = "The installed data folder " + (installed.empty() ? "(unknown)" : installed) +
                " was not found, so the data folder " + root + " could not be created.";
        return false;
    }
    const fs::path target = fs::path(root).lexically_normal();
    const fs::path parent = target.parent_path();
    fs::create_directories(parent, ec);
    if (ec) {
        error = "Could not create the folder " + parent.string() + ": " + ec.message();
        return false;
    }
    // Appended piece by piece: GCC 12 warns falsely about "." + std::string.
    std::string partialName(".");
    partialName += target.filename().string();
    partialName += ".partial-";
    partialName += std::to_string(getpid());
    const fs::path partial = parent / partialName;
    fs::remove_all(partial, ec);
    CopyReport report = CopyFolder(installed, partial.string());
    if (report.Ok()) {
        fs::rename(partial, target, ec);
        if (!ec) return true;
        report.problems.push_back(target.string() + ": " + ec.message());
    }
    fs::remove_all(partial, ec);
    error = "Could not create the data folder " + root + " from " + installed + ": " +
            report.problems.front();
    return false;
}

}  // namespace pantrio
