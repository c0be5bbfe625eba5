// The desktop program's main window against a real data root made from the
// shipped data, a real recipe box and the real web engine, run under a
// virtual display. Each test starts a window of its own on a fresh
// temporary data root with a few recipes.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <memory>

#include "core/IniSettingsStore.h"
#include "core/MainCommands.h"
#include "core/OptionsSheet.h"
#include "core/PageImport.h"
#include "formats/RecipeDocument.h"
#include "recipe/Recipe.h"
#include "storage/CADODatabase.h"
#include "ui/AppUrlScheme.h"
#include "ui/BoxStatements.h"
#include "ui/CookbookPdfTest.h"
#include "ui/DialogAnswerer.h"
#include "ui/DialogsTest.h"
#include "ui/EditTabTest.h"
#include "ui/MainWindow.h"
#include "ui/MealPlanPageTest.h"
#include "ui/MenusTest.h"
#include "ui/NutritionWindowTest.h"
#include "ui/PostingWindowTest.h"
#include "ui/RatingDialogTest.h"
#include "ui/ResultsPage.h"
#include "ui/ResultsPageTest.h"
#include "ui/ResultsTableModel.h"
#include "ui/ShoppingListPageTest.h"
#include "ui/WebRecipesDialog.h"
#include "ui/WebViewTab.h"
#include "ui/WindowFixture.h"

using pantrio::test::DialogAnswerer;

class MainWindowTest : public QObject, protected pantrio::test::WindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { TearDownWindow(); }

    void startsOnTheDataRootWithTheRecipesListed();
    void clickingARowShowsTheLocalRecipePage();
    void clickingTheIconTogglesTheMark();
    void anAppKeywordLinkRefillsTheList();
    void pageLinksSearchByMouseAndKeyboard_data();
    void pageLinksSearchByMouseAndKeyboard();
    void typingALetterListsFromThatTitleOn();
    void choosingAnotherThemeShowsThePageInIt();
    void importingAnExchangeFileThroughTheMenuListsIt();
    void aPublishedPageImportsWithTheImportButton();
    void pagesWithoutBothMarkersAreRefused();
    void aPageOfTwoRecipesOffersAChecklistAndFetchesThePicture();
    void theWindowKeepsItsSizeBetweenRuns();
    void theListShowsBeforeTheWebEngineIsMade();

private:
    // Runs `script` in the page of the View tab, apart from the page's own
    // scripts (which recipe pages have turned off), and waits for its value.
    // Where the link to `href` is on screen, in the browser widget's
    // coordinates, scrolled into view; a null point when the page has none.
    QPoint LinkPosition(const QString& href);
    void AddRecipe(const std::string& title, const std::string& cuisine,
                   const std::string& keyword);
};

void MainWindowTest::init() {
    SetUpWindow();
    AddRecipe("Apple Pie", "American", "Desserts");
    AddRecipe("Banana Bread", "American", "Breads");
    AddRecipe("Carrot Soup", "French", "Soups");
    AddRecipe("Date Squares", "Canadian", "Desserts");
    window_->main().Results().FillAllRecipes();
    window_->main().Boxes().ShowBoxLine();
    QCOMPARE(Rows(), 4);
}

void MainWindowTest::AddRecipe(const std::string& title, const std::string& cuisine,
                               const std::string& keyword) {
    pantrio::Recipe recipe;
    recipe.Title = title;
    recipe.Cuisine = cuisine;
    recipe.Instructions = "Mix everything for " + title + " and bake until done.";
    recipe.AddLine(false, "2", "cups", "flour", "", 2);
    recipe.AddCategoryName(keyword);
    SaveRecipe(recipe);
}

void MainWindowTest::startsOnTheDataRootWithTheRecipesListed() {
    auto* boxLine = window_->findChild<QLabel*>(QStringLiteral("boxLine"));
    QVERIFY(boxLine != nullptr);
    QVERIFY2(boxLine->text().contains(QStringLiteral("standard.crb (4 recipes)")),
             qPrintable(boxLine->text()));
    auto* status = window_->findChild<QLabel*>(QStringLiteral("statusLine"));
    QCOMPARE(status->text(), QStringLiteral("4 recipes / 4 in recipe box"));
    QCOMPARE(RowTitle(0), QStringLiteral("Apple Pie"));
    QCOMPARE(window_->windowTitle(), QStringLiteral("Pantrio(tm)"));
    // The run is counted in the user's settings file.
    pantrio::IniSettingsStore reread(settings_->Path());
    QVERIFY(reread.Load());
    QCOMPARE(reread.ReadNumber("RC").value_or(0), 1);
}

void MainWindowTest::clickingARowShowsTheLocalRecipePage() {
    const int loads = window_->webTab()->LoadsFinished();
    ClickRow(1, 60);
    QVERIFY(WaitForLoad(loads));
    QCOMPARE(window_->main().Recipes().Current().Title, std::string("Banana Bread"));
    pantrio::WebViewTab* tab = window_->webTab();
    QVERIFY(tab->Address().startsWith(QStringLiteral("file://")));
    QVERIFY(QString::fromStdString(tab->DocumentSource()).contains(QStringLiteral("Banana Bread")));
    // A local page offers Rate but no Import.
    QVERIFY(!tab->findChild<QToolButton*>(QStringLiteral("rateButton"))->isHidden());
    QVERIFY(tab->findChild<QToolButton*>(QStringLiteral("rateInactive"))->isHidden());
    QVERIFY(tab->findChild<QToolButton*>(QStringLiteral("importButton"))->isHidden());
    QVERIFY(!tab->findChild<QToolButton*>(QStringLiteral("importInactive"))->isHidden());
    // The page's passing status texts leave the list's count line alone.
    QCOMPARE(window_->findChild<QLabel*>(QStringLiteral("statusLine"))->text(),
             QStringLiteral("4 recipes / 4 in recipe box"));
}

void MainWindowTest::clickingTheIconTogglesTheMark() {
    ClickRow(2, 60);  // select the row first: the icon toggles with one row selected
    ClickRow(2, 8);
    auto& main = window_->main();
    const std::string marked = "Select Marked from Recipes where Title = 'Carrot Soup'";
    QTRY_COMPARE(pantrio::test::BoxNumber(main, marked) != 0, true);
    auto& model = window_->resultsModel();
    QCOMPARE(model.data(model.index(2, pantrio::ResultsTableModel::MarkedColumn)).toString(),
             QStringLiteral("255"));
    ClickRow(2, 8);
    QTRY_COMPARE(pantrio::test::BoxNumber(main, marked), 0L);
}

void MainWindowTest::anAppKeywordLinkRefillsTheList() {
    pantrio::WebViewTab* tab = window_->webTab();
    int loads = tab->LoadsFinished();
    ClickRow(2, 60);
    QVERIFY(WaitForLoad(loads));
    const QString shown = tab->Address();
    // The page's keyword link, as the page hands it to the engine: the
    // engine's navigation check runs it as a search and cancels it.
    tab->Navigate("app:FindKeyword(Desserts)");
    QTRY_COMPARE(Rows(), 2);
    QCOMPARE(RowTitle(0), QStringLiteral("Apple Pie"));
    QCOMPARE(RowTitle(1), QStringLiteral("Date Squares"));
    // The link was a search, not a navigation: the recipe page stays.
    QTest::qWait(200);
    QCOMPARE(tab->Address(), shown);
}

QPoint MainWindowTest::LinkPosition(const QString& href) {
    const QVariant rect = RunInPage(QStringLiteral(R"(
        (function() {
            const link = [...document.links].find(a => a.getAttribute('href') === '%1');
            if (!link) return null;
            link.scrollIntoView({block: 'center'});
            const r = link.getBoundingClientRect();
            return [r.left + r.width / 2, r.top + r.height / 2];
        })())")
                                        .arg(href));
    const QVariantList xy = rect.toList();
    if (xy.size() != 2) return {};
    return QPoint(qRound(xy[0].toDouble()), qRound(xy[1].toDouble()));
}

void MainWindowTest::pageLinksSearchByMouseAndKeyboard_data() {
    QTest::addColumn<int>("theme");
    QTest::addColumn<bool>("keyboard");
    for (int theme : {0, 5}) {
        const QByteArray t = QByteArray::number(theme);
        QTest::newRow("mouse, theme " + t) << theme << false;
        QTest::newRow("keyboard, theme " + t) << theme << true;
    }
}

void MainWindowTest::pageLinksSearchByMouseAndKeyboard() {
    QFETCH(int, theme);
    QFETCH(bool, keyboard);
    auto& main = window_->main();
    pantrio::OptionsSheet sheet;
    sheet.Open(main.CurrentSettings());
    sheet.SelectTheme(theme);
    main.ApplyOptions(sheet);
    pantrio::test::RunOnBox(main,
                            "Update Recipes set PrimaryIngredient = 'Apples' "
                            "where Title = 'Apple Pie'");
    pantrio::WebViewTab* tab = window_->webTab();
    const int loads = tab->LoadsFinished();
    ClickRow(0, 60);
    QVERIFY(WaitForLoad(loads));
    QCOMPARE(main.Recipes().Current().Title, std::string("Apple Pie"));
    QWidget* browser = tab->view()->focusProxy();
    QVERIFY(browser != nullptr);

    const struct {
        const char* href;
        QStringList listed;
    } links[] = {
        {"app:FindCuisine(American)", {"Apple Pie", "Banana Bread"}},
        {"app:FindPrimaryIngredient(Apples)", {"Apple Pie"}},
        {"app:FindKeyword(Desserts)", {"Apple Pie", "Date Squares"}},
        {"app:FindRecipe(1)", {"Apple Pie"}},
    };
    for (const auto& link : links) {
        const QString href = QString::fromLatin1(link.href);
        main.Results().FillAllRecipes();
        QCOMPARE(Rows(), 4);
        QTRY_VERIFY2(!LinkPosition(href).isNull(), link.href);
        const QString shown = tab->Address();
        if (keyboard) {
            // From the top of the page, Tab to the link, then Enter, as a
            // person without a mouse does. (Under the virtual display no
            // window manager activates the window, so the keys go to the
            // browser directly.)
            RunInPage(QStringLiteral("document.activeElement.blur(); window.scrollTo(0, 0)"));
            browser->setFocus();
            bool reached = false;
            for (int presses = 0; presses < 40 && !reached; ++presses) {
                QTest::keyClick(browser, Qt::Key_Tab);
                reached = QTest::qWaitFor(
                    [&] {
                        return RunInPage(
                                   QStringLiteral("document.activeElement.getAttribute('href')"))
                                   .toString() == href;
                    },
                    300);
            }
            QVERIFY2(reached, link.href);
            QTest::keyClick(browser, Qt::Key_Return);
        } else {
            QTest::mouseClick(browser, Qt::LeftButton, Qt::NoModifier, LinkPosition(href));
        }
        QTRY_COMPARE(Rows(), int(link.listed.size()));
        for (int r = 0; r < link.listed.size(); ++r) QCOMPARE(RowTitle(r), link.listed[r]);
        // The link was a search: the recipe's page is still there, not blank.
        QTest::qWait(200);
        QCOMPARE(tab->Address(), shown);
        QVERIFY(RunInPage(QStringLiteral("document.body ? document.body.innerText : ''"))
                    .toString()
                    .contains(QStringLiteral("Apple Pie")));
    }
}

void MainWindowTest::typingALetterListsFromThatTitleOn() {
    pantrio::ResultsListView* list = window_->resultsPage()->list();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_C);
    QTRY_COMPARE(Rows(), 2);
    QCOMPARE(RowTitle(0), QStringLiteral("Carrot Soup"));
    QCOMPARE(RowTitle(1), QStringLiteral("Date Squares"));
}

void MainWindowTest::choosingAnotherThemeShowsThePageInIt() {
    int loads = window_->webTab()->LoadsFinished();
    ClickRow(0, 60);
    QVERIFY(WaitForLoad(loads));
    const std::string before = window_->webTab()->DocumentSource();
    answers_->Then([](QWidget* w) {
        auto* themes = w->findChild<QComboBox*>(QStringLiteral("themeList"));
        if (themes == nullptr) return;
        themes->setCurrentIndex(3);
        QMetaObject::invokeMethod(w, "accept");
    });
    loads = window_->webTab()->LoadsFinished();
    window_->RunCommand(pantrio::command::kOptions);
    QVERIFY(WaitForLoad(loads));
    QCOMPARE(window_->main().CurrentSettings().HTMLStyle, 3);
    const std::string after = window_->webTab()->DocumentSource();
    QVERIFY(after.find("Apple Pie") != std::string::npos);
    QVERIFY(after != before);
    // The choice is saved at once.
    pantrio::IniSettingsStore reread(settings_->Path());
    QVERIFY(reread.Load());
    QCOMPARE(reread.ReadNumber("HTMLStyle").value_or(-1), 3);
}

void MainWindowTest::importingAnExchangeFileThroughTheMenuListsIt() {
    pantrio::Recipe recipe;
    recipe.Title = "Elderflower Cordial";
    recipe.Instructions = "Steep the flowers overnight with lemon and sugar.";
    recipe.AddLine(false, "20", "", "elderflower heads", "", 20);
    const QString path = dir_->filePath(QStringLiteral("cordial.rxf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(pantrio::WriteRecipeDocument(recipe)));
    file.close();

    answers_->Then(DialogAnswerer::ChooseFile(path));
    auto* action = window_->findChild<QAction*>(
        QStringLiteral("command%1").arg(pantrio::command::kImportRecipeFile));
    QVERIFY(action != nullptr);
    action->trigger();
    QTRY_COMPARE(Rows(), 5);
    QCOMPARE(answers_->Pending(), 0);
    bool listed = false;
    for (int r = 0; r < Rows(); ++r) listed = listed || RowTitle(r) == "Elderflower Cordial";
    QVERIFY(listed);
}

void MainWindowTest::aPublishedPageImportsWithTheImportButton() {
    ClickRow(0, 60);
    QTRY_COMPARE(window_->main().Recipes().Current().Title, std::string("Apple Pie"));
    // No nutrition box; then the closing message is answered by default.
    answers_->Then(DialogAnswerer::PressButton(QMessageBox::No));
    window_->RunCommand(pantrio::command::kPublishToHtml);
    QTRY_COMPARE(browser_.opened.size(), std::size_t(1));
    const QString folder = dir_->filePath(QStringLiteral("root/Publish"));
    const QStringList pages =
        QDir(folder).entryList({QStringLiteral("apple_pie_*.htm")}, QDir::Files);
    QCOMPARE(pages.size(), 1);

    // The recipe leaves the box; the published page brings it back.
    auto& main = window_->main();
    QVERIFY(main.Recipes().DeleteRecipe(1));
    main.Results().FillAllRecipes();
    QCOMPARE(Rows(), 3);
    auto* boxLine = window_->findChild<QLabel*>(QStringLiteral("boxLine"));
    QVERIFY2(boxLine->text().endsWith(QStringLiteral("(3 recipes)")), qPrintable(boxLine->text()));

    pantrio::WebViewTab* tab = window_->webTab();
    int loads = tab->LoadsFinished();
    tab->Navigate("file://" + (folder + QLatin1Char('/') + pages.first()).toStdString());
    QVERIFY(WaitForLoad(loads));
    auto* import = tab->findChild<QToolButton*>(QStringLiteral("importButton"));
    QVERIFY(!import->isHidden());
    const int imported = main.CurrentSettings().ImportedRec;
    loads = tab->LoadsFinished();
    import->click();
    QTRY_COMPARE(Rows(), 1);
    QCOMPARE(RowTitle(0), QStringLiteral("Apple Pie"));
    QCOMPARE(pantrio::test::BoxNumber(main, "Select Count(RecipeID) from Recipes"), 4L);
    QCOMPARE(main.Recipes().Current().Title, std::string("Apple Pie"));
    QCOMPARE(main.CurrentSettings().ImportedRec, imported + 1);
    QVERIFY2(boxLine->text().endsWith(QStringLiteral("(4 recipes)")), qPrintable(boxLine->text()));
    // The imported recipe is shown as a local page.
    QVERIFY(WaitForLoad(loads));
    QVERIFY(tab->findChild<QToolButton*>(QStringLiteral("importButton"))->isHidden());

    // Importing the same page again finds the stored copy and counts nothing.
    loads = tab->LoadsFinished();
    tab->Navigate("file://" + (folder + QLatin1Char('/') + pages.first()).toStdString());
    QVERIFY(WaitForLoad(loads));
    import->click();
    QTRY_COMPARE(Rows(), 1);
    QCOMPARE(pantrio::test::BoxNumber(main, "Select Count(RecipeID) from Recipes"), 4L);
    QCOMPARE(main.CurrentSettings().ImportedRec, imported + 1);
}

void MainWindowTest::pagesWithoutBothMarkersAreRefused() {
    std::string error;
    QVERIFY(pantrio::EmbeddedRecipeText("<html>plain page</html>", error).empty());
    QCOMPARE(error, std::string("Recipe not in Pantrio format."));
    QVERIFY(pantrio::EmbeddedRecipeText("<!--@pxbegin--<RECIPE>", error).empty());
    QCOMPARE(error, std::string("Recipe not in Pantrio format:  No end tag."));
    QCOMPARE(pantrio::EmbeddedRecipeText("x<!--@PXBEGIN--<R/>@pxend-->y", error),
             std::string("--<R/>"));
    QVERIFY(error.empty());

    // Through the window: the message is shown and nothing is stored.
    window_->main().Web().ImportPage("<html>nothing here</html>");
    QTRY_VERIFY(answers_->messages.contains(QStringLiteral("Recipe not in Pantrio format.")));
    QCOMPARE(pantrio::test::BoxNumber(window_->main(), "Select Count(RecipeID) from Recipes"), 4L);
}

void MainWindowTest::aPageOfTwoRecipesOffersAChecklistAndFetchesThePicture() {
    // A recipe site on a loopback server: a page of two recipes, each with a
    // picture; the second's is a PNG.
    const QString site = dir_->filePath(QStringLiteral("site"));
    QVERIFY(QDir().mkpath(site));
    QImage picture(640, 480, QImage::Format_ARGB32);
    picture.fill(QColor(200, 120, 40, 128));
    QVERIFY(picture.save(site + QStringLiteral("/stew.png"), "PNG"));
    QFile page(site + QStringLiteral("/recipes.html"));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write(R"(<html><head><title>Two</title><script type="application/ld+json">)"
               R"({"@context":"https://schema.org","@graph":[)"
               R"({"@type":"Recipe","name":"Pear Tart","image":"missing.jpg",)"
               R"("recipeIngredient":["2 pears"],"recipeInstructions":"Bake."},)"
               R"({"@type":"Recipe","name":"Lentil Stew","image":{"@type":"ImageObject",)"
               R"("url":"stew.png"},"recipeIngredient":["1 cup lentils"],)"
               R"("recipeInstructions":"Simmer."}]})"
               R"(</script></head><body>Two recipes</body></html>)");
    page.close();
    QProcess server;
    server.start(QStringLiteral("python3"),
                 {QStringLiteral("-u"), QStringLiteral("-m"), QStringLiteral("http.server"),
                  QStringLiteral("0"), QStringLiteral("--bind"), QStringLiteral("127.0.0.1"),
                  QStringLiteral("--directory"), site});
    QString banner;
    QTRY_VERIFY_WITH_TIMEOUT((banner += server.readAllStandardOutput()).contains(" port "), 15000);
    const QString port =
        banner.section(QStringLiteral(" port "), 1).section(QLatin1Char(' '), 0, 0);

    pantrio::WebViewTab* tab = window_->webTab();
    int loads = tab->LoadsFinished();
    tab->Navigate("http://127.0.0.1:" + port.toStdString() + "/recipes.html");
    QVERIFY(WaitForLoad(loads));
    auto* import = tab->findChild<QToolButton*>(QStringLiteral("importButton"));
    QTRY_VERIFY(import->isVisible());

    // The checklist: both ticked; the first is unticked with a click on its
    // check box, then "Select none" and "Select all" by keyboard, and the
    // first unticked again with Space; OK.
    QStringList offered;
    std::vector<int> chosen;
    bool okDisabledWithNone = false;
    answers_->Then([&](QWidget* w) {
        auto* dialog = qobject_cast<pantrio::WebRecipesDialog*>(w);
        if (dialog == nullptr) return;
        auto* list = dialog->findChild<QListWidget*>(QStringLiteral("webRecipeList"));
        for (int i = 0; i < list->count(); ++i) offered << list->item(i)->text();
        // With PANTRIO_DIALOG_SHOTS naming a folder, a picture of the checklist goes there.
        const QString shots = qEnvironmentVariable("PANTRIO_DIALOG_SHOTS");
        if (!shots.isEmpty()) dialog->grab().save(shots + QStringLiteral("/web_recipes.png"));
        QStyleOptionViewItem option;
        option.initFrom(list);
        option.rect = list->visualItemRect(list->item(0));
        option.features =
            QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        option.text = list->item(0)->text();
        const QRect box =
            list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
        chosen = dialog->Chosen();
        auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("okButton"));
        // By keyboard: Tab from the list to "Select all", Tab to "Select
        // none", Space; then "Select all" with Shift+Tab and Space; back in
        // the list Space unticks its current (first) row.
        dialog->activateWindow();
        if (!QTest::qWaitForWindowActive(dialog)) return dialog->reject();
        auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        };
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        if (QApplication::focusWidget()->objectName() == QLatin1String("selectNone"))
            press(Qt::Key_Space);
        okDisabledWithNone = dialog->Chosen().empty() && !ok->isEnabled();
        press(Qt::Key_Tab, Qt::ShiftModifier);
        press(Qt::Key_Space);
        press(Qt::Key_Tab, Qt::ShiftModifier);
        if (QApplication::focusWidget() == list) press(Qt::Key_Space);
        if (dialog->Chosen() == std::vector<int>{1})
            QTest::mouseClick(ok, Qt::LeftButton, {}, ok->rect().center());
        else
            dialog->reject();
    });
    auto& main = window_->main();
    loads = tab->LoadsFinished();
    QTest::mouseClick(import, Qt::LeftButton, {}, import->rect().center());
    QCOMPARE(answers_->Pending(), 0);
    QCOMPARE(offered, QStringList({QStringLiteral("Pear Tart"), QStringLiteral("Lentil Stew")}));
    QCOMPARE(chosen, std::vector<int>{1});
    QVERIFY(okDisabledWithNone);
    QTRY_COMPARE(Rows(), 1);
    QCOMPARE(RowTitle(0), QStringLiteral("Lentil Stew"));
    QCOMPARE(pantrio::test::BoxNumber(main, "Select Count(RecipeID) from Recipes"), 5L);
    QCOMPARE(
        pantrio::test::BoxNumber(main, "Select Count(*) from Recipes where Title = 'Pear Tart'"),
        0L);

    // The picture comes through the page's session, converted and reduced.
    QTRY_VERIFY_WITH_TIMEOUT(
        pantrio::test::BoxNumber(main,
                                 "Select Count(*) from Recipes where RecipeID = 5 and "
                                 "PictureFile1 = '5_Lentil_Stew.jpg'") == 1,
        20000);
    QImage stored(dir_->filePath(QStringLiteral("root/Rbox/Pictures/5_Lentil_Stew.jpg")));
    QCOMPARE(stored.size(), QSize(300, 225));
    QCOMPARE(window_->statusBar()->currentMessage(), QStringLiteral("Imported with its picture."));
    server.kill();
    server.waitForFinished();
}

void MainWindowTest::theWindowKeepsItsSizeBetweenRuns() {
    window_->showNormal();
    window_->resize(1300, 820);
    QTRY_COMPARE(window_->size(), QSize(1300, 820));
    window_->close();
    window_.reset();
    StartWindow();
    QCOMPARE(window_->size(), QSize(1300, 820));
}

void MainWindowTest::theListShowsBeforeTheWebEngineIsMade() {
    window_->close();
    window_.reset();
    LaunchWindow();
    // Start has returned and no event has been handled since: the window is
    // up with its list filled, and the web engine is not made yet.
    QVERIFY(window_->isVisible());
    QCOMPARE(Rows(), 4);
    QCOMPARE(RowTitle(2), QStringLiteral("Carrot Soup"));
    pantrio::WebViewTab* tab = window_->webTab();
    QVERIFY(tab->view() == nullptr);
    QVERIFY(tab->findChild<QWidget*>(QStringLiteral("browserPlaceholder")) != nullptr);
    // A recipe chosen meanwhile is shown once the engine is up, after the
    // pages asked for at start-up.
    ClickRow(2, 60);
    QCOMPARE(window_->main().Recipes().Current().Title, std::string("Carrot Soup"));
    QVERIFY(tab->view() == nullptr);
    QVERIFY(QTest::qWaitFor([tab] { return tab->view() != nullptr; }, 30000));
    QVERIFY(tab->findChild<QWidget*>(QStringLiteral("browserPlaceholder")) == nullptr);
    QVERIFY(QTest::qWaitFor(
        [tab] {
            return QString::fromStdString(tab->DocumentSource())
                .contains(QStringLiteral("Carrot Soup"));
        },
        90000));
    QVERIFY(tab->Address().startsWith(QStringLiteral("file://")));
    QVERIFY(tab->view()->isVisible());
}

int main(int argc, char** argv) {
    pantrio::RegisterAppUrlScheme();
    // Test databases are thrown away: commits need not wait for the disk.
    pantrio::CADODatabase::SetDiskSync(pantrio::DiskSync::Off);
    QApplication app(argc, argv);
    int failures = 0;
    {
        MainWindowTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        DialogsTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        ResultsPageTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        MenusTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        EditTabTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        NutritionWindowTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        MealPlanPageTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        ShoppingListPageTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        CookbookPdfTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        RatingDialogTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        PostingWindowTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures;
}

#include "MainWindowTest.moc"
