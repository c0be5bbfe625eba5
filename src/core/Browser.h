// The embedded browser of the View tab as the main window's logic sees it.
// The desktop program implements it with its web engine view; tests record
// every call. Loading happens on the browser's side: Navigate only starts it,
// and the front end reports the begin and the end of each load to WebView.
#pragma once

#include <string>

namespace pantrio {

class Browser {
public:
    virtual ~Browser() = default;

    // Starts loading `address` ("file://...", "http://...", "about:blank").
    virtual void Navigate(const std::string& address) = 0;
    virtual void Back() = 0;
    virtual void Forward() = 0;
    // Reloads the current page completely, not from the cache.
    virtual void Refresh() = 0;
    // The source text of the current document; empty when there is none.
    virtual std::string DocumentSource() = 0;
    // Replaces the current document with `html` (a page that has no file).
    virtual void WriteDocument(const std::string& html) = 0;
    // Shows the print preview of the current document.
    virtual void PrintPreview() = 0;
    // Stops the load in progress, if any.
    virtual void CancelNavigation() = 0;
};

}  // namespace pantrio
