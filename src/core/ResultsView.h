// The results list of the recipes page as its controller (ResultsController)
// sees it: fill it from a statement, read and set its selection, redraw a
// row. The desktop program implements it with its list widget; tests record
// the rows and hold a scripted selection.
//
// Rows are numbered from 0 in list order; each carries its recipe number.
#pragma once

#include <string>
#include <vector>

#include "core/ResultsPageState.h"
#include "search/ResultsModel.h"

namespace pantrio {

class ResultsView {
public:
    virtual ~ResultsView() = default;

    // Empties the results list.
    virtual void ClearResults() = 0;
    // Empties the results list and fills it with the rows of `query`, a
    // statement on the open box that yields RecipeID, Title, Color, Marked
    // and TasteRating (read by name); the status line shows the count. The
    // row count, or -1 when the statement cannot be run (the list is then
    // empty).
    virtual int FillResults(const std::string& query) = 0;
    // Empties the results list and shows `rows` as they are: the rows of a
    // search of every box, each naming its box, which the list shows in a
    // "Box" column of its own; the status line shows `status`. The row
    // count; -1 for a view that cannot list them.
    virtual int ShowBoxRows(std::vector<ResultRow> /*rows*/, const std::string& /*status*/) {
        return -1;
    }
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
};

}  // namespace pantrio
