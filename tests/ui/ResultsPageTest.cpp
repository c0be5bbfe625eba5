// The results page worked like a user would: menus of the selector buttons,
// clicks on the header and the navigation bar, keys typed in the list and
// the search dialogs. One main window on a temporary data root serves the
// whole suite; its box holds four named recipes and 230 more ("Zed000" ...),
// so that type-ahead reaches past the list's first batch.
#include "ui/ResultsPageTest.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include "core/MainCommands.h"
#include "recipe/Recipe.h"
#include "render/Cookbook.h"
#include "search/AllBoxesSearch.h"
#include "search/ResultsModel.h"
#include "storage/RecipeDB.h"
#include "ui/BoxStatements.h"
#include "ui/FindRecipesDialog.h"
#include "ui/NavigationBar.h"
#include "ui/RecipeIcons.h"
#include "ui/ResultsPage.h"
#include "ui/ResultsTableModel.h"
#include "ui/WebViewTab.h"

using pantrio::test::DialogAnswerer;

namespace {

constexpr int kNamed = 4;
constexpr int kNumbered = 230;

// Chooses entry `entry` of a selector button's menu.
void ChooseEntry(QToolButton* button, int entry) {
    int index = 0;
    for (QAction* action : button->menu()->actions()) {
        if (action->isSeparator()) continue;
        if (index++ == entry) {
            action->trigger();
            return;
        }
    }
    QFAIL("no such menu entry");
}

}  // namespace

void ResultsPageTest::initTestCase() {
    SetUpWindow();

    struct Named {
        const char* title;
        const char* cuisine;
        const char* keyword;
        const char* ingredient;
    };
    const Named named[kNamed] = {{"Apple Pie", "American", "Desserts", "apples"},
                                 {"Banana Bread", "American", "Breads", "bananas"},
                                 {"Carrot Soup", "French", "Soups", "carrots"},
                                 {"Date Squares", "Canadian", "Desserts", "dates"}};
    for (const Named& n : named) {
        pantrio::Recipe recipe;
        recipe.Title = n.title;
        recipe.Cuisine = n.cuisine;
        recipe.Instructions = std::string("Make the ") + n.title + ".";
        recipe.AddLine(false, "2", "cups", n.ingredient, "", 2);
        recipe.AddCategoryName(n.keyword);
        SaveRecipe(recipe);
    }
    for (int i = 0; i < kNumbered; ++i) {
        pantrio::Recipe recipe;
        recipe.Title = QStringLiteral("Zed%1").arg(i, 3, 10, QLatin1Char('0')).toStdString();
        recipe.Instructions = "Stir.";
        SaveRecipe(recipe);
    }
}

void ResultsPageTest::init() {
    window_->main().Results().FillAllRecipes();
    QCOMPARE(window_->RowCount(), kNamed + kNumbered);
}

void ResultsPageTest::selectorsListTheirViewAndShowTheirCaptions() {
    auto* view = window_->findChild<QToolButton*>(QStringLiteral("viewSelector"));
    auto* keyword = window_->findChild<QToolButton*>(QStringLiteral("keywordSelector"));
    ChooseEntry(keyword, 8);  // "Dessert"
    QCOMPARE(keyword->text(), QStringLiteral("Desserts"));
    QCOMPARE(window_->RowCount(), 2);
    ChooseEntry(view, 2);  // "&Marked Recipes": none of the desserts is marked yet
    QCOMPARE(view->text(), QStringLiteral("&Marked"));
    QCOMPARE(keyword->text(), QStringLiteral("Desserts"));
    QCOMPARE(window_->RowCount(), 0);

    // A mark set elsewhere shows when the selector button is pressed.
    auto& main = window_->main();
    main.Results().FillResults(
        "Select RecipeID, Title, Color, Marked, TasteRating from Recipes where "
        "Title = 'Date Squares'");
    QVERIFY(main.Results().ToggleMarkOnRow(0) >= 0);
    const auto unmark = qScopeGuard([&] {
        pantrio::test::RunOnBox(main, "Update Recipes set Marked = 0");
        ChooseEntry(view, 0);
        ChooseEntry(keyword, 0);
    });
    view->click();
    QCOMPARE(window_->RowCount(), 1);
    QCOMPARE(RowTitle(0), QStringLiteral("Date Squares"));
}

void ResultsPageTest::headerClickOrdersEveryRecipeUntilTheNextView() {
    auto* keyword = window_->findChild<QToolButton*>(QStringLiteral("keywordSelector"));
    ChooseEntry(keyword, 8);
    QCOMPARE(window_->RowCount(), 2);
    pantrio::ResultsListView* list = window_->resultsPage()->list();
    QHeaderView* header = list->horizontalHeader();
    QVERIFY(!header->isSortIndicatorShown());
    const int x = header->sectionViewportPosition(pantrio::ResultsTableModel::TitleColumn) + 20;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(x, header->height() / 2));
    // Every recipe, whatever the keyword selector says, by title.
    QCOMPARE(window_->RowCount(), kNamed + kNumbered);
    QCOMPARE(RowTitle(0), QStringLiteral("Apple Pie"));
    QCOMPARE(keyword->text(), QStringLiteral("Desserts"));
    QVERIFY(header->isSortIndicatorShown());
    QCOMPARE(header->sortIndicatorSection(), int(pantrio::ResultsTableModel::TitleColumn));
    // The longer list brought a vertical scroll bar: the columns still fit.
    QTRY_VERIFY(list->verticalScrollBar()->isVisible());
    ExpectFittedColumns();
    // The selector's own view drops the order mark.
    keyword->click();
    QCOMPARE(window_->RowCount(), 2);
    QVERIFY(!header->isSortIndicatorShown());
    ChooseEntry(keyword, 0);
}

void ResultsPageTest::aFolderItemListsItsRecipes() {
    auto* navigation = window_->findChild<pantrio::NavigationBar*>(QStringLiteral("navigationBar"));
    QTreeWidgetItem* cuisines = navigation->topLevelItem(0)->child(0);
    cuisines->setExpanded(false);
    cuisines->setExpanded(true);  // opening the folder reads its items anew
    QTreeWidgetItem* french = nullptr;
    QStringList items;
    for (int i = 0; i < cuisines->childCount(); ++i) {
        items << cuisines->child(i)->text(0);
        if (cuisines->child(i)->text(0) == QStringLiteral("French")) french = cuisines->child(i);
    }
    for (const char* cuisine : {"American", "Canadian", "French"})
        QVERIFY2(items.contains(QString::fromLatin1(cuisine)), qPrintable(items.join('|')));
    // The navigation bar's own folder images, not the ticked recipe icons.
    QCOMPARE(french->icon(0).cacheKey(), pantrio::NavigationImage(8).cacheKey());
    window_->RunCommand(pantrio::command::kShowShoppingListPage);
    navigation->scrollToItem(french);
    QTest::mouseClick(navigation->viewport(), Qt::LeftButton, Qt::NoModifier,
                      navigation->visualItemRect(french).center());
    QCOMPARE(window_->RowCount(), 1);
    QCOMPARE(RowTitle(0), QStringLiteral("Carrot Soup"));
    // The recipes page came to the front.
    QVERIFY(window_->resultsPage()->isVisible());
}

void ResultsPageTest::typingMoreLettersMarksTheRowWithoutShowingIt() {
    auto& main = window_->main();
    main.Recipes().OnRowSelected(0);
    QCOMPARE(main.Recipes().Current().Title, std::string("Apple Pie"));
    pantrio::ResultsListView* list = window_->resultsPage()->list();
    list->setFocus();
    // Keys typed by an earlier test are forgotten.
    QTest::qWait(QApplication::keyboardInputInterval() + 100);
    QTest::keyClick(list, Qt::Key_B);
    QTest::keyClick(list, Qt::Key_C);
    // Listed from "B" on; the mark goes to the first title at or after "bc".
    QCOMPARE(RowTitle(0), QStringLiteral("Banana Bread"));
    QCOMPARE(window_->SelectedRows(), std::vector<int>({1}));
    QCOMPARE(RowTitle(1), QStringLiteral("Carrot Soup"));
    QCOMPARE(main.Recipes().Current().Title, std::string("Apple Pie"));

    // After a pause the typing starts anew.
    QTest::qWait(QApplication::keyboardInputInterval() + 100);
    QTest::keyClick(list, Qt::Key_D);
    QCOMPARE(RowTitle(0), QStringLiteral("Date Squares"));
    QCOMPARE(window_->SelectedRows(), std::vector<int>({0}));
}

void ResultsPageTest::typeAheadPastTheFirstBatchShowsTheRowsItRead() {
    pantrio::ResultsListView* list = window_->resultsPage()->list();
    list->setFocus();
    QTest::qWait(QApplication::keyboardInputInterval() + 100);
    for (Qt::Key key : {Qt::Key_Z, Qt::Key_E, Qt::Key_D, Qt::Key_2, Qt::Key_1})
        QTest::keyClick(list, key);
    // "Zed210" is row 210: the list read the batches up to it and no more.
    QCOMPARE(window_->SelectedRows(), std::vector<int>({210}));
    QCOMPARE(RowTitle(210), QStringLiteral("Zed210"));
    pantrio::ResultsModel& rows = window_->resultsModel().results();
    QCOMPARE(rows.TotalRows(), long(kNumbered));
    QVERIFY2(rows.RowsRead() <= 210 + pantrio::ResultsModel::kBatchSize,
             qPrintable(QString::number(rows.RowsRead())));
    // Every row read is one the view knows of: its header has a section for
    // each.
    QCOMPARE(long(list->verticalHeader()->count()), rows.LoadedRows());
    QVERIFY(list->visualRect(window_->resultsModel().index(210, 0)).isValid());

    // The same when the window's logic asks for a row's recipe further down.
    window_->main().Results().FillAllRecipes();
    QCOMPARE(rows.LoadedRows(), long(pantrio::ResultsModel::kBatchSize));
    QVERIFY(window_->RowRecipeID(150) > 0);
    QCOMPARE(long(list->verticalHeader()->count()), rows.LoadedRows());
    QVERIFY(rows.LoadedRows() > 150);
}

void ResultsPageTest::findRecipesStaysOpenAndListsWhatItFinds() {
    // The Find dialog's "More Options >>" opens Find Recipes beside the window.
    answers_->Then([](QWidget* w) {
        if (auto* more = w->findChild<QPushButton*>(QStringLiteral("moreOptions"))) more->click();
    });
    window_->RunCommand(pantrio::command::kFindRecipes);
    QCOMPARE(answers_->Pending(), 0);
    pantrio::FindRecipesDialog* dialog = window_->findRecipesDialog();
    QVERIFY(dialog != nullptr);
    QTRY_VERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QCOMPARE(window_->RowCount(), kNamed + kNumbered);  // nothing listed yet

    dialog->findChild<QComboBox*>(QStringLiteral("findTitle"))->setEditText(QStringLiteral("Ca"));
    dialog->move(260, 140);
    QTRY_COMPARE(dialog->pos(), QPoint(260, 140));
    dialog->findChild<QPushButton*>(QStringLiteral("findRecipesButton"))->click();
    QCOMPARE(window_->RowCount(), 1);
    QCOMPARE(RowTitle(0), QStringLiteral("Carrot Soup"));
    QVERIFY(!dialog->isVisible());
    QVERIFY(QApplication::overrideCursor() == nullptr);  // the wait cursor is gone
    QCOMPARE(window_->main().CurrentSettings().FilterDlgX, 260);
    QCOMPARE(window_->main().CurrentSettings().FilterDlgY, 140);
}

void ResultsPageTest::leftoverWizardSearchesTheBox() {
    answers_->Then([](QWidget* w) {
        auto* first = w->findChild<QLineEdit*>(QStringLiteral("leftover1"));
        if (first == nullptr) return;
        first->setText(QStringLiteral("dates"));
        w->findChild<QRadioButton*>(QStringLiteral("leftoverInBox"))->setChecked(true);
        QMetaObject::invokeMethod(w, "accept");
    });
    window_->RunCommand(pantrio::command::kLeftoverWizard);
    QCOMPARE(answers_->Pending(), 0);
    QCOMPARE(window_->RowCount(), 1);
    QCOMPARE(RowTitle(0), QStringLiteral("Date Squares"));

    // Cancel lists nothing new.
    answers_->Then([](QWidget* w) { QMetaObject::invokeMethod(w, "reject"); });
    window_->RunCommand(pantrio::command::kLeftoverWizard);
    QCOMPARE(answers_->Pending(), 0);
    QCOMPARE(window_->RowCount(), 1);
}

void ResultsPageTest::findInAllBoxesOpensTheBoxOfADoubleClickedRow() {
    // A second box beside the standard one, with two titles that begin like
    // the standard box's "Carrot Soup".
    pantrio::MainDialog& main = window_->main();
    const std::string standard = main.Boxes().OpenBoxFile();
    const QString pantry = dir_->filePath(QStringLiteral("root/Rbox/pantry.crb"));
    QVERIFY(QFile::copy(
        dir_->filePath(QStringLiteral("root/Data/cookbook_template_do_not_delete.crb")), pantry));
    {
        pantrio::RecipeDB db;
        QVERIFY(db.Open(pantry.toStdString()));
        QCOMPARE(db.RunSQL("INSERT INTO Recipes (RecipeID, Title, Instructions) VALUES (1, 'Cake', "
                           "'Bake the cake.'), (2, 'Cabbage Rolls', 'Roll the leaves.')"),
                 1);
    }
    const auto restore = qScopeGuard([&] {
        main.Boxes().OpenBox(standard);
        QFile::remove(pantry);
    });

    answers_->Then([](QWidget* w) {
        if (auto* more = w->findChild<QPushButton*>(QStringLiteral("moreOptions"))) more->click();
    });
    window_->RunCommand(pantrio::command::kFindRecipes);
    pantrio::FindRecipesDialog* dialog = window_->findRecipesDialog();
    QVERIFY(dialog != nullptr);
    QTRY_VERIFY(dialog->isVisible());
    dialog->findChild<QComboBox*>(QStringLiteral("findTitle"))->setEditText(QStringLiteral("Ca"));
    auto* allBoxes = dialog->findChild<QCheckBox*>(QStringLiteral("findRecipesAllBoxes"));
    QVERIFY(allBoxes != nullptr);
    QVERIFY(allBoxes->focusPolicy() & Qt::TabFocus);
    QVERIFY(allBoxes->text().contains(QStringLiteral("&a")));  // Alt+A ticks it too
    QTest::mouseClick(allBoxes, Qt::LeftButton, Qt::NoModifier, allBoxes->rect().center());
    QVERIFY(allBoxes->isChecked());
    auto* find = dialog->findChild<QPushButton*>(QStringLiteral("findRecipesButton"));
    QTest::mouseClick(find, Qt::LeftButton, Qt::NoModifier, find->rect().center());

    // Rows of both boxes by title, each naming its box in a column of its own.
    pantrio::ResultsListView* list = window_->resultsPage()->list();
    QTRY_COMPARE(Rows(), 3);
    QCOMPARE(RowTitle(0), QStringLiteral("Cabbage Rolls"));
    QCOMPARE(RowTitle(1), QStringLiteral("Cake"));
    QCOMPARE(RowTitle(2), QStringLiteral("Carrot Soup"));
    QVERIFY(!list->isColumnHidden(pantrio::ResultsTableModel::BoxColumn));
    auto& model = window_->resultsModel();
    QCOMPARE(model.data(model.index(0, pantrio::ResultsTableModel::BoxColumn)).toString(),
             QStringLiteral("pantry"));
    QCOMPARE(model.data(model.index(2, pantrio::ResultsTableModel::BoxColumn)).toString(),
             QStringLiteral("standard"));
    QVERIFY(window_->findChild<QLabel*>(QStringLiteral("statusLine"))
                ->text()
                .startsWith(QStringLiteral("3 recipes / 2 recipe boxes")));

    const int loads = window_->webTab()->LoadsFinished();
    const QRect rect = list->visualRect(model.index(0, 0));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    QTRY_COMPARE(QString::fromStdString(pantrio::BoxName(main.Boxes().OpenBoxFile())),
                 QStringLiteral("pantry"));
    QCOMPARE(main.Recipes().Current().Title, std::string("Cabbage Rolls"));
    QVERIFY(WaitForLoad(loads));
    QVERIFY(QString::fromStdString(window_->webTab()->DocumentSource())
                .contains(QStringLiteral("Roll the leaves.")));
    QCOMPARE(Rows(), 3);  // the list of both boxes stays
    if (!qEnvironmentVariableIsEmpty("PANTRIO_SCREENSHOT_DIR"))
        window_->grab().save(qEnvironmentVariable("PANTRIO_SCREENSHOT_DIR") +
                             QStringLiteral("/all-boxes.png"));

    // Back in a listing of one box, the box column goes.
    allBoxes->setChecked(false);
    main.Boxes().OpenBox(standard);
    main.Results().FillAllRecipes();
    QVERIFY(list->isColumnHidden(pantrio::ResultsTableModel::BoxColumn));
}

void ResultsPageTest::exportCookbookWritesTheListedRecipes() {
    // Nothing is marked: the two listed recipes make the book.
    window_->main().Results().FillResults(
        "Select RecipeID, Title, Color, Marked, TasteRating from Recipes where Title like 'Ca%' "
        "or Title like 'Da%'");
    QCOMPARE(Rows(), 2);
    const QString pdf = dir_->filePath(QStringLiteral("listed.pdf"));
    answers_->Then([pdf](QWidget* w) {
        auto* file = w->findChild<QLineEdit*>(QStringLiteral("cookbookFile"));
        QVERIFY(file != nullptr);
        QCOMPARE(w->findChild<QLineEdit*>(QStringLiteral("cookbookTitle"))->text(),
                 QStringLiteral("standard"));
        file->setText(pdf);
        QLineEdit* title = w->findChild<QLineEdit*>(QStringLiteral("cookbookTitle"));
        title->selectAll();
        QTest::keyClicks(title, QStringLiteral("Weekday Meals"));
        w->findChild<QComboBox*>(QStringLiteral("cookbookTheme"))->setCurrentIndex(3);
        if (!qEnvironmentVariableIsEmpty("PANTRIO_SCREENSHOT_DIR"))
            w->grab().save(qEnvironmentVariable("PANTRIO_SCREENSHOT_DIR") +
                           QStringLiteral("/cookbook-dialog.png"));
        QTest::keyClick(title, Qt::Key_Return);
    });
    window_->RunCommand(pantrio::command::kExportCookbook);
    QCOMPARE(answers_->Pending(), 0);
    QTRY_VERIFY(QFile::exists(pdf));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    // Title page, contents, the two recipes and the index.
    QCOMPARE(pantrio::CountPdfPages(file.readAll().toStdString()), 5);
    QVERIFY2(answers_->messages.contains(QStringLiteral("The cookbook of 2 recipes was saved as ") +
                                         pdf + QStringLiteral(".")),
             qPrintable(answers_->messages.join(QStringLiteral("\n"))));
    QVERIFY(QApplication::overrideCursor() == nullptr);
}
