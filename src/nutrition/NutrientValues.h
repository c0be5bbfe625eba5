// One set of nutrient amounts, named after the Nutrients columns: either the
// amounts of one food per 100 g (the nutrient editor) or the totals of one
// recipe (its Nutrition tab, its nutrition facts panel). Held by value.
#pragma once

#include <string>
#include <vector>

namespace pantrio {

struct NutrientValues {
    int NutrientID = 0;
    std::string Shrt_Desc;
    double Grams = 0;  // total grams of the linked lines (recipe totals only)

    double Water = 0, Energ_Kcal = 0, Protein = 0, Tot_Lipid = 0, FA_Sat = 0, FA_Mono = 0,
           FA_Poly = 0, Cholestrl = 0, Carbohydrt = 0, Fiber_TD = 0, Alcohol = 0, Ash = 0,
           Calcium = 0, Phosphorus = 0, Iron = 0, Sodium = 0, Potassium = 0, Magnesium = 0,
           Zinc = 0, Copper = 0, Manganese = 0, Selenium = 0, Vit_A = 0, Vit_E = 0, Thiamin = 0,
           Riboflavin = 0, Niacin = 0, Panto_acid = 0, Vit_B6 = 0, Folate = 0, Vit_B12 = 0,
           Vit_C = 0, Caffeine = 0;

    double GmWt_1 = 0, GmWt_2 = 0;
    std::string GmWt_Desc1, GmWt_Desc2;
    double Refuse_Pct = 0;

    // Zeroes the summed nutrients, Grams, water, the weights and the refuse,
    // empties the name and the second measure and sets the first measure to
    // "1 wh". The other amounts keep their values.
    void Reset();

    // A nutrient amount by its column name, or null for an unknown name.
    double* Field(const std::string& column);
    const double* Field(const std::string& column) const;
};

// The column names of every amount of a food, in table order (Water ..
// Caffeine); the weights, descriptions and refuse are not among them.
const std::vector<std::string>& NutrientAmountColumns();

// The fifteen nutrients that recipe totals sum.
const std::vector<std::string>& SummedNutrientColumns();

}  // namespace pantrio
