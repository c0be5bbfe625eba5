// MainDialog: the results page: the view and keyword selectors, the column
// headers, the navigation bar's folders, type-ahead and marking from the
// list.
#include <algorithm>

#include "base/Prompter.h"
#include "base/Text.h"
#include "core/MainCommands.h"
#include "core/MainDialog.h"
#include "core/MainView.h"
#include "search/Marking.h"
#include "search/ResultsModel.h"
#include "search/SearchLinks.h"
#include "search/ViewQuery.h"

namespace pantrio {

void MainDialog::ShowResultsPageState() {
    if (view_ != nullptr) view_->ShowResultsPageState(resultsPage_);
}

int MainDialog::SelectView(int entry) {
    const std::vector<SelectorEntry>& menu = ViewSelectorMenu();
    if (entry < 0 || entry >= static_cast<int>(menu.size())) return -1;
    resultsPage_.viewCaption = menu[static_cast<std::size_t>(entry)].caption;
    ShowResultsPageState();
    return RunView();
}

int MainDialog::SelectKeyword(int entry) {
    const std::vector<SelectorEntry>& menu = KeywordSelectorMenu();
    if (entry < 0 || entry >= static_cast<int>(menu.size())) return -1;
    resultsPage_.keywordCaption = menu[static_cast<std::size_t>(entry)].caption;
    ShowResultsPageState();
    return RunView();
}

int MainDialog::RunView() {
    return FillResults(ViewQuery(resultsPage_.viewCaption, resultsPage_.keywordCaption, Today()));
}

int MainDialog::HeaderClicked(int column) {
    const std::string query = HeaderClickQuery(column);
    if (query.empty()) return -1;
    return FillResultsSorted(query, column);
}

std::vector<ListRow> MainDialog::FolderEntries(RecipeFolder folder) {
    std::vector<ListRow> entries;
    if (!RecipeStore.Connected()) return entries;
    std::vector<std::string> values;
    if (FolderItems(RecipeStore, folder, values) < 0) return entries;
    for (std::string& value : values) {
        ListRow row;
        row.text = std::move(value);
        row.icon = FolderItemIcon(folder);
        entries.push_back(std::move(row));
    }
    return entries;
}

int MainDialog::FolderItemChosen(RecipeFolder folder, const std::string& itemText) {
    RunCommand(command::kShowRecipesPage);
    return FillResults(FolderItemQuery(folder, itemText));
}

int MainDialog::TypeAhead(const std::string& text) {
    if (text.empty()) return -1;
    const auto query = TypeAheadQuery(text.front());
    if (!query) return -1;
    const int rows = FillResults(*query);
    if (rows <= 0) return -1;
    ResultsModel* results = view_ != nullptr ? view_->Results() : nullptr;
    if (results == nullptr || text.size() == 1) return 0;

    // The list is in title order (letter case ignored), so the search stops
    // at the first title that sorts at or after the text and reads no
    // further than that row and its batch.
    const std::string wanted = ToLower(text);
    for (long r = 0; r < results->TotalRows(); ++r) {
        const ResultRow* row = results->Row(r);
        if (row == nullptr) return static_cast<int>(std::max(r - 1, 0L));
        if (ToLower(row->title).compare(0, wanted.size(), wanted) >= 0) return static_cast<int>(r);
    }
    return static_cast<int>(results->TotalRows() - 1);
}

void MainDialog::RowClicked(int row, int pixelsFromLeft) {
    const int selected = view_ != nullptr ? static_cast<int>(view_->SelectedRows().size()) : 0;
    if (ClickTogglesMark(pixelsFromLeft, selected, false)) {
        ToggleMarkOnRow(row);
        return;
    }
    OnRowSelected(row);
}

int MainDialog::ToggleMarkOnRow(int row) {
    if (view_ == nullptr) return -1;
    MarkEnvironment environment;
    if (SupportStore.Connected()) environment.support = &SupportStore;
    environment.soundsOn = Settings.SoundsUI == 1;
    environment.playSound = [this](const std::string& sound) { PlayInterfaceSound(sound); };
    environment.refreshPlan = [this] { view_->RefreshMealPlan(); };

    int icon = -1;
    if (ResultsModel* results = view_->Results()) {
        icon = ToggleMarkAt(*results, RecipeStore, row, environment);
    } else {
        const long id = view_->RowRecipeID(row);
        if (id > 0) icon = ToggleMark(RecipeStore, static_cast<int>(id), environment);
    }
    if (icon >= 0) view_->RowChanged(row);
    return icon;
}

void MainDialog::DroppedOnKeywordSelector() {
    prompter_->Message(
        "To assign keywords to recipes, use the Notes tab, or right click on a recipe in the "
        "results view.");
}

}  // namespace pantrio
