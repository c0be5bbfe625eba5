#include "core/IngredientDetailsController.h"

#include <cmath>

#include "base/Prompter.h"
#include "base/Text.h"
#include "core/LookupLists.h"
#include "core/MainDialog.h"
#include "nutrition/AutoLinkLine.h"
#include "nutrition/FoodSearch.h"
#include "nutrition/MeasureRules.h"
#include "recipe/Quantity.h"
#include "storage/CADODatabase.h"
#include "storage/RecipeDB.h"
#include "storage/SupportDB.h"

namespace pantrio {

namespace {

std::vector<std::string> TextsOf(const VectorRowSink& list) {
    return list.Texts();
}

}  // namespace

IngredientDetailsController::IngredientDetailsController(ControllerContext context, int recipeID)
    : context_(context), recipeID_(recipeID) {}

bool IngredientDetailsController::Open(int lineID) {
    if (!context_.main.Recipes().LoadRecipe(recipeID_, recipe_)) return false;
    // The Ingredient list offers the master keywords, the notes list the
    // stored preparation notes, as loaded at start-up.
    ingredientChoices_ = TextsOf(context_.lookups.IngredientNames);
    noteChoices_ = TextsOf(context_.lookups.PrepNotesList);
    if (lineID == -1) {
        NewLine();
        return currentLine_ > 0;
    }
    ShowLine(lineID);
    return IndexOfLine(lineID) >= 0;
}

void IngredientDetailsController::Reload() {
    context_.main.Recipes().LoadRecipe(recipeID_, recipe_);
}

int IngredientDetailsController::IndexOfLine(int lineID) const {
    for (std::size_t i = 0; i < recipe_.Lines.size(); ++i)
        if (recipe_.Lines[i].IngredientLinesID == lineID) return static_cast<int>(i);
    return -1;
}

void IngredientDetailsController::ShowLine(int lineID) {
    form_.foods.clear();
    form_.selectedFood = -1;
    form_.grams = "n/a";
    form_.number.clear();
    form_.linkTo.clear();
    form_.notes.clear();
    form_.measureTicked = 0;
    currentLine_ = lineID;
    const int index = IndexOfLine(lineID);
    if (index < 0) return;
    const IngredientLine& line = recipe_.Lines[static_cast<std::size_t>(index)];
    form_.ingredient = line.Name;
    form_.notes = line.PrepNotes;
    form_.unit = line.Measure;
    form_.qty = line.TextQty;
    chosenFood_ = line.NutrientID;
    if (chosenFood_ < 1) {
        chosenFood_ = 0;
        SuggestFood(form_.ingredient);
    } else {
        form_.foods.push_back({FoodName(context_.support, chosenFood_), 0, {}, chosenFood_});
        form_.selectedFood = 0;
        form_.grams = Format("%.1f", line.BaseRecipeGramWeight);
        form_.unlinkEnabled = true;
        form_.linkEnabled = false;
    }
    form_.heading = line.bHeading;
    form_.previousEnabled = index > 0;
    form_.nextEnabled = index + 1 < static_cast<int>(recipe_.Lines.size());
}

void IngredientDetailsController::SuggestFood(const std::string& name) {
    form_.linkTo = name;
    form_.unlinkEnabled = false;
    const long food = MasterListFood(context_.support, name);
    if (food >= 1) {
        form_.foods = {{FoodName(context_.support, static_cast<int>(food)), 0, {}, food}};
        SelectFood(0);
        return;
    }
    VectorRowSink found;
    SearchFoods(context_.support, name, found);
    form_.foods = std::move(found.rows);
    form_.selectedFood = -1;
}

void IngredientDetailsController::IngredientLeft() {
    SuggestFood(form_.ingredient);
}

void IngredientDetailsController::Find() {
    const std::string text = Trim(form_.linkTo);
    if (text.empty()) return;
    VectorRowSink found;
    SearchFoods(context_.support, text, found);
    form_.foods = std::move(found.rows);
    form_.selectedFood = -1;
}

bool IngredientDetailsController::ChooseFood(int nutrientID) {
    const std::string name = FoodName(context_.support, nutrientID);
    if (nutrientID < 1 || name.empty()) return false;
    form_.foods = {{name, 0, {}, nutrientID}};
    SelectFood(0);
    return true;
}

void IngredientDetailsController::SelectFood(int index) {
    if (index < 0 || index >= static_cast<int>(form_.foods.size())) return;
    form_.selectedFood = index;
    const ListRow& row = form_.foods[static_cast<std::size_t>(index)];
    form_.linkTo = row.text;
    chosenFood_ = static_cast<int>(row.data);
    if (row.data == -1) return;

    FoodMeasures measures;
    ReadFoodMeasures(context_.support, chosenFood_, measures);
    form_.measureCaption[0] = measures.description1;
    form_.measureCaption[1] = measures.description2;
    form_.measureEnabled[0] = !Trim(measures.description1).empty();
    form_.measureEnabled[1] = !Trim(measures.description2).empty();

    const auto choice = SelectMeasure(form_.unit, measures.description1, measures.description2);
    if (!choice) {
        form_.number.clear();
        form_.measureTicked = 1;
        form_.linkEnabled = false;
        return;
    }
    form_.measureTicked = choice->measure;
    const double number = ParseQuantity(Trim(form_.qty)) * choice->factor;
    if (!(number >= 0)) {
        form_.linkEnabled = false;
        return;
    }
    SetNumber(Format("%.02f", number));
}

void IngredientDetailsController::SetNumber(const std::string& number) {
    form_.number = number;
    UpdateGrams();
}

void IngredientDetailsController::TickMeasure(int measure) {
    if (measure != 1 && measure != 2) return;
    form_.measureTicked = measure;
    UpdateGrams();
}

void IngredientDetailsController::UpdateGrams() {
    if (chosenFood_ == 0) return;
    const double n = ParseQuantity(form_.number);
    double grams = -1;
    if (form_.measureTicked == 0) {
        form_.grams = "n/a";
    } else {
        FoodMeasures measures;
        ReadFoodMeasures(context_.support, chosenFood_, measures);
        const double weight = form_.measureTicked == 1 ? measures.grams1 : measures.grams2;
        grams = n * weight;
        form_.grams = Format("%.1f", grams);
    }
    // A measure without a weight would give negative grams, which would
    // subtract from the recipe's totals: such a link is not offered.
    form_.linkEnabled = n > 0 && grams >= 0 && std::isfinite(grams);
}

bool IngredientDetailsController::Link() {
    if (currentLine_ <= 0 || chosenFood_ <= 0 || !form_.linkEnabled) return false;
    const double grams = form_.grams == "n/a" ? 0 : ParseQuantity(form_.grams);
    if (LinkLine(context_.box, currentLine_, chosenFood_, grams) != 1) return false;
    Reload();
    context_.main.PlayInterfaceSound("MALLETG");
    UpdateMasterListFood(context_.support, form_.ingredient, chosenFood_);
    form_.unlinkEnabled = true;
    form_.linkEnabled = false;
    return true;
}

void IngredientDetailsController::Unlink() {
    if (currentLine_ <= 0) return;
    context_.box.UnlinkLine(currentLine_);
    // The removed link stays on view until the next reload.
    ShowLine(currentLine_);
    form_.linkEnabled = false;
    form_.unlinkEnabled = false;
}

bool IngredientDetailsController::SaveLine() {
    if (currentLine_ <= 0) return false;
    if (Trim(form_.ingredient).empty()) {
        Transaction transaction(context_.box);
        context_.box.RunSQL(
            Format("DELETE FROM INGREDIENTLINES Where IngredientLinesID = %d", currentLine_));
        context_.box.RunSQL(Format(
            "DELETE FROM INGREDIENTLINESNUTRIENTS Where IngredientLinesID = %d", currentLine_));
        transaction.Commit();
        Reload();
        return true;
    }
    context_.box.UpdateIngredientLine(currentLine_, form_.qty, form_.unit, form_.ingredient,
                                      form_.heading, ParseQuantity(Trim(form_.qty)), form_.notes);
    Reload();
    return false;
}

bool IngredientDetailsController::Previous() {
    if (SaveLine()) return true;
    const int index = IndexOfLine(currentLine_);
    if (index == 0) {
        form_.previousEnabled = false;
        return false;
    }
    if (index < 0) {
        context_.prompter.Message("Ingredient line was not found");
        return false;
    }
    ShowLine(recipe_.Lines[static_cast<std::size_t>(index - 1)].IngredientLinesID);
    form_.nextEnabled = true;
    return false;
}

bool IngredientDetailsController::Next() {
    if (SaveLine()) return true;
    const int index = IndexOfLine(currentLine_);
    if (index < 0 || index + 1 >= static_cast<int>(recipe_.Lines.size())) {
        form_.nextEnabled = false;
        return false;
    }
    form_.previousEnabled = true;
    ShowLine(recipe_.Lines[static_cast<std::size_t>(index + 1)].IngredientLinesID);
    return false;
}

bool IngredientDetailsController::NewLine() {
    if (currentLine_ > 0 && SaveLine()) return true;
    if (recipe_.LineCount() >= Recipe::kMaxLines) return false;
    RecipeDB& box = context_.box;
    const long id = box.MaxOf("IngredientLines", "IngredientLinesID") + 1;
    // After the last line shown, so the order of the others stays as it is.
    const int order = recipe_.Lines.empty() ? 1 : recipe_.Lines.back().LineOrder + 1;
    if (id <= 0 ||
        box.RunSQL(Format("INSERT INTO INGREDIENTLINES(IngredientLinesID, RecipeID, LineOrder) "
                          "VALUES(%ld, %d, %d)",
                          id, recipeID_, order)) != 1)
        return false;
    Reload();
    ShowLine(static_cast<int>(id));
    return false;
}

void IngredientDetailsController::Done() {
    SaveLine();
}

}  // namespace pantrio
