#include "nutrition/FoodSearch.h"

#include <set>
#include <vector>

#include "base/RowSink.h"
#include "base/Text.h"
#include "storage/CADORecordset.h"
#include "storage/SupportDB.h"

namespace pantrio {

namespace {

// "WHERE Shrt_Desc like '%a%' AND Shrt_Desc like '%b%' ..." for the words.
std::string WordCondition(const std::vector<std::string>& words, const char* joiner) {
    std::string condition;
    for (const auto& word : words) {
        condition += condition.empty() ? "WHERE " : std::string(joiner);
        condition += "Shrt_Desc like '%" + word + "%' ";
    }
    return condition;
}

int AppendFoods(SupportDB& support, const std::string& condition, std::set<long>& listed,
                RowSink& list) {
    CADORecordset rs(support);
    if (!rs.Run("Select Shrt_Desc, NutrientID from Nutrients " + condition + "order by Shrt_Desc"))
        return 0;
    int added = 0;
    for (; !rs.AtEnd(); rs.NextRow()) {
        ListRow row;
        rs.ReadAt(0, row.text);
        rs.ReadAt(1, row.data);
        if (!listed.insert(row.data).second) continue;
        list.AddRow(std::move(row));
        ++added;
    }
    return added;
}

}  // namespace

int SearchFoods(SupportDB& support, const std::string& text, RowSink& list) {
    list.ClearRows();
    // Empty words (two blanks in a row) would match every food.
    std::vector<std::string> words;
    for (const auto& word : Split(Trim(QuoteSql(text)), ' '))
        if (!word.empty()) words.push_back(word);
    if (words.empty()) return 0;
    std::set<long> listed;
    int count = AppendFoods(support, WordCondition(words, "AND "), listed, list);
    if (words.size() > 1) count += AppendFoods(support, WordCondition(words, "OR "), listed, list);
    return count;
}

std::string FoodName(SupportDB& support, int nutrientID) {
    return support.QueryText(
        Format("Select Shrt_Desc from Nutrients where NutrientID = %d", nutrientID));
}

int UpdateMasterListFood(SupportDB& support, const std::string& name, int nutrientID) {
    return support.RunSQL(
        Format("Update IngredientMasterTable set nutrientid = %d where keywordtext = '%s'",
               nutrientID, QuoteSql(Trim(name)).c_str()));
}

}  // namespace pantrio
