#include "nutrition/NutrientSummary.h"

#include <cmath>

#include "base/RowSink.h"
#include "base/Text.h"
#include "nutrition/NutritionLog.h"
#include "recipe/Quantity.h"
#include "recipe/Recipe.h"

namespace pantrio {

int NutrientSummary(Recipe& recipe, RowSink& list) {
    list.ClearRows();
    const double scale = recipe.ScaleMultiple > 0 ? recipe.ScaleMultiple : 1;
    for (const IngredientLine& line : recipe.Lines) {
        ListRow row;
        row.icon = line.bHeading         ? kHeadingLineIcon
                   : line.NutrientID > 0 ? kLinkedLineIcon
                                         : kUnlinkedLineIcon;
        row.data = line.IngredientLinesID;
        const double scaled = std::isfinite(line.DblQty * scale) ? line.DblQty * scale : 0;
        std::string scaledText;
        if (recipe.Metric) {
            row.text = Format("%.1f", ParseQuantity(line.TextQty));
            if (row.text == "0.0") row.text.clear();
            scaledText = Format("%.1f", scaled);
        } else {
            row.text = line.TextQty;
            scaledText = FractionText(scaled, 64);
        }
        scaledText = Trim(scaledText) == "0" ? std::string() : scaledText + " " + line.Measure;
        row.columns = {line.Measure, line.Name, line.PrepNotes, Trim(scaledText)};
        list.AddRow(std::move(row));
    }
    recipe.NutritionLog = NutritionLogFor(recipe);
    return recipe.LineCount();
}

}  // namespace pantrio
