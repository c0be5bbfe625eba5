#include "search/ResultsModel.h"

#include <algorithm>
#include <cctype>

#include "base/Text.h"
#include "search/AllBoxesSearch.h"
#include "storage/CADORecordset.h"
#include "storage/RecipeDB.h"

namespace pantrio {

ResultRow ReadResultRow(CADORecordset& rs) {
    ResultRow row;
    rs.Read("RecipeID", row.recipeID);
    rs.Read("Title", row.title);
    rs.Read("Color", row.color);
    rs.Read("Marked", row.marked);
    rs.Read("TasteRating", row.tasteRating);
    return row;
}

namespace {

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

}  // namespace

std::string ResultRow::RatingText() const {
    return Format("%.0f", tasteRating);
}

std::string ResultRow::MarkedText() const {
    return Format("%d", marked);
}

namespace {

// The words of a statement that stand outside quoted text and parentheses,
// with their positions, in lower case.
struct TopLevelWord {
    std::size_t at;
    std::string word;
};

std::vector<TopLevelWord> TopLevelWords(const std::string& statement) {
    std::vector<TopLevelWord> words;
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
        } else if (depth == 0 && IsWordChar(c) && (i == 0 || !IsWordChar(statement[i - 1]))) {
            std::size_t end = i;
            while (end < statement.size() && IsWordChar(statement[end])) ++end;
            words.push_back({i, ToLower(std::string_view(statement).substr(i, end - i))});
            i = end - 1;
        }
    }
    return words;
}

// Position of the top-level "ORDER BY"; npos when there is none.
std::size_t OrderByAt(const std::vector<TopLevelWord>& words) {
    std::size_t at = std::string::npos;
    for (std::size_t i = 0; i + 1 < words.size(); ++i)
        if (words[i].word == "order" && words[i + 1].word == "by") at = words[i].at;
    return at;
}

}  // namespace

std::string WithTotalOrder(const std::string& statement) {
    const bool ordered = OrderByAt(TopLevelWords(statement)) != std::string::npos;
    const std::string text = TrimRight(statement);
    return ordered ? text + ", RecipeID" : text + " ORDER BY RecipeID";
}

std::string WithSetTermsUnindexed(const std::string& statement) {
    const std::vector<TopLevelWord> words = TopLevelWords(statement);
    std::string text = statement;
    // From the back, so the positions of earlier words stay right.
    for (std::size_t i = words.size(); i-- > 1;) {
        if (words[i].word != "in" || words[i - 1].word != "recipeid") continue;
        std::size_t at = words[i - 1].at;
        // "Recipes.RecipeID": the sign goes before the table's name.
        if (at >= 8 && EqualsNoCase(std::string_view(text).substr(at - 8, 8), "recipes.")) at -= 8;
        if (at > 0 && text[at - 1] == '+') continue;
        text.insert(at, "+");
    }
    return text;
}

std::string CountStatement(const std::string& statement) {
    const std::vector<TopLevelWord> words = TopLevelWords(statement);
    if (words.empty() || words[0].word != "select") return "";
    std::size_t from = std::string::npos;
    for (const TopLevelWord& w : words) {
        // Statements whose rows are not one per matching row are counted
        // by the access layer as they stand.
        if (w.word == "distinct" || w.word == "top" || w.word == "group" || w.word == "union" ||
            w.word == "having" || w.word == "limit")
            return "";
        if (w.word == "from" && from == std::string::npos) from = w.at;
    }
    if (from == std::string::npos) return "";
    const std::size_t order = OrderByAt(words);
    const std::size_t end = order == std::string::npos ? statement.size() : order;
    return "Select count(*) " + TrimRight(statement.substr(from, end - from));
}

std::string ResultsModel::StatusLine(long rows, long inBox) {
    std::string line = rows == 1 ? std::string("1 recipe") : Format("%ld recipes", rows);
    return line + " / " + Format("%ld in recipe box", inBox);
}

ResultsModel::ResultsModel(RecipeDB& db, std::function<void(const std::string& message)> report)
    : db_(db), report_(std::move(report)) {}

int ResultsModel::RefreshBoxRows() {
    // Only the open box can have changed under the list: its rows are read
    // anew one by one, and those whose recipe went are dropped.
    if (!db_.Connected()) return 0;
    std::vector<ResultRow> kept;
    for (ResultRow& row : rows_) {
        if (!SameBoxFile(row.box, db_.FilePath())) {
            kept.push_back(std::move(row));
            continue;
        }
        CADORecordset rs(db_);
        if (!rs.Run(Format("Select RecipeID, Title, Color, Marked, TasteRating from Recipes "
                           "where RecipeID = %ld",
                           row.recipeID)))
            return -1;
        if (rs.AtEnd()) continue;
        ResultRow fresh = ReadResultRow(rs);
        fresh.box = std::move(row.box);
        kept.push_back(std::move(fresh));
    }
    rows_ = std::move(kept);
    total_ = nextOffset_ = LoadedRows();
    return 0;
}

bool ResultsModel::EnsureOpen() {
    if (db_.Connected()) return true;
    if (db_.CookbookPath.empty()) return false;
    return db_.Open(db_.CookbookPath);
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
    rowsNameBoxes_ = false;
}

void ResultsModel::FillRows(std::vector<ResultRow> rows, std::string status) {
    Clear();
    rows_ = std::move(rows);
    total_ = LoadedRows();
    nextOffset_ = total_;
    rowsNameBoxes_ = true;
    status_ = std::move(status);
    if (statusChanged) statusChanged(status_);
}

void ResultsModel::UpdateStatus() {
    status_ = StatusLine(total_, db_.CountRecipes());
    if (statusChanged) statusChanged(status_);
}

// Reads rows from an open result, up to `limit`, into the list.
long ResultsModel::TakeRows(CADORecordset& rs, long limit) {
    long read = 0;
    while (read < limit && !rs.AtEnd()) {
        ResultRow row = ReadResultRow(rs);
        ++read;
        if (listed_.insert(row.recipeID).second) rows_.push_back(std::move(row));
        rs.NextRow();
    }
    rowsRead_ += read;
    nextOffset_ += read;
    return read;
}

long ResultsModel::CountRows(CADORecordset& rs) {
    // Counting the rows of the statement's own WHERE, without its columns
    // and order, lets SQLite count from an index instead of visiting every
    // row in sort order.
    const long n = CountStatementRows(statement_);
    return n >= 0 ? n : rs.RowCount();
}

long ResultsModel::CountStatementRows(const std::string& statement) {
    const std::string count = CountStatement(statement);
    if (count.empty()) return -1;
    CADORecordset counter(db_);
    long n = 0;
    if (counter.Run(count) && !counter.AtEnd() && counter.ReadAt(0, n)) return n;
    return -1;
}

bool ResultsModel::WalkOrderedIndex(long matches, long inBox) {
    // Reading the list's ordered index and testing each recipe against the
    // matching set finds the first batch after about kBatchSize * inBox /
    // matches entries; looking each match up and sorting them all costs
    // about `matches`. The walk wins once matches^2 > kBatchSize * inBox.
    return matches > kBatchSize && static_cast<double>(matches) * static_cast<double>(matches) >
                                       static_cast<double>(kBatchSize) * static_cast<double>(inBox);
}

int ResultsModel::Fill(const std::string& statement) {
    Clear();
    if (!EnsureOpen()) return -1;
    // The count comes first: it decides how the rows are best read. A
    // statement that picks recipes from sets (RecipeID IN (...)) and matches
    // many of them reads its rows in order from the list's index, with the
    // sets only tested, instead of fetching every match and sorting them.
    // The rows and their order are the same either way.
    const long counted = CountStatementRows(statement);
    std::vector<std::string> plans;
    if (counted >= 0 && WalkOrderedIndex(counted, db_.CountRecipes())) {
        const std::string walked = WithSetTermsUnindexed(statement);
        if (walked != statement) plans.push_back(WithTotalOrder(walked));
    }
    plans.push_back(WithTotalOrder(statement));
    // A statement the order could not be completed for runs as it stands.
    plans.push_back(statement);
    CADORecordset rs(db_);
    const std::string* paged = nullptr;
    for (const std::string& plan : plans) {
        if (rs.Run(plan)) {
            paged = &plan;
            break;
        }
    }
    if (paged == nullptr) return -1;
    statement_ = statement;
    paged_ = *paged;
    total_ = counted >= 0 ? counted : rs.RowCount();
    TakeRows(rs, std::min<long>(kBatchSize, total_));
    rs.Release();
    UpdateStatus();
    return 0;
}

int ResultsModel::FetchMore() {
    // Each batch is as large as what is read already: every batch runs the
    // whole statement again, so scrolling a long list to its end takes a few
    // runs instead of one per hundred rows.
    return FetchRows(std::max<long>(kBatchSize, LoadedRows()));
}

int ResultsModel::FetchRows(long count) {
    if (!CanFetchMore()) return 0;
    if (!db_.Connected()) {
        if (report_) report_("RecipeDB is not open.");
        return -1;
    }
    // After a change that may have moved rows, start earlier by as many rows;
    // the rows read twice are skipped as already listed.
    const long overlap = std::min<long>(reordered_, nextOffset_);
    const long start = nextOffset_ - overlap;
    const long want = std::min<long>(count, total_ - LoadedRows()) + overlap;
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
        // The rows up to r in one run, in whole batches.
        const long missing = r + 1 - loaded;
        if (FetchRows((missing + kBatchSize - 1) / kBatchSize * kBatchSize) < 0) return nullptr;
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
    if (rowsNameBoxes_) return RefreshBoxRows();
    if (statement_.empty()) return 0;
    if (!db_.Connected()) {
        if (report_) report_("RecipeDB is not open.");
        return -1;
    }
    CADORecordset rs(db_);
    if (!rs.Run(paged_)) return -1;
    const long shown = std::max<long>(LoadedRows(), kBatchSize);
    rows_.clear();
    listed_.clear();
    nextOffset_ = 0;
    reordered_ = 0;
    total_ = CountRows(rs);
    TakeRows(rs, std::min(shown, total_));
    rs.Release();
    UpdateStatus();
    return 0;
}

}  // namespace pantrio
