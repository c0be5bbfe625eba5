// The keyword list of the Notes tab: the current recipe's keywords, newest
// on top, and the Delete key that removes one and stores the rest.
#pragma once

#include <vector>

#include "base/RowSink.h"

namespace pantrio {

class Recipe;
class RecipeDB;

class NotesKeywordList {
public:
    // Refills the list from the recipe's keywords: every name that is not
    // blank is put on top, with its position among the names as data, so the
    // list shows the names in reverse order.
    void Show(const Recipe& recipe);
    const std::vector<ListRow>& Rows() const { return rows_; }

    // The Delete key on row `row`: removes from the recipe the first keyword
    // that, trimmed, equals the row's text, stores the keyword text and shows
    // the list again. RunSQL's result (1, -1); 0 when there is no such row.
    int DeleteRow(int row, Recipe& current, RecipeDB& db);

private:
    std::vector<ListRow> rows_;
};

}  // namespace pantrio
