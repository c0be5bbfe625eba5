// The shopping list page and its dialogs against one main window.
#pragma once

#include <QObject>

#include "ui/WindowFixture.h"

class ShoppingListPageTest : public QObject, protected pantrio::test::WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { TearDownWindow(); }

    void addDialogPutsTheIngredientsOnThePageSummedInTheCombinedView();
    void droppingAResultOnThePageOpensTheAddDialog();
};
