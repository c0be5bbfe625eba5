#include "storage/SupportDB.h"

#include <cctype>

#include "base/RowSink.h"
#include "base/Text.h"
#include "storage/CADORecordset.h"

namespace pantrio {

namespace {

// Table and column names are put into statements as they stand, so only
// plain names (letters, digits, underscores) are accepted.
bool IsPlainName(const std::string& name) {
    if (name.empty()) return false;
    for (unsigned char c : name)
        if (!std::isalnum(c) && c != '_') return false;
    return true;
}

}  // namespace

int SupportDB::FillCombo(const std::string& table, const std::string& textColumn,
                         const std::string& numberColumn, RowSink& list,
                         const std::string& orderColumn) {
    if (!IsPlainName(table) || !IsPlainName(textColumn) || !IsPlainName(numberColumn) ||
        !IsPlainName(orderColumn))
        return -1;
    CADORecordset rs(*this);
    if (!rs.Run(Format("Select %s, %s from %s order by %s", textColumn.c_str(),
                       numberColumn.c_str(), table.c_str(), orderColumn.c_str())))
        return -1;
    long count = rs.RowCount();
    while (!rs.AtEnd()) {
        ListRow row;
        rs.Read(textColumn, row.text);
        // Read wide: identifiers of user-added rows may pass 32767.
        rs.Read(numberColumn, row.data);
        list.AddRow(std::move(row));
        rs.NextRow();
    }
    rs.Release();
    return static_cast<int>(count);
}

int SupportDB::FillList(const std::string& statement, int textColumn, int numberColumn,
                        RowSink& list) {
    CADORecordset rs(*this);
    if (!rs.Run(statement)) return -1;
    long count = rs.RowCount();
    while (!rs.AtEnd()) {
        ListRow row;
        rs.ReadAt(textColumn, row.text);
        rs.ReadAt(numberColumn, row.data);
        list.AddRow(std::move(row));
        rs.NextRow();
    }
    rs.Release();
    return static_cast<int>(count);
}

int SupportDB::FillKeywordCombo(RowSink& list, bool customOnly) {
    return FillList(customOnly ? "Select ID, Keyword from Keywords where KeywordGroup = 'Custom' "
                                 "Order by Keyword"
                               : "Select ID, Keyword from Keywords Order by Keyword",
                    1, 0, list);
}

int SupportDB::FillKeywordGroupList(const std::string& group, RowSink& list) {
    CADORecordset rs(*this);
    if (!rs.Run(Format("Select Keyword from Keywords where KeywordGroup like '%s'",
                       QuoteSql(group).c_str())))
        return -1;
    while (!rs.AtEnd()) {
        ListRow row;
        rs.Read("Keyword", row.text);
        list.AddRow(std::move(row));
        rs.NextRow();
    }
    rs.Release();
    return 0;
}

int SupportDB::FillDepartmentCombo(RowSink& list) {
    CADORecordset rs(*this);
    if (!rs.Run("Select StdDeptName from IngredientMasterTable GROUP BY StdDeptName Order by "
                "StdDeptName"))
        return -1;
    long count = rs.RowCount();
    while (!rs.AtEnd()) {
        ListRow row;
        rs.Read("StdDeptName", row.text);
        list.AddRow(std::move(row));
        rs.NextRow();
    }
    rs.Release();
    return static_cast<int>(count);
}

int SupportDB::FillFoodCombo(RowSink& list) {
    CADORecordset rs(*this);
    if (!rs.Run("Select NutrientID, SHRT_DESC from Nutrients order by SHRT_DESC")) return -1;
    long count = rs.RowCount();
    while (!rs.AtEnd()) {
        ListRow row;
        rs.Read("Shrt_Desc", row.text);
        rs.Read("NutrientID", row.data);
        list.AddRow(std::move(row));
        rs.NextRow();
    }
    rs.Release();
    return static_cast<int>(count);
}

int SupportDB::LoadIngredientMasterList(std::vector<std::string>& list) {
    // Longest first, so that a search taking the first keyword contained in
    // an ingredient name finds "brown sugar" before "sugar".
    CADORecordset rs(*this);
    if (!rs.Run("Select ID, KeywordText from IngredientMasterTable order by len(keywordtext) desc"))
        return -1;
    while (!rs.AtEnd()) {
        std::string keyword;
        rs.Read("KeywordText", keyword);
        list.push_back(std::move(keyword));
        rs.NextRow();
    }
    rs.Release();
    return 0;
}

double SupportDB::NutrientValue(const std::string& column, int nutrientID) {
    if (!IsPlainName(column)) return -1;
    return QueryDouble(
        Format("Select %s from Nutrients where NutrientID = %d", column.c_str(), nutrientID));
}

}  // namespace pantrio
