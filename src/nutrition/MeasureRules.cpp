#include "nutrition/MeasureRules.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "base/Text.h"

namespace pantrio {

namespace {

struct MeasureRule {
    const char* description;
    std::vector<std::string> units;
    double factor;
};

// Tried top to bottom; the first match wins.
const std::vector<MeasureRule>& SelectionRules() {
    static const std::vector<MeasureRule> rules = {
        {"1 CUP", {"CUP", "CUPS", "C"}, 1},
        {"1 TB", {"TABLESPOON", "TABLESPOONS", "TB", "TBSP", "TBSPS"}, 1},
        {"1 TS", {"TEASPOON", "TEASPOONS", "TS", "TSP", "TSPS"}, 1},
        {"1 CAN", {"CAN", "CANS"}, 1},
        {"1 OZ", {"OZ", "OUNCES", "FL OZ", "FL OZ.", "FL. OZ", "OZ.", "OZS"}, 1},
        {"1 TB", {"TEASPOON", "TEASPOONS", "TSPS", "TSP"}, 0.3333},
        {"1 TS", {"TB", "TBSP", "TBSPS", "TABLESPOON", "TABLESPOONS"}, 3},
        {"1 CUP", {"OZ", "FL OZ", "FL. OZ", "OUNCE", "OUNCES"}, 0.125},
        {"1 FL OZ", {"C", "CUPS", "CUP"}, 8},
        {"1 CUP", {"TABLESPOON", "TB", "TBS", "TBSP", "TABLESPOONS"}, 1.0 / 16},
        {"1 TB", {"CUP", "CUPS", "C"}, 16},
        {"1 FL OZ", {"TEASPOONS", "TSP", "TEASPOON", "TSPNS"}, 1.0 / 6},
        {"1 CUP", {"TEASPOONS", "TSP", "TEASPOON", "TSPNS"}, 1.0 / 48},
    };
    return rules;
}

const std::vector<MeasureRule>& LinkRules() {
    static const std::vector<MeasureRule> rules = {
        {"1 CUP", {"CUP", "C", "CUPS"}, 1},
        {"1 TB", {"TABLESPOON", "TABLESPOONS", "TB", "TBSP", "TBSPS"}, 1},
        {"1 TS", {"TEASPOON", "TEASPOONS", "TS", "TSP", "TSPS"}, 1},
        {"1 CAN", {"CAN", "CANS"}, 1},
        {"1 OZ", {"OZ", "OUNCE", "OUNCES", "FL. OZ.", "OZ."}, 1},
        {"1 TB", {"TEASPOON", "TEASPOONS", "TS", "TSPS", "TSP"}, 0.3333},
        {"1 LB", {"POUND", "POUNDS", "LB", "LBS", "LB."}, 1},
        {".5 LB", {"POUND", "POUNDS", "LB", "LBS", "LB."}, 2},
        {"1 OZ", {"POUND", "POUNDS", "LB", "LBS", "LB."}, 16},
        {"1 OZ", {"CUP", "C", "CUPS"}, 8},
        {".5 CUP", {"CUP", "C", "CUPS"}, 2},
        {"3 OZ", {"OUNCE", "OZ", "OUNCES", "FLUID OUNC", "FLUID OUNCE"}, 1.0 / 3},
        {"3 OZ", {"LB", "POUNDS", "LB.", "LBS", "LBS.", "POUND"}, 16.0 / 3},
        {"3 OZ", {"CUP", "C", "CUPS"}, 8.0 / 3},
        {"1 TS",
         {"TABLESPOON", "TABLESPOONS", "TB", "TBSPS", "TBLSPN", "TBLSPNS", "TBSP", "TBSPNS"},
         3},
        {"1 FL OZ", {"CUP", "CUPS", "C"}, 8},
        {"1 CUP", {"FL OZ", "FL. OZ.", "OZ", "OZ.", "OUNCE", "OUNCES", "FL OUNCE", "OZS"}, 0.125},
        {"1 TB", {"CUP", "C", "CUPS"}, 16},
    };
    return rules;
}

bool Holds(const std::vector<std::string>& words, const std::string& word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

}  // namespace

std::string NormaliseMeasureDescription(const std::string& description) {
    const std::string text = ToUpper(Trim(description));
    if (text == "1 TBSP") return "1 TB";
    if (text == "1 TSP") return "1 TS";
    return text;
}

std::optional<MeasureChoice> SelectMeasure(const std::string& unit, const std::string& description1,
                                           const std::string& description2) {
    const std::string u = ToUpper(Trim(unit));
    const std::string d1 = NormaliseMeasureDescription(description1);
    const std::string d2 = NormaliseMeasureDescription(description2);
    for (const auto& rule : SelectionRules()) {
        if (!Holds(rule.units, u)) continue;
        if (d1 == rule.description) return MeasureChoice{1, rule.factor};
        if (d2 == rule.description) return MeasureChoice{2, rule.factor};
    }
    return std::nullopt;
}

std::optional<double> LinkMultiplier(const std::string& unit, const std::string& description) {
    const std::string d = NormaliseMeasureDescription(description);
    if (d.empty()) return std::nullopt;
    // The unit word is normalised the same way, so "1 tsp" as a unit reads
    // like the description it spells.
    const std::string u = NormaliseMeasureDescription(unit);
    for (const auto& rule : LinkRules()) {
        if (d == rule.description && Holds(rule.units, u)) return rule.factor;
    }
    return std::nullopt;
}

}  // namespace pantrio
