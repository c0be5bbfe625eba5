#include "core/ResultsController.h"

#include <algorithm>

#include "base/Prompter.h"
#include "base/Text.h"
#include "core/AppSettings.h"
#include "core/MainCommands.h"
#include "core/MainDialog.h"
#include "core/ResultsView.h"
#include "search/Marking.h"
#include "search/ResultsModel.h"
#include "search/ViewQuery.h"
#include "storage/RecipeDB.h"
#include "storage/SupportDB.h"

namespace pantrio {

ResultsController::ResultsController(ControllerContext context, ResultsView* view)
    : context_(context), view_(view) {}

std::unique_ptr<ResultsModel> ResultsController::MakeModel(Prompter* prompter) const {
    if (prompter == nullptr) return std::make_unique<ResultsModel>(context_.box);
    return std::make_unique<ResultsModel>(
        context_.box, [prompter](const std::string& text) { prompter->Message(text); });
}

int ResultsController::FillResults(const std::string& query) {
    return FillResultsSorted(query, -1);
}

int ResultsController::FillResultsSorted(const std::string& query, int sortColumn) {
    int rows = -1;
    if (view_ != nullptr) {
        rows = view_->FillResults(query);
    } else if (context_.box.Connected()) {
        rows = static_cast<int>(context_.box.QueryRowCount(query));
    }
    if (rows < 0) sortColumn = -1;
    // A fill follows most changes of the box (imports of every kind, new and
    // deleted recipes): the box line's count is brought up to date with it.
    BoxController& boxes = context_.main.Boxes();
    if (context_.box.Connected() && context_.box.CountRecipes() != boxes.BoxRecipeCount())
        boxes.ShowBoxLine();
    if (page_.sortColumn != sortColumn) {
        page_.sortColumn = sortColumn;
        ShowState();
    }
    return rows;
}

AllBoxesResult ResultsController::SearchAllBoxes(const BoxStatement& statementFor) {
    const std::vector<std::string> boxes =
        RecipeBoxFiles(context_.settings.Folders().Rbox(), context_.main.Boxes().OpenBoxFile());
    return pantrio::SearchAllBoxes(boxes, statementFor, context_.box.SystemDatabasePath);
}

int ResultsController::FillAllBoxes(const BoxStatement& statementFor) {
    if (view_ == nullptr) return -1;
    AllBoxesResult found = SearchAllBoxes(statementFor);
    const std::string status = found.StatusLine();
    const int rows = view_->ShowBoxRows(std::move(found.rows), status);
    if (page_.sortColumn != -1) {
        page_.sortColumn = -1;
        ShowState();
    }
    return rows;
}

void ResultsController::FillAllRecipes() {
    FillResults(kAllRecipesQuery);
}

void ResultsController::ClearResults() {
    if (view_ != nullptr) view_->ClearResults();
}

void ResultsController::ShowState() {
    if (view_ != nullptr) view_->ShowResultsPageState(page_);
}

int ResultsController::SelectView(int entry) {
    const std::vector<SelectorEntry>& menu = ViewSelectorMenu();
    if (entry < 0 || entry >= static_cast<int>(menu.size())) return -1;
    page_.viewCaption = menu[static_cast<std::size_t>(entry)].caption;
    ShowState();
    return RunView();
}

int ResultsController::SelectKeyword(int entry) {
    const std::vector<SelectorEntry>& menu = KeywordSelectorMenu();
    if (entry < 0 || entry >= static_cast<int>(menu.size())) return -1;
    page_.keywordCaption = menu[static_cast<std::size_t>(entry)].caption;
    ShowState();
    return RunView();
}

int ResultsController::RunView() {
    return FillResults(ViewQuery(page_.viewCaption, page_.keywordCaption, context_.main.Today()));
}

int ResultsController::HeaderClicked(int column) {
    const std::string query = HeaderClickQuery(column);
    if (query.empty()) return -1;
    return FillResultsSorted(query, column);
}

std::vector<ListRow> ResultsController::FolderEntries(RecipeFolder folder) {
    std::vector<ListRow> entries;
    if (!context_.box.Connected()) return entries;
    std::vector<std::string> values;
    if (FolderItems(context_.box, folder, values) < 0) return entries;
    for (std::string& value : values) {
        ListRow row;
        row.text = std::move(value);
        row.icon = FolderItemIcon(folder);
        entries.push_back(std::move(row));
    }
    return entries;
}

int ResultsController::FolderItemChosen(RecipeFolder folder, const std::string& itemText) {
    context_.main.RunCommand(command::kShowRecipesPage);
    return FillResults(FolderItemQuery(folder, itemText));
}

int ResultsController::TypeAhead(const std::string& text) {
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

void ResultsController::RowClicked(int row, int pixelsFromLeft) {
    const int selected = static_cast<int>(SelectedRows().size());
    if (ClickTogglesMark(pixelsFromLeft, selected, false)) {
        ToggleMarkOnRow(row);
        return;
    }
    context_.main.Recipes().OnRowSelected(row);
}

int ResultsController::ToggleMarkOnRow(int row) {
    if (view_ == nullptr) return -1;
    MarkEnvironment environment;
    if (context_.support.Connected()) environment.support = &context_.support;
    environment.soundsOn = context_.settings.SoundsUI == 1;
    environment.playSound = [this](const std::string& sound) {
        context_.main.PlayInterfaceSound(sound);
    };
    environment.refreshPlan = [this] { view_->RefreshMealPlan(); };

    int icon = -1;
    const std::string box = RowBox(row);
    if (!RowInOpenBox(row)) {
        // A row of another box is marked in its own box, which stays closed
        // to the window.
        RecipeDB other;
        other.SystemDatabasePath = context_.box.SystemDatabasePath;
        ResultsModel* results = view_->Results();
        const long id = RowRecipeID(row);
        if (results != nullptr && id > 0 && other.Open(box)) {
            icon = ToggleMark(other, static_cast<int>(id), environment);
            if (icon >= 0) results->SetRowMarked(row, icon >= 7);
        }
    } else if (ResultsModel* results = view_->Results()) {
        icon = ToggleMarkAt(*results, context_.box, row, environment);
    } else {
        const long id = view_->RowRecipeID(row);
        if (id > 0) icon = ToggleMark(context_.box, static_cast<int>(id), environment);
    }
    if (icon >= 0) view_->RowChanged(row);
    return icon;
}

void ResultsController::DroppedOnKeywordSelector() {
    context_.prompter.Message(
        "To assign keywords to recipes, use the Notes tab, or right click on a recipe in the "
        "results view.");
}

std::vector<int> ResultsController::SelectedRows() {
    return view_ != nullptr ? view_->SelectedRows() : std::vector<int>();
}

std::vector<int> ResultsController::SelectedRecipeIDs() {
    std::vector<int> ids;
    for (const int row : SelectedRows()) {
        if (!RowInOpenBox(row)) continue;
        const long id = RowRecipeID(row);
        if (id > 0) ids.push_back(static_cast<int>(id));
    }
    return ids;
}

long ResultsController::RowRecipeID(int row) {
    return view_ != nullptr ? view_->RowRecipeID(row) : -1;
}

std::string ResultsController::RowBox(int row) {
    ResultsModel* model = view_ != nullptr ? view_->Results() : nullptr;
    if (model == nullptr || !model->RowsNameBoxes()) return "";
    const ResultRow* r = model->Row(row);
    return r != nullptr ? r->box : std::string();
}

bool ResultsController::RowInOpenBox(int row) {
    const std::string box = RowBox(row);
    return box.empty() || SameBoxFile(box, context_.main.Boxes().OpenBoxFile());
}

int ResultsController::RowCount() {
    return view_ != nullptr ? view_->RowCount() : 0;
}

void ResultsController::SelectRow(int row) {
    if (view_ != nullptr) view_->SelectRow(row);
}

void ResultsController::RemoveRows(const std::vector<int>& rows) {
    if (view_ != nullptr) view_->RemoveRows(rows);
}

void ResultsController::SetBusy(bool busy) {
    if (view_ != nullptr) view_->SetBusy(busy);
}

void ResultsController::RecipeChanged(long recipeID) {
    ResultsModel* model = view_ != nullptr ? view_->Results() : nullptr;
    if (model == nullptr) return;
    model->Refresh();
    for (int row = 0; row < static_cast<int>(model->LoadedRows()); ++row) {
        const ResultRow* listed = model->Row(row);
        if (listed != nullptr && listed->recipeID == recipeID) view_->RowChanged(row);
    }
}

}  // namespace pantrio
