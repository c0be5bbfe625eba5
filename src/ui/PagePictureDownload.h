// Fetching the picture a recipe web page names, through the View tab's own
// browser session: the page's profile downloads it, with the cookies, cache
// and proxy the page itself was loaded with (a separate network client would
// be another session, and a fetch by the page's script would be refused for
// pictures on other hosts). Only JPEG, PNG and WebP of at most 10 MB are
// taken; PNG and WebP are converted to JPEG here, so the recipe's picture is
// stored from JPEG bytes like one the user chose.
#pragma once

#include <QObject>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <string>

class QWebEngineDownloadRequest;
class QWebEnginePage;

namespace pantrio {

class PagePictureDownload : public QObject {
    Q_OBJECT
public:
    // The JPEG bytes, or empty bytes and the reason nothing was fetched.
    using Done = std::function<void(const std::string& jpeg, const std::string& failure)>;

    static constexpr qint64 kMaxBytes = 10 * 1024 * 1024;

    // Fetches `address`, resolved against `pageAddress`, through `page`'s
    // profile and calls `done` once, later (also on failure).
    static void Start(QWebEnginePage* page, const QUrl& pageAddress, const QString& address,
                      Done done);

    // Image bytes served as `mimeType` as JPEG bytes: a JPEG as it is, PNG and
    // WebP converted. Empty with `failure` set for anything else.
    static std::string AsJpeg(const QByteArray& bytes, const QString& mimeType,
                              std::string& failure);

private:
    PagePictureDownload(QWebEnginePage* page, QUrl url, Done done);
    void OnRequested(QWebEngineDownloadRequest* request);
    void OnStateChanged();
    void Finish(const std::string& jpeg, const std::string& failure);

    QWebEnginePage* page_;
    QUrl url_;
    Done done_;
    QTemporaryDir folder_;
    QTimer timeout_;
    QWebEngineDownloadRequest* request_ = nullptr;
    std::string failure_;
    bool finished_ = false;
};

}  // namespace pantrio
