// Posting a recipe from the View tab to a recipe service on the loopback
// interface: the posting form in the browser, its button, and the number
// the service answers with.
#pragma once

#include <QObject>
#include <QPoint>
#include <QVariant>

#include "ui/WindowFixture.h"

class PostingWindowTest : public QObject, protected pantrio::test::WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase() { SetUpWindow(); }
    void cleanupTestCase() { TearDownWindow(); }

    void postRecipeSendsTheFormAndKeepsTheNumber();

private:
    // The centre of the page element `selector` in the browser's
    // coordinates; null when it is not there.
    QPoint ElementPosition(const QString& selector);
};
