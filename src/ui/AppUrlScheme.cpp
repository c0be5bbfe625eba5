#include "ui/AppUrlScheme.h"

#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

namespace pantrio {

namespace {

const QByteArray kScheme = QByteArrayLiteral("app");

class RefusingSchemeHandler : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob* job) override {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
    }
};

}  // namespace

void RegisterAppUrlScheme() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    QWebEngineUrlScheme scheme(kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    // Local pages link to it; it never loads anything itself.
    scheme.setFlags(QWebEngineUrlScheme::LocalAccessAllowed | QWebEngineUrlScheme::LocalScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
}

void InstallAppUrlSchemeHandler(QWebEngineProfile* profile) {
    if (profile == nullptr || profile->urlSchemeHandler(kScheme) != nullptr) return;
    // The profile owns the handler and outlives every page that uses it.
    profile->installUrlSchemeHandler(kScheme, new RefusingSchemeHandler(profile));
}

}  // namespace pantrio
