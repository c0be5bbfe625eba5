// The print dialog as PrintController sees it: opened with the initial
// choices, it builds its preview through the controller after every change
// and hands the page to the browser's print preview. Without a window
// nothing is shown.
#pragma once

#include <optional>
#include <string>

#include "base/DateTime.h"

namespace pantrio {

class Cookbook;

// The small dialog of "Export cookbook...": where the PDF goes, the title
// on its first page and the theme of its recipe pages (0 to 7).
struct CookbookChoices {
    std::string path;
    std::string title;
    int theme = 0;
};

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
    // The cookbook dialog opened with `initial`; nothing on Cancel.
    virtual std::optional<CookbookChoices> AskCookbook(const CookbookChoices& /*initial*/) {
        return std::nullopt;
    }
    // Prints `cookbook` as one PDF file at `path` (its page numbers are
    // set on the way). Empty when written, otherwise why it was not.
    virtual std::string PrintCookbook(Cookbook& /*cookbook*/, const std::string& /*path*/) {
        return "Cookbooks are printed by the desktop program.";
    }
};

}  // namespace pantrio
