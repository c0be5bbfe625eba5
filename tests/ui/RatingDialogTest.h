// The rating dialog opened from the View tab's Rate button: stars, the
// answer, OK; and a shared rating whose answer page shows in the dialog.
#pragma once

#include <QObject>
#include <functional>

#include "ui/WindowFixture.h"

namespace pantrio {
class RatingDialog;
}

class RatingDialogTest : public QObject, protected pantrio::test::WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { TearDownWindow(); }

    void ratingFromTheRateButtonIsStoredAndShown();
    void aSharedRatingShowsTheServicesAnswer();

private:
    // Shows recipe `title` in the View tab, then clicks its Rate button with
    // the mouse and lets `work` work the dialog; false when the dialog did
    // not open.
    bool RateWith(const QString& title, std::function<void(pantrio::RatingDialog*)> work);
};
