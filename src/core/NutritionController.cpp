#include "core/NutritionController.h"

#include "base/Text.h"
#include "core/IngredientDetailsController.h"
#include "core/MainDialog.h"
#include "nutrition/FoodSearch.h"
#include "nutrition/NutrientSummary.h"
#include "nutrition/NutrientTotals.h"
#include "nutrition/NutrientValues.h"
#include "recipe/Quantity.h"
#include "recipe/Recipe.h"
#include "storage/RecipeDB.h"

namespace pantrio {

namespace {

NutritionTableContents ContentsOf(Recipe recipe, const NutrientValues& totals) {
    NutritionTableContents contents;
    VectorRowSink lines;
    NutrientSummary(recipe, lines);
    contents.lines = std::move(lines.rows);
    contents.title = recipe.Title;
    contents.totalGrams = TotalGramsText(totals);
    contents.rows = NutritionTableRows(totals, recipe.YieldNumber);
    contents.log = recipe.NutritionLog;
    contents.completeness = CompletenessOf(recipe);
    return contents;
}

}  // namespace

NutritionController::NutritionController(ControllerContext context, NutrientEditorView* editorView)
    : context_(context), editor_(context, editorView) {}

NutritionTableContents NutritionController::AnalyzeCurrent() {
    RecipeController& recipes = context_.main.Recipes();
    NutrientValues totals;
    if (!recipes.HasCurrent()) {
        NutritionTableContents contents = ContentsOf(Recipe(), totals);
        contents.log.clear();
        return contents;
    }
    context_.main.SetStatusText("Calculating...");
    NutrientTotals(context_.box, context_.support, recipes.CurrentID(), totals);
    context_.main.SetStatusText("");
    return ContentsOf(recipes.Current(), totals);
}

bool NutritionController::Analyze(int recipeID, NutritionTableContents& contents) {
    Recipe recipe;
    if (!context_.main.Recipes().LoadRecipe(recipeID, recipe)) return false;
    NutrientValues totals;
    NutrientTotals(context_.box, context_.support, recipeID, totals);
    contents = ContentsOf(recipe, totals);
    return true;
}

std::unique_ptr<IngredientDetailsController> NutritionController::OpenIngredientDetails(
    int lineID) {
    RecipeController& recipes = context_.main.Recipes();
    if (!recipes.HasCurrent()) return nullptr;
    return OpenIngredientDetails(recipes.CurrentID(), lineID);
}

std::unique_ptr<IngredientDetailsController> NutritionController::OpenIngredientDetails(
    int recipeID, int lineID) {
    auto dialog = std::make_unique<IngredientDetailsController>(context_, recipeID);
    if (!dialog->Open(lineID)) return nullptr;
    return dialog;
}

void NutritionController::IngredientDetailsClosed() {
    RecipeController& recipes = context_.main.Recipes();
    if (!recipes.HasCurrent()) return;
    recipes.LoadRecipe(recipes.CurrentID(), recipes.CurrentForEditing());
    recipes.RefreshRecipePages();
}

int NutritionController::SearchFoods(const std::string& text, RowSink& list) {
    return pantrio::SearchFoods(context_.support, text, list);
}

bool NutritionController::LineAt(int recipeID, int lineOrder, IngredientLine& found,
                                 std::string& error) {
    Recipe recipe;
    if (!context_.main.Recipes().LoadRecipe(recipeID, recipe)) {
        error = Format("There is no recipe %d.", recipeID);
        return false;
    }
    for (const auto& line : recipe.Lines) {
        if (line.LineOrder != lineOrder) continue;
        if (line.bHeading) {
            error = Format("Line %d is a heading.", lineOrder);
            return false;
        }
        found = line;
        return true;
    }
    error = Format("Recipe %d has no line %d.", recipeID, lineOrder);
    return false;
}

double NutritionController::LinkLineAt(int recipeID, int lineOrder, int nutrientID, int measure,
                                       double count, std::string& error) {
    IngredientLine line;
    if (!LineAt(recipeID, lineOrder, line, error)) return -1;
    auto dialog = OpenIngredientDetails(recipeID, line.IngredientLinesID);
    if (!dialog) {
        error = Format("Recipe %d has no line %d.", recipeID, lineOrder);
        return -1;
    }
    if (!dialog->ChooseFood(nutrientID)) {
        error = Format("There is no food %d.", nutrientID);
        return -1;
    }
    IngredientDetailsForm& form = dialog->Form();
    if (measure != 0) {
        if (!form.measureEnabled[measure - 1]) {
            error = Format("Food %d has no household measure %d.", nutrientID, measure);
            return -1;
        }
        dialog->TickMeasure(measure);
    }
    if (count >= 0) dialog->SetNumber(Format("%.6g", count));
    if (!form.linkEnabled) {
        error = form.number.empty() ? "The line's unit matches no household measure of the food; "
                                      "give --count (and --measure)."
                                    : "The number of measures must be above 0.";
        return -1;
    }
    const double grams = ParseQuantity(form.grams);
    if (!dialog->Link()) {
        error = "The link could not be stored.";
        return -1;
    }
    return grams;
}

bool NutritionController::UnlinkLineAt(int recipeID, int lineOrder, std::string& error) {
    IngredientLine line;
    if (!LineAt(recipeID, lineOrder, line, error)) return false;
    if (line.NutrientID <= 0) {
        error = Format("Line %d is not linked.", lineOrder);
        return false;
    }
    if (context_.box.UnlinkLine(line.IngredientLinesID) != 1) {
        error = "The link could not be removed.";
        return false;
    }
    return true;
}

}  // namespace pantrio
