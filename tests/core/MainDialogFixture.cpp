#include "core/MainDialogFixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace pantrio::test {

namespace fs = std::filesystem;

void MainDialogFixture::SetUp() {
    ASSERT_TRUE(temp.Ok()) << temp.Error();
    dataRoot = temp.PathOf("Pantrio");
    settingsPath = temp.PathOf("config/Hearthline/Pantrio.conf");
    fs::create_directories(fs::path(dataRoot) / "Data");
    fs::create_directories(fs::path(dataRoot) / "Rbox");
    ASSERT_TRUE(temp.CreateDatabase(dataRoot + "/Data/support.csy", "support.sql")) << temp.Error();
    ASSERT_TRUE(temp.CreateDatabase(dataRoot + "/Data/cookbook_template_do_not_delete.crb",
                                    "recipebox.sql"))
        << temp.Error();
    // The default box starts as a copy of the empty template, as in the shipped data.
    fs::copy_file(dataRoot + "/Data/cookbook_template_do_not_delete.crb",
                  dataRoot + "/Rbox/standard.crb");
}

void MainDialogFixture::WriteSettings(const std::vector<std::string>& lines) {
    fs::create_directories(fs::path(settingsPath).parent_path());
    std::ofstream out(settingsPath, std::ios::binary | std::ios::trunc);
    out << "[Pantrio]\n";
    for (const auto& line : lines) out << line << "\n";
}

std::unique_ptr<IniSettingsStore> MainDialogFixture::StoredSettings() const {
    auto stored = std::make_unique<IniSettingsStore>(settingsPath);
    stored->Load();
    return stored;
}

MainDialog& MainDialogFixture::MakeDialog() {
    dialog.reset();
    store = std::make_unique<IniSettingsStore>(settingsPath);
    store->Load();
    MainDialogEnvironment environment;
    environment.settingsStore = store.get();
    environment.prompter = &prompter;
    environment.view = &view;
    environment.sound = &sound;
    environment.browser = &browser;
    environment.externalBrowser = &externalBrowser;
    environment.progress = &progress;
    environment.clock = [this] { return today; };
    environment.dataRoot = dataRoot;
    environment.installedDataFolder = temp.PathOf("no-installed-data");
    dialog = std::make_unique<MainDialog>(std::move(environment));
    view.Attach(dialog->Results());
    return *dialog;
}

std::string MainDialogFixture::Value(const std::string& statement, bool support) {
    StatementRows result;
    std::string error;
    if (!dialog->Boxes().RunStatement(statement, support, result, error)) return "<failed>";
    if (result.rows.empty() || result.rows[0].empty()) return "";
    return result.rows[0][0];
}

long MainDialogFixture::Number(const std::string& statement, bool support) {
    return std::atol(Value(statement, support).c_str());
}

}  // namespace pantrio::test
