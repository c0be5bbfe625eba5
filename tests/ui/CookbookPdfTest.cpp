#include "ui/CookbookPdfTest.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <filesystem>
#include <map>

#include "storage/RecipeDB.h"

namespace {

bool HavePoppler() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

// Output of a program, or an empty text when it failed.
QString Output(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

void CookbookPdfTest::initTestCase() {
    QVERIFY(dir_.isValid());
    namespace fs = std::filesystem;
    const fs::path root = dir_.filePath(QStringLiteral("root")).toStdString();
    fs::copy(PANTRIO_BUILT_DATA_DIR, root, fs::copy_options::recursive);
    QDir().mkpath(dir_.filePath(QStringLiteral("config/Hearthline")));
    QDir().mkpath(dir_.filePath(QStringLiteral("home")));

    // Three recipes; the long one takes more than one page.
    QString steps;
    for (int i = 1; i <= 260; ++i)
        steps += QStringLiteral("Step %1: stir the pot slowly and taste it again. ").arg(i);
    pantrio::RecipeDB box;
    QVERIFY(box.Open((root / "Rbox" / "standard.crb").string()));
    QCOMPARE(box.RunSQL("INSERT INTO Recipes (RecipeID, Title, Instructions, AllCategoriesText) "
                        "VALUES (1, 'Apple Pie', 'Bake it.', '|Desserts|Baking'), "
                        "(2, 'Slow Stew', '" +
                        steps.toStdString() +
                        "', '|Main Dish'), "
                        "(3, 'Rice Pudding', 'Stir the rice.', '|Desserts')"),
             1);
}

int CookbookPdfTest::Run(const QStringList& arguments, QString* err, const QString& platform) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir_.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("HOME"), dir_.filePath(QStringLiteral("home")));
    process.setProcessEnvironment(env);
    process.start(
        QStringLiteral(PANTRIO_DESKTOP_PATH),
        QStringList{QStringLiteral("--data-root"), dir_.filePath(QStringLiteral("root"))} +
            arguments);
    if (!process.waitForFinished(180000)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    if (err != nullptr) *err = QString::fromUtf8(process.readAllStandardError());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QString CookbookPdfTest::PdfText(const QString& pdf, int first, int last) {
    QStringList arguments{QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(first)};
    if (last > 0) arguments << QStringLiteral("-l") << QString::number(last);
    return Output(QStringLiteral("pdftotext"), arguments << pdf << QStringLiteral("-"));
}

void CookbookPdfTest::contentsAndIndexNameThePagesOfTheRecipes() {
    if (!HavePoppler()) QSKIP("pdftotext and pdfinfo (poppler-utils) are not installed");
    const QString pdf = dir_.filePath(QStringLiteral("book.pdf"));
    QString err;
    QCOMPARE(Run({QStringLiteral("--cookbook-pdf"), pdf, QStringLiteral("--theme"),
                  QStringLiteral("2"), QStringLiteral("--title"), QStringLiteral("Family Cookbook"),
                  QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("2")},
                 &err),
             0);

    // The title page, then the contents: every recipe with its first page.
    QVERIFY(PdfText(pdf, 1, 1).contains(QStringLiteral("Family Cookbook")));
    const QString contents = PdfText(pdf, 2, 2);
    QVERIFY2(contents.contains(QStringLiteral("Contents")), qPrintable(contents));
    std::map<QString, int> pages;
    for (const QString& title : {QStringLiteral("Rice Pudding"), QStringLiteral("Apple Pie"),
                                 QStringLiteral("Slow Stew"), QStringLiteral("Index")}) {
        const QRegularExpression row(
            QRegularExpression::escape(title) + QStringLiteral("\\s+(\\d+)\\s*$"),
            QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match = row.match(contents);
        QVERIFY2(match.hasMatch(), qPrintable(title + QStringLiteral(" in\n") + contents));
        pages[title] = match.captured(1).toInt();
    }
    // In the order given, each on its own sheets, the long stew on several.
    QCOMPARE(pages[QStringLiteral("Rice Pudding")], 3);
    QCOMPARE(pages[QStringLiteral("Apple Pie")], 4);
    QCOMPARE(pages[QStringLiteral("Slow Stew")], 5);
    QVERIFY(pages[QStringLiteral("Index")] > 6);
    for (const auto& [title, page] : pages)
        QVERIFY2(PdfText(pdf, page, page).contains(title),
                 qPrintable(title + QStringLiteral(" not on page ") + QString::number(page)));
    QVERIFY(!PdfText(pdf, 6, 6).contains(QStringLiteral("Apple Pie")));

    // The index is the last page: keywords with their recipes' pages.
    const QString info = Output(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QRegularExpression(
                 QStringLiteral("Pages:\\s+%1\\n").arg(pages[QStringLiteral("Index")]))),
             qPrintable(info));
    const QString index = PdfText(pdf, pages[QStringLiteral("Index")]);
    for (const QString& line :
         {QStringLiteral("Baking"), QStringLiteral("Desserts"), QStringLiteral("Main Dish")})
        QVERIFY2(index.contains(line), qPrintable(index));
    for (const QString& entry :
         {QStringLiteral("Apple Pie\\s+4"), QStringLiteral("Rice Pudding\\s+3"),
          QStringLiteral("Slow Stew\\s+5")})
        QVERIFY2(index.contains(QRegularExpression(entry)), qPrintable(entry + "\n" + index));
}

void CookbookPdfTest::badNumbersAndArgumentsFailWithTheirExitCodes() {
    const QString pdf = dir_.filePath(QStringLiteral("none.pdf"));
    QString err;
    QCOMPARE(Run({QStringLiteral("--cookbook-pdf"), pdf, QStringLiteral("1"), QStringLiteral("99")},
                 &err),
             1);
    QVERIFY2(err.contains(QStringLiteral("No recipe number 99 in ")), qPrintable(err));
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(Run({QStringLiteral("--cookbook-pdf"), pdf, QStringLiteral("--theme"),
                  QStringLiteral("9"), QStringLiteral("1")},
                 &err),
             2);
    QVERIFY2(err.contains(QStringLiteral("--cookbook-pdf OUT")), qPrintable(err));
    // Wrong arguments are refused before the toolkit starts, so even where
    // it could not start (no such platform) the answer is the usage.
    QCOMPARE(Run({QStringLiteral("--bogus")}, &err, QStringLiteral("none")), 2);
    QVERIFY2(err.contains(QStringLiteral("unknown option '--bogus'")), qPrintable(err));
}
