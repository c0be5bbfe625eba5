#include "ui/AppUrlScheme.h"

#include <QWebEngineUrlScheme>

namespace pantrio {

void RegisterAppUrlScheme() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    QWebEngineUrlScheme scheme("app");
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    // Local pages link to it; it never loads anything itself.
    scheme.setFlags(QWebEngineUrlScheme::LocalAccessAllowed | QWebEngineUrlScheme::LocalScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
}

}  // namespace pantrio
