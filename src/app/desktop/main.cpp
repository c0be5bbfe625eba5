// The desktop program: parses the command line, runs the main window on the
// settings file of the user, and ends when the window closes. With
// "--screenshot FILE" it shows the first recipe of the box, writes a picture
// of the window to FILE and ends (for looking at the program without a
// desktop).
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "core/CommandLine.h"
#include "core/IniSettingsStore.h"
#include "ui/AppUrlScheme.h"
#include "ui/MainWindow.h"
#include "ui/QtPrompter.h"
#include "ui/Screenshot.h"

namespace {

// While a screenshot is taken nobody is there to answer: questions get their
// default answer (No, Cancel or OK), dialogs are cancelled, and every text
// goes to standard error instead of a message box that would wait forever.
class UnattendedPrompter : public pantrio::QtPrompter {
public:
    pantrio::Answer Message(const std::string& text, const std::string&, pantrio::Buttons buttons,
                            pantrio::MessageIcon) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        switch (buttons) {
            case pantrio::Buttons::OK:
                return pantrio::Answer::OK;
            case pantrio::Buttons::OKCancel:
                return pantrio::Answer::Cancel;
            default:
                return pantrio::Answer::No;
        }
    }
    std::optional<std::string> AskText(const std::string&, const std::string&,
                                       const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> OpenFile(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> SaveFile(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
};

}  // namespace

int main(int argc, char** argv) {
    pantrio::RegisterAppUrlScheme();
    QApplication::setApplicationName(QStringLiteral("Pantrio"));
    QApplication::setOrganizationName(QStringLiteral("Hearthline"));
    QApplication::setDesktopFileName(QStringLiteral("pantrio"));
    QApplication app(argc, argv);

    std::vector<std::string> arguments;
    std::string screenshot;
    pantrio::MainWindowOptions options;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        const std::string arg = args[i].toStdString();
        if (arg == "--screenshot" && i + 1 < args.size()) {
            screenshot = args[++i].toStdString();
        } else if (arg == "--data-root" && i + 1 < args.size()) {
            options.dataRoot = args[++i].toStdString();
        } else {
            arguments.push_back(arg);
        }
    }
    if (!screenshot.empty()) options.splash = false;

    pantrio::IniSettingsStore settings(pantrio::IniSettingsStore::DefaultPath());
    settings.Load();
    pantrio::QtPrompter interactive;
    UnattendedPrompter unattended;
    pantrio::QtPrompter& prompter = screenshot.empty() ? interactive : unattended;
    pantrio::MainWindow window(settings, prompter, options);
    const auto result = window.Start(pantrio::CommandLine::Parse(arguments));
    if (result == pantrio::MainDialog::StartResult::CloseAfterImport) return 0;
    if (!screenshot.empty()) {
        return pantrio::TakeScreenshot(window, QString::fromStdString(screenshot)) ? 0 : 1;
    }
    return app.exec();
}
