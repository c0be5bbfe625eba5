#include "ui/PagePictureDownload.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>

namespace pantrio {

namespace {

constexpr int kTimeoutMs = 60 * 1000;

bool AcceptedType(const QString& mimeType) {
    const QString type = mimeType.section(QLatin1Char(';'), 0, 0).trimmed().toLower();
    return type == QLatin1String("image/jpeg") || type == QLatin1String("image/png") ||
           type == QLatin1String("image/webp");
}

}  // namespace

void PagePictureDownload::Start(QWebEnginePage* page, const QUrl& pageAddress,
                                const QString& address, Done done) {
    const QUrl url = pageAddress.resolved(QUrl(address.trimmed()));
    auto* download = new PagePictureDownload(page, url, std::move(done));
    if (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")) {
        download->Finish({}, "the picture's address " + url.toDisplayString().toStdString() +
                                 " is not a web address.");
        return;
    }
    page->download(url, QStringLiteral("picture"));
}

PagePictureDownload::PagePictureDownload(QWebEnginePage* page, QUrl url, Done done)
    : QObject(page), page_(page), url_(std::move(url)), done_(std::move(done)) {
    connect(page_->profile(), &QWebEngineProfile::downloadRequested, this,
            &PagePictureDownload::OnRequested);
    timeout_.setSingleShot(true);
    connect(&timeout_, &QTimer::timeout, this, [this] {
        failure_ = "the picture did not arrive within a minute.";
        if (request_ != nullptr) request_->cancel();
        Finish({}, failure_);
    });
    timeout_.start(kTimeoutMs);
}

void PagePictureDownload::OnRequested(QWebEngineDownloadRequest* request) {
    // Only the download this object asked for: from its page, of its address.
    if (request_ != nullptr || finished_ || request->page() != page_ || request->url() != url_)
        return;
    request_ = request;
    if (!AcceptedType(request->mimeType())) {
        request->cancel();
        return Finish({}, "the picture is of the type " + request->mimeType().toStdString() +
                              ", not JPEG, PNG or WebP.");
    }
    if (request->totalBytes() > kMaxBytes) {
        request->cancel();
        return Finish({}, "the picture is larger than 10 MB.");
    }
    if (!folder_.isValid()) {
        request->cancel();
        return Finish({}, "no temporary folder for the picture.");
    }
    request->setDownloadDirectory(folder_.path());
    request->setDownloadFileName(QStringLiteral("picture"));
    connect(request, &QWebEngineDownloadRequest::receivedBytesChanged, this, [this] {
        if (request_->receivedBytes() <= kMaxBytes) return;
        failure_ = "the picture is larger than 10 MB.";
        request_->cancel();
    });
    connect(request, &QWebEngineDownloadRequest::stateChanged, this,
            &PagePictureDownload::OnStateChanged);
    request->accept();
}

void PagePictureDownload::OnStateChanged() {
    switch (request_->state()) {
        case QWebEngineDownloadRequest::DownloadCompleted: {
            QFile file(folder_.filePath(request_->downloadFileName()));
            if (file.size() > kMaxBytes) return Finish({}, "the picture is larger than 10 MB.");
            if (!file.open(QIODevice::ReadOnly))
                return Finish({}, "the downloaded picture could not be read.");
            std::string failure;
            const std::string jpeg = AsJpeg(file.readAll(), request_->mimeType(), failure);
            return Finish(jpeg, failure);
        }
        case QWebEngineDownloadRequest::DownloadCancelled:
            return Finish({}, failure_.empty() ? "the download was cancelled." : failure_);
        case QWebEngineDownloadRequest::DownloadInterrupted:
            return Finish({}, "the download failed (" +
                                  request_->interruptReasonString().toStdString() + ").");
        default:
            return;
    }
}

void PagePictureDownload::Finish(const std::string& jpeg, const std::string& failure) {
    if (finished_) return;
    finished_ = true;
    timeout_.stop();
    // Later, so that the caller of Start and the engine's signal return first.
    QTimer::singleShot(0, this, [this, jpeg, failure] {
        done_(jpeg, failure);
        deleteLater();
    });
}

std::string PagePictureDownload::AsJpeg(const QByteArray& bytes, const QString& mimeType,
                                        std::string& failure) {
    failure.clear();
    if (!AcceptedType(mimeType)) {
        failure =
            "the picture is of the type " + mimeType.toStdString() + ", not JPEG, PNG or WebP.";
        return {};
    }
    if (bytes.size() > kMaxBytes) {
        failure = "the picture is larger than 10 MB.";
        return {};
    }
    // A JPEG goes to the recipe as it is; the program reduces it itself.
    if (bytes.startsWith("\xFF\xD8\xFF")) return bytes.toStdString();
    QImage image;
    if (!image.loadFromData(bytes) || image.isNull()) {
        failure = "the picture could not be read.";
        return {};
    }
    // Transparent parts become white, as on the page.
    QImage flat(image.size(), QImage::Format_RGB888);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, image);
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!flat.save(&buffer, "JPG", 92)) {
        failure = "the picture could not be converted to JPEG.";
        return {};
    }
    return jpeg.toStdString();
}

}  // namespace pantrio
