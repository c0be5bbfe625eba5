#include "nutrition/NutrientValues.h"

#include <utility>

namespace pantrio {

namespace {

using Member = double NutrientValues::*;

const std::vector<std::pair<std::string, Member>>& AmountMembers() {
    static const std::vector<std::pair<std::string, Member>> members = {
        {"Water", &NutrientValues::Water},
        {"Energ_Kcal", &NutrientValues::Energ_Kcal},
        {"Protein", &NutrientValues::Protein},
        {"Tot_Lipid", &NutrientValues::Tot_Lipid},
        {"Carbohydrt", &NutrientValues::Carbohydrt},
        {"Fiber_TD", &NutrientValues::Fiber_TD},
        {"Ash", &NutrientValues::Ash},
        {"Calcium", &NutrientValues::Calcium},
        {"Phosphorus", &NutrientValues::Phosphorus},
        {"Iron", &NutrientValues::Iron},
        {"Sodium", &NutrientValues::Sodium},
        {"Potassium", &NutrientValues::Potassium},
        {"Magnesium", &NutrientValues::Magnesium},
        {"Zinc", &NutrientValues::Zinc},
        {"Copper", &NutrientValues::Copper},
        {"Manganese", &NutrientValues::Manganese},
        {"Selenium", &NutrientValues::Selenium},
        {"Vit_A", &NutrientValues::Vit_A},
        {"Vit_E", &NutrientValues::Vit_E},
        {"Thiamin", &NutrientValues::Thiamin},
        {"Riboflavin", &NutrientValues::Riboflavin},
        {"Niacin", &NutrientValues::Niacin},
        {"Panto_acid", &NutrientValues::Panto_acid},
        {"Vit_B6", &NutrientValues::Vit_B6},
        {"Folate", &NutrientValues::Folate},
        {"Vit_B12", &NutrientValues::Vit_B12},
        {"Vit_C", &NutrientValues::Vit_C},
        {"FA_Sat", &NutrientValues::FA_Sat},
        {"FA_Mono", &NutrientValues::FA_Mono},
        {"FA_Poly", &NutrientValues::FA_Poly},
        {"Cholestrl", &NutrientValues::Cholestrl},
        {"Alcohol", &NutrientValues::Alcohol},
        {"Caffeine", &NutrientValues::Caffeine},
    };
    return members;
}

}  // namespace

void NutrientValues::Reset() {
    Grams = 0;
    for (const auto& column : SummedNutrientColumns()) *Field(column) = 0;
    Water = 0;
    GmWt_1 = 0;
    GmWt_2 = 0;
    Refuse_Pct = 0;
    Shrt_Desc.clear();
    GmWt_Desc1 = "1 wh";
    GmWt_Desc2.clear();
}

double* NutrientValues::Field(const std::string& column) {
    for (const auto& [name, member] : AmountMembers())
        if (name == column) return &(this->*member);
    return nullptr;
}

const double* NutrientValues::Field(const std::string& column) const {
    return const_cast<NutrientValues*>(this)->Field(column);
}

const std::vector<std::string>& NutrientAmountColumns() {
    static const std::vector<std::string> columns = [] {
        std::vector<std::string> out;
        for (const auto& member : AmountMembers()) out.push_back(member.first);
        return out;
    }();
    return columns;
}

const std::vector<std::string>& SummedNutrientColumns() {
    static const std::vector<std::string> columns = {
        "Energ_Kcal", "Protein",    "Tot_Lipid", "FA_Sat", "FA_Mono",
        "FA_Poly",    "Carbohydrt", "Cholestrl", "Vit_C",  "Vit_A",
        "Vit_E",      "Sodium",     "Fiber_TD",  "Iron",   "Calcium"};
    return columns;
}

}  // namespace pantrio
