// The desktop program: parses the command line, runs the main window on the
// settings file of the user, and ends when the window closes. With
// "--screenshot FILE" it shows the first recipe of the box, writes a picture
// of the window to FILE and ends (for looking at the program without a
// desktop). With "--cookbook-pdf OUT ID..." it writes those recipes of the box
// as a cookbook PDF and ends, without showing the window.
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "base/StartTrace.h"
#include "core/CommandLine.h"
#include "core/DesktopArguments.h"
#include "core/IniSettingsStore.h"
#include "ui/AppUrlScheme.h"
#include "ui/CookbookPrinter.h"
#include "ui/MainWindow.h"
#include "ui/QtPrompter.h"
#include "ui/Screenshot.h"

namespace {

// While a screenshot or a cookbook is made nobody is there to answer: questions get their
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

// The web engine refuses to start as root with its sandbox on and ends the
// whole program without a word of ours. Root runs happen (containers, fresh
// machines), so the program turns the sandbox off itself and says so.
void AllowTheWebEngineToRunAsRoot() {
    if (geteuid() != 0) return;
    const char* disabled = std::getenv("QTWEBENGINE_DISABLE_SANDBOX");
    std::string flags;
    if (const char* present = std::getenv("QTWEBENGINE_CHROMIUM_FLAGS")) flags = present;
    // Whoever turned the sandbox off already knows.
    if ((disabled != nullptr && std::strcmp(disabled, "1") == 0) ||
        flags.find("--no-sandbox") != std::string::npos)
        return;
    flags += flags.empty() ? "--no-sandbox" : " --no-sandbox";
    setenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.c_str(), 1);
    std::fprintf(stderr,
                 "pantrio: running as root, so the web view runs without its sandbox; run the "
                 "program as an ordinary user to keep it.\n");
}

// "--cookbook-pdf": the recipes of the open box as a cookbook. 0 when the
// file was written, 1 otherwise (with the reason on standard error).
int WriteCookbook(pantrio::MainDialog& main, const pantrio::DesktopArguments& arguments) {
    if (main.Boxes().OpenBoxFile().empty()) {
        std::fprintf(stderr, "pantrio: no recipe box is open.\n");
        return 1;
    }
    pantrio::CookbookController& books = main.Cookbooks();
    const pantrio::CookbookChoices initial = books.InitialChoices();
    std::vector<pantrio::CookbookItem> items;
    for (const int id : arguments.cookbookRecipes) items.push_back({"", id});
    std::string error;
    std::optional<pantrio::Cookbook> book = books.MakeCookbook(
        items, arguments.cookbookTitle.empty() ? initial.title : arguments.cookbookTitle,
        arguments.cookbookTheme >= 0 ? arguments.cookbookTheme : initial.theme, error);
    if (book) error = pantrio::PrintCookbookPdf(*book, arguments.cookbookPdf);
    if (!error.empty()) {
        std::fprintf(stderr, "pantrio: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // The usage is printed before the toolkit starts, so it needs no display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(pantrio::DesktopUsage("pantrio").c_str(), stdout);
            return 0;
        }
    }
    // So are wrong arguments: the toolkit would end the program without a
    // display before they were read.
    {
        const std::vector<std::string> given(argv + 1, argv + argc);
        const pantrio::DesktopArguments early =
            pantrio::DesktopArguments::Parse(pantrio::WithoutToolkitSwitches(given));
        if (!early.error.empty()) {
            std::fprintf(stderr, "pantrio: %s\n%s", early.error.c_str(),
                         pantrio::DesktopUsage("pantrio").c_str());
            return 2;
        }
    }
    pantrio::RegisterAppUrlScheme();
    QApplication::setApplicationName(QStringLiteral("Pantrio"));
    QApplication::setOrganizationName(QStringLiteral("Hearthline"));
    QApplication::setDesktopFileName(QStringLiteral("pantrio"));
    pantrio::TraceStartStep("toolkit starting");
    QApplication app(argc, argv);
    pantrio::TraceStartStep("toolkit started");

    // The toolkit has taken its own switches ("-platform", "-style") out.
    std::vector<std::string> given;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) given.push_back(args[i].toStdString());
    const pantrio::DesktopArguments parsed = pantrio::DesktopArguments::Parse(given);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "pantrio: %s\n%s", parsed.error.c_str(),
                     pantrio::DesktopUsage("pantrio").c_str());
        return 2;
    }
    // The engine reads its switches when the first page is made, after this.
    AllowTheWebEngineToRunAsRoot();
    const std::string& screenshot = parsed.screenshot;
    const bool unattendedRun = !screenshot.empty() || !parsed.cookbookPdf.empty();
    pantrio::MainWindowOptions options;
    options.dataRoot = parsed.dataRoot;
    if (unattendedRun) options.splash = false;

    pantrio::IniSettingsStore settings(pantrio::IniSettingsStore::DefaultPath());
    settings.Load();
    pantrio::TraceStartStep("settings read");
    pantrio::QtPrompter interactive;
    UnattendedPrompter unattended;
    pantrio::QtPrompter& prompter = unattendedRun ? unattended : interactive;
    pantrio::MainWindow window(settings, prompter, options);
    pantrio::TraceStartStep("window built");
    const auto result = window.Start(pantrio::CommandLine::Parse(parsed.rest));
    pantrio::TraceStartStep("start-up done");
    if (result == pantrio::MainDialog::StartResult::CloseAfterImport) return 0;
    if (!parsed.cookbookPdf.empty()) return WriteCookbook(window.main(), parsed);
    if (!screenshot.empty()) {
        return pantrio::TakeScreenshot(window, QString::fromStdString(screenshot)) ? 0 : 1;
    }
    // The first turn of the event loop comes after the window's first paint.
    QTimer::singleShot(0, &app, [] { pantrio::TraceStartStep("event loop running"); });
    return app.exec();
}
