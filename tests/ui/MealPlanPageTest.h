// The meal calendar page and printing in the window: dragging a result onto
// a day with the mouse, and the print dialog's preview and PDF.
#pragma once

#include <QObject>

#include "ui/WindowFixture.h"

class MealPlanPageTest : public QObject, protected pantrio::test::WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { TearDownWindow(); }

    void draggingAResultOntoADayPlansADinner();
    void printPreviewOpensAndThePdfHasAPagePerRecipe();
};
