// The results page of the desktop program: selectors, header clicks,
// folders, type-ahead and the search dialogs, against one shared main window
// whose box holds more recipes than one batch of the lazy list.
#pragma once

#include <QObject>
#include <QTemporaryDir>
#include <memory>

#include "core/IniSettingsStore.h"
#include "ui/DialogAnswerer.h"
#include "ui/MainWindow.h"
#include "ui/QtPrompter.h"

class ResultsPageTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void selectorsListTheirViewAndShowTheirCaptions();
    void headerClickOrdersEveryRecipeUntilTheNextView();
    void aFolderItemListsItsRecipes();
    void typingMoreLettersMarksTheRowWithoutShowingIt();
    void typeAheadPastTheFirstBatchShowsTheRowsItRead();
    void findRecipesStaysOpenAndListsWhatItFinds();
    void leftoverWizardSearchesTheBox();

private:
    QString RowTitle(int row);

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<pantrio::IniSettingsStore> settings_;
    std::unique_ptr<pantrio::QtPrompter> prompter_;
    std::unique_ptr<pantrio::MainWindow> window_;
    std::unique_ptr<pantrio::test::DialogAnswerer> answers_;
};
