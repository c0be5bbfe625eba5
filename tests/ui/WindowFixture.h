// The set-up every window test shares: a temporary data root made from the
// shipped data, its settings file (the update check counts as done today,
// so start-up asks nothing), a main window started on it, the answerer of
// its dialogs and a browser that only records the pages it is handed.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <memory>
#include <string>
#include <vector>

#include "core/IniSettingsStore.h"
#include "support/RecordingView.h"
#include "ui/DialogAnswerer.h"
#include "ui/MainWindow.h"
#include "ui/QtPrompter.h"

namespace pantrio {
class Recipe;
}

namespace pantrio::test {

class WindowFixture {
protected:
    // A fresh data root with its settings and a started window on it.
    void SetUpWindow();
    // Starts a window on the present data root, as a new run of the program,
    // and waits for it to show and load its first page.
    void StartWindow();
    // Makes a window on the present data root and runs its start-up, without
    // handing a single event to the event loop after it.
    void LaunchWindow();
    // Closes the window and removes the data root.
    void TearDownWindow();

    MainDialog& main() { return window_->main(); }
    // Saves `recipe` as a new recipe of the open box.
    void SaveRecipe(const Recipe& recipe);
    int Rows() { return window_->RowCount(); }
    QString RowTitle(int row);
    // Clicks row `row` of the results list `x` pixels from its left edge.
    void ClickRow(int row, int x);
    // Checks that the results list's columns fill its viewport: rating 95,
    // the title the rest, and no horizontal scroll bar.
    void ExpectFittedColumns();
    // Waits for the View tab to finish one more load than `before`.
    bool WaitForLoad(int before);
    // Runs `script` in the View tab's page, in a world apart from the page's
    // own scripts, and waits for its value; null on a timeout.
    QVariant RunInPage(const QString& script);

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<IniSettingsStore> settings_;
    std::unique_ptr<QtPrompter> prompter_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<DialogAnswerer> answers_;
    // Records the pages handed to the user's browser instead of opening them.
    FakeExternalBrowser browser_;
};

}  // namespace pantrio::test
