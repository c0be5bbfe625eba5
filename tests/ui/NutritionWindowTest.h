// The Nutrition tab, the Ingredient Details dialog and the nutrient editor
// page, worked with the mouse and keyboard against one main window.
#pragma once

#include <QObject>

#include "ui/WindowFixture.h"

class NutritionWindowTest : public QObject, protected pantrio::test::WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase() { SetUpWindow(); }
    void cleanupTestCase() { TearDownWindow(); }

    void linkingALineUpdatesTheTabAndTheFactsPanel();
};
