#include "storage/ErrorReport.h"

#include <sqlite3.h>

#include "base/Text.h"

namespace pantrio {

namespace {

std::string Report(const char* object, const ErrorDetails& e) {
    return Format(
        "%s Error\n\tCode = %08lx\n\tCode meaning = %s\n\tSource = %s\n\tDescription = %s\n",
        object, static_cast<unsigned long>(e.code), e.meaning.c_str(), e.source.c_str(),
        e.description.c_str());
}

}  // namespace

ErrorDetails SqliteError(sqlite3* db, int rc) {
    ErrorDetails e;
    e.code = static_cast<std::uint32_t>(rc);
    e.meaning = sqlite3_errstr(rc);
    e.source = "SQLite";
    e.description = db ? sqlite3_errmsg(db) : e.meaning;
    return e;
}

ErrorDetails LayerError(int rc, const std::string& description) {
    ErrorDetails e;
    e.code = static_cast<std::uint32_t>(rc);
    e.meaning = sqlite3_errstr(rc);
    e.source = "Pantrio";
    e.description = description;
    return e;
}

std::string ConnectionErrorReport(const std::string& connectString, const ErrorDetails& error) {
    return "Connection String = " + connectString + "\n" + Report("CADODataBase", error);
}

std::string RecordsetErrorReport(const std::string& statement, const ErrorDetails& error) {
    return "Query = " + statement + "\n" + Report("CADORecordset", error);
}

}  // namespace pantrio
