// A connection of the access layer with the operations every store shares:
// RunSQL, MaxOf and the scalar queries. RecipeDB and SupportDB derive from it.
#pragma once

#include <string>

#include "storage/CADODatabase.h"

namespace pantrio {

class Store : public CADODatabase {
public:
    // Opens the database file at `path` (read-only when asked), closing any
    // open connection first. The workgroup file is named in the connection
    // string as the program always wrote it, though nothing checks it here.
    bool Open(const std::string& path, bool readOnly = false,
              const std::string& systemDatabasePath = "");

    // 1 on success, -1 when the statement was refused; 1 without effect when
    // the connection is not open.
    int RunSQL(const std::string& statement);
    // "SELECT max(column) from table" as a long; 0 when not open, the table is
    // empty or the maximum is NULL; -1 when the statement fails.
    long MaxOf(const std::string& table, const std::string& column);

    // First column of the first row: as a long (-1 when none or failure), as
    // text (empty when none), as a double (-1 when none or failure), as an
    // int (-1 when none or failure).
    long QueryNumber(const std::string& statement);
    std::string QueryText(const std::string& statement);
    double QueryDouble(const std::string& statement);
    int QueryInt(const std::string& statement);
    // Number of rows; 0 when not open, -1 when the statement fails.
    long QueryRowCount(const std::string& statement);
};

// Doubles every apostrophe, for text values that go between single quotes.
std::string QuoteSql(const std::string& text);

}  // namespace pantrio
