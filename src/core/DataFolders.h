// The folders and files under the data root, each with exactly one spelling
// (Linux file names are case-sensitive), and the installed data folder from
// which a missing data root is created on the first start.
#pragma once

#include <string>

namespace pantrio {

class DataFolders {
public:
    explicit DataFolders(std::string root);

    const std::string& Root() const { return root_; }
    std::string Data() const;             // root/Data
    std::string Htm() const;              // root/Data/HTM
    std::string HtmImages() const;        // root/Data/HTM/Images
    std::string ShoppingLists() const;    // root/Data/shoppinglists
    std::string Rbox() const;             // root/Rbox
    std::string Themes() const;           // root/themes
    std::string Publish() const;          // root/Publish
    std::string PublishImages() const;    // root/Publish/Images
    std::string SupportDatabase() const;  // root/Data/support.csy
    std::string SystemDatabase() const;   // root/Data/system.mdw
    std::string BoxTemplate() const;      // root/Data/cookbook_template_do_not_delete.crb
    std::string StandardBox() const;      // root/Rbox/standard.crb

    // The Pictures folder beside a box file.
    static std::string PicturesFolderOf(const std::string& boxPath);
    // $XDG_DATA_HOME/Pantrio, else ~/.local/share/Pantrio.
    static std::string DefaultRoot();
    // <folder of the running program>/../share/pantrio: the same in the build
    // tree and in an installed prefix. Empty when the program's own path is
    // unknown.
    static std::string InstalledDataFolder();
    // ~/backup_pantrio, the target of the backup.
    static std::string BackupFolder();

    // Creates the data root `root` as a copy of the installed data folder when
    // it does not exist yet; true when the root exists afterwards. The copy is
    // made under a temporary name and renamed into place, so a failed copy
    // leaves no half-made root behind. On failure `error` says why.
    static bool CreateRootIfMissing(const std::string& root, const std::string& installed,
                                    std::string& error);

private:
    std::string root_;
};

}  // namespace pantrio
