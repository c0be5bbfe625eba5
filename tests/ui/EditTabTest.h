// The Edit tab of the desktop program, driven with real clicks and keys: a
// title edit follows into the results list and the page, and a line typed in
// the entry row appears in the grid and is edited in place.
#pragma once

#include <QObject>

#include "ui/WindowFixture.h"

class QWidget;

class EditTabTest : public QObject, protected pantrio::test::WindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { TearDownWindow(); }

    void anEditedTitleShowsInTheListAndOnThePage();
    void aTypedLineAppearsInTheGridAndIsEditedInPlace();

private:
    // Opens the Edit tab by clicking its tab.
    void OpenEditTab();
    // Clicks into `field` and types `text` there.
    void TypeInto(QWidget* field, const QString& text);
};
