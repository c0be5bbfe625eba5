#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/MainDialogFixture.h"

namespace pantrio::test {
namespace {

namespace fs = std::filesystem;

// Points HOME at a folder of the test and restores it afterwards.
class BackupTest : public MainDialogFixture {
protected:
    void SetUp() override {
        MainDialogFixture::SetUp();
        if (const char* old = std::getenv("HOME")) oldHome = old;
        home = temp.PathOf("home");
        fs::create_directories(home);
        setenv("HOME", home.c_str(), 1);
        fs::create_directories(dataRoot + "/Rbox/family/Pictures");
        std::ofstream(dataRoot + "/Rbox/family/Pictures/pie.jpg") << "picture";
        MakeDialog().LoadSettings(false);
    }
    void TearDown() override {
        if (oldHome.empty())
            unsetenv("HOME");
        else
            setenv("HOME", oldHome.c_str(), 1);
    }
    std::string backup() const { return home + "/backup_pantrio"; }

    std::string home, oldHome;
};

const char* kDataFailed =
    "Could not backup of /Data directory.  Please make a backup manually of the /Data directory.";
const char* kRboxFailed =
    "Could not backup of /Rbox directory.  Please make a backup manually of the /Rbox directory.";

TEST_F(BackupTest, CopiesDataAndRboxAndNamesTheRealFolder) {
    fs::create_directories(backup() + "/Rbox");
    std::ofstream(backup() + "/Rbox/standard.crb") << "an older copy";
    EXPECT_TRUE(dialog->Boxes().Backup());
    EXPECT_EQ(prompter.Messages(),
              (std::vector<std::string>{
                  "Success!  Pantrio's files have been backed up to " + backup() +
                  ".  We strongly suggest you make occasional backup copies of your data to "
                  "removeable media, like a CD."}));
    EXPECT_TRUE(fs::is_regular_file(backup() + "/Data/support.csy"));
    EXPECT_TRUE(fs::is_regular_file(backup() + "/Rbox/family/Pictures/pie.jpg"));
    EXPECT_EQ(fs::file_size(backup() + "/Rbox/standard.crb"),
              fs::file_size(dataRoot + "/Rbox/standard.crb"))
        << "older copies are replaced";
}

TEST_F(BackupTest, FailedRboxCopyIsReportedAfterTheDataCopy) {
    fs::create_directories(backup());
    std::ofstream(backup() + "/Rbox") << "a file in the way";
    EXPECT_FALSE(dialog->Boxes().Backup());
    EXPECT_EQ(prompter.Messages(), (std::vector<std::string>{kRboxFailed}));
    EXPECT_TRUE(fs::is_regular_file(backup() + "/Data/support.csy"));
}

TEST_F(BackupTest, FailedDataCopyStillCopiesTheBoxes) {
    fs::create_directories(backup());
    std::ofstream(backup() + "/Data") << "a file in the way";
    EXPECT_FALSE(dialog->Boxes().Backup());
    EXPECT_EQ(prompter.Messages(), (std::vector<std::string>{kDataFailed}));
    EXPECT_TRUE(fs::is_regular_file(backup() + "/Rbox/standard.crb"));
}

TEST_F(BackupTest, UnwritableBackupFolderReportsBothCopies) {
    std::ofstream(backup()) << "a file where the folder should be";
    EXPECT_FALSE(dialog->Boxes().Backup());
    EXPECT_EQ(prompter.Messages(), (std::vector<std::string>{kDataFailed, kRboxFailed}));
}

TEST_F(BackupTest, CloseRunsTheBackupWhenTheUserAgrees) {
    WriteSettings({"RC=98", "iLastCheckedYear=2024", "iLastCheckedMonth=3", "iLastCheckedDay=15"});
    MakeDialog().LoadSettings(true);
    prompter.answers = {Answer::Yes};
    dialog->Close();
    EXPECT_TRUE(prompter.ShowedStartingWith("Success!"));
    EXPECT_TRUE(fs::is_regular_file(backup() + "/Rbox/standard.crb"));
}

}  // namespace
}  // namespace pantrio::test
