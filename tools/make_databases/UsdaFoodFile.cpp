#include "UsdaFoodFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <unordered_set>

#include "SeedFile.h"
#include "base/Text.h"

namespace pantrio::tools {

const std::vector<std::string> kNutrientAmountColumns = {
    "Water",   "Energ_Kcal", "Protein",   "Tot_Lipid", "Carbohydrt", "Fiber_TD",  "Ash",
    "Calcium", "Phosphorus", "Iron",      "Sodium",    "Potassium",  "Magnesium", "Zinc",
    "Copper",  "Manganese",  "Selenium",  "Vit_A",     "Vit_E",      "Thiamin",   "Riboflavin",
    "Niacin",  "Panto_acid", "Vit_B6",    "Folate",    "Vit_B12",    "Vit_C",     "FA_Sat",
    "FA_Mono", "FA_Poly",    "Cholestrl", "Alcohol",   "Caffeine"};

namespace {

// Field names of the two known layouts, in file order.
const std::vector<std::string> kLayout51 = {
    "NDB_No",      "Shrt_Desc",  "Water",      "Energ_Kcal", "Protein",     "Lipid_Tot",
    "Ash",         "Carbohydrt", "Fiber_TD",   "Sugar_Tot",  "Calcium",     "Iron",
    "Magnesium",   "Phosphorus", "Potassium",  "Sodium",     "Zinc",        "Copper",
    "Manganese",   "Selenium",   "Vit_C",      "Thiamin",    "Riboflavin",  "Niacin",
    "Panto_Acid",  "Vit_B6",     "Folate_Tot", "Folic_Acid", "Food_Folate", "Folate_DFE",
    "Choline_Tot", "Vit_B12",    "Vit_A_IU",   "Vit_A_RAE",  "Retinol",     "Alpha_Carot",
    "Beta_Carot",  "Beta_Crypt", "Lycopene",   "Lut+Zea",    "Vit_E",       "Vit_K",
    "FA_Sat",      "FA_Mono",    "FA_Poly",    "Cholestrl",  "GmWt_1",      "GmWt_Desc1",
    "GmWt_2",      "GmWt_Desc2", "Refuse_Pct"};

std::vector<std::string> Layout53() {
    std::vector<std::string> layout = kLayout51;
    const auto vitK = std::find(layout.begin(), layout.end(), "Vit_K");
    layout.insert(vitK, {"Vit_D_mcg", "Vit_D_IU"});
    return layout;
}

// The file's name for a column of the Nutrients table.
std::string FileNameOf(const std::string& column) {
    if (column == "Tot_Lipid") return "Lipid_Tot";
    if (column == "Vit_A") return "Vit_A_IU";
    if (column == "Folate") return "Folate_Tot";
    if (column == "Panto_acid") return "Panto_Acid";
    return column;
}

// Where each value of a food comes from in one layout; -1 when not present.
struct FieldMap {
    std::vector<int> amounts;
    int ndbNo, desc, gmWt1, gmWtDesc1, gmWt2, gmWtDesc2, refusePct;
};

FieldMap MapLayout(const std::vector<std::string>& layout) {
    auto indexOf = [&](const std::string& name) {
        const auto it = std::find(layout.begin(), layout.end(), name);
        return it == layout.end() ? -1 : static_cast<int>(it - layout.begin());
    };
    FieldMap map;
    for (const auto& column : kNutrientAmountColumns)
        map.amounts.push_back(indexOf(FileNameOf(column)));
    map.ndbNo = indexOf("NDB_No");
    map.desc = indexOf("Shrt_Desc");
    map.gmWt1 = indexOf("GmWt_1");
    map.gmWtDesc1 = indexOf("GmWt_Desc1");
    map.gmWt2 = indexOf("GmWt_2");
    map.gmWtDesc2 = indexOf("GmWt_Desc2");
    map.refusePct = indexOf("Refuse_Pct");
    return map;
}

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        const auto caret = line.find('^', start);
        fields.push_back(line.substr(start, caret - start));
        if (caret == std::string::npos) break;
        start = caret + 1;
    }
    return fields;
}

// A text field without its '~' delimiters, trimmed, as UTF-8.
std::string TextField(const std::string& field) {
    std::string text = field;
    if (text.size() >= 2 && text.front() == '~' && text.back() == '~') {
        text = text.substr(1, text.size() - 2);
    }
    return EnsureUtf8(TrimBlanks(text));
}

bool ParseNumber(const std::string& field, double& value) {
    const std::string text = TrimBlanks(field);
    value = 0;
    if (text.empty()) return true;
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (*begin == '+') ++begin;
    const auto result = std::from_chars(begin, end, value);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

}  // namespace

bool ReadUsdaFoodFile(const std::filesystem::path& path, std::vector<UsdaFood>& foods,
                      std::string& error) {
    foods.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path.string() + ": cannot read the USDA food file";
        return false;
    }
    const FieldMap map51 = MapLayout(kLayout51);
    const FieldMap map53 = MapLayout(Layout53());
    std::unordered_set<int> seen;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (TrimBlanks(line).empty()) continue;
        const auto fields = SplitFields(line);
        const FieldMap* map = fields.size() == 51 ? &map51 : fields.size() == 53 ? &map53 : nullptr;
        if (!map) {
            error = LineError(
                path, number,
                "expected 51 or 53 '^'-separated fields, found " + std::to_string(fields.size()));
            return false;
        }

        UsdaFood food;
        food.ndbNo = TextField(fields[map->ndbNo]);
        const bool digits = !food.ndbNo.empty() && food.ndbNo.size() <= 5 &&
                            std::all_of(food.ndbNo.begin(), food.ndbNo.end(),
                                        [](char c) { return c >= '0' && c <= '9'; });
        if (!digits || std::stoi(food.ndbNo) == 0) {
            error = LineError(path, number, "the food number '" + food.ndbNo + "' is not valid");
            return false;
        }
        food.nutrientId = std::stoi(food.ndbNo);
        if (!seen.insert(food.nutrientId).second) {
            error = LineError(path, number, "the food number " + food.ndbNo + " is repeated");
            return false;
        }
        food.shortDescription = TextField(fields[map->desc]);
        food.gmWtDesc1 = TextField(fields[map->gmWtDesc1]);
        food.gmWtDesc2 = TextField(fields[map->gmWtDesc2]);

        auto number_at = [&](int index, double& value) {
            if (ParseNumber(fields[index], value)) return true;
            error = LineError(path, number,
                              "field " + std::to_string(index + 1) + " ('" + fields[index] +
                                  "') is not a number");
            return false;
        };
        food.amounts.assign(kNutrientAmountColumns.size(), 0.0);
        for (size_t i = 0; i < map->amounts.size(); ++i) {
            if (map->amounts[i] >= 0 && !number_at(map->amounts[i], food.amounts[i])) return false;
        }
        double refuse = 0;
        if (!number_at(map->gmWt1, food.gmWt1) || !number_at(map->gmWt2, food.gmWt2) ||
            !number_at(map->refusePct, refuse)) {
            return false;
        }
        if (refuse < 0 || refuse > 100) {
            error = LineError(path, number, "the refuse percentage is not between 0 and 100");
            return false;
        }
        food.refusePct = static_cast<int>(refuse + 0.5);
        foods.push_back(std::move(food));
    }
    if (foods.empty()) {
        error = path.string() + ": the USDA food file holds no foods";
        return false;
    }
    return true;
}

}  // namespace pantrio::tools
