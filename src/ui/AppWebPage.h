// The page of the View tab's browser. Before each navigation it hands "app:"
// addresses (any letter case) to the link handler and cancels them; local
// pages load with JavaScript off and web pages with it on; the browser's own
// script dialogs and console stay quiet.
#pragma once

#include <QWebEnginePage>
#include <functional>
#include <string>

namespace pantrio {

class AppWebPage : public QWebEnginePage {
    Q_OBJECT
public:
    explicit AppWebPage(QObject* parent);

    // Given the address before each navigation; true cancels it.
    std::function<bool(const std::string& address)> beforeNavigate;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int lineNumber, const QString& sourceID) override;
    void javaScriptAlert(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) override;
};

}  // namespace pantrio
