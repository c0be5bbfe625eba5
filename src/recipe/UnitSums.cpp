#include "recipe/UnitSums.h"

#include <algorithm>
#include <cmath>

#include "base/Text.h"
#include "recipe/Units.h"

namespace pantrio {

namespace {

enum class System { US, Metric };

struct Measure {
    std::string_view name;  // the spelling used when no part names the unit
    UnitKind kind;
    System system;
    double base;         // millilitres or grams
    bool alwaysOffered;  // offered as the shown unit even when no part uses it
    int denominators;    // the kitchen fractions it is shown with: 4, or 24 (thirds and eighths)
};

constexpr Measure kMeasures[] = {
    {"tsp", UnitKind::Volume, System::US, 4.92892159375, true, 4},
    {"tbsp", UnitKind::Volume, System::US, 14.78676478125, true, 4},
    {"fl oz", UnitKind::Volume, System::US, 29.5735295625, false, 4},
    {"cup", UnitKind::Volume, System::US, 236.5882365, true, 24},
    {"pt", UnitKind::Volume, System::US, 473.176473, false, 4},
    {"qt", UnitKind::Volume, System::US, 946.352946, false, 4},
    {"gal", UnitKind::Volume, System::US, 3785.411784, false, 4},
    {"ml", UnitKind::Volume, System::Metric, 1, true, 4},
    {"l", UnitKind::Volume, System::Metric, 1000, true, 4},
    {"oz", UnitKind::Mass, System::US, 28.349523125, true, 4},
    {"lb", UnitKind::Mass, System::US, 453.59237, true, 4},
    {"g", UnitKind::Mass, System::Metric, 1, true, 4},
    {"kg", UnitKind::Mass, System::Metric, 1000, true, 4},
};

const Measure* MeasureOf(std::string_view unit) {
    const std::string word = ToLower(Trim(unit));
    if (word.empty()) return nullptr;
    std::string_view name;
    if (StartsWith(word, "fl") && word.find("oz") != std::string::npos) {
        name = "fl oz";
    } else {
        const std::string code = UnitCode(Trim(unit));
        static const struct {
            std::string_view code, name;
        } kCodes[] = {{"ts", "tsp"}, {"tb", "tbsp"}, {"c", "cup"}, {"pt", "pt"}, {"q", "qt"},
                      {"ga", "gal"}, {"ml", "ml"},   {"cc", "ml"}, {"l", "l"},   {"oz", "oz"},
                      {"lb", "lb"},  {"g", "g"},     {"kg", "kg"}};
        for (const auto& c : kCodes)
            if (c.code == code) name = c.name;
    }
    for (const Measure& m : kMeasures)
        if (m.name == name) return &m;
    return nullptr;
}

// Whether `value` reads as a whole number or one of the unit's kitchen
// fractions, and is at least one (a quarter for cups, which come in quarter,
// third and half measures).
bool Sensible(double value, const Measure& m) {
    if (value < (m.denominators == 24 ? 0.25 : 1) - 1e-9) return false;
    const int denominators[] = {4, m.denominators == 24 ? 3 : 4, m.denominators == 24 ? 8 : 4};
    for (int d : denominators) {
        const double scaled = value * d;
        if (std::fabs(scaled - std::round(scaled)) < 0.01) return true;
    }
    return false;
}

}  // namespace

UnitKind KindOfUnit(std::string_view unit) {
    const Measure* m = MeasureOf(unit);
    return m != nullptr ? m->kind : UnitKind::None;
}

std::optional<UnitQuantity> SumInCommonUnit(const std::vector<UnitQuantity>& parts) {
    if (parts.empty()) return std::nullopt;
    std::vector<const Measure*> measures;
    double total = 0;
    double largest = -1;
    System system = System::US;
    for (const UnitQuantity& part : parts) {
        const Measure* m = MeasureOf(part.unit);
        if (m == nullptr || m->kind != MeasureOf(parts.front().unit)->kind) return std::nullopt;
        measures.push_back(m);
        const double amount = part.quantity * m->base;
        total += amount;
        // The system most of the amount was given in is the one shown.
        if (amount > largest) {
            largest = amount;
            system = m->system;
        }
    }
    const UnitKind kind = measures.front()->kind;
    auto spelling = [&](const Measure& m) {
        for (std::size_t i = 0; i < parts.size(); ++i)
            if (measures[i] == &m) return Trim(parts[i].unit);
        return std::string(m.name);
    };
    auto used = [&](const Measure& m) {
        return std::find(measures.begin(), measures.end(), &m) != measures.end();
    };
    // Largest unit first.
    std::vector<const Measure*> candidates;
    for (const Measure& m : kMeasures)
        if (m.kind == kind && m.system == system && (m.alwaysOffered || used(m)))
            candidates.push_back(&m);
    std::sort(candidates.begin(), candidates.end(),
              [](const Measure* a, const Measure* b) { return a->base > b->base; });
    for (const Measure* m : candidates) {
        const double value = total / m->base;
        if (Sensible(value, *m)) return UnitQuantity{value, spelling(*m)};
    }
    // No unit gives a kitchen amount: the smallest unit the parts use.
    const Measure* smallest = nullptr;
    for (const Measure* m : measures)
        if (m->system == system && (smallest == nullptr || m->base < smallest->base)) smallest = m;
    if (smallest == nullptr) smallest = candidates.back();
    return UnitQuantity{total / smallest->base, spelling(*smallest)};
}

}  // namespace pantrio
