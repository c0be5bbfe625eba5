// The dialogs of the desktop program against one shared main window.
#pragma once

#include <QObject>
#include <memory>
#include <string>

#include "ui/WindowFixture.h"

class DialogsTest : public QObject, protected pantrio::test::WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { TearDownWindow(); }
    void init();

    void screenImportBuildsTheRecipeFromTheMarkedParts();
    void importFromBoxChecklistSelectsAll();
    void informationDialogWalksTheTips();
    void keywordEditorAddsWithEnterAndStores();
    void findDialogSearchesTheBox();
    void deleteAsksAndRemovesTheSelectedRecipe();
    void nextAndPreviousWalkTheList();
    void expandingTheWebViewHidesTheList();
    void progressWindowCancelSetsTheFlag();
    void aPagesPictureBecomesJpegOrSaysWhyNot();

private:
    long Count(const std::string& statement);
};
