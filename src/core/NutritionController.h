// Nutrition in the window and on the command line: the Nutrition tab's table
// of a recipe's totals with how complete they are, the Ingredient Details
// dialog that links lines to foods, the food search, and linking lines by
// their place in a recipe. It owns the nutrient editor page's controller.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/RowSink.h"
#include "core/ControllerContext.h"
#include "core/NutrientEditorController.h"
#include "nutrition/NutritionCompleteness.h"
#include "nutrition/NutritionTable.h"

namespace pantrio {

class IngredientDetailsController;
struct IngredientLine;
class NutrientEditorView;

// What the Nutrition tab shows of one recipe.
struct NutritionTableContents {
    std::string title;
    std::string totalGrams;               // "Total Grams in Recipe", "%.1f"
    std::vector<NutritionTableRow> rows;  // "Vitamin E (mg)" first
    std::string log;                      // the recipe's nutrition log
    std::vector<ListRow> lines;           // the line list, its link state as the icon
    NutritionCompleteness completeness;   // "N of M lines counted"
};

class NutritionController {
public:
    NutritionController(ControllerContext context, NutrientEditorView* editorView);

    // The tab was shown or "Analyze" was pressed: the current recipe's totals
    // (the status line says "Calculating..." meanwhile). Zeros and an empty
    // title when no recipe is current.
    NutritionTableContents AnalyzeCurrent();
    // The same for recipe `recipeID` of the open box; false when there is
    // no such recipe.
    bool Analyze(int recipeID, NutritionTableContents& contents);

    // The Ingredient Details dialog for the current recipe, opened on line
    // `lineID` or, for -1, on a new line. Null when no recipe is current or
    // the line is not one of its lines.
    std::unique_ptr<IngredientDetailsController> OpenIngredientDetails(int lineID);
    // The same for recipe `recipeID` (the command line).
    std::unique_ptr<IngredientDetailsController> OpenIngredientDetails(int recipeID, int lineID);
    // The dialog closed: the current recipe is reloaded and shown anew.
    void IngredientDetailsClosed();

    // The food search: name and NutrientID per row.
    int SearchFoods(const std::string& text, RowSink& list);

    // Links the line at LineOrder `lineOrder` of recipe `recipeID` to food
    // `nutrientID`: `count` of household measure `measure` (1 or 2), or, for
    // a measure of 0, the measure and number the line's quantity and unit
    // propose. The linked grams, or -1 with the reason in `error`.
    double LinkLineAt(int recipeID, int lineOrder, int nutrientID, int measure, double count,
                      std::string& error);
    // Removes the link of that line; false with the reason in `error`.
    bool UnlinkLineAt(int recipeID, int lineOrder, std::string& error);

    NutrientEditorController& Editor() { return editor_; }

private:
    // The ingredient line at `lineOrder`; false with a reason.
    bool LineAt(int recipeID, int lineOrder, IngredientLine& line, std::string& error);

    ControllerContext context_;
    NutrientEditorController editor_;
};

}  // namespace pantrio
