#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/Text.h"
#include "core/AppSettings.h"
#include "core/IniSettingsStore.h"
#include "core/ShiftedText.h"
#include "support/TestDatabases.h"

namespace pantrio::test {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

class AppSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(temp.Ok()) << temp.Error(); }
    AppSettings LoadFrom(const std::string& text) {
        WriteFile(path, text);
        IniSettingsStore store(path);
        store.Load();
        AppSettings settings;
        settings.Load(store, "/data/Pantrio");
        return settings;
    }
    TempDataRoot temp{false};
    std::string path = temp.PathOf("cfg/Hearthline/Pantrio.conf");
};

TEST(ShiftedText, EveryByteButNulSurvivesTheShift) {
    std::string all;
    for (int c = 1; c < 256; ++c) all.push_back(static_cast<char>(c));
    const std::string shifted = ShiftText(all);
    EXPECT_NE(shifted, all);
    EXPECT_EQ(shifted.find('\0'), std::string::npos);
    EXPECT_EQ(UnshiftText(shifted), all);
    EXPECT_EQ(ShiftText("a"), std::string(1, static_cast<char>('a' + kTextShift)));
    // Codes that pass 255 wrap around to the low end.
    EXPECT_EQ(ShiftText("\xF0"), std::string(1, static_cast<char>(0xF0 + kTextShift - 255)));
}

TEST(IniSettingsStoreEscapes, ShiftedBytesAndEdgeBlanksRoundTrip) {
    std::string all;
    for (int c = 1; c < 256; ++c) all.push_back(static_cast<char>(c));
    for (const std::string& value :
         {all, std::string(" padded "), std::string("100%"), std::string("Crème brûlée")}) {
        const std::string escaped = IniSettingsStore::EscapeValue(value);
        EXPECT_TRUE(IsValidUtf8(escaped));
        EXPECT_EQ(escaped.find('\n'), std::string::npos);
        EXPECT_EQ(Trim(escaped), escaped);
        EXPECT_EQ(IniSettingsStore::UnescapeValue(escaped), value);
    }
    // Readable text stays readable.
    EXPECT_EQ(IniSettingsStore::EscapeValue("Crème brûlée"), "Crème brûlée");
    // Stray "%" in a hand-edited file stays as typed; "%00" never becomes NUL.
    EXPECT_EQ(IniSettingsStore::UnescapeValue("50%-off %4 %00"), "50%-off %4 %00");
}

TEST_F(AppSettingsTest, SaveAndLoadRoundTripIncludingShiftedMailSettings) {
    AppSettings saved;
    saved.MyPantrioRecipes = "/data/Pantrio";
    saved.CookbookPath = "/data/Pantrio/Rbox/family/family.crb";
    saved.PicturePath = "/home/cook/Pictures";
    saved.HTMLStyle = 5;
    saved.SMTPMailServer = "smtp.example.org";
    saved.EmailAddr = "cook@example.org";
    saved.UserName = "Zoë";
    saved.UserInfo = "secret~pw";
    saved.KeepPW = 1;
    saved.iColIngW6 = 77;
    saved.iColMPSnaScale = 55;
    saved.URL3 = "http://example.org/recipes?a=1&b=2";
    saved.iLastCheckedYear = 2024;
    saved.iLastCheckedMonth = 2;
    saved.iLastCheckedDay = 29;
    saved.ServiceURL = "http://recipes.example.org";
    {
        IniSettingsStore store(path);
        ASSERT_TRUE(store.Load());
        ASSERT_TRUE(saved.Save(store));
    }
    const std::string file = ReadFile(path);
    EXPECT_TRUE(IsValidUtf8(file));
    EXPECT_EQ(file.find("smtp.example.org"), std::string::npos) << "stored shifted";
    EXPECT_NE(file.find("[Pantrio]"), std::string::npos);
    for (const std::string& line : Split(file, '\n'))
        for (char c : line) EXPECT_GE(static_cast<unsigned char>(c), 0x20) << line;

    IniSettingsStore store(path);
    ASSERT_TRUE(store.Load());
    AppSettings loaded;
    loaded.Load(store, "/elsewhere");
    EXPECT_EQ(loaded.SMTPMailServer, "smtp.example.org");
    EXPECT_EQ(loaded.EmailAddr, "cook@example.org");
    EXPECT_EQ(loaded.UserName, "Zoë");
    EXPECT_EQ(loaded.UserInfo, "secret~pw");
    EXPECT_EQ(loaded.CookbookPath, saved.CookbookPath);
    EXPECT_EQ(loaded.PicturePath, saved.PicturePath);
    EXPECT_EQ(loaded.HTMLStyle, 5);
    EXPECT_EQ(loaded.iColIngW6, 77);
    EXPECT_EQ(loaded.iColMPSnaScale, 55);
    EXPECT_EQ(loaded.URL3, saved.URL3);
    EXPECT_EQ(loaded.ServiceURL, "http://recipes.example.org");
    EXPECT_EQ(loaded.ServiceName, "Pantrio Recipe Exchange");
    EXPECT_TRUE(loaded.LastCheckValid());
    EXPECT_EQ(loaded.iLastCheckedDay, 29);
    // Read-only and start-up values are not written by a save.
    EXPECT_EQ(loaded.MyPantrioRecipes, "/elsewhere");
    EXPECT_FALSE(store.ReadText("RC").has_value());
    EXPECT_FALSE(store.ReadText("SystemDatabasePath").has_value());
}

TEST_F(AppSettingsTest, PasswordIsSavedEmptyUnlessKept) {
    AppSettings saved;
    saved.UserInfo = "secret";
    saved.KeepPW = 0;
    IniSettingsStore store(path);
    ASSERT_TRUE(saved.Save(store));
    IniSettingsStore reread(path);
    reread.Load();
    AppSettings loaded;
    loaded.Load(reread, "/data");
    EXPECT_EQ(loaded.UserInfo, "");
}

TEST_F(AppSettingsTest, DefaultsForMissingZeroAndNegativeValues) {
    const AppSettings s = LoadFrom(
        "[Pantrio]\niColMPBrkName=0\niColMPBrkScale=-5\nFilterDlgX=0\niColMPLunName=120\n"
        "FilterDlgY=-3\n");
    EXPECT_EQ(s.iColMPBrkName, 150);
    EXPECT_EQ(s.iColMPBrkScale, 40);
    EXPECT_EQ(s.FilterDlgX, 200);
    EXPECT_EQ(s.iColMPLunName, 120);
    EXPECT_EQ(s.FilterDlgY, -3) << "only 0 takes the default for the find dialog position";
    EXPECT_EQ(s.iColMPDinName, 150) << "missing";
    EXPECT_EQ(s.iColMPSnaScale, 40) << "missing";
    EXPECT_EQ(s.HTMLStyle, 0);
    EXPECT_EQ(s.MyPantrioRecipes, "/data/Pantrio");
    EXPECT_EQ(s.CookbookPath, "");
}

TEST_F(AppSettingsTest, PathDefaultsHangOffTheDataRoot) {
    AppSettings s = LoadFrom("[Pantrio]\n");
    EXPECT_TRUE(s.ApplyPathDefaults());
    EXPECT_EQ(s.CookbookPath, "/data/Pantrio/Rbox/standard.crb");
    EXPECT_EQ(s.SystemDatabasePath, "/data/Pantrio/Data/system.mdw");
    EXPECT_FALSE(s.ApplyPathDefaults());
}

TEST_F(AppSettingsTest, CorruptFileReadsAsDefaults) {
    using namespace std::string_literals;
    std::string junk =
        "\x7F"
        "ELF\x01\x02\x00garbage\n[Pantrio\nRC=abc\n[Pantrio]\n=5\n"s;
    junk += "HTMLStyle=99999999999999\nFilterDlgX=12x\nStartupSound=\n";
    junk += "SMTPMailServer=\xFF\xFE\n";
    junk += "iColIngW2 = 33 \nno equals sign here\n";
    junk += "KeepPW=1\x00\n"s;
    const AppSettings s = LoadFrom(junk);
    EXPECT_EQ(s.RC, 0);
    EXPECT_EQ(s.HTMLStyle, 0);
    EXPECT_EQ(s.FilterDlgX, 200);
    EXPECT_EQ(s.StartupSound, 0);
    EXPECT_EQ(s.SMTPMailServer, "") << "a line that is not UTF-8 was not written by us";
    EXPECT_EQ(s.KeepPW, 0) << "the line with a NUL byte is skipped";
    EXPECT_EQ(s.iColIngW2, 33) << "good lines among bad ones still count";
}

TEST_F(AppSettingsTest, UnreadableFileIsNeverReplaced) {
    fs::create_directories(path);  // a folder where the file should be
    IniSettingsStore store(path);
    EXPECT_FALSE(store.Load());
    AppSettings s;
    s.Load(store, "/data");
    EXPECT_EQ(s.iColMPBrkName, 150);
    EXPECT_FALSE(s.Save(store));
    EXPECT_TRUE(fs::is_directory(path));
}

TEST_F(AppSettingsTest, FlushReplacesTheFileWholeAndKeepsOtherSections) {
    WriteFile(path, "[Other]\nKeep=me\n[Pantrio]\nHTMLStyle=3\n");
    IniSettingsStore store(path);
    ASSERT_TRUE(store.Load());
    store.WriteNumber("HTMLStyle", 4);
    ASSERT_TRUE(store.Flush());
    const std::string file = ReadFile(path);
    EXPECT_NE(file.find("Keep=me"), std::string::npos);
    EXPECT_NE(file.find("HTMLStyle=4"), std::string::npos);
    EXPECT_EQ(file.find("HTMLStyle=3"), std::string::npos);
    int entries = 0;
    for (const auto& e : fs::directory_iterator(fs::path(path).parent_path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1) << "no temporary file is left behind";
}

}  // namespace
}  // namespace pantrio::test
