#include "ui/WindowFixture.h"

#include <QDate>
#include <QDir>
#include <QScrollBar>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include "recipe/Recipe.h"
#include "ui/ResultsPage.h"
#include "ui/ResultsTableModel.h"
#include "ui/WebViewTab.h"

namespace pantrio::test {

void WindowFixture::SetUpWindow() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    const QString config = dir_->filePath(QStringLiteral("config"));
    qputenv("XDG_CONFIG_HOME", config.toUtf8());
    QDir().mkpath(config + QStringLiteral("/Hearthline"));
    settings_ = std::make_unique<IniSettingsStore>(
        (config + QStringLiteral("/Hearthline/Pantrio.conf")).toStdString());
    const QDate today = QDate::currentDate();
    settings_->WriteNumber("iLastCheckedYear", today.year());
    settings_->WriteNumber("iLastCheckedMonth", today.month());
    settings_->WriteNumber("iLastCheckedDay", today.day());
    QVERIFY(settings_->Flush());
    prompter_ = std::make_unique<QtPrompter>();
    answers_ = std::make_unique<DialogAnswerer>();
    browser_.opened.clear();
    StartWindow();
}

void WindowFixture::StartWindow() {
    LaunchWindow();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    // The list's columns fit it as first shown, before anything is clicked.
    ExpectFittedColumns();
    // The welcome page has loaded.
    QVERIFY(WaitForLoad(0));
}

void WindowFixture::LaunchWindow() {
    MainWindowOptions options;
    options.dataRoot = dir_->filePath(QStringLiteral("root")).toStdString();
    options.installedDataFolder = PANTRIO_BUILT_DATA_DIR;
    options.windowStatePath = dir_->filePath(QStringLiteral("window.conf"));
    options.splash = false;
    options.externalBrowser = &browser_;
    window_ = std::make_unique<MainWindow>(*settings_, *prompter_, options);
    QCOMPARE(window_->Start(CommandLine{}), MainDialog::StartResult::Ready);
}

void WindowFixture::TearDownWindow() {
    if (window_) window_->close();
    window_.reset();
    answers_.reset();
    dir_.reset();
}

void WindowFixture::SaveRecipe(const Recipe& recipe) {
    Recipe copy = recipe;
    QCOMPARE(main().Recipes().SaveAsNew(copy), 0);
}

QString WindowFixture::RowTitle(int row) {
    auto& model = window_->resultsModel();
    return model.data(model.index(row, ResultsTableModel::TitleColumn)).toString();
}

void WindowFixture::ClickRow(int row, int x) {
    ResultsListView* list = window_->resultsPage()->list();
    const QRect rect = list->visualRect(window_->resultsModel().index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(rect.left() + x, rect.center().y()));
}

void WindowFixture::ExpectFittedColumns() {
    using Model = ResultsTableModel;
    ResultsListView* list = window_->resultsPage()->list();
    QTRY_COMPARE(list->columnWidth(Model::TitleColumn) + list->columnWidth(Model::RatingColumn),
                 list->viewport()->width());
    QCOMPARE(list->columnWidth(Model::RatingColumn), 95);
    QVERIFY(list->columnWidth(Model::TitleColumn) > 200);
    QVERIFY(!list->horizontalScrollBar()->isVisible());
}

QVariant WindowFixture::RunInPage(const QString& script) {
    QVariant result;
    bool done = false;
    window_->webTab()->view()->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                                     [&](const QVariant& value) {
                                                         result = value;
                                                         done = true;
                                                     });
    if (!QTest::qWaitFor([&] { return done; }, 10000)) return {};
    return result;
}

bool WindowFixture::WaitForLoad(int before) {
    return QTest::qWaitFor([&] { return window_->webTab()->LoadsFinished() > before; }, 90000);
}

}  // namespace pantrio::test
