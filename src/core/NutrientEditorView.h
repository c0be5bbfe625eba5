// The nutrient editor page's dialogs, as NutrientEditorController asks them.
#pragma once

#include <string>

namespace pantrio {

// The two household measures of a food, as "Modify Nutrient Units" edits
// them: a description and its weight in grams per line.
struct MeasureForm {
    std::string description1, grams1, description2, grams2;
};

class NutrientEditorView {
public:
    virtual ~NutrientEditorView() = default;
    // "Modify Nutrient Units" filled with `form`; false on Cancel.
    virtual bool AskMeasures(MeasureForm& /*form*/) { return false; }
    // "Add a nutrient": the new food's name; false on Cancel.
    virtual bool AskNewFoodName(std::string& /*name*/) { return false; }
};

}  // namespace pantrio
