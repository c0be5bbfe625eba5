#include "ui/Screenshot.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QPixmap>
#include <QThread>

#include "ui/MainWindow.h"
#include "ui/WebViewTab.h"

namespace pantrio {

namespace {

void Wait(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
}

}  // namespace

bool TakeScreenshot(MainWindow& window, const QString& path) {
    window.showNormal();
    window.resize(1280, 800);
    Wait(500);
    // The web engine comes up after the window's first paint; the recipe is
    // asked for once the engine has shown its first page, so that the load
    // waited for below is the recipe's own.
    QElapsedTimer timer;
    timer.start();
    while (window.webTab()->LoadsFinished() == 0 && timer.elapsed() < 20000) Wait(50);
    const int loads = window.webTab()->LoadsFinished();
    if (window.RowCount() > 0) {
        window.SelectRow(0);
        window.main().Recipes().OnRowSelected(0);
    }
    timer.restart();
    while (window.webTab()->LoadsFinished() == loads && timer.elapsed() < 20000) Wait(50);
    // The engine paints its page a moment after the load completes.
    Wait(1500);
    return window.grab().save(path, "PNG");
}

}  // namespace pantrio
