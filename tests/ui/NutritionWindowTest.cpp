#include "ui/NutritionWindowTest.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include "base/RowSink.h"
#include "recipe/Recipe.h"
#include "ui/WebViewTab.h"

using pantrio::test::DialogAnswerer;

namespace {

void Click(QWidget* widget) {
    QVERIFY(widget != nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

}  // namespace

void NutritionWindowTest::linkingALineUpdatesTheTabAndTheFactsPanel() {
    pantrio::Recipe recipe;
    recipe.Title = "Kidney Bean Salad";
    recipe.Instructions = "Toss the beans.";
    recipe.YieldNumber = 2;
    recipe.AddLine(false, "2", "cup", "kidney beans", "", 2);
    recipe.AddLine(false, "1", "pinch", "salt", "", 1);
    SaveRecipe(recipe);
    main().Results().FillAllRecipes();
    int loads = window_->webTab()->LoadsFinished();
    ClickRow(0, 60);
    QVERIFY(WaitForLoad(loads));
    QCOMPARE(main().Recipes().Current().Title, recipe.Title);

    auto* tabs = window_->findChild<QTabWidget*>(QStringLiteral("recipeTabs"));
    auto* tab = window_->findChild<QWidget*>(QStringLiteral("nutritionTab"));
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tabs->indexOf(tab)).center());
    QTRY_VERIFY(tab->isVisible());
    auto* table = tab->findChild<QTableWidget*>(QStringLiteral("nutritionTable"));
    auto* completeness = tab->findChild<QLabel*>(QStringLiteral("nutritionCompleteness"));
    QCOMPARE(table->rowCount(), 13);
    QCOMPARE(table->item(12, 0)->text(), QStringLiteral("Calories (kcal)"));
    QCOMPARE(table->item(12, 1)->text(), QStringLiteral("0"));
    QCOMPARE(completeness->text(),
             QStringLiteral("0 of 2 lines counted; not linked: kidney beans, salt"));

    // The user double-clicks the beans, searches the food table, picks the
    // first food, takes one of its first measure and links.
    QString linkedFood;
    answers_->Then([&linkedFood](QWidget* w) {
        auto* linkTo = w->findChild<QLineEdit*>(QStringLiteral("linkToEdit"));
        auto* foods = w->findChild<QListWidget*>(QStringLiteral("foodList"));
        auto* number = w->findChild<QLineEdit*>(QStringLiteral("numberEdit"));
        if (linkTo == nullptr || foods == nullptr) return;
        linkTo->selectAll();
        QTest::keyClicks(linkTo, QStringLiteral("beans kidney raw"));
        Click(w->findChild<QPushButton*>(QStringLiteral("findButton")));
        QTRY_VERIFY(foods->count() > 0);
        QListWidgetItem* first = foods->item(0);
        linkedFood = first->text();
        QTest::mouseClick(foods->viewport(), Qt::LeftButton, {},
                          foods->visualItemRect(first).center());
        Click(w->findChild<QWidget*>(QStringLiteral("measureA")));
        number->selectAll();
        QTest::keyClicks(number, QStringLiteral("1"));
        auto* link = w->findChild<QPushButton*>(QStringLiteral("linkButton"));
        QTRY_VERIFY(link->isEnabled());
        Click(link);
        QTRY_VERIFY(w->findChild<QPushButton*>(QStringLiteral("unlinkButton"))->isEnabled());
        Click(w->findChild<QPushButton*>(QStringLiteral("doneButton")));
    });
    auto* lines = tab->findChild<QTreeWidget*>(QStringLiteral("nutritionLines"));
    QCOMPARE(lines->topLevelItemCount(), 2);
    loads = window_->webTab()->LoadsFinished();
    const QPoint beans = lines->visualItemRect(lines->topLevelItem(0)).center();
    // A double click is a press, a release and a second press.
    QTest::mouseClick(lines->viewport(), Qt::LeftButton, {}, beans);
    QTest::mouseDClick(lines->viewport(), Qt::LeftButton, {}, beans);
    QCOMPARE(answers_->Pending(), 0);
    QVERIFY(!linkedFood.isEmpty());

    QTRY_COMPARE(completeness->text(), QStringLiteral("1 of 2 lines counted; not linked: salt"));
    QVERIFY(table->item(12, 1)->text().toInt() > 0);
    // The View tab's page shows the facts panel with the same completeness.
    QVERIFY(WaitForLoad(loads));
    const QString page = QString::fromStdString(window_->webTab()->DocumentSource());
    QVERIFY2(page.contains(QStringLiteral("1 of 2 lines counted; not linked: salt")),
             qPrintable(page.left(2000)));
}
