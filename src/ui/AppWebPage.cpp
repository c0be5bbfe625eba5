#include "ui/AppWebPage.h"

#include <QWebEngineSettings>

namespace pantrio {

AppWebPage::AppWebPage(QObject* parent) : QWebEnginePage(parent) {
    // A page that fails to load shows the engine's own error page.
    settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    // The program's own pages are files that lead to the web: the posting
    // form sends the recipe to the service, and a recipe page links to it.
    // Local pages run no scripts, so nothing on them reads a file to send.
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
}

bool AppWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("app")) {
        // Keep the percent-encoding: the link handler decodes the value.
        const std::string address = url.toString(QUrl::FullyEncoded).toStdString();
        if (beforeNavigate) beforeNavigate(address);
        return false;
    }
    if (beforeNavigate && beforeNavigate(url.toString(QUrl::FullyEncoded).toStdString()))
        return false;
    if (isMainFrame) {
        // Recipe pages written by the program never run scripts; pages of the
        // web do as their authors intend.
        const bool local = scheme == QLatin1String("file");
        if (local || scheme == QLatin1String("http") || scheme == QLatin1String("https"))
            settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, !local);
    }
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

void AppWebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int,
                                          const QString&) {}

void AppWebPage::javaScriptAlert(const QUrl&, const QString&) {}

bool AppWebPage::javaScriptConfirm(const QUrl&, const QString&) {
    return false;
}

}  // namespace pantrio
