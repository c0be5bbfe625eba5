// The print dialog as PrintController sees it: opened with the initial
// choices, it builds its preview through the controller after every change
// and hands the page to the browser's print preview. Without a window
// nothing is shown.
#pragma once

#include "base/DateTime.h"

namespace pantrio {

// What the radio buttons of the frame "Print..." choose.
enum class PrintSource {
    WebView,   // "Contents of Web view, or": what the View tab shows
    Selected,  // "Selected": the current recipe
    Marked,    // "Marked": every marked recipe of the open box
    None,      // "None": no recipe
};

// The controls of the print dialog.
struct PrintChoices {
    PrintSource source = PrintSource::Selected;
    bool nutrition = false;     // "Show Nutrition Information"
    bool mealPlan = false;      // "Meal Plan"
    DateTime from, to;          // the plan's days, both included
    bool shoppingList = false;  // "Shopping List"
};

class PrintView {
public:
    virtual ~PrintView() = default;
    // "Print Preview", opened maximized and modal with `initial`.
    virtual void ShowPrintDialog(const PrintChoices& /*initial*/) {}
};

}  // namespace pantrio
