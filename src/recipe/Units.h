// Unit words of ingredient lines: the short codes that measure conversion and
// the metric test work on, and the long form of abbreviated units that lines
// get when the user asks for long unit names.
#pragma once

#include <string>
#include <string_view>

namespace pantrio {

// The short code of a unit word ("tablespoons" gives "tb", "Litre" gives
// "l"). "T" and "t" are told apart by case; every other word is compared
// trimmed and lowered. An unknown word comes back trimmed and lowered.
std::string UnitCode(std::string_view word);

// Whether a unit code is metric: "l", "ml", "g", "kg", and "cc", the unit
// that spoon measures get when converted to metric.
bool IsMetricCode(std::string_view code);

// The long form of an abbreviated unit: "c" with quantity 2 gives "cups",
// "T" with 1 gives "tablespoon". Singular for a quantity of 1 or less. A unit
// without a long form comes back exactly as given.
std::string LongFormUnit(const std::string& unit, double quantity);

}  // namespace pantrio
