// The results page of the main window: the list of recipes and the ways of
// choosing what it lists (the view and keyword selectors, the column
// headers, the navigation bar's folders, type-ahead) and marking from the
// list. Every listing goes through FillResults, so the view's lazy model
// serves them all. It holds the page's selector state; the list itself is
// the ResultsView it is given (none for a front end without a window).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/RowSink.h"
#include "core/ControllerContext.h"
#include "core/ResultsPageState.h"
#include "search/AllBoxesSearch.h"
#include "search/SearchLinks.h"

namespace pantrio {

class Prompter;
class ResultsModel;
class ResultsView;

class ResultsController {
public:
    ResultsController(ControllerContext context, ResultsView* view);

    // A lazy model of the open box's rows for a front end's list widget,
    // with `prompter` for its read failures (none: silent).
    std::unique_ptr<ResultsModel> MakeModel(Prompter* prompter) const;

    // Empties the results list and fills it from `query`; the row count, or
    // -1 when the statement cannot be run. Without a view the rows are
    // counted only.
    int FillResults(const std::string& query);
    // Lists the rows of `statementFor` in every recipe box: each box of the
    // Rbox folder and the open box, read-only, merged by title, each row
    // naming its box. Boxes that cannot be read are named in the status line.
    // The row count, or -1 without a view that lists such rows.
    int FillAllBoxes(const BoxStatement& statementFor);
    // The search itself, without listing it (the command line prints it).
    AllBoxesResult SearchAllBoxes(const BoxStatement& statementFor);
    // Every recipe of the box, by title.
    void FillAllRecipes();
    void ClearResults();

    // The selector captions and the header order the page shows.
    const ResultsPageState& State() const { return page_; }
    // Chooses entry `entry` of the view selector's menu (ViewSelectorMenu())
    // or of the keyword selector's menu (KeywordSelectorMenu()): the button
    // takes the entry's caption and the view of both captions is listed. The
    // row count, -1 when the statement failed or the entry does not exist.
    int SelectView(int entry);
    int SelectKeyword(int entry);
    // A selector button pressed: lists the view of the two captions again.
    int RunView();
    // A click on column header 0 (title) or 2 (rating) lists every recipe in
    // that order, whatever the selectors say; other headers do nothing (-1).
    int HeaderClicked(int column);
    // The items of a navigation-bar folder ("Cuisines", "M. Ingred"): the
    // values of the open box with the folder's icon (8, 9). Empty when the
    // box cannot be read.
    std::vector<ListRow> FolderEntries(RecipeFolder folder);
    // A folder item chosen: the recipes page comes to the front and lists
    // the recipes of that value (of none, for an empty item).
    int FolderItemChosen(RecipeFolder folder, const std::string& itemText);
    // Type-ahead: `text` is what was typed in the list so far. Its first
    // character, a letter or digit, lists every recipe from the first title
    // that sorts at or after it, in title order. The row to put the selection
    // mark on: the first whose title sorts at or after the whole text (the
    // last row when none does); the recipe is not displayed. -1 when the
    // first character is not a letter or digit (nothing happens) or the list
    // is empty.
    int TypeAhead(const std::string& text);
    // A single click on a row, `pixelsFromLeft` from its left edge: on the
    // icon (1 to 18 pixels) with exactly one row selected it toggles the
    // recipe's mark; anywhere else it displays the recipe. A double click is
    // RecipeController::OnRowSelected.
    void RowClicked(int row, int pixelsFromLeft);
    // Toggles the mark of the recipe in `row`, in the box and in that
    // recipe's meal-plan entries of the same box; plays "MINIWHOOSH" when
    // interface sounds are on. The new icon, or -1 when nothing changed.
    int ToggleMarkOnRow(int row);
    // A recipe row dropped on the keyword selector: says where keywords are
    // assigned.
    void DroppedOnKeywordSelector();

    // The selection, for the commands of the other areas.
    std::vector<int> SelectedRows();
    // The recipe numbers of the selected rows, in list order.
    std::vector<int> SelectedRecipeIDs();
    long RowRecipeID(int row);
    // The box file of a row of a list of several boxes; empty for a row of
    // the open box's own listing.
    std::string RowBox(int row);
    // Whether a row's recipe lives in the open box (always, outside a list
    // of several boxes). Commands that change recipes act on these only.
    bool RowInOpenBox(int row);
    int RowCount();
    void SelectRow(int row);
    void RemoveRows(const std::vector<int>& rows);
    void SetBusy(bool busy);
    // Recipe `recipeID` was edited (its title): the listed rows are read anew
    // and its row is redrawn.
    void RecipeChanged(long recipeID);

private:
    // Fills the list and notes the header order it shows (-1: none).
    int FillResultsSorted(const std::string& query, int sortColumn);
    void ShowState();

    ControllerContext context_;
    ResultsView* view_;
    ResultsPageState page_;
};

}  // namespace pantrio
