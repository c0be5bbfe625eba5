// The connection to the support database shared by all recipe boxes, with the
// look-up lists of the editors, the keyword lists, the in-memory master list
// of ingredient keywords and single nutrient values. Opened once at start-up.
#pragma once

#include <string>
#include <vector>

#include "storage/Store.h"

namespace pantrio {

class RowSink;

class SupportDB : public Store {
public:
    int FillCombo(const std::string& table, const std::string& textColumn,
                  const std::string& numberColumn, RowSink& list, const std::string& orderColumn);
    int FillList(const std::string& statement, int textColumn, int numberColumn, RowSink& list);
    int FillKeywordCombo(RowSink& list, bool customOnly);
    int FillKeywordGroupList(const std::string& group, RowSink& list);
    int FillDepartmentCombo(RowSink& list);
    int FillFoodCombo(RowSink& list);
    // Ingredient keywords, longest first.
    int LoadIngredientMasterList(std::vector<std::string>& list);
    // One nutrient column of one food; -1 when the food has no row.
    double NutrientValue(const std::string& column, int nutrientID);
};

}  // namespace pantrio
