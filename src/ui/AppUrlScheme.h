// The program's own "app:" links inside recipe pages. The scheme must be
// known to the web engine before the application object exists, and a
// profile must have a handler for it: the engine blocks a click on a link
// whose scheme nobody handles before the page's navigation check ever sees
// it (the page turns blank). With both, the click reaches the check, where
// it is cancelled and run as a search.
#pragma once

class QWebEngineProfile;

namespace pantrio {

// Call once in main() (and in tests) before the QApplication is created.
void RegisterAppUrlScheme();

// Gives `profile` the handler of "app:" addresses, once per profile. The
// handler itself refuses every request: links are taken by the navigation
// check, and nothing else may load from the scheme.
void InstallAppUrlSchemeHandler(QWebEngineProfile* profile);

}  // namespace pantrio
