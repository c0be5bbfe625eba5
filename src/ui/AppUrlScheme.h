// The program's own "app:" links inside recipe pages. The scheme must be
// known to the web engine before the application object exists, so that a
// click on such a link reaches the page's navigation check, where it is
// cancelled and run as a search.
#pragma once

namespace pantrio {

// Call once in main() (and in tests) before the QApplication is created.
void RegisterAppUrlScheme();

}  // namespace pantrio
