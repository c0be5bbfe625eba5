// A main window's logic on a temporary data root laid out as the shipped one
// (Data/support.csy, Data/cookbook_template_do_not_delete.crb,
// Rbox/standard.crb, created from the table schema), with its own settings
// file, a scripted prompter, a recording view, browser, progress window and
// sound, and a fixed "today".
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/IniSettingsStore.h"
#include "core/MainDialog.h"
#include "core/Sound.h"
#include "support/FakePrompter.h"
#include "support/RecordingView.h"
#include "support/TestDatabases.h"

namespace pantrio::test {

class RecordingSound : public Sound {
public:
    bool Play(const std::string& name) override {
        played.push_back(name);
        return known.count(name) > 0;
    }
    std::set<std::string> known;
    std::vector<std::string> played;
};

class MainDialogFixture : public ::testing::Test {
protected:
    void SetUp() override;

    // Writes the settings file with these "Name=value" lines under [Pantrio].
    void WriteSettings(const std::vector<std::string>& lines);
    // The settings as stored in the file now.
    std::unique_ptr<IniSettingsStore> StoredSettings() const;
    // A main window's logic reading the settings file as it is now.
    MainDialog& MakeDialog();
    // The first value of `statement` on the open box (or on the support
    // database), run as the command line's sql command runs it; "<failed>"
    // when it cannot be run, "" when it yields no row.
    std::string Value(const std::string& statement, bool support = false);
    long Number(const std::string& statement, bool support = false);
    // Whether the support database is open.
    bool SupportOpen() { return Value("Select 1", true) != "<failed>"; }

    TempDataRoot temp{false};
    std::string dataRoot;
    std::string settingsPath;
    DateTime today = DateTime::FromDate(2024, 3, 15);
    FakePrompter prompter;
    RecordingView view;
    FakeBrowser browser;
    FakeExternalBrowser externalBrowser;
    RecordingProgressWindow progress;
    RecordingSound sound;
    std::unique_ptr<IniSettingsStore> store;
    std::unique_ptr<MainDialog> dialog;
};

}  // namespace pantrio::test
