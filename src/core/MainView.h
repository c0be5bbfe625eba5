// The parts of the main window that the program's logic (MainDialog) writes
// to. The desktop program implements it with its widgets; the command line
// leaves it out and tests record what would be shown.
#pragma once

#include <string>

namespace pantrio {

class MainView {
public:
    virtual ~MainView() = default;

    // The line above the results naming the open box and its recipe count.
    virtual void ShowBoxLine(const std::string& text) = 0;
    // The status line under the results list.
    virtual void SetStatusText(const std::string& text) = 0;
    // The text of the start-up window ("Loading...", "Ready!").
    virtual void SplashText(const std::string& text) = 0;
    // Empties the results list.
    virtual void ClearResults() = 0;
};

}  // namespace pantrio
