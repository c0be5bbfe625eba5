#include "search/ResultsModel.h"

#include <algorithm>
#include <cctype>

#include "base/Prompter.h"
#include "base/Text.h"
#include "storage/CADORecordset.h"
#include "storage/RecipeDB.h"

namespace pantrio {

namespace {

ResultRow ReadRow(CADORecordset& rs) {
    ResultRow row;
    rs.Read("RecipeID", row.recipeID);
    rs.Read("Title", row.title);
    rs.Read("Color", row.color);
    rs.Read("Marked", row.marked);
    rs.Read("TasteRating", row.tasteRating);
    return row;
}

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Whether the word `word` stands at `at` (letter case ignored) as a whole word.
bool WordAt(const std::string& s, std::size_t at, std::string_view word) {
    if (at + word.size() > s.size()) return false;
    if (at > 0 && IsWordChar(s[at - 1])) return false;
    if (!EqualsNoCase(std::string_view(s).substr(at, word.size()), word)) return false;
    return at + word.size() == s.size() || !IsWordChar(s[at + word.size()]);
}

}  // namespace

std::string ResultRow::RatingText() const {
    return Format("%.0f", tasteRating);
}

std::string ResultRow::MarkedText() const {
    return Format("%d", marked);
}

std::string WithTotalOrder(const std::string& statement) {
    bool ordered = false;
    int depth = 0;
    char quote = 0;
    for (std::size_t i = 0; i < statement.size(); ++i) {
        const char c = statement[i];
        if (quote) {
            if (c == quote) {
                if (i + 1 < statement.size() && statement[i + 1] == quote)
                    ++i;  // a doubled quote inside the text
                else
                    quote = 0;
            }
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            --depth;
        } else if (depth == 0 && WordAt(statement, i, "order")) {
            std::size_t j = i + 5;
            while (j < statement.size() && std::isspace(static_cast<unsigned char>(statement[j])))
                ++j;
            if (j > i + 5 && WordAt(statement, j, "by")) ordered = true;
        }
    }
    const std::string text = TrimRight(statement);
    return ordered ? text + ", RecipeID" : text + " ORDER BY RecipeID";
}

std::string ResultsModel::StatusLine(long rows, long inBox) {
    std::string line = rows == 1 ? std::string("1 recipe") : Format("%ld recipes", rows);
    return line + " / " + Format("%ld in recipe box", inBox);
}

ResultsModel::ResultsModel(RecipeDB& db, Prompter* prompter) : db_(db), prompter_(prompter) {}

bool ResultsModel::EnsureOpen() {
    if (db_.Connected()) return true;
    if (db_.CookbookPath.empty()) return false;
    db_.BuildConnectString();
    return db_.Connect();
}

void ResultsModel::Clear() {
    statement_.clear();
    paged_.clear();
    rows_.clear();
    listed_.clear();
    total_ = 0;
    nextOffset_ = 0;
    reordered_ = 0;
    rowsRead_ = 0;
}

void ResultsModel::UpdateStatus() {
    status_ = StatusLine(total_, db_.CountRecipes());
    if (statusChanged) statusChanged(status_);
}

// Reads rows from an open result, up to `limit`, into the list.
long ResultsModel::TakeRows(CADORecordset& rs, long limit) {
    long read = 0;
    while (read < limit && !rs.AtEnd()) {
        ResultRow row = ReadRow(rs);
        ++read;
        if (listed_.insert(row.recipeID).second) rows_.push_back(std::move(row));
        rs.NextRow();
    }
    rowsRead_ += read;
    nextOffset_ += read;
    return read;
}

int ResultsModel::Fill(const std::string& statement) {
    Clear();
    if (!EnsureOpen()) return -1;
    CADORecordset rs(db_);
    std::string paged = WithTotalOrder(statement);
    if (!rs.Run(paged)) {
        // A statement the order could not be completed for runs as it stands.
        paged = statement;
        if (!rs.Run(paged)) return -1;
    }
    statement_ = statement;
    paged_ = paged;
    total_ = rs.RowCount();
    TakeRows(rs, std::min<long>(kBatchSize, total_));
    rs.Release();
    UpdateStatus();
    return 0;
}

int ResultsModel::FetchMore() {
    if (!CanFetchMore()) return 0;
    if (!db_.Connected()) {
        if (prompter_) prompter_->Message("RecipeDB is not open.");
        return -1;
    }
    // After a change that may have moved rows, start earlier by as many rows;
    // the rows read twice are skipped as already listed.
    const long overlap = std::min<long>(reordered_, nextOffset_);
    const long start = nextOffset_ - overlap;
    const long want = std::min<long>(kBatchSize, total_ - LoadedRows()) + overlap;
    const long before = LoadedRows();

    CADORecordset rs(db_);
    if (!rs.Run(paged_ + Format(" LIMIT %ld OFFSET %ld", want, start))) return -1;
    nextOffset_ = start;
    const long read = TakeRows(rs, want);
    rs.Release();
    reordered_ = 0;

    if (read < want) {
        // The statement ended early: recipes were deleted since the fill.
        total_ = LoadedRows();
        UpdateStatus();
    }
    return static_cast<int>(LoadedRows() - before);
}

const ResultRow* ResultsModel::Row(long r) {
    if (r < 0) return nullptr;
    while (r >= LoadedRows() && CanFetchMore()) {
        const long offset = nextOffset_;
        const long loaded = LoadedRows();
        if (FetchMore() < 0) return nullptr;
        // Every batch moves on or ends the list; never ask twice for nothing.
        if (nextOffset_ == offset && LoadedRows() == loaded) break;
    }
    return r < LoadedRows() ? &rows_[static_cast<std::size_t>(r)] : nullptr;
}

long ResultsModel::RowOfRecipe(long recipeID) const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].recipeID == recipeID) return static_cast<long>(i);
    return -1;
}

long ResultsModel::FirstRowStartingWith(const std::string& text) const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (StartsWithNoCase(rows_[i].title, text)) return static_cast<long>(i);
    return -1;
}

void ResultsModel::SetRowMarked(long r, bool marked) {
    if (r < 0 || r >= LoadedRows()) return;
    rows_[static_cast<std::size_t>(r)].marked = marked ? 255 : 0;
}

int ResultsModel::Refresh() {
    if (statement_.empty()) return 0;
    if (!db_.Connected()) {
        if (prompter_) prompter_->Message("RecipeDB is not open.");
        return -1;
    }
    CADORecordset rs(db_);
    if (!rs.Run(paged_)) return -1;
    const long shown = std::max<long>(LoadedRows(), kBatchSize);
    rows_.clear();
    listed_.clear();
    nextOffset_ = 0;
    reordered_ = 0;
    total_ = rs.RowCount();
    TakeRows(rs, std::min(shown, total_));
    rs.Release();
    UpdateStatus();
    return 0;
}

}  // namespace pantrio
