#include "recipe/Units.h"

#include "base/Text.h"

namespace pantrio {

namespace {

struct CodeWord {
    std::string_view word;  // lowered
    std::string_view code;
};

// Lowered unit words and their codes, tried after the case-sensitive spoon
// letters. Each word stands once, so the order does not matter.
constexpr CodeWord kCodeWords[] = {
    {"c", "c"},
    {"cu", "c"},
    {"cup", "c"},
    {"cups", "c"},
    {"pt", "pt"},
    {"pts", "pt"},
    {"pint", "pt"},
    {"pints", "pt"},
    {"tb", "tb"},
    {"tbsp", "tb"},
    {"tbsps", "tb"},
    {"tablespoon", "tb"},
    {"tablespoons", "tb"},
    {"tblsp", "tb"},
    {"tblspns", "tb"},
    {"tblspn", "tb"},
    {"ts", "ts"},
    {"tsp", "ts"},
    {"tsps", "ts"},
    {"teas", "ts"},
    {"teaspoon", "ts"},
    {"teaspoons", "ts"},
    {"tspn", "ts"},
    {"tspns", "ts"},
    {"qt", "q"},
    {"qts", "q"},
    {"quart", "q"},
    {"quarts", "q"},
    {"qt.", "q"},
    {"q", "q"},
    {"gal", "ga"},
    {"ga", "ga"},
    {"gl", "ga"},
    {"gallon", "ga"},
    {"gallons", "ga"},
    {"lb", "lb"},
    {"lb.", "lb"},
    {"lbs.", "lb"},
    {"pound", "lb"},
    {"pounds", "lb"},
    {"pds", "lb"},
    {"oz", "oz"},
    {"ounce", "oz"},
    {"fl oz", "oz"},
    {"fluid ounce", "oz"},
    {"fluid ounces", "oz"},
    {"fl. oz", "oz"},
    {"ounces", "oz"},
    {"oz.", "oz"},
    {"ozs", "oz"},
    {"l", "l"},
    {"li", "l"},
    {"liter", "l"},
    {"litre", "l"},
    {"liters", "l"},
    {"litres", "l"},
    {"lit.", "l"},
    {"ml", "ml"},
    {"mil", "ml"},
    {"mililiters", "ml"},
    {"milliliters", "ml"},
    {"milliliter", "ml"},
    {"mils", "ml"},
    {"mls", "ml"},
    {"mililitres", "ml"},
    {"mililitre", "ml"},
    {"g", "g"},
    {"gr", "g"},
    {"gm", "g"},
    {"gms", "g"},
    {"gram", "g"},
    {"grams", "g"},
    {"k", "kg"},
    {"kg", "kg"},
    {"kilogram", "kg"},
    {"kilograms", "kg"},
    {"kgms", "kg"},
};

struct LongForm {
    std::string_view word;  // lowered
    std::string_view singular;
    std::string_view plural;
};

// The short units of MealMaster files and similar abbreviations, tried after
// the single letters c, t and T.
constexpr LongForm kLongForms[] = {
    {"cu", "cup", "cups"},
    {"cp", "cup", "cups"},
    {"tsp", "teaspoon", "teaspoons"},
    {"ts", "teaspoon", "teaspoons"},
    {"tb", "tablespoon", "tablespoons"},
    {"tbsp", "tablespoon", "tablespoons"},
    {"lg", "large", "large"},
    {"sm", "small", "small"},
    {"oz", "ounce", "ounces"},
    {"md", "medium", "medium"},
    {"me", "medium", "medium"},
    {"ca", "can", "cans"},
    {"cn", "can", "cans"},
    {"cl", "clove", "cloves"},
    {"fl", "fluid oz", "fluid ozs"},
    {"lb", "pound", "pounds"},
    {"ds", "dash", "dashes"},
    {"bn", "bunch", "bunches"},
    {"pn", "pinch", "pinches"},
    {"g", "gram", "grams"},
    {"gm", "gram", "grams"},
    {"l", "liter", "liters"},
    {"ml", "mililiter", "mililiters"},
    {"kg", "kilogram", "kilograms"},
    {"pt", "pint", "pints"},
    {"qt", "quart", "quarts"},
    {"gl", "gallon", "gallons"},
    {"ga", "gallon", "gallons"},
    {"x", "whole", "whole"},
    {"wh", "whole", "whole"},
};

}  // namespace

std::string UnitCode(std::string_view word) {
    std::string trimmed = Trim(word);
    if (trimmed == "T" || EqualsNoCase(trimmed, "TABLESPOONS") ||
        EqualsNoCase(trimmed, "TABLESPOON"))
        return "tb";
    if (trimmed == "t" || EqualsNoCase(trimmed, "TEASPOONS")) return "ts";
    std::string lowered = ToLower(trimmed);
    for (const CodeWord& row : kCodeWords)
        if (lowered == row.word) return std::string(row.code);
    return lowered;
}

bool IsMetricCode(std::string_view code) {
    return code == "l" || code == "ml" || code == "g" || code == "kg" || code == "cc";
}

std::string LongFormUnit(const std::string& unit, double quantity) {
    const bool singular = quantity <= 1;
    auto pick = [singular](std::string_view one, std::string_view many) {
        return std::string(singular ? one : many);
    };
    std::string trimmed = Trim(unit);
    std::string lowered = ToLower(trimmed);
    // The single letters: "c" in either case is a cup, while "t" and "T" are
    // the teaspoon and the tablespoon.
    if (lowered == "c") return pick("cup", "cups");
    if (trimmed == "t") return pick("teaspoon", "teaspoons");
    if (trimmed == "T") return pick("tablespoon", "tablespoons");
    for (const LongForm& row : kLongForms)
        if (lowered == row.word) return pick(row.singular, row.plural);
    return unit;
}

}  // namespace pantrio
