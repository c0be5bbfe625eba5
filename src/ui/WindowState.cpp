#include "ui/WindowState.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSplitter>

#include "core/IniSettingsStore.h"
#include "core/UserFolders.h"

namespace pantrio {

WindowState::WindowState(QString path) : path_(path.isEmpty() ? DefaultPath() : std::move(path)) {}

QString WindowState::DefaultPath() {
    return QString::fromStdString(ConfigHome()) + QStringLiteral("/Hearthline/PantrioWindow.conf");
}

bool WindowState::Restore(QMainWindow& window, QSplitter& splitter) const {
    IniSettingsStore store(path_.toStdString(), "Window");
    if (!store.Load()) return false;
    const auto x = store.ReadNumber("X");
    const auto y = store.ReadNumber("Y");
    const auto width = store.ReadNumber("Width");
    const auto height = store.ReadNumber("Height");
    if (!x || !y || !width || !height || *width < 200 || *height < 150) return false;
    QRect rect(*x, *y, *width, *height);
    // A window stored on a screen that is no longer there comes back on the
    // primary screen.
    bool onScreen = false;
    for (const QScreen* screen : QGuiApplication::screens())
        onScreen = onScreen || screen->availableGeometry().intersects(rect);
    if (!onScreen && QGuiApplication::primaryScreen() != nullptr)
        rect.moveTopLeft(QGuiApplication::primaryScreen()->availableGeometry().topLeft());
    window.resize(rect.size());
    window.move(rect.topLeft());
    if (const auto splitterText = store.ReadText("Splitter"))
        splitter.restoreState(QByteArray::fromBase64(QByteArray::fromStdString(*splitterText)));
    if (store.ReadNumber("Maximized").value_or(0) != 0)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    return true;
}

bool WindowState::Save(const QMainWindow& window, const QSplitter& splitter) const {
    IniSettingsStore store(path_.toStdString(), "Window");
    store.Load();
    // The normal geometry is what comes back when a maximised window is restored.
    const QRect rect = window.isMaximized() ? window.normalGeometry() : window.geometry();
    store.WriteNumber("X", rect.x());
    store.WriteNumber("Y", rect.y());
    store.WriteNumber("Width", rect.width());
    store.WriteNumber("Height", rect.height());
    store.WriteNumber("Maximized", window.isMaximized() ? 1 : 0);
    store.WriteText("Splitter", splitter.saveState().toBase64().toStdString());
    return store.Flush();
}

}  // namespace pantrio
