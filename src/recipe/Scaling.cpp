#include "recipe/Scaling.h"

#include <cmath>
#include <string_view>

#include "base/Prompter.h"
#include "base/Text.h"
#include "recipe/Quantity.h"
#include "recipe/Recipe.h"
#include "recipe/Units.h"
#include "storage/RecipeDB.h"

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

std::string YieldNumberText(double value) {
    // The edit tab shows the yield with one decimal when it has one.
    if (std::floor(value) == value) return Format("%.0f", value);
    return Format("%.1f", value);
}

}  // namespace

bool ConvertValue(double value, const std::string& from, const std::string& to, double& out) {
    const UnitDefinition* a = FindUnit(from);
    const UnitDefinition* b = FindUnit(to);
    if (!a || !b || a->volume != b->volume) return false;
    out = value * a->value / b->value;
    return true;
}

std::string ScaleDialogText(const std::string& yieldNumberText, const std::string& yieldUnitText) {
    return "This recipe normally makes " + yieldNumberText + " " + yieldUnitText +
           "\n\nHow many would you like to make?\n\n"
           "Note:  Scaling recipes effects recipe ingredient quantities only, not the "
           "instruction text.  Please adjust accordingly.";
}

bool ScaleRecipeTo(Recipe& current, RecipeDB& box, double wanted) {
    if (current.RecipeID < 0 || current.YieldNumber <= 0 || !(wanted > 0) || !std::isfinite(wanted))
        return false;
    box.SetScale(current, wanted / current.YieldNumber);
    return true;
}

bool ChangeServingSize(Recipe& current, RecipeDB& box, Prompter& prompter) {
    if (current.RecipeID < 0) return false;
    // A recipe without a yield has nothing to scale from; dividing by it
    // would store an infinite factor.
    if (current.YieldNumber <= 0) {
        prompter.Message(
            "This recipe does not say how many it makes, so it cannot be scaled.  Please enter "
            "its yield on the Edit tab first.",
            kScaleCaption, Buttons::OK, MessageIcon::Information);
        return false;
    }
    auto answer = prompter.AskText(
        kScaleCaption, ScaleDialogText(YieldNumberText(current.YieldNumber), current.YieldUnit),
        YieldNumberText(current.YieldNumber));
    if (!answer) return false;
    const double wanted = ParseQuantity(*answer);
    if (!ScaleRecipeTo(current, box, wanted)) {
        prompter.Message("Please enter how many you would like to make, such as 6 or 1 1/2.",
                         kScaleCaption, Buttons::OK, MessageIcon::Information);
        return false;
    }
    return true;
}

int ConvertUnits(Recipe& current, RecipeDB& box) {
    if (current.RecipeID < 0) return -1;
    const bool toEnglish = current.Metric;
    int converted = 0;
    Transaction transaction(box);
    for (const IngredientLine& line : current.Lines) {
        if (line.bHeading) continue;
        double v = line.DblQty;
        const std::string code = UnitCode(Trim(line.Measure));
        Conversion c{};
        const bool known = toEnglish ? ToEnglish(code, v, c) : ToMetric(code, c);
        if (!known || !ConvertValue(v, std::string(c.from), std::string(c.to), v)) continue;
        std::string textQty = toEnglish ? FractionText(v, 10) : Format("%.1f", v);
        if (Trim(textQty) == "0") textQty.clear();
        box.RunSQL(
            Format("UPDATE IngredientLines Set DblQty = %.2f, Measure='%s', TextQty='%s' WHERE "
                   "INGREDIENTLINESID=%d",
                   v, QuoteSql(std::string(c.unit)).c_str(), QuoteSql(textQty).c_str(),
                   line.IngredientLinesID));
        ++converted;
    }
    transaction.Commit();
    const int id = current.RecipeID;
    box.LoadRecipe(id, current);
    box.LoadIngredientLines(id, current);
    current.RecipeID = id;
    // The reload counts metric lines afresh; the flag follows the conversion
    // so that the next press converts back.
    current.Metric = !toEnglish;
    return converted;
}

}  // namespace pantrio
