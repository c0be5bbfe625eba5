#include "ui/RatingDialogTest.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <QWebEngineView>

#include "core/OptionsSheet.h"
#include "recipe/Recipe.h"
#include "support/LoopbackHttpServer.h"
#include "ui/BoxStatements.h"
#include "ui/RatingDialog.h"
#include "ui/StarButton.h"
#include "ui/WebViewTab.h"

using pantrio::RatingDialog;
using pantrio::RatingScale;

namespace {

template <typename T>
T* Child(QWidget* parent, const char* name) {
    return parent->findChild<T*>(QLatin1String(name));
}

}  // namespace

void RatingDialogTest::initTestCase() {
    SetUpWindow();
    pantrio::Recipe jam;
    jam.Title = "Quince Jam";
    jam.Instructions = "Cook the quinces with sugar until they set.";
    jam.ActiveMinutes = 95;
    SaveRecipe(jam);
    pantrio::Recipe pie;
    pie.Title = "Rhubarb Pie";
    pie.Instructions = "Bake the rhubarb in a short crust.";
    pie.UniqueID = 42;
    SaveRecipe(pie);
}

bool RatingDialogTest::RateWith(const QString& title, std::function<void(RatingDialog*)> work) {
    main().Results().FillAllRecipes();
    int row = 0;
    while (row < Rows() && RowTitle(row) != title) ++row;
    pantrio::WebViewTab* tab = window_->webTab();
    const int loads = tab->LoadsFinished();
    ClickRow(row, 60);
    if (!WaitForLoad(loads)) return false;
    auto* rate = Child<QToolButton>(tab, "rateButton");
    if (rate == nullptr || rate->isHidden()) return false;
    bool opened = false;
    answers_->Then([&opened, work](QWidget* w) {
        auto* dialog = qobject_cast<RatingDialog*>(w);
        if (dialog == nullptr) return;
        opened = true;
        work(dialog);
    });
    QTest::mouseClick(rate, Qt::LeftButton, Qt::NoModifier, rate->rect().center());
    return opened;
}

void RatingDialogTest::ratingFromTheRateButtonIsStoredAndShown() {
    const bool opened = RateWith(QStringLiteral("Quince Jam"), [this](RatingDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Quince Jam"));
        QCOMPARE(Child<QLineEdit>(dialog, "activeHours")->text(), QStringLiteral("1"));
        QCOMPARE(Child<QLineEdit>(dialog, "activeMinutes")->text(), QStringLiteral("35"));
        auto* share = Child<QCheckBox>(dialog, "shareRating");
        QVERIFY(!share->isChecked());
        QVERIFY(!share->isEnabled());

        // Taste 4 by mouse; appearance 2 from the keyboard (space on a star).
        QTest::mouseClick(dialog->Star(RatingScale::Taste, 4), Qt::LeftButton);
        QVERIFY(dialog->Star(RatingScale::Taste, 4)->Lit());
        QVERIFY(!dialog->Star(RatingScale::Taste, 5)->Lit());
        dialog->Star(RatingScale::Appearance, 2)->setFocus();
        QTest::keyClick(dialog->Star(RatingScale::Appearance, 2), Qt::Key_Space);
        QVERIFY(dialog->Star(RatingScale::Appearance, 1)->Lit());
        // Star 1 of a row toggles.
        QTest::mouseClick(dialog->Star(RatingScale::Effort, 1), Qt::LeftButton);
        QTest::mouseClick(dialog->Star(RatingScale::Effort, 1), Qt::LeftButton);
        QVERIFY(!dialog->Star(RatingScale::Effort, 1)->Lit());
        QTest::keyClicks(Child<QPlainTextEdit>(dialog, "ratingComments"),
                         QStringLiteral("It's great"));
        dialog->grab().save(QDir::temp().filePath(QStringLiteral("pantrio-rating.png")));

        // OK without an answer asks for one and the dialog stays.
        auto* ok = Child<QPushButton>(dialog, "ratingOk");
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(answers_->messages.contains(
            QStringLiteral("Please indicate whether you'd make the recipe again.")));
        QVERIFY(dialog->isVisible());
        auto* yes = Child<QRadioButton>(dialog, "makeAgainYes");
        QTest::mouseClick(yes, Qt::LeftButton, Qt::NoModifier, QPoint(8, yes->height() / 2));
        QVERIFY(yes->isChecked());
        const int loads = window_->webTab()->LoadsFinished();
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QVERIFY(WaitForLoad(loads));
    });
    QVERIFY(opened);
    QCOMPARE(answers_->Pending(), 0);
    const std::string stored =
        "Select TasteRating * 1000 + AppearanceRating * 100 + EffortRating * 10 + "
        "AffordableRating from Recipes where Title = 'Quince Jam'";
    QCOMPARE(pantrio::test::BoxNumber(main(), stored), 4200L);
    QCOMPARE(main().Recipes().Current().Notes, std::string("It's great"));
    // The page shown anew carries the four stars of the taste rating.
    QVERIFY(QString::fromStdString(window_->webTab()->DocumentSource())
                .contains(QStringLiteral("star4.gif")));
}

void RatingDialogTest::aSharedRatingShowsTheServicesAnswer() {
    pantrio::test::LoopbackHttpServer service(
        200, "<html><body><h1 id='thanks'>Thanks for your comments!</h1></body></html>");
    QVERIFY(service.Listening());
    pantrio::OptionsSheet sheet;
    sheet.Open(main().CurrentSettings());
    sheet.general.serviceUrl = service.Base();
    main().ApplyOptions(sheet);
    const int rated = main().CurrentSettings().RatedRec;
    const QString name = QString::fromStdString(main().ServiceName());

    const bool opened = RateWith(QStringLiteral("Rhubarb Pie"), [&](RatingDialog* dialog) {
        auto* share = Child<QCheckBox>(dialog, "shareRating");
        QVERIFY(share->isChecked());
        QVERIFY(share->isEnabled());
        QVERIFY(share->text().endsWith(name));
        QTest::mouseClick(dialog->Star(RatingScale::Affordability, 5), Qt::LeftButton);
        QTest::keyClicks(Child<QPlainTextEdit>(dialog, "ratingComments"),
                         QStringLiteral("It's great & #1"));
        auto* notTried = Child<QRadioButton>(dialog, "makeAgainNotTried");
        QTest::mouseClick(notTried, Qt::LeftButton, Qt::NoModifier,
                          QPoint(8, notTried->height() / 2));
        QTest::mouseClick(Child<QPushButton>(dialog, "ratingOk"), Qt::LeftButton);

        // The answer page shows over the dialog; OK goes, Cancel is "Done".
        QTRY_COMPARE_WITH_TIMEOUT(int(service.Requests().size()), 1, 20000);
        QWebEngineView* answer = dialog->answerView();
        QVERIFY(answer->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(Child<QProgressBar>(dialog, "ratingBusy")->isHidden(), 20000);
        QCOMPARE(Child<QGroupBox>(dialog, "makeAgainFrame")->title(),
                 QStringLiteral("Sending your comments to ") + name + QStringLiteral("..."));
        QVERIFY(Child<QPushButton>(dialog, "ratingOk")->isHidden());
        auto* done = Child<QPushButton>(dialog, "ratingCancel");
        QCOMPARE(done->text(), QStringLiteral("Done"));
        QString text;
        answer->page()->toPlainText([&text](const QString& t) { text = t; });
        QTRY_VERIFY_WITH_TIMEOUT(text.contains(QStringLiteral("Thanks for your comments!")), 10000);
        // The page is drawn by the engine: only the screen holds it.
        dialog->screen()
            ->grabWindow(dialog->winId())
            .save(QDir::temp().filePath(QStringLiteral("pantrio-rating-sent.png")));
        QTest::mouseClick(done, Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    });
    QVERIFY(opened);
    QCOMPARE(answers_->Pending(), 0);
    const auto query = service.Requests().at(0).query;
    QCOMPARE(query.at("txtNotes"), std::string("It's great & #1"));
    QCOMPARE(query.at("radioMake"), std::string("DIDNOTMAKE"));
    QCOMPARE(query.at("affordabilityRating"), std::string("5"));
    QCOMPARE(query.at("uniqueID"), std::string("42"));
    QCOMPARE(main().CurrentSettings().RatedRec, rated + 1);
    QCOMPARE(pantrio::test::BoxNumber(
                 main(), "Select AffordableRating from Recipes where Title = 'Rhubarb Pie'"),
             5L);
}
