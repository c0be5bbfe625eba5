#include "nutrition/NutritionTable.h"

#include <cmath>

#include "base/Text.h"
#include "nutrition/NutrientValues.h"

namespace pantrio {

namespace {

struct DailyAmount {
    const char* text;
    const char* column;
    double rda;
};

// In the order the rows are added; each is inserted at the top of the table.
constexpr DailyAmount kDailyAmounts[] = {
    {"Calories (kcal)", "Energ_Kcal", 2000},  {"Protein (g)", "Protein", 50},
    {"Total Fat (g)", "Tot_Lipid", 65},       {"Sat. Fat (g)", "FA_Sat", 20},
    {"Vitamin A (iu)", "Vit_A", 1000},        {"Vitamin C (mg)", "Vit_C", 45},
    {"Carbohydrates (g)", "Carbohydrt", 300}, {"Cholesterol (mg)", "Cholestrl", 300},
    {"Sodium (mg)", "Sodium", 2400},          {"Fiber (g)", "Fiber_TD", 25},
    {"Calcium (mg)", "Calcium", 900},         {"Iron (mg)", "Iron", 10},
    {"Vitamin E (mg)", "Vit_E", 10},
};

std::string Whole(double value) {
    return Format("%.0f", std::isfinite(value) ? value : 0.0);
}

}  // namespace

std::vector<NutritionTableRow> NutritionTableRows(const NutrientValues& totals,
                                                  double yieldNumber) {
    const double servings = (std::isfinite(yieldNumber) && yieldNumber > 0) ? yieldNumber : 1;
    std::vector<NutritionTableRow> rows;
    for (const auto& amount : kDailyAmounts) {
        const double perRecipe = *totals.Field(amount.column);
        const double perServing = perRecipe / servings;
        NutritionTableRow row;
        row.nutrient = amount.text;
        row.perRecipe = Whole(perRecipe);
        row.perServing = Whole(perServing);
        row.rda = Whole(amount.rda);
        row.percentRda =
            amount.rda > 0 ? Format("%.1f", perServing / amount.rda * 100) : std::string("---");
        rows.insert(rows.begin(), std::move(row));
    }
    return rows;
}

std::string TotalGramsText(const NutrientValues& totals) {
    return Format("%.1f", std::isfinite(totals.Grams) ? totals.Grams : 0.0);
}

}  // namespace pantrio
