// The USDA National Nutrient Database "abbreviated" food file (ABBREV.txt):
// one food per line, fields separated by '^', text fields between '~', values
// per 100 g of the food. Two layouts are known by their field count: 51 fields
// (releases that list choline but no vitamin D) and 53 fields (vitamin D in
// micrograms and in IU after vitamin E). Columns are mapped to the Nutrients
// table by meaning, e.g. Lipid_Tot to Tot_Lipid and Vit_A_IU to Vit_A.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace pantrio::tools {

// The amount columns of the Nutrients table, in table order. Alcohol and
// Caffeine are not in the abbreviated file and stay 0.
extern const std::vector<std::string> kNutrientAmountColumns;

struct UsdaFood {
    std::string ndbNo;             // the USDA number as written, leading zeros kept
    int nutrientId = 0;            // the same number as an integer
    std::string shortDescription;  // UTF-8
    std::vector<double> amounts;   // aligned with kNutrientAmountColumns
    double gmWt1 = 0;
    std::string gmWtDesc1;
    double gmWt2 = 0;
    std::string gmWtDesc2;
    int refusePct = 0;
};

// Reads every food of `path`. Empty numeric fields read as 0. Fails with
// "<path>:<line>: <why>" on a line of an unknown layout, a number that does
// not parse, or a food number that is missing, out of range or repeated.
bool ReadUsdaFoodFile(const std::filesystem::path& path, std::vector<UsdaFood>& foods,
                      std::string& error);

}  // namespace pantrio::tools
