#include "ui/ShoppingListPageTest.h"

#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QWindow>

#include "core/MainCommands.h"
#include "recipe/Recipe.h"
#include "ui/AddToShoppingListDialog.h"
#include "ui/MainWindow.h"
#include "ui/ResultsPage.h"
#include "ui/ResultsTableModel.h"
#include "ui/Screenshot.h"
#include "ui/ShoppingListPage.h"

namespace {

// A click in the middle of a widget, as the user gives it.
void Click(QWidget* widget) {
    QVERIFY(widget != nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

QStringList GridRow(QTableWidget* grid, int row) {
    QStringList cells;
    for (int c = 0; c < grid->columnCount(); ++c) cells << grid->item(row, c)->text();
    return cells;
}

}  // namespace

void ShoppingListPageTest::initTestCase() {
    SetUpWindow();
    struct {
        const char* title;
        const char* flour;
        double flourQty;
        const char* butterUnit;
        double butterQty;
    } const recipes[] = {{"Scones", "1", 1, "tbsp", 4}, {"Shortbread", "2", 2, "cup", 0.25}};
    for (const auto& r : recipes) {
        pantrio::Recipe recipe;
        recipe.Title = r.title;
        recipe.Instructions = "Rub the butter into the flour.";
        recipe.AddLine(true, "", "", "Dough", "", 0);
        recipe.AddLine(false, r.flour, "cup", "flour", "", r.flourQty);
        recipe.AddLine(false, r.butterQty == 4 ? "4" : "1/4", r.butterUnit, "butter", "cold",
                       r.butterQty);
        SaveRecipe(recipe);
    }
    main().Results().FillAllRecipes();
}

void ShoppingListPageTest::addDialogPutsTheIngredientsOnThePageSummedInTheCombinedView() {
    auto* toolBar = window_->findChild<QToolBar*>(QStringLiteral("toolBar"));
    QAction* addShop = toolBar->findChild<QAction*>(
        QStringLiteral("toolbar") + QString::number(pantrio::command::kAddToShoppingList));
    QVERIFY(addShop != nullptr);
    for (int row = 0; row < 2; ++row) {
        ClickRow(row, 60);
        QTRY_VERIFY(main().Recipes().HasCurrent());
        QTRY_VERIFY(addShop->isEnabled());
        int offered = -1;
        answers_->Then([&offered](QWidget* w) {
            auto* dialog = qobject_cast<pantrio::AddToShoppingListDialog*>(w);
            if (dialog == nullptr) return;
            auto* lines = dialog->findChild<QTreeWidget*>(QStringLiteral("ingredientLines"));
            offered = lines->topLevelItemCount();
            // Clearing and ticking "Select All" again leaves every line ticked.
            auto* all = dialog->findChild<QCheckBox*>(QStringLiteral("selectAll"));
            Click(all);
            Click(all);
            Click(dialog->findChild<QPushButton*>(QStringLiteral("okButton")));
        });
        Click(toolBar->widgetForAction(addShop));
        QTRY_COMPARE(answers_->Pending(), 0);
        QCOMPARE(offered, 2);  // the heading is no ingredient
    }

    window_->RunCommand(pantrio::command::kShowShoppingListPage);
    auto* page = window_->findChild<pantrio::ShoppingListPage*>();
    QTRY_VERIFY(page->isVisible());
    QTableWidget* grid = page->grid();
    QCOMPARE(grid->rowCount(), 4);
    auto* recipes = page->findChild<QTreeWidget*>(QStringLiteral("shoppingRecipes"));
    QCOMPARE(recipes->topLevelItemCount(), 2);
    QCOMPARE(recipes->topLevelItem(0)->text(0), QStringLiteral("Scones"));

    // The combined view adds flour cup to cup, and the butter's tablespoons to
    // its cup, by department.
    Click(page->findChild<QPushButton*>(QStringLiteral("shoppingCombined")));
    QTRY_COMPARE(grid->rowCount(), 2);
    QVERIFY(!recipes->isEnabled());
    QStringList rows{GridRow(grid, 0).join(u'|'), GridRow(grid, 1).join(u'|')};
    const QString butterDept = QString::fromStdString(main().Shopping().MatchMaster("butter").dept);
    const QString flourDept = QString::fromStdString(main().Shopping().MatchMaster("flour").dept);
    QVERIFY2(rows.contains(QStringLiteral("3|cup|flour||") + flourDept),
             qPrintable(rows.join(u'\n')));
    QVERIFY2(rows.contains(QStringLiteral("1/2|cup|butter||") + butterDept),
             qPrintable(rows.join(u'\n')));
    QVERIFY(butterDept <= flourDept ? rows[0].contains(QStringLiteral("butter"))
                                    : rows[0].contains(QStringLiteral("flour")));
    pantrio::TakeScreenshot(*window_,
                            QDir::temp().filePath(QStringLiteral("pantrio-shopping.png")));

    // Back to the items; a recipe's click marks its rows.
    Click(page->findChild<QPushButton*>(QStringLiteral("shoppingCombined")));
    QTRY_COMPARE(grid->rowCount(), 4);
    const QRect first = recipes->visualItemRect(recipes->topLevelItem(0));
    QTest::mouseClick(recipes->viewport(), Qt::LeftButton, Qt::NoModifier, first.center());
    int marked = 0;
    for (int r = 0; r < grid->rowCount(); ++r)
        marked += grid->item(r, 0)->data(Qt::UserRole + 1).toInt() == 18 ? 1 : 0;
    QCOMPARE(marked, 2);

    // A click on a cell opens its editor; typing and Tab writes the cell and
    // moves on to the next column of the same row.
    const int row = 0;
    const long id = grid->item(row, 0)->data(Qt::UserRole).toLongLong();
    const QRect item = grid->visualItemRect(grid->item(row, 2));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
    QWidget* editor = nullptr;
    QTRY_VERIFY((editor = grid->findChild<QWidget*>(QStringLiteral("shoppingCellEditor"))) !=
                nullptr);
    auto* typing = editor->findChild<QLineEdit*>();
    QVERIFY(typing != nullptr);
    QCOMPARE(typing->selectedText(), QStringLiteral("flour"));
    QTest::keyClicks(typing, QStringLiteral("Tom's rye"));
    QTest::keyClick(typing, Qt::Key_Tab);
    QTRY_COMPARE(grid->currentColumn(), 3);
    QTRY_VERIFY(grid->findChild<QWidget*>(QStringLiteral("shoppingCellEditor")) != nullptr);
    QCOMPARE(grid->item(row, 2)->text(), QStringLiteral("Tom's rye"));
    main().Shopping().Reload();
    bool stored = false;
    for (const pantrio::ShoppingItem& i : main().Shopping().Items().Items())
        stored = stored || (i.ShoppingListID == id && i.ItemName == "Tom's rye");
    QVERIFY(stored);
}

void ShoppingListPageTest::droppingAResultOnThePageOpensTheAddDialog() {
    window_->RunCommand(pantrio::command::kShowShoppingListPage);
    auto* page = window_->findChild<pantrio::ShoppingListPage*>();
    QTRY_VERIFY(page->isVisible());
    // The results list comes along to the page, so its rows can be dragged.
    pantrio::ResultsListView* list = window_->resultsPage()->list();
    QTRY_VERIFY(list->isVisible());
    QVERIFY(page->isAncestorOf(list));
    main().Shopping().ClearList();
    QTableWidget* grid = page->grid();
    QTRY_COMPARE(grid->rowCount(), 0);

    bool offered = false;
    answers_->Then([&offered](QWidget* w) {
        auto* dialog = qobject_cast<pantrio::AddToShoppingListDialog*>(w);
        if (dialog == nullptr) return;
        offered = true;
        Click(dialog->findChild<QPushButton*>(QStringLiteral("okButton")));
    });
    QWindow* window = window_->windowHandle();
    const QRect row = list->visualRect(window_->resultsModel().index(1, 0));
    const QPoint start = list->viewport()->mapTo(window_.get(), row.center());
    const QPoint end = grid->viewport()->mapTo(window_.get(), grid->viewport()->rect().center());
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

    QTRY_VERIFY(offered);
    QCOMPARE(QString::fromStdString(main().Recipes().Current().Title), RowTitle(1));
    QTRY_COMPARE(grid->rowCount(), 2);  // the dropped recipe's flour and butter
    window_->RunCommand(pantrio::command::kShowRecipesPage);
    QTRY_VERIFY(list->isVisible());
    QVERIFY(!page->isAncestorOf(list));
}
