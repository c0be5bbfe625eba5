#include "core/RecipeScaling.h"

#include <cmath>

#include "base/Prompter.h"
#include "base/Text.h"
#include "recipe/Quantity.h"
#include "recipe/Recipe.h"
#include "recipe/Scaling.h"
#include "storage/RecipeDB.h"

namespace pantrio {

namespace {

std::string YieldNumberText(double value) {
    // The edit tab shows the yield with one decimal when it has one.
    if (std::floor(value) == value) return Format("%.0f", value);
    return Format("%.1f", value);
}

}  // namespace

std::string ScaleDialogText(const std::string& yieldNumberText, const std::string& yieldUnitText) {
    return "This recipe normally makes " + yieldNumberText + " " + yieldUnitText +
           "\n\nHow many would you like to make?\n\n"
           "Note:  Scaling recipes effects recipe ingredient quantities only, not the "
           "instruction text.  Please adjust accordingly.";
}

bool ScaleRecipeTo(Recipe& current, RecipeDB& box, double wanted) {
    double factor = 0;
    if (!ScaleFactorFor(current, wanted, factor)) return false;
    const double previous = current.ScaleMultiple;
    if (box.SetScale(current, factor) != 1) {
        current.ScaleMultiple = previous;
        return false;
    }
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
    const std::vector<ConvertedLine> lines = ConvertLines(current);
    if (box.UpdateConvertedLines(lines) != 1) return -1;
    const int id = current.RecipeID;
    box.LoadRecipe(id, current);
    box.LoadIngredientLines(id, current);
    current.RecipeID = id;
    // The reload counts metric lines afresh; the flag follows the conversion
    // so that the next press converts back.
    current.Metric = !toEnglish;
    return static_cast<int>(lines.size());
}

}  // namespace pantrio
