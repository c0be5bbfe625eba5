// How many of a food's household measure one unit word of an ingredient line
// is worth. Every food row describes up to two household measures ("1 cup",
// "1 tbsp", ".5 lb") with their grams; these two fixed tables turn a line's
// quantity and unit into a number of those measures.
//
// The selection table serves the Ingredient Details dialog: it works on the
// dialog's Unit field and proposes which of the two measures to tick and how
// many of it. The link table serves the automatic link of a line after an
// edit: it works on the stored Measure and also knows pounds, half measures
// and three-ounce measures. Their word lists differ in detail on purpose;
// each holds exactly the words given.
#pragma once

#include <optional>
#include <string>

namespace pantrio {

// Upper case, trimmed, with "1 TBSP" read as "1 TB" and "1 TSP" as "1 TS":
// the form in which both tables compare measure descriptions.
std::string NormaliseMeasureDescription(const std::string& description);

// Which of the food's two measures the selection table proposes, and the
// factor the line's quantity is multiplied by to give the number of them.
struct MeasureChoice {
    int measure = 0;  // 1 for the first household measure, 2 for the second
    double factor = 0;
};

// Tries the rows of the selection table in order; for each row the first
// description is compared before the second. `unit` is the dialog's Unit
// text, `description1`/`description2` the food's measure descriptions as
// stored. Nothing when no row matches (for example "pinch").
std::optional<MeasureChoice> SelectMeasure(const std::string& unit, const std::string& description1,
                                           const std::string& description2);

// The link table's multiplier for the stored unit word `unit` against one
// measure description: the first row whose words hold the unit and whose
// description equals it. Nothing for an empty description or no match.
std::optional<double> LinkMultiplier(const std::string& unit, const std::string& description);

}  // namespace pantrio
