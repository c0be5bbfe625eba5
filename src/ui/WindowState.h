// The main window's size, position, maximised state and splitter layout,
// kept between runs in a small settings file of their own
// ($XDG_CONFIG_HOME/Hearthline/PantrioWindow.conf), beside the program's
// settings, so the window opens where the user left it.
#pragma once

#include <QString>

class QMainWindow;
class QSplitter;

namespace pantrio {

class WindowState {
public:
    // `path` empty: the default file.
    explicit WindowState(QString path = QString());

    // Applies the stored state; false when nothing (or nothing usable) is stored.
    bool Restore(QMainWindow& window, QSplitter& splitter) const;
    // Stores the window's state now; false when the file could not be written.
    bool Save(const QMainWindow& window, const QSplitter& splitter) const;

    static QString DefaultPath();
    const QString& Path() const { return path_; }

private:
    QString path_;
};

}  // namespace pantrio
