// The lines around the main window's pages: the box line naming the open
// box, the status line, the start-up window's text, and the one
// notification that the open recipe box changed. Every controller that
// opens, creates or switches boxes goes through BoxController, which sends
// OpenBoxChanged once the new box is open and listed.
#pragma once

#include <string>

namespace pantrio {

class StatusView {
public:
    virtual ~StatusView() = default;

    // The line above the results naming the open box and its recipe count.
    virtual void ShowBoxLine(const std::string& text) = 0;
    // The status line under the results list.
    virtual void SetStatusText(const std::string& text) = 0;
    // The text of the start-up window ("Loading...", "Ready!").
    virtual void SplashText(const std::string& text) = 0;
    // Another box is open now, or the open one gained recipes from an
    // import: whatever the window lists of the box (its folders) is stale.
    virtual void OpenBoxChanged() {}
};

}  // namespace pantrio
