// The parts of the main window that the program's logic (MainDialog) writes
// to and reads from. The desktop program implements it with its widgets; the
// command line lists rows on standard output; tests record what would be
// shown and hold a scripted selection.
//
// Rows of the results list are numbered from 0 in list order; each carries
// its recipe number. Dialog methods have defaults that cancel, so a front end
// without those dialogs needs only the list and the status texts.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/RowSink.h"

namespace pantrio {

class InformationDialog;
class OptionsSheet;

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

    // Empties the results list and fills it with the rows of `query`, a
    // statement on the open box that yields RecipeID, Title, Color, Marked
    // and TasteRating (read by name); the status line shows the count. The
    // row count, or -1 when the statement cannot be run (the list is then
    // empty).
    virtual int FillResults(const std::string& query) = 0;
    virtual int RowCount() = 0;
    // The recipe number of a row; -1 for a row that does not exist.
    virtual long RowRecipeID(int row) = 0;
    // The selected rows in list order.
    virtual std::vector<int> SelectedRows() = 0;
    // Makes `row` the only selected row, puts the selection mark on it and
    // scrolls it into view.
    virtual void SelectRow(int row) = 0;
    // Removes these rows (list order) from the list without refilling it.
    virtual void RemoveRows(const std::vector<int>& rows) = 0;

    // Shows the current recipe's Edit, Notes and Nutrition tabs anew. (The
    // View tab's page is the web view's, see WebView::ShowCurrentRecipe.)
    virtual void RefreshRecipePages() {}
    // Switches the main window to page 1 (recipes), 2 (shopping list),
    // 3 (meal calendar) or 4 (nutrient information).
    virtual void ShowPage(int /*page*/) {}
    // Brings the View tab in front of the other recipe tabs.
    virtual void BringWebViewToFront() {}
    // Lays the web view out enlarged (the results list vanishes) or normal.
    virtual void SetWebViewExpanded(bool /*expanded*/) {}
    // Shows or hides the web view's Import and Rate buttons (their inactive
    // images take their place when hidden).
    virtual void SetWebButtons(bool /*importShown*/, bool /*rateShown*/) {}
    // The entries of the web view's address list.
    virtual void SetAddressList(const std::vector<std::string>& /*addresses*/) {}

    // The options sheet, modal; true when it was closed with OK.
    virtual bool ShowOptions(OptionsSheet& /*sheet*/) { return false; }
    // The information dialog, modal; the view drives its tip buttons and
    // check box through the object.
    virtual void ShowInformation(InformationDialog& /*dialog*/) {}
    // The about box with the program's version text.
    virtual void ShowAbout(const std::string& /*text*/) {}
    // The list of another box's recipes with a check box per row (the
    // import from a recipe box); the numbers of the ticked rows in list
    // order, nothing on Cancel.
    virtual std::optional<std::vector<long>> ChooseRecipesToImport(
        const std::vector<ListRow>& /*rows*/) {
        return std::nullopt;
    }
    // Ends the main window at once (Exit); the close procedure does not run.
    virtual void EndDialog() {}
};

}  // namespace pantrio
