#include "ui/EditTabTest.h"

#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "recipe/Recipe.h"
#include "ui/IngredientGrid.h"
#include "ui/WebViewTab.h"

void EditTabTest::init() {
    SetUpWindow();
    pantrio::Recipe recipe;
    recipe.Title = "Apple Pie";
    recipe.Instructions = "Bake it.";
    recipe.AddLine(false, "2", "cups", "flour", "", 2);
    SaveRecipe(recipe);
    main().Results().FillAllRecipes();
    const int loads = window_->webTab()->LoadsFinished();
    ClickRow(0, 60);
    QVERIFY(WaitForLoad(loads));
}

void EditTabTest::OpenEditTab() {
    // Clicks give the focus only inside the active window.
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    auto* tabs = window_->findChild<QTabWidget*>(QStringLiteral("recipeTabs"));
    QVERIFY(tabs != nullptr);
    QWidget* edit = window_->findChild<QWidget*>(QStringLiteral("editTab"));
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                      bar->tabRect(tabs->indexOf(edit)).center());
    QTRY_VERIFY(edit->isVisible());
}

void EditTabTest::TypeInto(QWidget* field, const QString& text) {
    QVERIFY(field != nullptr);
    QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(5, field->height() / 2));
    QTRY_VERIFY(field->hasFocus());
    QTest::keyClicks(field, text);
}

void EditTabTest::anEditedTitleShowsInTheListAndOnThePage() {
    OpenEditTab();
    auto* title = window_->findChild<QLineEdit*>(QStringLiteral("titleEdit"));
    QCOMPARE(title->text(), QStringLiteral("Apple Pie"));
    TypeInto(title, QString());
    QTest::keyClick(title, Qt::Key_End);
    QTest::keyClicks(title, QStringLiteral(" with Mom's <b>crumble</b>"));
    const int loads = window_->webTab()->LoadsFinished();
    // Leaving the field stores it.
    QTest::keyClick(title, Qt::Key_Tab);
    const QString stored = QStringLiteral("Apple Pie with Mom's <b>crumble</b>");
    QTRY_COMPARE(RowTitle(0), stored);
    QCOMPARE(QString::fromStdString(main().Recipes().Current().Title), stored);
    QVERIFY(WaitForLoad(loads));
    QVERIFY(QString::fromStdString(window_->webTab()->DocumentSource())
                .contains(QStringLiteral("Mom's")));
    // The page was rendered anew behind the tab being edited in.
    QVERIFY(window_->findChild<QWidget*>(QStringLiteral("editTab"))->isVisible());
}

void EditTabTest::aTypedLineAppearsInTheGridAndIsEditedInPlace() {
    OpenEditTab();
    auto* grid = window_->findChild<pantrio::IngredientGrid*>(QStringLiteral("ingredientGrid"));
    QCOMPARE(grid->rowCount(), 1);
    TypeInto(window_->findChild<QLineEdit*>(QStringLiteral("entryQuantity")),
             QStringLiteral("1 1/2"));
    TypeInto(window_->findChild<QLineEdit*>(QStringLiteral("entryUnit")), QStringLiteral("tbsp"));
    auto* ingredient = window_->findChild<QLineEdit*>(QStringLiteral("entryIngredient"));
    TypeInto(ingredient, QStringLiteral("O'Neil's butter"));
    QTest::keyClick(ingredient, Qt::Key_Return);
    QTRY_COMPARE(grid->rowCount(), 2);
    QTRY_COMPARE(grid->item(1, 2)->text(), QStringLiteral("O'Neil's butter"));
    QCOMPARE(grid->item(1, 0)->text(), QStringLiteral("1 1/2"));
    // The entry row is empty again, ready for the next line.
    QTRY_VERIFY(window_->findChild<QLineEdit*>(QStringLiteral("entryQuantity"))->hasFocus());
    QVERIFY(ingredient->text().isEmpty());

    // A click on a cell opens its editor; Tab writes it and moves on.
    const QRect cell = grid->visualItemRect(grid->item(0, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QLineEdit* editor = nullptr;
    QTRY_VERIFY((editor = grid->findChild<QLineEdit*>(QStringLiteral("cellEditor"))) != nullptr &&
                editor->hasFocus());
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("cup"));
    QTest::keyClick(editor, Qt::Key_Tab);
    QTRY_COMPARE(grid->item(0, 1)->text(), QStringLiteral("cup"));
    QCOMPARE(main().Recipes().Current().Lines[0].Measure, std::string("cup"));
    QTRY_COMPARE(grid->currentColumn(), 2);
}
