// Qt's print preview over a web view: the pages are laid out by the browser
// engine for the preview's printer, and printed from the preview window.
#pragma once

class QWebEngineView;
class QWidget;

namespace pantrio {

// Opens the modal print preview of `view`'s page; returns when it closes.
void OpenPrintPreview(QWebEngineView* view, QWidget* parent);

}  // namespace pantrio
