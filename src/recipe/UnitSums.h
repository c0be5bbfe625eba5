// Adding up quantities of one ingredient given in different units of the same
// kind (volume or mass): 2 tsp and 1 tbsp make 5 tsp, 8 oz and 1 lb make
// 1 1/2 lb. Units of different kinds (cups and pounds) and words that are no
// measure (cloves, cans) are never added together.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pantrio {

enum class UnitKind { None, Volume, Mass };

// The kind of measure a unit word names; None for words that are no measure
// and for an empty unit.
UnitKind KindOfUnit(std::string_view unit);

struct UnitQuantity {
    double quantity = 0;
    std::string unit;
};

// The sum of `parts`, all of one kind, shown in the largest unit of their
// measuring system that gives a whole number or a common kitchen fraction
// (quarters; thirds and eighths for cups, which may also be a part of one),
// else in the smallest unit the parts
// use. A unit the parts use keeps their spelling. Nothing when a part is no
// measure or the kinds differ.
std::optional<UnitQuantity> SumInCommonUnit(const std::vector<UnitQuantity>& parts);

}  // namespace pantrio
