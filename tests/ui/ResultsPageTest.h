// The results page of the desktop program: selectors, header clicks,
// folders, type-ahead and the search dialogs, against one shared main window
// whose box holds more recipes than one batch of the lazy list.
#pragma once

#include <QObject>
#include <memory>

#include "ui/WindowFixture.h"

class ResultsPageTest : public QObject, protected pantrio::test::WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { TearDownWindow(); }
    void init();

    void selectorsListTheirViewAndShowTheirCaptions();
    void headerClickOrdersEveryRecipeUntilTheNextView();
    void aFolderItemListsItsRecipes();
    void typingMoreLettersMarksTheRowWithoutShowingIt();
    void typeAheadPastTheFirstBatchShowsTheRowsItRead();
    void findRecipesStaysOpenAndListsWhatItFinds();
    void leftoverWizardSearchesTheBox();
    void findInAllBoxesOpensTheBoxOfADoubleClickedRow();
    void exportCookbookWritesTheListedRecipes();

private:
};
