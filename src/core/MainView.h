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
#include "core/FindRequests.h"
#include "core/ResultsPageState.h"
#include "formats/ScreenImport.h"

namespace pantrio {

class InformationDialog;
class OptionsSheet;
class ResultsModel;

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

    // The lazy model whose rows the list shows, when the view keeps one (the
    // model FillResults fills; ResultsModel reads rows in batches as they are
    // shown). Marking from the list and type-ahead work on it, so the list
    // shows their changes without a refill and no more rows are read than
    // are shown plus a batch. Null for a view without one: marks then go by
    // RowRecipeID and type-ahead selects the first row.
    virtual ResultsModel* Results() { return nullptr; }
    // Row `row` of the model changed (its mark and icon): redraw it.
    virtual void RowChanged(int /*row*/) {}
    // The selector captions or the header order changed; the buttons show
    // the captions, the header may show the order.
    virtual void ShowResultsPageState(const ResultsPageState& /*state*/) {}
    // A mark changed; the meal-plan page shows marks too.
    virtual void RefreshMealPlan() {}
    // A wait cursor on (true) or off while a search of the box runs.
    virtual void SetBusy(bool /*busy*/) {}

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
    // The Find dialog ("Find..."), modal, opened with the last text and scope
    // and the automatic-search setting; the values on OK or "More Options >>"
    // (moreOptions set), nothing on Cancel. "&Help" is the dialog's own
    // (MainDialog::ShowHelp).
    virtual std::optional<FindDialogValues> AskFind(const FindDialogValues& /*last*/) {
        return std::nullopt;
    }
    // The Find Recipes dialog ("Find Recipes"), placed at FilterDlgX and
    // FilterDlgY of the settings, where it also stores its position; its
    // lists come from MainDialog::Keywords and the support store. A modal
    // front end answers with the criteria, or nothing on Cancel. A front end
    // that keeps the dialog open beside the window (modeless) shows it,
    // answers nothing, and calls MainDialog::FindRecipes when its "Find
    // Recipes" button is pressed.
    virtual std::optional<FindRecipesRequest> AskFindRecipes() { return std::nullopt; }
    // The Leftover Wizard, modal; nothing on Cancel.
    virtual std::optional<LeftoverWizardRequest> AskLeftoverWizard() { return std::nullopt; }
    // The screen import window ("Import from Clipboard"), modal: the five
    // slots as marked when "Import!" was pressed, nothing on Cancel.
    virtual std::optional<ScreenImportSlots> AskScreenImport() { return std::nullopt; }

    // Ends the main window at once (Exit); the close procedure does not run.
    virtual void EndDialog() {}
};

}  // namespace pantrio
