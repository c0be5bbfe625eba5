// The nutrition facts panel of a recipe page: a template in the style of a
// food label, filled with the amounts per serving and the percentages of
// daily values computed from the recipe's nutrition totals.
#pragma once

#include <string>

namespace pantrio {

class TemplateCache;
struct NutrientValues;

// Fills the panel template `panelTemplate` from the recipe totals. Servings
// S = `yieldNumber`, or 1 when it is 0 or less; every per-serving value is
// the total / S; total fat is saturated + monounsaturated + polyunsaturated.
// `yieldUnit` is inserted as page text (markup is kept, active content is
// not).
std::string FillNutritionFacts(const std::string& panelTemplate, const NutrientValues& totals,
                               const std::string& yieldUnit, double yieldNumber);

// The panel from the cached "nutritionfacts.htm" (read on first use).
std::string RenderNutritionFacts(TemplateCache& templates, const NutrientValues& totals,
                                 const std::string& yieldUnit, double yieldNumber);

}  // namespace pantrio
