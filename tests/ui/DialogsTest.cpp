// The dialogs of the desktop program, worked like a user would, against one
// main window on a temporary data root shared by the whole suite.
#include "ui/DialogsTest.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTextEdit>

#include "core/MainCommands.h"
#include "core/ProgressWindow.h"
#include "core/Tips.h"
#include "recipe/Recipe.h"
#include "ui/BoxStatements.h"
#include "ui/CategoryEditDialog.h"
#include "ui/ClipboardImportDialog.h"
#include "ui/FindDialog.h"
#include "ui/ImportFromBoxDialog.h"
#include "ui/ImportProgressWindow.h"
#include "ui/MainWindow.h"
#include "ui/PagePictureDownload.h"
#include "ui/QtPrompter.h"
#include "ui/ResultsPage.h"
#include "ui/ResultsTableModel.h"

using pantrio::test::DialogAnswerer;

void DialogsTest::initTestCase() {
    SetUpWindow();
    for (const char* title : {"Fig Tart", "Gingerbread", "Hummus", "Irish Stew", "Jam Roll"}) {
        pantrio::Recipe recipe;
        recipe.Title = title;
        recipe.Instructions = std::string("Prepare the ") + title + " the way grandmother did.";
        recipe.AddCategoryName("Salads");
        SaveRecipe(recipe);
    }
}

void DialogsTest::init() {
    main().Results().FillAllRecipes();
    QCOMPARE(long(window_->RowCount()), Count("Select Count(*) from Recipes"));
}

long DialogsTest::Count(const std::string& statement) {
    return pantrio::test::BoxNumber(main(), statement);
}

void DialogsTest::screenImportBuildsTheRecipeFromTheMarkedParts() {
    // The window opens the dialog for Edit "Screen Import"; the user pastes,
    // marks the parts and presses "Import!".
    bool worked = false;
    answers_->Then([&worked](QWidget* w) {
        auto* dialog = qobject_cast<pantrio::ClipboardImportDialog*>(w);
        if (dialog == nullptr) return;
        QTextEdit* text = dialog->textBox();
        text->setPlainText(
            QStringLiteral("Lemon Curd\n3 lemons\n1 cup sugar\nWhisk over heat.\n"
                           "Stir until thick.\nFrom Aunt May"));
        auto select = [text](int from, int length) {
            QTextCursor cursor = text->textCursor();
            cursor.setPosition(from);
            cursor.setPosition(from + length, QTextCursor::KeepAnchor);
            text->setTextCursor(cursor);
        };
        const QString all = text->toPlainText();
        select(0, 5);  // "Lemon": replaced by the second title selection below
        dialog->MarkSelection(pantrio::ClipboardImportDialog::Title);
        select(0, 10);
        dialog->MarkSelection(pantrio::ClipboardImportDialog::Title);
        select(all.indexOf(QStringLiteral("3 lemons")), 20);
        dialog->MarkSelection(pantrio::ClipboardImportDialog::Ingredients);
        const int whisk = all.indexOf(QStringLiteral("Whisk"));
        select(whisk, all.indexOf(QStringLiteral("\nFrom")) - whisk);
        dialog->MarkSelection(pantrio::ClipboardImportDialog::Instructions);
        if (dialog->Slots().title != "Lemon Curd") return;
        if (dialog->Slots().ingredients != "3 lemons\n1 cup sugar") return;
        // The marked text takes the role's colour.
        QTextCursor probe(text->document());
        probe.setPosition(2);
        if (probe.charFormat().background().color() != QColor(0, 100, 255)) return;
        worked = true;
        dialog->findChild<QPushButton*>(QStringLiteral("importButton"))->click();
    });
    window_->RunCommand(pantrio::command::kScreenImport);
    QCOMPARE(answers_->Pending(), 0);
    QVERIFY(worked);
    const long imported = Count("Select RecipeID from Recipes where Title = 'Lemon Curd'");
    // The suite's other tests expect the box as it was.
    const auto removeImported =
        qScopeGuard([&] { main().Recipes().DeleteRecipe(static_cast<int>(imported)); });
    QVERIFY(imported > 0);
    // The list shows the imported recipe alone.
    QCOMPARE(window_->RowCount(), 1);
    QCOMPARE(window_->RowRecipeID(0), imported);
    QCOMPARE(
        Count("Select Count(*) from IngredientLines where RecipeID = " + std::to_string(imported)),
        2L);
    QCOMPARE(Count("Select Count(*) from Recipes where Title = 'Lemon Curd' and Instructions = "
                   "'Whisk over heat.' || char(13) || char(10) || 'Stir until thick.'"),
             1L);

    // Cancel stores nothing.
    answers_->Then([](QWidget* w) {
        if (auto* dialog = qobject_cast<pantrio::ClipboardImportDialog*>(w)) dialog->reject();
    });
    window_->RunCommand(pantrio::command::kImportClipboard);
    QCOMPARE(answers_->Pending(), 0);
    QCOMPARE(Count("Select Count(*) from Recipes where Title = 'Lemon Curd'"), 1L);
}

void DialogsTest::importFromBoxChecklistSelectsAll() {
    std::vector<pantrio::ListRow> rows(3);
    for (int i = 0; i < 3; ++i) {
        rows[i].text = "Recipe " + std::to_string(i);
        rows[i].data = 10 + i;
    }
    pantrio::ImportFromBoxDialog dialog(rows, window_.get());
    QVERIFY(dialog.Chosen().empty());
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("recipeChecklist"));
    list->item(2)->setCheckState(Qt::Checked);
    QCOMPARE(dialog.Chosen(), std::vector<long>({12}));
    auto* all = dialog.findChild<QCheckBox*>(QStringLiteral("selectAll"));
    all->setChecked(true);
    QCOMPARE(dialog.Chosen(), std::vector<long>({10, 11, 12}));
    all->setChecked(false);
    QVERIFY(dialog.Chosen().empty());
}

void DialogsTest::informationDialogWalksTheTips() {
    const int tipBefore = main().CurrentSettings().TipToShowNext;
    const int tipCount = static_cast<int>(pantrio::Tips(main().ServiceName()).size());
    // The window opens the dialog for "Recipe Box Information"; the user
    // walks the tips and ticks the check box on and off.
    QString first, afterNext, afterPrevious;
    int tipAfterWalk = -1, shownWhenTicked = -1, shownWhenCleared = -1;
    answers_->Then([&](QWidget* window) {
        auto* tip = window->findChild<QLabel*>(QStringLiteral("tipText"));
        auto* showAtStart = window->findChild<QCheckBox*>(QStringLiteral("showAtStart"));
        if (tip == nullptr || showAtStart == nullptr) return;
        first = tip->text();
        window->findChild<QPushButton*>(QStringLiteral("nextTip"))->click();
        afterNext = tip->text();
        window->findChild<QPushButton*>(QStringLiteral("previousTip"))->click();
        afterPrevious = tip->text();
        tipAfterWalk = main().CurrentSettings().TipToShowNext;
        showAtStart->setChecked(true);
        shownWhenTicked = main().CurrentSettings().ShowInfoAtStart;
        showAtStart->setChecked(false);
        shownWhenCleared = main().CurrentSettings().ShowInfoAtStart;
        window->close();
    });
    window_->RunCommand(pantrio::command::kInformation);
    QCOMPARE(answers_->Pending(), 0);
    QVERIFY(!first.isEmpty());
    QVERIFY(afterNext != first);
    QCOMPARE(afterPrevious, first);
    QCOMPARE(tipAfterWalk, (tipBefore + 1) % tipCount);
    QCOMPARE(shownWhenTicked != 0, true);
    QCOMPARE(shownWhenCleared, 0);
}

void DialogsTest::keywordEditorAddsWithEnterAndStores() {
    main().Recipes().OnRowSelected(0);  // Fig Tart, keyword Salads
    QCOMPARE(main().Recipes().Current().Title, std::string("Fig Tart"));
    pantrio::CategoryEditDialog dialog(main().Recipes(), window_.get());
    QVERIFY(dialog.Opened());
    auto* other = dialog.findChild<QListWidget*>(QStringLiteral("keywordList4"));
    QVERIFY(other != nullptr);
    auto* custom = dialog.findChild<QComboBox*>(QStringLiteral("customKeyword"));
    dialog.show();
    custom->setFocus();
    custom->setEditText(QStringLiteral("Spicy"));
    QTest::keyClick(custom->lineEdit(), Qt::Key_Return);
    QVERIFY(dialog.isVisible());  // Enter added the keyword, it did not close the dialog
    QCOMPARE(other->item(0)->text(), QStringLiteral("Spicy"));
    QCOMPARE(other->item(0)->checkState(), Qt::Checked);
    QVERIFY(custom->currentText().isEmpty());
    dialog.accept();
    const long id = main().Recipes().CurrentID();
    QCOMPARE(Count("Select Count(*) from Recipes where RecipeID = " + std::to_string(id) +
                   " and AllCategoriesText like '%|Spicy%' and AllCategoriesText like '%Salads%'"),
             1L);
}

void DialogsTest::findDialogSearchesTheBox() {
    answers_->Then([](QWidget* w) {
        auto* text = w->findChild<QLineEdit*>(QStringLiteral("findText"));
        if (text == nullptr) return;
        text->setText(QStringLiteral("stew"));
        QMetaObject::invokeMethod(w, "accept");
    });
    window_->RunCommand(251);
    QTRY_COMPARE(window_->RowCount(), 1);
    auto& model = window_->resultsModel();
    QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("Irish Stew"));

    // The next Find opens with the last text; Cancel lists nothing new.
    QString shown;
    answers_->Then([&shown](QWidget* w) {
        auto* text = w->findChild<QLineEdit*>(QStringLiteral("findText"));
        if (text == nullptr) return;
        shown = text->text();
        QMetaObject::invokeMethod(w, "reject");
    });
    main().Results().FillAllRecipes();
    window_->RunCommand(251);
    QCOMPARE(answers_->Pending(), 0);
    QCOMPARE(shown, QStringLiteral("stew"));
    QCOMPARE(long(window_->RowCount()), Count("Select Count(*) from Recipes"));
}

void DialogsTest::deleteAsksAndRemovesTheSelectedRecipe() {
    window_->SelectRow(3);  // Irish Stew
    answers_->Then(DialogAnswerer::PressButton(QMessageBox::Cancel));
    window_->RunCommand(pantrio::command::kDelete);
    QCOMPARE(answers_->messages.last(),
             QStringLiteral("Warning:  This will permanently delete this recipe from your recipe "
                            "box.  Are you sure?"));
    QCOMPARE(Count("Select Count(*) from Recipes"), 5L);
    answers_->Then(DialogAnswerer::PressButton(QMessageBox::Ok));
    QTest::keyClick(window_->resultsPage()->list(), Qt::Key_Delete);
    QCOMPARE(Count("Select Count(*) from Recipes where Title = 'Irish Stew'"), 0L);
    QCOMPARE(window_->RowCount(), 4);
}

void DialogsTest::nextAndPreviousWalkTheList() {
    window_->SelectRow(0);
    window_->RunCommand(pantrio::command::kPrevious);
    QCOMPARE(window_->SelectedRows(), std::vector<int>({0}));
    window_->RunCommand(pantrio::command::kNext);
    QCOMPARE(window_->SelectedRows(), std::vector<int>({1}));
    QCOMPARE(main().Recipes().Current().Title, std::string("Gingerbread"));
    const int last = window_->RowCount() - 1;
    window_->SelectRow(last);
    window_->RunCommand(pantrio::command::kNext);
    QCOMPARE(window_->SelectedRows(), std::vector<int>({last}));
}

void DialogsTest::expandingTheWebViewHidesTheList() {
    QWidget* list = window_->resultsPage();
    QVERIFY(list->isVisible());
    window_->RunCommand(pantrio::command::kExpandWebView);
    QVERIFY(!list->isVisible());
    QVERIFY(main().Web().Expanded());
    // Another page of the window returns the view to its normal size.
    window_->RunCommand(pantrio::command::kShowShoppingListPage);
    window_->RunCommand(pantrio::command::kShowRecipesPage);
    QVERIFY(list->isVisible());
}

void DialogsTest::progressWindowCancelSetsTheFlag() {
    pantrio::ImportProgressWindow& window =
        *window_->findChild<pantrio::ImportProgressWindow*>(QStringLiteral("importProgress"));
    window.SetCancelled(false);
    window.Show();
    window.SetStatus("Fig Tart");
    window.SetPosition(140);  // kept within the bar's range
    pantrio::ListRow message;
    message.text = "Duplicate found: Fig Tart.  Not added.";
    window.Messages().AddRow(message);
    QCOMPARE(window.findChild<QListWidget*>(QStringLiteral("importMessages"))->count(), 1);
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("importStatus"))->text(),
             QStringLiteral("Fig Tart"));
    QPushButton* cancel = nullptr;
    for (QPushButton* b : window.findChildren<QPushButton*>())
        if (b->text().contains(QStringLiteral("Cancel"))) cancel = b;
    QVERIFY(cancel != nullptr);
    cancel->click();
    QVERIFY(window.Cancelled());
    QVERIFY(!window.isVisible());
    window.ClearMessages();
    QCOMPARE(window.findChild<QListWidget*>(QStringLiteral("importMessages"))->count(), 0);
}

void DialogsTest::aPagesPictureBecomesJpegOrSaysWhyNot() {
    auto encoded = [](const char* format) {
        QImage image(40, 20, QImage::Format_ARGB32);
        image.fill(QColor(10, 200, 30, 100));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format);
        return bytes;
    };
    const QByteArray jpeg = encoded("JPG");
    struct Case {
        QByteArray bytes;
        const char* type;
        const char* failure;  // empty: JPEG bytes of a 40 x 20 picture
    };
    const Case cases[] = {
        {jpeg, "image/jpeg", ""},
        {encoded("PNG"), "image/png", ""},
        {encoded("WEBP"), "image/webp; charset=binary", ""},
        {encoded("PNG"), "image/gif",
         "the picture is of the type image/gif, not JPEG, PNG or WebP."},
        {"<html>not found</html>", "image/png", "the picture could not be read."},
        {QByteArray(pantrio::PagePictureDownload::kMaxBytes + 1, 'x'), "image/png",
         "the picture is larger than 10 MB."},
    };
    for (const Case& c : cases) {
        std::string failure;
        const std::string out =
            pantrio::PagePictureDownload::AsJpeg(c.bytes, QString::fromLatin1(c.type), failure);
        QCOMPARE(failure, std::string(c.failure));
        if (*c.failure != '\0') {
            QVERIFY(out.empty());
            continue;
        }
        const QImage back = QImage::fromData(QByteArray::fromStdString(out), "JPG");
        QCOMPARE(back.size(), QSize(40, 20));
    }
    // A JPEG is handed on as it came.
    std::string failure;
    QCOMPARE(pantrio::PagePictureDownload::AsJpeg(jpeg, QStringLiteral("image/jpeg"), failure),
             jpeg.toStdString());
}
