#include "ui/CookbookPrinter.h"

#include <QByteArray>
#include <QEventLoop>
#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPointer>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <memory>
#include <optional>
#include <vector>

#include "render/Cookbook.h"

namespace pantrio {

namespace {

// The longest wait for one part to load or print.
constexpr int kPartTimeoutMs = 60000;

// One page of the engine that loads a part from a file and prints it.
class PartPrinter {
public:
    PartPrinter() {
        // Recipe pages carry no script of their own that printing needs.
        page_.settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
        page_.settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    }

    bool Ok() const { return folder_.isValid(); }

    // The PDF of `html`; nothing when it could not be loaded or printed.
    std::optional<QByteArray> Print(const std::string& html) {
        // A part of many pictures outgrows what setHtml takes: it goes
        // through a file named anew each time, so the page loads it afresh.
        const QString file = folder_.filePath(QStringLiteral("part%1.htm").arg(++parts_));
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly)) return std::nullopt;
        out.write(html.data(), static_cast<qint64>(html.size()));
        out.close();

        QEventLoop wait;
        QTimer timeout;
        timeout.setSingleShot(true);
        QObject::connect(&timeout, &QTimer::timeout, &wait, &QEventLoop::quit);
        bool loaded = false;
        const auto done =
            QObject::connect(&page_, &QWebEnginePage::loadFinished, &wait, [&](bool ok) {
                loaded = ok;
                wait.quit();
            });
        page_.load(QUrl::fromLocalFile(file));
        timeout.start(kPartTimeoutMs);
        wait.exec();
        QObject::disconnect(done);
        if (!loaded) return std::nullopt;

        // The answer may come after a timeout gave up on it: it then finds
        // the wait gone and keeps its bytes to itself.
        struct Answer {
            bool finished = false;
            QByteArray bytes;
        };
        const auto answer = std::make_shared<Answer>();
        QPointer<QEventLoop> waiting(&wait);
        page_.printToPdf(
            [answer, waiting](const QByteArray& bytes) {
                answer->finished = true;
                answer->bytes = bytes;
                if (waiting) waiting->quit();
            },
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                        QPageLayout::Millimeter));
        timeout.start(kPartTimeoutMs);
        if (!answer->finished) wait.exec();
        if (!answer->finished || answer->bytes.isEmpty()) return std::nullopt;
        return answer->bytes;
    }

private:
    QTemporaryDir folder_;
    QWebEnginePage page_;
    int parts_ = 0;
};

}  // namespace

std::string PrintCookbookPdf(Cookbook& cookbook, const std::string& path, int* pages) {
    PartPrinter printer;
    if (!printer.Ok()) return "no temporary folder for the pages";

    const std::optional<QByteArray> front = printer.Print(cookbook.FrontMatterPart());
    if (!front) return "the contents could not be printed";
    std::vector<int> counts;
    for (std::size_t i = 0; i < cookbook.Recipes().size(); ++i) {
        const std::optional<QByteArray> part = printer.Print(cookbook.RecipePart(i));
        if (!part) return "the recipe \"" + cookbook.Recipes()[i].title + "\" could not be printed";
        counts.push_back(CountPdfPages(std::string_view(part->constData(), part->size())));
    }
    if (!cookbook.SetPageCounts(CountPdfPages(std::string_view(front->constData(), front->size())),
                                counts))
        return "the pages could not be counted";

    const std::optional<QByteArray> whole = printer.Print(cookbook.Document());
    if (!whole) return "the cookbook could not be printed";
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(*whole) != whole->size() || !file.commit())
        return "the file " + path + " could not be written";
    if (pages != nullptr)
        *pages = CountPdfPages(std::string_view(whole->constData(), whole->size()));
    return "";
}

}  // namespace pantrio
