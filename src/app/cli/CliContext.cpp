#include "app/cli/CliContext.h"

#include <ostream>

namespace pantrio::cli {

CliContext::CliContext(CliOptions options, std::ostream& out, std::ostream& err)
    : options_(std::move(options)),
      out_(out),
      err_(err),
      store_(IniSettingsStore::DefaultPath()),
      prompter_(err, options_.yes) {
    MainDialogEnvironment environment;
    environment.settingsStore = &store_;
    environment.prompter = &prompter_;
    environment.dataRoot = options_.dataRoot;
    dialog_ = std::make_unique<MainDialog>(std::move(environment));
}

bool CliContext::LoadSettings() {
    if (!store_.Load())
        err_ << "The settings file " << store_.Path()
             << " could not be read; the default settings are used and it is left as it is.\n";
    return dialog_->LoadSettings(false);
}

bool CliContext::OpenBox() {
    return dialog_->Boxes().OpenBox(BoxToOpen());
}

std::string CliContext::BoxToOpen() {
    return options_.box.empty() ? dialog_->Boxes().CookbookPath() : options_.box;
}

bool CliContext::OpenSupport() {
    return dialog_->OpenSupportDatabase();
}

}  // namespace pantrio::cli
