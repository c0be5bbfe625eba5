#include "ui/PostingWindowTest.h"

#include <QAction>
#include <QMessageBox>
#include <QTest>
#include <QToolBar>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include "core/MainCommands.h"
#include "recipe/Recipe.h"
#include "support/LoopbackService.h"
#include "ui/BoxStatements.h"
#include "ui/ResultsTableModel.h"
#include "ui/WebViewTab.h"

QPoint PostingWindowTest::ElementPosition(const QString& selector) {
    const QVariantList xy = RunInPage(QStringLiteral(R"(
        (function() {
            const e = document.querySelector('%1');
            if (!e) return null;
            e.scrollIntoView({block: 'center'});
            const r = e.getBoundingClientRect();
            return [r.left + r.width / 2, r.top + r.height / 2];
        })())")
                                          .arg(selector))
                                .toList();
    if (xy.size() != 2) return {};
    return QPoint(qRound(xy[0].toDouble()), qRound(xy[1].toDouble()));
}

void PostingWindowTest::postRecipeSendsTheFormAndKeepsTheNumber() {
    pantrio::test::LoopbackService site;
    QVERIFY(!site.Base().empty());
    pantrio::OptionsSheet sheet;
    sheet.Open(main().CurrentSettings());
    sheet.general.serviceUrl = site.Base();
    main().ApplyOptions(sheet);

    pantrio::Recipe recipe;
    recipe.Title = "Mom's \"Best\" Pie & </textarea>";
    recipe.Instructions = "Mix & bake.";
    recipe.TasteRating = recipe.AppearanceRating = 4;
    recipe.EffortRating = recipe.AffordableRating = 3;
    SaveRecipe(recipe);
    main().Results().FillAllRecipes();
    QCOMPARE(Rows(), 1);
    pantrio::WebViewTab* tab = window_->webTab();
    int loads = tab->LoadsFinished();
    ClickRow(0, 60);
    QVERIFY(WaitForLoad(loads));

    // The toolbar's "Post Recipe", and Yes to its question.
    answers_->Then(pantrio::test::DialogAnswerer::PressButton(QMessageBox::Yes));
    auto* toolBar = window_->findChild<QToolBar*>(QStringLiteral("toolBar"));
    auto* action = window_->findChild<QAction*>(
        QStringLiteral("toolbar%1").arg(pantrio::command::kPostRecipe));
    QVERIFY(toolBar != nullptr && action != nullptr);
    QTRY_VERIFY(action->isEnabled());
    loads = tab->LoadsFinished();
    QTest::mouseClick(toolBar->widgetForAction(action), Qt::LeftButton);
    QTRY_COMPARE(answers_->Pending(), 0);
    QVERIFY(WaitForLoad(loads));
    QCOMPARE(
        RunInPage(QStringLiteral("document.querySelector('input[name=title]').value")).toString(),
        QString::fromStdString(recipe.Title));
    // With PANTRIO_DIALOG_SHOTS naming a folder, a picture of the form goes
    // there.
    const QString shots = qEnvironmentVariable("PANTRIO_DIALOG_SHOTS");
    if (!shots.isEmpty()) window_->grab().save(shots + QStringLiteral("/posting-form.png"));

    // The form's button, clicked where it is on the screen.
    QWidget* browser = tab->view()->focusProxy();
    QVERIFY(browser != nullptr);
    QPoint button;
    QTRY_VERIFY(!(button = ElementPosition(QStringLiteral("#post"))).isNull());
    QTest::mouseClick(browser, Qt::LeftButton, Qt::NoModifier, button);

    QTRY_VERIFY_WITH_TIMEOUT(answers_->messages.contains(QStringLiteral(
                                 "Thanks for submitting your recipe!  It is recipe number 1001.")),
                             30000);
    QCOMPARE(site.Postings().size(), std::size_t(1));
    QCOMPARE(site.Postings().begin()->second.title, recipe.Title);
    QCOMPARE(main().Recipes().Current().UniqueID, 1001);
    QCOMPARE(pantrio::test::BoxNumber(main(), "Select UniqueID from Recipes"), 1001L);
    QCOMPARE(pantrio::test::BoxNumber(main(), "Select Color from Recipes"), 1L);
    QVERIFY(!main().Web().postingPending);
}
