// "pantrio --cookbook-pdf": the desktop program run headless on a data root
// of its own writes a cookbook whose contents and index name the pages the
// recipes are really on (read back with poppler's pdfinfo and pdftotext).
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class CookbookPdfTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void contentsAndIndexNameThePagesOfTheRecipes();
    void badNumbersAndArgumentsFailWithTheirExitCodes();

private:
    // Runs the program with `arguments` after the data root's; its exit code
    // (-1 when it did not end in time), standard error in `err`.
    int Run(const QStringList& arguments, QString* err = nullptr,
            const QString& platform = QStringLiteral("offscreen"));
    // pdftotext of pages `first` to `last` (0: to the end) in layout mode.
    QString PdfText(const QString& pdf, int first = 1, int last = 0);

    QTemporaryDir dir_;
};
