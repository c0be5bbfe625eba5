// How much of a recipe its nutrition totals cover. A total that silently
// leaves out unlinked lines reads as if the recipe were lighter than it is,
// so the Nutrition tab and the recipe page say how many ingredient lines the
// figures count and name the ones they leave out.
#pragma once

#include <string>
#include <vector>

namespace pantrio {

class Recipe;

struct NutritionCompleteness {
    int counted = 0;  // lines linked to a food with a gram weight above 0
    int lines = 0;    // ingredient lines (headings and empty lines are not ingredients)
    std::vector<std::string> unlinked;  // the ingredient names of lines without a food
    std::vector<std::string> noWeight;  // linked lines whose gram weight is 0

    bool Complete() const { return counted == lines; }
    // "2 of 3 lines counted", followed by "; not linked: a, b" and
    // "; no gram weight: c" where there are such lines.
    std::string Text() const;
};

NutritionCompleteness CompletenessOf(const Recipe& recipe);

}  // namespace pantrio
