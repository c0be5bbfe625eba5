// What MainDialog itself shows of the main window: its pages, the options
// sheet, the information dialog, the about box, and the end of the window.
#pragma once

#include <string>

namespace pantrio {

class InformationDialog;
class OptionsSheet;

class WindowView {
public:
    virtual ~WindowView() = default;

    // Switches the main window to page 1 (recipes), 2 (shopping list),
    // 3 (meal calendar) or 4 (nutrient information).
    virtual void ShowPage(int /*page*/) {}
    // The options sheet, modal; true when it was closed with OK.
    virtual bool ShowOptions(OptionsSheet& /*sheet*/) { return false; }
    // The information dialog, modal; the view drives its tip buttons and
    // check box through the object.
    virtual void ShowInformation(InformationDialog& /*dialog*/) {}
    // The about box with the program's version text.
    virtual void ShowAbout(const std::string& /*text*/) {}
    // Ends the main window at once (Exit); the close procedure does not run.
    virtual void EndDialog() {}
};

}  // namespace pantrio
