// The two fixed report formats in which the access layer records its last
// failure. On SQLite the code is the extended result code, its meaning the
// library's text for that code, the source "SQLite" (or "Pantrio" for
// failures found before SQLite saw the statement) and the description the
// connection's error message.
#pragma once

#include <cstdint>
#include <string>

struct sqlite3;

namespace pantrio {

struct ErrorDetails {
    std::uint32_t code = 0;
    std::string meaning;
    std::string source;
    std::string description;
};

// The details of the last SQLite failure on `db` with result code `rc`.
ErrorDetails SqliteError(sqlite3* db, int rc);
// Details of a failure found by the layer itself, with SQLite code `rc`.
ErrorDetails LayerError(int rc, const std::string& description);

// "Connection String = ...\nCADODataBase Error\n\tCode = ..." for a connection.
std::string ConnectionErrorReport(const std::string& connectString, const ErrorDetails& error);
// "Query = ...\nCADORecordset Error\n\tCode = ..." for a recordset.
std::string RecordsetErrorReport(const std::string& statement, const ErrorDetails& error);

}  // namespace pantrio
