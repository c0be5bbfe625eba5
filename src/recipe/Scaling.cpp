#include "recipe/Scaling.h"

#include <cmath>
#include <string_view>

#include "base/Text.h"
#include "recipe/Quantity.h"
#include "recipe/Recipe.h"
#include "recipe/Units.h"

namespace pantrio {

namespace {

struct UnitDefinition {
    std::string_view name;
    double value;  // cubic metres or kilograms
    bool volume;
};

// US customary and metric units in cubic metres (volumes) and kilograms (masses).
constexpr UnitDefinition kUnits[] = {
    {"cu", 0.0002365882365, true},
    {"pt", 0.000473176473, true},
    {"tbsp", 1.47867647813e-05, true},
    {"tsp", 4.92892159375e-06, true},
    {"l", 0.001, true},
    {"ml", 1e-06, true},
    {"oz", 0.028349523125, false},
    {"lb", 16 * 0.028349523125, false},
    {"g", 0.001, false},
    {"kg", 1, false},
};

const UnitDefinition* FindUnit(std::string_view name) {
    for (const auto& u : kUnits)
        if (u.name == name) return &u;
    return nullptr;
}

struct Conversion {
    std::string_view from;
    std::string_view to;
    std::string_view unit;  // the measure the converted line gets
};

bool ToMetric(const std::string& code, Conversion& c) {
    if (code == "c")
        c = {"cu", "l", "l"};
    else if (code == "pt")
        c = {"pt", "l", "l"};
    else if (code == "oz")
        c = {"oz", "g", "g"};
    else if (code == "lb")
        c = {"lb", "kg", "kg"};
    else if (code == "tb")
        c = {"tbsp", "ml", "cc"};
    else if (code == "ts")
        c = {"tsp", "ml", "cc"};
    else
        return false;
    return true;
}

bool ToEnglish(const std::string& code, double value, Conversion& c) {
    if (code == "l")
        c = {"l", "cu", "c"};
    else if (code == "g")
        c = {"g", "oz", "oz"};
    else if (code == "kg")
        c = {"kg", "lb", "lb"};
    else if (code == "ml" || code == "cc")
        c = value < 13 ? Conversion{"ml", "tsp", "ts"} : Conversion{"ml", "tbsp", "tb"};
    else
        return false;
    return true;
}

}  // namespace

bool ConvertValue(double value, const std::string& from, const std::string& to, double& out) {
    const UnitDefinition* a = FindUnit(from);
    const UnitDefinition* b = FindUnit(to);
    if (!a || !b || a->volume != b->volume) return false;
    out = value * a->value / b->value;
    return true;
}

bool ScaleFactorFor(const Recipe& current, double wanted, double& factor) {
    if (current.RecipeID < 0 || current.YieldNumber <= 0 || !(wanted > 0) || !std::isfinite(wanted))
        return false;
    factor = wanted / current.YieldNumber;
    return true;
}

std::vector<ConvertedLine> ConvertLines(const Recipe& current) {
    const bool toEnglish = current.Metric;
    std::vector<ConvertedLine> converted;
    for (const IngredientLine& line : current.Lines) {
        if (line.bHeading) continue;
        double v = line.DblQty;
        const std::string code = UnitCode(Trim(line.Measure));
        Conversion c{};
        const bool known = toEnglish ? ToEnglish(code, v, c) : ToMetric(code, c);
        if (!known || !ConvertValue(v, std::string(c.from), std::string(c.to), v)) continue;
        std::string textQty = toEnglish ? FractionText(v, 10) : Format("%.1f", v);
        if (Trim(textQty) == "0") textQty.clear();
        converted.push_back({line.IngredientLinesID, v, std::string(c.unit), std::move(textQty)});
    }
    return converted;
}

}  // namespace pantrio
