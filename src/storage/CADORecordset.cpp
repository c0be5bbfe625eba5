#include "storage/CADORecordset.h"

#include <sqlite3.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>
#include <vector>

#include "base/Text.h"
#include "storage/CADODatabase.h"
#include "storage/ErrorReport.h"
#include "storage/JetTranslator.h"
#include "storage/StatementCache.h"
#include "storage/StatementShape.h"

namespace pantrio {

namespace {

// One value of the current row, as SQLite holds it.
struct CellView {
    int type = SQLITE_NULL;
    std::int64_t integer = 0;
    double real = 0;
    std::string_view text;
};

// A value kept in memory after its statement was given back.
struct StoredCell {
    int type = SQLITE_NULL;
    std::int64_t integer = 0;
    double real = 0;
    std::string text;
};

bool ParseWholeDouble(std::string_view text, double& out) {
    std::string trimmed = Trim(text);
    if (trimmed.empty()) return false;
    const char* first = trimmed.data();
    const char* last = first + trimmed.size();
    if (*first == '+') ++first;
    auto r = std::from_chars(first, last, out);
    return r.ec == std::errc() && r.ptr == last;
}

// A number as a 32-bit integer: integers as they are, other numbers rounded
// to the nearest, halves to even.
bool ToInt32(double value, std::int64_t& out) {
    if (!std::isfinite(value)) return false;
    value = std::nearbyint(value);
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return false;
    out = static_cast<std::int64_t>(value);
    return true;
}

bool CellToInt32(const CellView& cell, std::int64_t& out) {
    switch (cell.type) {
        case SQLITE_NULL:
            out = 0;
            return true;
        case SQLITE_INTEGER:
            if (cell.integer < std::numeric_limits<std::int32_t>::min() ||
                cell.integer > std::numeric_limits<std::int32_t>::max())
                return false;
            out = cell.integer;
            return true;
        case SQLITE_FLOAT:
            return ToInt32(cell.real, out);
        default: {
            if (Trim(cell.text).empty()) {
                out = 0;
                return true;
            }
            double value = 0;
            return ParseWholeDouble(cell.text, value) && ToInt32(value, out);
        }
    }
}

}  // namespace

class CADORecordset::Impl : public OpenResult {
public:
    explicit Impl(CADORecordset& owner) : owner_(owner) {}
    ~Impl() override { Close(); }

    enum class State { Closed, Stepping, Buffered };

    bool Run(const std::string& statement, RunOption option);
    void Close();
    void Next();
    long Count();
    bool Cell(int index, CellView& out) const;
    int IndexOf(const std::string& column);
    bool AtEnd() const { return atEnd_; }
    int ColumnCount() const { return columnCount_; }
    std::string ColumnName(int index);

    void Snapshot() override;
    void ConnectionClosing() override;

private:
    void Fail(const ErrorDetails& error);
    void KeepNames();
    void GiveBackStatement();
    bool Bind(sqlite3_stmt* stmt);
    void BufferRow(std::vector<StoredCell>& row) const;

    CADORecordset& owner_;
    StatementCache* cache_ = nullptr;
    bool registered_ = false;
    std::string tableCommand_;  // the statement run for a table command
    // Borrowed from the connection while the statement is leased; its values
    // may point into the statement text.
    std::unique_ptr<StatementShape> shape_;
    bool startsWithSelect_ = false;
    StatementLease lease_;
    State state_ = State::Closed;
    bool atEnd_ = true;
    int columnCount_ = 0;
    std::vector<std::string> names_;
    // Stepping: rows passed before the current one. Buffered: rows passed
    // before the first buffered row.
    long rowsBefore_ = 0;
    std::vector<std::vector<StoredCell>> rows_;
    std::size_t rowIndex_ = 0;
    long rowCount_ = -1;
};

void CADORecordset::Impl::Fail(const ErrorDetails& error) {
    owner_.errorCode_ = error.code;
    owner_.errorReport_ = RecordsetErrorReport(owner_.statement_, error);
}

bool CADORecordset::Impl::Bind(sqlite3_stmt* stmt) {
    int index = 1;
    for (const StatementShape::Value& v : shape_->Values()) {
        int rc = SQLITE_OK;
        switch (v.kind) {
            case StatementShape::Value::Kind::Integer:
                rc = sqlite3_bind_int64(stmt, index, v.integer);
                break;
            case StatementShape::Value::Kind::Real:
                rc = sqlite3_bind_double(stmt, index, v.real);
                break;
            case StatementShape::Value::Kind::Text: {
                // The text lives in the recordset's statement or in shape_
                // until the statement is given back.
                const std::string_view text = shape_->TextOf(v);
                rc = sqlite3_bind_text(stmt, index, text.data(), static_cast<int>(text.size()),
                                       SQLITE_STATIC);
                break;
            }
        }
        if (rc != SQLITE_OK) return false;
        ++index;
    }
    return true;
}

bool CADORecordset::Impl::Run(const std::string& statement, RunOption option) {
    Close();
    CADODatabase& db = owner_.db_;
    if (!db.Connected()) {
        Fail(LayerError(SQLITE_MISUSE, "The database is not open."));
        return false;
    }
    // `statement` is the recordset's own copy, which outlives the values
    // that point into it.
    std::string_view text = statement;
    if (option == RunOption::Table) {
        // A table command names a table; its rows are the table's rows.
        std::string name = Trim(statement);
        bool bare = !name.empty();
        for (char c : name)
            if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) bare = false;
        if (bare) {
            tableCommand_ = "SELECT * FROM " + name;
            text = tableCommand_;
        }
    }
    cache_ = &db.Cache();
    shape_ = cache_->TakeShape();
    if (!shape_->Read(text)) {
        Fail(LayerError(SQLITE_ERROR, shape_->Error()));
        GiveBackStatement();
        return false;
    }
    int rc = SQLITE_OK;
    std::string error;
    lease_ = cache_->Acquire(shape_->Key(), rc, error);
    if (!lease_.stmt) {
        GiveBackStatement();
        if (!error.empty())
            Fail(LayerError(SQLITE_ERROR, error));
        else if (rc == SQLITE_MISUSE)
            Fail(LayerError(rc, "The statement is empty."));
        else
            Fail(SqliteError(db.Handle(), rc));
        return false;
    }
    startsWithSelect_ = lease_.startsWithSelect;
    sqlite3_stmt* stmt = lease_.stmt;
    if (!Bind(stmt)) {
        Fail(SqliteError(db.Handle(), sqlite3_errcode(db.Handle())));
        GiveBackStatement();
        return false;
    }
    columnCount_ = sqlite3_column_count(stmt);
    // Reads that are open on this connection must not see this statement's
    // changes half-way: they take their remaining rows first.
    if (columnCount_ == 0 || !sqlite3_stmt_readonly(stmt)) cache_->SnapshotOpenResults(this);

    if (columnCount_ == 0) {
        // INSERT, UPDATE, DELETE and the like: run to the end; no rows.
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE)
            Fail(SqliteError(db.Handle(), sqlite3_extended_errcode(db.Handle())));
        GiveBackStatement();
        state_ = State::Closed;
        return rc == SQLITE_DONE;
    }

    rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
        state_ = State::Stepping;
        atEnd_ = false;
        rowsBefore_ = 0;
        cache_->Register(this);
        registered_ = true;
        // Only a SELECT can be counted by wrapping it; other statements that
        // return rows (PRAGMA, WITH, VALUES) are read now and counted in memory.
        if (!startsWithSelect_) Snapshot();
        return true;
    }
    if (rc == SQLITE_DONE) {
        KeepNames();
        GiveBackStatement();
        state_ = State::Buffered;
        atEnd_ = true;
        rowsBefore_ = 0;
        rowCount_ = 0;
        return true;
    }
    Fail(SqliteError(db.Handle(), sqlite3_extended_errcode(db.Handle())));
    GiveBackStatement();
    return false;
}

void CADORecordset::Impl::KeepNames() {
    if (!names_.empty() || !lease_.stmt) return;
    names_.reserve(static_cast<std::size_t>(columnCount_));
    for (int i = 0; i < columnCount_; ++i) {
        const char* name = sqlite3_column_name(lease_.stmt, i);
        names_.emplace_back(name ? name : "");
    }
}

void CADORecordset::Impl::GiveBackStatement() {
    if (registered_ && cache_) cache_->Unregister(this);
    registered_ = false;
    if (lease_.stmt && cache_) cache_->Return(lease_);
    lease_ = StatementLease{};
    if (shape_ && cache_) cache_->GiveBackShape(std::move(shape_));
    shape_.reset();
}

void CADORecordset::Impl::Close() {
    GiveBackStatement();
    state_ = State::Closed;
    atEnd_ = true;
    columnCount_ = 0;
    names_.clear();
    rows_.clear();
    rowIndex_ = 0;
    rowsBefore_ = 0;
    rowCount_ = -1;
}

void CADORecordset::Impl::BufferRow(std::vector<StoredCell>& row) const {
    row.resize(static_cast<std::size_t>(columnCount_));
    for (int i = 0; i < columnCount_; ++i) {
        CellView view;
        Cell(i, view);
        StoredCell& cell = row[static_cast<std::size_t>(i)];
        cell.type = view.type;
        cell.integer = view.integer;
        cell.real = view.real;
        cell.text.assign(view.text);
    }
}

void CADORecordset::Impl::Snapshot() {
    if (state_ != State::Stepping) return;
    KeepNames();
    std::vector<std::vector<StoredCell>> rows;
    int rc = SQLITE_ROW;
    while (rc == SQLITE_ROW) {
        rows.emplace_back();
        BufferRow(rows.back());
        rc = sqlite3_step(lease_.stmt);
    }
    if (rc != SQLITE_DONE) {
        sqlite3* db = sqlite3_db_handle(lease_.stmt);
        Fail(SqliteError(db, sqlite3_extended_errcode(db)));
    }
    GiveBackStatement();
    rows_ = std::move(rows);
    rowIndex_ = 0;
    state_ = State::Buffered;
    atEnd_ = rows_.empty();
    rowCount_ = rowsBefore_ + static_cast<long>(rows_.size());
}

void CADORecordset::Impl::ConnectionClosing() {
    registered_ = false;  // the cache forgets every open result itself
    Close();
    cache_ = nullptr;
}

void CADORecordset::Impl::Next() {
    if (atEnd_) return;
    if (state_ == State::Buffered) {
        ++rowIndex_;
        atEnd_ = rowIndex_ >= rows_.size();
        return;
    }
    if (state_ != State::Stepping) return;
    const int rc = sqlite3_step(lease_.stmt);
    if (rc == SQLITE_ROW) {
        ++rowsBefore_;
        return;
    }
    KeepNames();
    // The rows read are all there is, also when reading stopped at a fault.
    rowCount_ = rowsBefore_ + 1;
    if (rc != SQLITE_DONE) {
        sqlite3* db = sqlite3_db_handle(lease_.stmt);
        Fail(SqliteError(db, sqlite3_extended_errcode(db)));
    }
    GiveBackStatement();
    state_ = State::Buffered;
    rows_.clear();
    rowIndex_ = 0;
    atEnd_ = true;
}

long CADORecordset::Impl::Count() {
    if (state_ == State::Closed) return 0;
    if (rowCount_ >= 0) return rowCount_;
    if (state_ != State::Stepping || !shape_) return 0;
    // Count without reading the rows: the same statement, counted by SQLite.
    // The line break ends a comment at the end of the statement.
    int rc = SQLITE_OK;
    std::string error;
    StatementLease counter =
        cache_->Acquire("SELECT count(*) FROM (" + shape_->Key() + "\n)", rc, error);
    if (counter.stmt && Bind(counter.stmt) && sqlite3_step(counter.stmt) == SQLITE_ROW)
        rowCount_ = static_cast<long>(sqlite3_column_int64(counter.stmt, 0));
    cache_->Return(counter);
    if (rowCount_ < 0) Snapshot();  // could not be counted that way: read the rows
    return rowCount_ < 0 ? 0 : rowCount_;
}

bool CADORecordset::Impl::Cell(int index, CellView& out) const {
    if (atEnd_ || index < 0 || index >= columnCount_) return false;
    if (state_ == State::Stepping) {
        sqlite3_stmt* stmt = lease_.stmt;
        out.type = sqlite3_column_type(stmt, index);
        switch (out.type) {
            case SQLITE_INTEGER:
                out.integer = sqlite3_column_int64(stmt, index);
                break;
            case SQLITE_FLOAT:
                out.real = sqlite3_column_double(stmt, index);
                break;
            case SQLITE_TEXT:
            case SQLITE_BLOB: {
                const void* data = out.type == SQLITE_TEXT
                                       ? static_cast<const void*>(sqlite3_column_text(stmt, index))
                                       : sqlite3_column_blob(stmt, index);
                const int bytes = sqlite3_column_bytes(stmt, index);
                out.text = data ? std::string_view(static_cast<const char*>(data),
                                                   static_cast<std::size_t>(bytes))
                                : std::string_view();
                break;
            }
            default:
                break;
        }
        return true;
    }
    if (state_ != State::Buffered || rowIndex_ >= rows_.size()) return false;
    const StoredCell& cell = rows_[rowIndex_][static_cast<std::size_t>(index)];
    out.type = cell.type;
    out.integer = cell.integer;
    out.real = cell.real;
    out.text = cell.text;
    return true;
}

std::string CADORecordset::Impl::ColumnName(int index) {
    KeepNames();
    if (index < 0 || static_cast<std::size_t>(index) >= names_.size()) return "";
    return names_[static_cast<std::size_t>(index)];
}

int CADORecordset::Impl::IndexOf(const std::string& column) {
    KeepNames();
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (EqualsNoCase(names_[i], column)) return static_cast<int>(i);
    // "Table.Column": results name their columns without the table.
    std::size_t dot = column.rfind('.');
    if (dot != std::string::npos) {
        std::string_view bare = std::string_view(column).substr(dot + 1);
        for (std::size_t i = 0; i < names_.size(); ++i)
            if (EqualsNoCase(names_[i], bare)) return static_cast<int>(i);
    }
    return -1;
}

// ----------------------------------------------------------------- recordset

CADORecordset::CADORecordset(CADODatabase& db) : db_(db), impl_(std::make_unique<Impl>(*this)) {}

CADORecordset::~CADORecordset() = default;

bool CADORecordset::Run(const std::string& statement, RunOption option) {
    // Close first: the values of the open result may point into statement_.
    impl_->Close();
    statement_ = statement;
    return impl_->Run(statement_, option);
}

bool CADORecordset::AtEnd() const {
    return impl_->AtEnd();
}
void CADORecordset::NextRow() {
    impl_->Next();
}
long CADORecordset::RowCount() {
    return impl_->Count();
}
void CADORecordset::Release() {
    impl_->Close();
}
int CADORecordset::ColumnCount() const {
    return impl_->ColumnCount();
}
std::string CADORecordset::ColumnName(int index) const {
    return impl_->ColumnName(index);
}

bool CADORecordset::Read(const std::string& column, std::string& out, const char* dateFormat) {
    return ReadAt(impl_->IndexOf(column), out, dateFormat);
}
bool CADORecordset::Read(const std::string& column, double& out) {
    return ReadAt(impl_->IndexOf(column), out);
}
bool CADORecordset::Read(const std::string& column, long& out) {
    return ReadAt(impl_->IndexOf(column), out);
}
bool CADORecordset::Read(const std::string& column, int& out) {
    return ReadAt(impl_->IndexOf(column), out);
}
bool CADORecordset::Read(const std::string& column, DateTime& out) {
    return ReadAt(impl_->IndexOf(column), out);
}

bool CADORecordset::ReadAt(int index, std::string& out, const char* dateFormat) {
    CellView cell;
    if (!impl_->Cell(index, cell)) return false;
    switch (cell.type) {
        case SQLITE_NULL:
            out.clear();
            return true;
        case SQLITE_INTEGER:
            out = std::to_string(cell.integer);
            return true;
        case SQLITE_FLOAT: {
            // The shortest text that reads back as the same double (at most
            // 17 significant digits).
            char buffer[64];
            auto r = std::to_chars(buffer, buffer + sizeof buffer, cell.real);
            out.assign(buffer, r.ptr);
            return true;
        }
        default:
            if (dateFormat) {
                // Dates are stored as ISO text; a format asks for them in another form.
                if (auto date = DateTime::ParseIso(std::string(cell.text))) {
                    out = date->Format(dateFormat);
                    return true;
                }
            }
            out.assign(cell.text);
            return true;
    }
}

bool CADORecordset::ReadAt(int index, double& out) {
    CellView cell;
    if (!impl_->Cell(index, cell)) return false;
    switch (cell.type) {
        case SQLITE_NULL:
            out = 0;
            return true;
        case SQLITE_INTEGER:
            out = static_cast<double>(cell.integer);
            return true;
        case SQLITE_FLOAT:
            out = cell.real;
            return true;
        default: {
            if (Trim(cell.text).empty()) {
                out = 0;
                return true;
            }
            double value = 0;
            if (!ParseWholeDouble(cell.text, value)) return false;
            out = value;
            return true;
        }
    }
}

bool CADORecordset::ReadAt(int index, long& out) {
    CellView cell;
    std::int64_t value = 0;
    if (!impl_->Cell(index, cell) || !CellToInt32(cell, value)) return false;
    out = static_cast<long>(value);
    return true;
}

bool CADORecordset::ReadAt(int index, int& out) {
    CellView cell;
    std::int64_t value = 0;
    if (!impl_->Cell(index, cell) || !CellToInt32(cell, value)) return false;
    out = static_cast<int>(value);
    return true;
}

bool CADORecordset::ReadAt(int index, DateTime& out) {
    CellView cell;
    if (!impl_->Cell(index, cell)) return false;
    if (cell.type == SQLITE_NULL || (cell.type == SQLITE_TEXT && Trim(cell.text).empty())) {
        out = DateTime{};
        return true;
    }
    if (cell.type != SQLITE_TEXT) return false;
    auto date = DateTime::ParseIso(JetDateToIso(cell.text));
    if (!date) return false;
    out = *date;
    return true;
}

}  // namespace pantrio
