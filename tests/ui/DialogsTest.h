// The dialogs of the desktop program against one shared main window.
#pragma once

#include <QObject>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "core/IniSettingsStore.h"
#include "ui/DialogAnswerer.h"
#include "ui/MainWindow.h"
#include "ui/QtPrompter.h"

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
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

private:
    pantrio::MainDialog& main();
    long Count(const std::string& statement);

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<pantrio::IniSettingsStore> settings_;
    std::unique_ptr<pantrio::QtPrompter> prompter_;
    std::unique_ptr<pantrio::MainWindow> window_;
    std::unique_ptr<pantrio::test::DialogAnswerer> answers_;
};
