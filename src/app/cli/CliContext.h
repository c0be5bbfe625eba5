// What every command of pantrio-cli works with: the options, the settings
// file, the prompter on standard error and the main window's logic, which
// the commands drive as the desktop program does.
#pragma once

#include <iosfwd>
#include <memory>

#include "app/cli/CliOptions.h"
#include "app/cli/CliPrompter.h"
#include "core/IniSettingsStore.h"
#include "core/MainDialog.h"

namespace pantrio::cli {

class CliContext {
public:
    CliContext(CliOptions options, std::ostream& out, std::ostream& err);

    // Loads the settings (a command-line run does not count as a start of
    // the program) and creates a missing data root from the shipped data.
    bool LoadSettings();
    // Opens --box, else the settings' CookbookPath.
    bool OpenBox();
    // The box OpenBox opens: --box, else the settings' CookbookPath.
    std::string BoxToOpen();
    bool OpenSupport();

    const CliOptions& options() const { return options_; }
    MainDialog& dialog() { return *dialog_; }
    std::ostream& out() { return out_; }
    std::ostream& err() { return err_; }

private:
    CliOptions options_;
    std::ostream& out_;
    std::ostream& err_;
    IniSettingsStore store_;
    CliPrompter prompter_;
    std::unique_ptr<MainDialog> dialog_;
};

}  // namespace pantrio::cli
