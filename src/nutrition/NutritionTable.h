// The rows of a recipe's Nutrition tab: thirteen nutrients per recipe and per
// serving against fixed recommended daily amounts, as the tab shows them.
#pragma once

#include <string>
#include <vector>

namespace pantrio {

struct NutrientValues;

struct NutritionTableRow {
    std::string nutrient;    // "Calories (kcal)"
    std::string perRecipe;   // "%.0f"
    std::string perServing;  // "%.0f"
    std::string rda;         // "%.0f"
    std::string percentRda;  // "%.1f" of per serving / RDA, or "---"
};

// The rows top to bottom as the table shows them ("Vitamin E (mg)" first,
// "Calories (kcal)" last). A yield of 0 or less counts as one serving.
std::vector<NutritionTableRow> NutritionTableRows(const NutrientValues& totals, double yieldNumber);

// "Total Grams in Recipe": the grams written "%.1f".
std::string TotalGramsText(const NutrientValues& totals);

}  // namespace pantrio
