#include "storage/Store.h"

#include "base/Text.h"
#include "storage/CADORecordset.h"

namespace pantrio {

namespace {

// Runs `statement` and reads the first column of the first row into `out`
// with `read`; false when the statement fails, returns no row or the value
// cannot be read. A failure of the statement is recorded on the store.
template <typename T>
bool QueryFirst(Store& store, const std::string& statement, T& out) {
    if (!store.Connected()) return false;
    CADORecordset rs(store);
    if (!rs.Run(statement)) {
        store.SetError(rs.ErrorCode(), rs.ErrorReport());
        return false;
    }
    return !rs.AtEnd() && rs.ReadAt(0, out);
}

}  // namespace

bool Store::Open(const std::string& path, bool readOnly, const std::string& systemDatabasePath) {
    std::string connection = MakeConnectString(systemDatabasePath, path);
    if (readOnly) connection += ";Mode=Read";
    return Connect(connection);
}

int Store::RunSQL(const std::string& statement) {
    if (!Connected()) return 1;
    CADORecordset rs(*this);
    const bool ok = rs.Run(statement);
    rs.Release();
    if (!ok) {
        SetError(rs.ErrorCode(), rs.ErrorReport());
        return -1;
    }
    return 1;
}

long Store::MaxOf(const std::string& table, const std::string& column) {
    if (!Connected()) return 0;
    CADORecordset rs(*this);
    if (!rs.Run(Format("SELECT max(%s) from %s", column.c_str(), table.c_str()))) {
        SetError(rs.ErrorCode(), rs.ErrorReport());
        return -1;
    }
    if (rs.AtEnd()) return 0;
    long value = 0;  // a NULL maximum (empty table) reads as 0
    return rs.ReadAt(0, value) ? value : -1;
}

long Store::QueryNumber(const std::string& statement) {
    long value = 0;
    return QueryFirst(*this, statement, value) ? value : -1;
}

std::string Store::QueryText(const std::string& statement) {
    std::string value;
    return QueryFirst(*this, statement, value) ? value : std::string();
}

double Store::QueryDouble(const std::string& statement) {
    double value = 0;
    return QueryFirst(*this, statement, value) ? value : -1;
}

int Store::QueryInt(const std::string& statement) {
    int value = 0;
    return QueryFirst(*this, statement, value) ? value : -1;
}

long Store::QueryRowCount(const std::string& statement) {
    if (!Connected()) return 0;
    CADORecordset rs(*this);
    if (!rs.Run(statement)) {
        SetError(rs.ErrorCode(), rs.ErrorReport());
        return -1;
    }
    return rs.RowCount();
}

std::string QuoteSql(const std::string& text) {
    return ReplaceAll(text, "'", "''");
}

}  // namespace pantrio
