#include "ui/WebPrintPreview.h"

#include <QEventLoop>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWebEngineView>

namespace pantrio {

void OpenPrintPreview(QWebEngineView* view, QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("printPreview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, view, [view](QPrinter* p) {
        // The preview wants its pages painted before the call returns, while
        // the engine prints on its own: wait for it here.
        QEventLoop wait;
        const auto done =
            QObject::connect(view, &QWebEngineView::printFinished, &wait, &QEventLoop::quit);
        view->print(p);
        wait.exec();
        QObject::disconnect(done);
    });
    preview.exec();
}

}  // namespace pantrio
