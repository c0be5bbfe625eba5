#include "nutrition/AutoLinkLine.h"

#include <cmath>

#include "base/Text.h"
#include "nutrition/MeasureRules.h"
#include "recipe/IngredientLine.h"
#include "storage/CADORecordset.h"
#include "storage/RecipeDB.h"
#include "storage/SupportDB.h"

namespace pantrio {

long MasterListFood(SupportDB& support, const std::string& name) {
    const std::string trimmed = Trim(name);
    if (trimmed.empty()) return 0;
    // No wildcard in the pattern: "like" only makes the match ignore case.
    const long food = support.QueryNumber(
        Format("Select NutrientID from IngredientMasterTable where KeywordText like '%s'",
               QuoteSql(trimmed).c_str()));
    if (food < 0) return 0;
    return food;
}

bool ReadFoodMeasures(SupportDB& support, int nutrientID, FoodMeasures& measures) {
    CADORecordset rs(support);
    if (!rs.Run(Format("Select GmWt_1, GmWt_2, GmWt_Desc1, GmWt_Desc2 from Nutrients where "
                       "NutrientID = %d",
                       nutrientID)) ||
        rs.AtEnd())
        return false;
    FoodMeasures read;
    rs.ReadAt(0, read.grams1);
    rs.ReadAt(1, read.grams2);
    rs.ReadAt(2, read.description1);
    rs.ReadAt(3, read.description2);
    measures = read;
    return true;
}

int LinkLine(RecipeDB& box, int lineID, int nutrientID, double grams) {
    if (!std::isfinite(grams)) return -1;
    Transaction transaction(box);
    if (!transaction.Active()) return -1;
    if (box.RunSQL(Format("Delete from IngredientLinesNutrients where IngredientLinesID = %d",
                          lineID)) != 1)
        return -1;
    const long maxID = box.MaxOf("IngredientLinesNutrients", "IngredientLinesNutrientsID");
    if (maxID < 0) return -1;
    if (box.RunSQL(Format("INSERT INTO IngredientLinesNutrients(IngredientLinesNutrientsID, "
                          "IngredientLinesID, NutrientID, BaseRecipeGramWeight) VALUES "
                          "(%ld,%d,%d,%f)",
                          maxID + 1, lineID, nutrientID, grams)) != 1)
        return -1;
    return transaction.Commit() ? 1 : -1;
}

double AutoLinkGrams(const IngredientLine& line, const FoodMeasures& measures) {
    double grams = -1;
    if (auto m = LinkMultiplier(line.Measure, measures.description1))
        grams = *m * line.DblQty * measures.grams1;
    else if (auto m2 = LinkMultiplier(line.Measure, measures.description2))
        grams = *m2 * line.DblQty * measures.grams2;
    // A missing weight or a negative quantity would subtract from the totals.
    return std::isfinite(grams) && grams >= 0 ? grams : -1;
}

long AutoLinkLine(RecipeDB& box, SupportDB& support, const IngredientLine& line) {
    if (line.bHeading || line.IngredientLinesID <= 0) return 0;
    const long food = MasterListFood(support, line.Name);
    if (food <= 0) return 0;
    FoodMeasures measures;
    if (!ReadFoodMeasures(support, static_cast<int>(food), measures)) return 0;
    const double grams = AutoLinkGrams(line, measures);
    if (grams < 0) return 0;
    return LinkLine(box, line.IngredientLinesID, static_cast<int>(food), grams) == 1 ? food : -1;
}

}  // namespace pantrio
