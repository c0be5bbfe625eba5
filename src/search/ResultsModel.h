// The results list's rows, read lazily from a results statement of the open
// recipe box. The desktop program wraps it in a Qt model; tests drive it
// directly.
//
// A fill counts the statement's rows with a count query (the status line
// needs the total) and reads only the first batch of 100 rows; further rows
// are read in batches of 100 as the list asks for them, so a view of a
// quarter of a million recipes shows at once and never more rows are read
// than are shown plus one batch.
//
// Each batch re-runs the statement with LIMIT/OFFSET rather than keeping one
// result open: every write on the box (a mark, the LastViewed stamp of a
// displayed recipe) would make an open result read all its remaining rows.
// To keep the pages consistent while the box changes under the list:
// - the statement's order is completed with RecipeID, so ties (equal titles)
//   fall the same way in every batch;
// - a batch skips recipes that are already listed, and after a change that
//   may move rows in the statement's order (NoteReorder; ToggleMark notes its
//   own) the next batch starts that many rows earlier, so no row is lost;
// - a batch that comes back short ends the list there (recipes were deleted);
//   Refresh re-reads the listed rows and the count after bigger changes.
#pragma once

#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

namespace pantrio {

class CADORecordset;
class RecipeDB;

struct ResultRow {
    long recipeID = 0;
    std::string title;
    int color = 0;
    int marked = 0;  // 0 unmarked, any other value marked
    double tasteRating = 0;
    // The path of the box the row comes from, in a list of several boxes
    // (FillRows); empty for a row of the open box.
    std::string box;

    // Color, plus 7 when marked.
    int Icon() const { return marked != 0 ? color + 7 : color; }
    // The hidden "R" column that picks the star image: the rating as "%.0f".
    std::string RatingText() const;
    // The hidden "Mkd" column: Marked as "%d".
    std::string MarkedText() const;
};

// The row at the cursor of a results statement's result, its columns read by
// name.
ResultRow ReadResultRow(CADORecordset& rs);

class ResultsModel {
public:
    static constexpr int kBatchSize = 100;

    // `report` is handed "RecipeDB is not open." when a row is needed while
    // no box is open; it may be empty.
    explicit ResultsModel(RecipeDB& db,
                          std::function<void(const std::string& message)> report = {});

    // Empties the list, then runs `statement` (opening the box first when it
    // is not open), counts its rows, reads the first batch and updates the
    // status line. 0, or -1 when the statement cannot be run: the list stays
    // empty and the status line unchanged.
    int Fill(const std::string& statement);
    // Empties the list and forgets the statement.
    void Clear();
    // Lists `rows` as they are: the rows of a search of several boxes, each
    // naming its box. There is no statement and nothing more to read; the
    // status line shows `status`.
    void FillRows(std::vector<ResultRow> rows, std::string status);
    // Whether the rows name their boxes (a list made by FillRows).
    bool RowsNameBoxes() const { return rowsNameBoxes_; }

    // The statement's row count, taken when the list was filled.
    long TotalRows() const { return total_; }
    // The rows read so far: the items the list holds.
    long LoadedRows() const { return static_cast<long>(rows_.size()); }
    bool CanFetchMore() const { return LoadedRows() < total_; }
    // Reads the next batch: as many rows as are read already, and at least
    // kBatchSize, so reading a long list to its end runs its statement a few
    // times. The number of rows added, -1 on failure.
    int FetchMore();
    // Row r (0-based); reads the batches up to it when it is not yet read.
    // Null beyond the end or when it cannot be read.
    const ResultRow* Row(long r);
    // The listed row of a recipe, -1 when it is not (yet) listed.
    long RowOfRecipe(long recipeID) const;
    // The first listed row whose title starts with `text` (letter case
    // ignored), searching the rows read so far; -1 when none.
    long FirstRowStartingWith(const std::string& text) const;

    // Changes the mark of a listed row as the list shows it: marked rows read
    // "255" in the "Mkd" column and take the marked icon.
    void SetRowMarked(long r, bool marked);
    // Up to `rows` recipes may have moved in the statement's order.
    void NoteReorder(int rows = 1) { reordered_ += rows; }
    // Re-reads the listed rows and the count after the box changed; the
    // status line is updated. In a list of several boxes the rows of the open
    // box are read anew and those whose recipe is gone are dropped. 0, or -1 on failure (the list
    // is kept).
    int Refresh();

    const std::string& Statement() const { return statement_; }
    // The statement as the list runs it for its rows: in a total order, and
    // reading the order's index when that is quicker.
    const std::string& PagedStatement() const { return paged_; }
    // "12 recipes / 240 in recipe box"; empty before the first fill.
    const std::string& StatusText() const { return status_; }
    // Called with the new status line whenever it changes.
    std::function<void(const std::string&)> statusChanged;

    // Rows read from the database since the last fill (for tests and
    // benchmarks).
    long RowsRead() const { return rowsRead_; }

    // "1 recipe / N in recipe box" or "n recipes / N in recipe box".
    static std::string StatusLine(long rows, long inBox);

private:
    // Reads up to `count` further rows in one run of the statement.
    int FetchRows(long count);
    bool EnsureOpen();
    // Refresh of a list made by FillRows.
    int RefreshBoxRows();
    // Reads up to `limit` rows of an open result into the list, skipping
    // recipes already listed; the rows read.
    long TakeRows(CADORecordset& rs, long limit);
    // The number of rows of the statement whose result `rs` holds.
    long CountRows(CADORecordset& rs);
    // The rows `statement` matches, counted without reading them; -1 when it
    // cannot be counted that way.
    long CountStatementRows(const std::string& statement);
    // Whether a statement matching `matches` of the box's `inBox` recipes
    // reads its first rows sooner by walking the ordered index.
    static bool WalkOrderedIndex(long matches, long inBox);
    void UpdateStatus();

    RecipeDB& db_;
    std::function<void(const std::string& message)> report_;
    std::string statement_;
    std::string paged_;  // the statement in total order, ready for LIMIT/OFFSET
    std::vector<ResultRow> rows_;
    std::unordered_set<long> listed_;
    long total_ = 0;
    long nextOffset_ = 0;  // position of the next unread row in the statement's result
    long rowsRead_ = 0;
    int reordered_ = 0;
    bool rowsNameBoxes_ = false;
    std::string status_;
};

// `statement` with RecipeID added as the last sort key of its top-level
// ORDER BY (or as its only one), so that rows with equal sort keys come in
// the same order in every page. Quoted text and sub-queries are skipped.
std::string WithTotalOrder(const std::string& statement);

// `statement` with each top-level "RecipeID IN (...)" term written
// "+RecipeID IN (...)": the same rows, but SQLite no longer fetches the
// set's recipes by number and reads them in the order of an index instead.
std::string WithSetTermsUnindexed(const std::string& statement);

// "Select count(*) from ... where ..." for a plain results statement: its
// FROM and WHERE without its columns and ORDER BY. Empty for statements that
// are not one row per match (DISTINCT, GROUP BY, UNION ...).
std::string CountStatement(const std::string& statement);

}  // namespace pantrio
