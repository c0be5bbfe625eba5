// The rows that one statement returns. A recordset is local to the operation
// that runs it. Reads are typed and never throw: a missing column or a value
// that cannot be converted yields false and leaves the target unchanged.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/DateTime.h"

namespace pantrio {

class CADODatabase;

enum class RunOption { Unspecified, Query, Table };

class CADORecordset {
public:
    explicit CADORecordset(CADODatabase& db);
    ~CADORecordset();
    CADORecordset(const CADORecordset&) = delete;
    CADORecordset& operator=(const CADORecordset&) = delete;

    // Runs a Jet-dialect statement. A previous result is closed first.
    // Statements that return no rows (INSERT, UPDATE, DELETE) give an empty,
    // closed result. False when the database refused the statement; the
    // reason is in ErrorReport().
    bool Run(const std::string& statement, RunOption option = RunOption::Unspecified);

    bool AtEnd() const;
    void NextRow();
    // The exact number of rows of the result.
    long RowCount();
    void Release();

    // Typed reads of the current row, by column name (any letter case) or by
    // 0-based position. NULL reads as empty text, 0, or a null date.
    bool Read(const std::string& column, std::string& out, const char* dateFormat = nullptr);
    bool Read(const std::string& column, double& out);
    bool Read(const std::string& column, long& out);  // 32-bit value
    bool Read(const std::string& column, int& out);
    bool Read(const std::string& column, DateTime& out);
    bool ReadAt(int index, std::string& out, const char* dateFormat = nullptr);
    bool ReadAt(int index, double& out);
    bool ReadAt(int index, long& out);
    bool ReadAt(int index, int& out);
    bool ReadAt(int index, DateTime& out);

    int ColumnCount() const;
    std::string ColumnName(int index) const;

    const std::string& Statement() const { return statement_; }
    const std::string& ErrorReport() const { return errorReport_; }
    std::uint32_t ErrorCode() const { return errorCode_; }

private:
    class Impl;
    CADODatabase& db_;
    std::unique_ptr<Impl> impl_;
    std::string statement_;
    std::string errorReport_;
    std::uint32_t errorCode_ = 0;
};

}  // namespace pantrio
