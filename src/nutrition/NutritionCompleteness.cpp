#include "nutrition/NutritionCompleteness.h"

#include "base/Text.h"
#include "recipe/Recipe.h"

namespace pantrio {

namespace {

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

}  // namespace

std::string NutritionCompleteness::Text() const {
    std::string text = Format("%d of %d lines counted", counted, lines);
    if (!unlinked.empty()) text += "; not linked: " + Joined(unlinked);
    if (!noWeight.empty()) text += "; no gram weight: " + Joined(noWeight);
    return text;
}

NutritionCompleteness CompletenessOf(const Recipe& recipe) {
    NutritionCompleteness result;
    for (const auto& line : recipe.Lines) {
        const std::string name = Trim(line.Name);
        if (line.bHeading || name.empty()) continue;
        ++result.lines;
        if (line.NutrientID <= 0)
            result.unlinked.push_back(name);
        else if (!(line.BaseRecipeGramWeight > 0))
            result.noWeight.push_back(name);
        else
            ++result.counted;
    }
    return result;
}

}  // namespace pantrio
