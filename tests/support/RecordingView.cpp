#include "support/RecordingView.h"

#include <algorithm>

#include "core/InformationDialog.h"
#include "core/ResultsController.h"

namespace pantrio::test {

void RecordingView::ClearResults() {
    ++clears;
    rows.clear();
    selected.clear();
    if (model_) model_->Clear();
}

int RecordingView::FillResults(const std::string& query) {
    queries.push_back(query);
    rows.clear();
    selected.clear();
    if (results_ == nullptr) return -1;
    if (!model_) model_ = results_->MakeModel(nullptr);
    if (model_->Fill(query) != 0) return -1;
    // A test reads every row at once unless told to read as the desktop
    // list does, as rows are shown.
    const long shown = readAllRows ? model_->TotalRows() : model_->LoadedRows();
    for (long r = 0; r < shown; ++r) {
        const ResultRow* row = model_->Row(r);
        if (row == nullptr) break;
        rows.push_back(*row);
    }
    statusTexts.push_back(model_->StatusText());
    return static_cast<int>(rows.size());
}

int RecordingView::ShowBoxRows(std::vector<ResultRow> boxRows, const std::string& status) {
    selected.clear();
    rows = boxRows;
    if (results_ == nullptr) return -1;
    if (!model_) model_ = results_->MakeModel(nullptr);
    model_->FillRows(std::move(boxRows), status);
    statusTexts.push_back(status);
    return static_cast<int>(rows.size());
}

int RecordingView::RowCount() {
    if (!readAllRows && model_) return static_cast<int>(model_->TotalRows());
    return static_cast<int>(rows.size());
}

long RecordingView::RowRecipeID(int row) {
    if (row < 0 || row >= RowCount()) return -1;
    if (static_cast<std::size_t>(row) >= rows.size()) {
        const ResultRow* r = model_ ? model_->Row(row) : nullptr;
        return r != nullptr ? r->recipeID : -1;
    }
    return rows[static_cast<std::size_t>(row)].recipeID;
}

void RecordingView::RowChanged(int row) {
    changedRows.push_back(row);
    const ResultRow* r = model_ ? model_->Row(row) : nullptr;
    if (r != nullptr && row >= 0 && static_cast<std::size_t>(row) < rows.size())
        rows[static_cast<std::size_t>(row)] = *r;
}

void RecordingView::RemoveRows(const std::vector<int>& rowsToRemove) {
    std::vector<int> sorted = rowsToRemove;
    std::sort(sorted.rbegin(), sorted.rend());
    for (const int row : sorted)
        if (row >= 0 && row < RowCount()) rows.erase(rows.begin() + row);
    selected.clear();
}

bool RecordingView::ShowOptions(OptionsSheet& sheet) {
    return onOptions ? onOptions(sheet) : false;
}

void RecordingView::ShowInformation(InformationDialog& dialog) {
    tipsShown.push_back(dialog.Tip());
    if (onInformation) onInformation(dialog);
}

std::optional<std::vector<long>> RecordingView::ChooseRecipesToImport(
    const std::vector<ListRow>& offered) {
    offeredRecipes = offered;
    if (!tickRows) return std::nullopt;
    std::vector<long> ids;
    for (const int row : *tickRows) ids.push_back(offered.at(static_cast<std::size_t>(row)).data);
    return ids;
}

std::vector<std::string> RecordingView::Titles() const {
    std::vector<std::string> titles;
    for (const ResultRow& row : rows) titles.push_back(row.title);
    return titles;
}

}  // namespace pantrio::test
