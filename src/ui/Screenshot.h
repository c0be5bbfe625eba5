// A picture of the main window showing the first recipe of the list, written
// to a PNG file: a look at the program without a desktop.
#pragma once

#include <QString>

namespace pantrio {

class MainWindow;

// Selects the first row, waits until the View tab has shown its page (at most
// 20 seconds), grabs the window and writes `path`. False when the file could
// not be written.
bool TakeScreenshot(MainWindow& window, const QString& path);

}  // namespace pantrio
