#include "ui/MealPlanPageTest.h"

#include <QAction>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QtPrintSupport/QPrintPreviewDialog>

#include "core/MainCommands.h"
#include "recipe/Recipe.h"
#include "ui/BoxStatements.h"
#include "ui/MealPlanPage.h"
#include "ui/MonthCalendar.h"
#include "ui/PrintDialog.h"
#include "ui/ResultsPage.h"
#include "ui/ResultsTableModel.h"

using pantrio::test::DialogAnswerer;

void MealPlanPageTest::initTestCase() {
    SetUpWindow();
    for (const char* title : {"Lentil Soup", "Plum Cake"}) {
        pantrio::Recipe recipe;
        recipe.Title = title;
        recipe.Instructions = std::string("Make the ") + title + ".";
        SaveRecipe(recipe);
    }
    main().Results().FillAllRecipes();
}

void MealPlanPageTest::draggingAResultOntoADayPlansADinner() {
    main().RunCommand(pantrio::command::kShowCalendarPage);
    pantrio::MealPlanPage* page = window_->planPage();
    QTRY_VERIFY(page->isVisible());
    pantrio::ResultsListView* list = window_->resultsPage()->list();
    QTRY_VERIFY(list->isVisible());
    QCOMPARE(RowTitle(0), QStringLiteral("Lentil Soup"));

    pantrio::MonthCalendar* calendar = page->Calendar();
    const QDate target(calendar->SelectedDate().year(), calendar->SelectedDate().month(), 12);
    const QRect day = calendar->DayRect(target);
    QVERIFY(!day.isEmpty());

    // Press on the first row, move past the drag distance, and let the
    // drag's own loop carry the pointer to the day and drop there.
    QWindow* window = window_->windowHandle();
    const QRect row = list->visualRect(window_->resultsModel().index(0, 0));
    const QPoint start = list->viewport()->mapTo(window_.get(), row.center());
    const QPoint end = calendar->mapTo(window_.get(), day.center());
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, start);
    QTimer::singleShot(100, this, [&] {
        for (int step = 1; step <= 10; ++step) {
            QTest::mouseMove(window, start + (end - start) * step / 10);
            QTest::qWait(20);
        }
        QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, end);
    });
    QTest::mouseMove(window, start + QPoint(8, 0));
    QTest::mouseMove(window, start + QPoint(30, 4));

    QTRY_COMPARE(calendar->SelectedDate(), target);
    QTreeWidget* dinner = page->List(2);
    QTRY_COMPARE(dinner->topLevelItemCount(), 1);
    QCOMPARE(dinner->topLevelItem(0)->text(0), QStringLiteral("Lentil Soup"));
    const auto entries = main().MealPlan().Entries(
        pantrio::DateTime::FromDate(target.year(), target.month(), target.day()),
        pantrio::DateTime::FromDate(target.year(), target.month(), target.day()));
    QVERIFY(entries && entries->size() == 1);
    QCOMPARE(entries->front().meal, pantrio::meal::kDinner);
    main().RunCommand(pantrio::command::kShowRecipesPage);
    QTRY_VERIFY(list->isVisible());
}

void MealPlanPageTest::printPreviewOpensAndThePdfHasAPagePerRecipe() {
    QVERIFY(pantrio::test::RunOnBox(main(), "Update Recipes Set Marked = 1"));
    const QString pdf = dir_->filePath(QStringLiteral("marked.pdf"));
    bool previewOpened = false, saved = false, checked = false;

    answers_->Then([&](QWidget* w) {
        auto* dialog = qobject_cast<pantrio::PrintDialog*>(w);
        if (dialog == nullptr) return;
        // A failed check below leaves this function early: the dialog is
        // closed all the same, so the test fails instead of waiting forever.
        struct CloseAtEnd {
            QDialog* dialog;
            ~CloseAtEnd() {
                if (dialog->isVisible())
                    QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
            }
        } closeAtEnd{dialog};
        QTRY_VERIFY_WITH_TIMEOUT(dialog->PreviewReady(), 60000);
        auto* marked = dialog->findChild<QRadioButton*>(QStringLiteral("printMarked"));
        connect(dialog, &pantrio::PrintDialog::pdfSaved, this,
                [&](const QString&, bool ok) { saved = ok; });
        QTest::mouseClick(marked, Qt::LeftButton, Qt::NoModifier, QPoint(5, marked->height() / 2));
        QTRY_VERIFY_WITH_TIMEOUT(dialog->PreviewReady(), 60000);
        QCOMPARE(dialog->Choices().source, pantrio::PrintSource::Marked);
        auto* print = dialog->findChild<QPushButton*>(QStringLiteral("previewAndPrint"));
        QTest::mouseClick(print, Qt::LeftButton);
        auto* save = dialog->findChild<QPushButton*>(QStringLiteral("saveAsPdf"));
        QTest::mouseClick(save, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(saved, 60000);
        checked = true;
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("printCancel")),
                          Qt::LeftButton);
    });
    answers_->Then([&](QWidget* w) {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(w);
        previewOpened = preview != nullptr;
        if (preview != nullptr) QTimer::singleShot(300, preview, &QDialog::reject);
    });
    answers_->Then(DialogAnswerer::ChooseFile(pdf));

    // The toolbar's "Print".
    auto* toolBar = window_->findChild<QToolBar*>(QStringLiteral("toolBar"));
    auto* action = window_->findChild<QAction*>(
        QStringLiteral("toolbar%1").arg(pantrio::command::kPrintContext));
    QVERIFY(toolBar != nullptr && action != nullptr && action->isEnabled());
    QTest::mouseClick(toolBar->widgetForAction(action), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(checked, 180000);
    QVERIFY(previewOpened);

    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY(info.waitForFinished(20000));
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))), qPrintable(text));
    QVERIFY(pantrio::test::RunOnBox(main(), "Update Recipes Set Marked = 0"));
}
