#include "nutrition/FoodRecord.h"

#include <cmath>
#include <string>

#include "base/Text.h"
#include "nutrition/NutrientValues.h"
#include "storage/CADORecordset.h"
#include "storage/SupportDB.h"

namespace pantrio {

namespace {

// A number for a statement, with full precision; values that are not finite
// go in as 0 so a statement never carries "nan".
std::string NumberText(double value) {
    if (!std::isfinite(value)) value = 0;
    return Format("%.17g", value);
}

}  // namespace

int ReadFood(SupportDB& support, int nutrientID, NutrientValues& food) {
    if (!support.Connected()) return -1;
    CADORecordset rs(support);
    if (!rs.Run(Format("SELECT * from Nutrients WHERE NutrientID = %d", nutrientID))) return -1;
    if (rs.AtEnd()) return -1;

    NutrientValues read = food;
    for (const auto& column : NutrientAmountColumns()) {
        double value = 0;
        rs.Read(column, value);
        *read.Field(column) = value;
    }
    read.Shrt_Desc.clear();
    read.GmWt_Desc1.clear();
    read.GmWt_Desc2.clear();
    read.GmWt_1 = 0;
    read.GmWt_2 = 0;
    rs.Read("Shrt_Desc", read.Shrt_Desc);
    rs.Read("GmWt_1", read.GmWt_1);
    rs.Read("GmWt_2", read.GmWt_2);
    rs.Read("GmWt_Desc1", read.GmWt_Desc1);
    rs.Read("GmWt_Desc2", read.GmWt_Desc2);
    int refuse = 0;
    rs.Read("Refuse_Pct", refuse);
    read.Refuse_Pct = refuse;
    read.NutrientID = nutrientID;
    food = std::move(read);
    return 0;
}

int WriteFood(SupportDB& support, int nutrientID, const NutrientValues& food) {
    if (!support.Connected()) return -1;
    const std::string where = Format(" WHERE NutrientID = %d", nutrientID);
    if (support.QueryRowCount("SELECT NutrientID from Nutrients" + where) <= 0) return -1;

    std::string statement = "Update Nutrients SET ";
    for (const auto& column : NutrientAmountColumns())
        statement += column + " = " + NumberText(*food.Field(column)) + ", ";
    const double refuse = std::isfinite(food.Refuse_Pct) ? std::round(food.Refuse_Pct) : 0;
    statement +=
        "Shrt_Desc = '" + QuoteSql(food.Shrt_Desc) + "', GmWt_1 = " + NumberText(food.GmWt_1) +
        ", GmWt_2 = " + NumberText(food.GmWt_2) + ", Refuse_Pct = " + Format("%.0f", refuse) +
        ", GmWt_Desc1 = '" + QuoteSql(food.GmWt_Desc1) + "', GmWt_Desc2 = '" +
        QuoteSql(food.GmWt_Desc2) + "'" + where;
    return support.RunSQL(statement) == 1 ? 0 : -1;
}

}  // namespace pantrio
