// The Ingredient Details dialog without its widgets: one ingredient line of
// a recipe at a time (quantity, unit, name, preparation notes, heading), the
// food it is or could be linked to, the number of household measures and the
// grams they weigh, and the walk through the recipe's lines. It works on its
// own copy of the recipe, reloaded after every change it stores; the caller
// reloads the current recipe when the dialog closes.
//
// The window mirrors Form() in its widgets and writes the user's typing back
// into it before calling an action; every action leaves Form() as the dialog
// should show it.
#pragma once

#include <string>
#include <vector>

#include "base/RowSink.h"
#include "core/ControllerContext.h"
#include "recipe/Recipe.h"

namespace pantrio {

struct IngredientDetailsForm {
    // The line's fields, edited by the user.
    std::string qty, unit, ingredient, notes;
    bool heading = false;
    // "Link to:" and the food list under "Select nutrient:".
    std::string linkTo;
    std::vector<ListRow> foods;  // text: name, data: NutrientID
    int selectedFood = -1;       // index into foods
    // "Number:" and the two household measures of the chosen food.
    std::string number;
    std::string measureCaption[2];
    bool measureEnabled[2] = {false, false};
    int measureTicked = 0;  // 0 none, 1 or 2
    std::string grams = "n/a";
    bool linkEnabled = false, unlinkEnabled = false;
    bool previousEnabled = true, nextEnabled = true;
};

class IngredientDetailsController {
public:
    IngredientDetailsController(ControllerContext context, int recipeID);

    // Opens line `lineID` of the recipe, or a new line when it is -1. False
    // when the recipe cannot be loaded.
    bool Open(int lineID);

    IngredientDetailsForm& Form() { return form_; }
    int CurrentLine() const { return currentLine_; }
    int ChosenFood() const { return chosenFood_; }
    const Recipe& RecipeShown() const { return recipe_; }
    // The choices of the Ingredient and Preparation Notes lists.
    const std::vector<std::string>& IngredientChoices() const { return ingredientChoices_; }
    const std::vector<std::string>& NoteChoices() const { return noteChoices_; }

    // The Ingredient box lost the focus: proposes a food for its text.
    void IngredientLeft();
    // "Find": lists the foods matching "Link to:".
    void Find();
    // A food of the list was selected (index into Form().foods); proposes the
    // measure and the number from the line's quantity and unit.
    void SelectFood(int index);
    // Chooses food `nutrientID` as if the user had picked it from a search;
    // false when there is no such food.
    bool ChooseFood(int nutrientID);
    // "Number:" changed, or the user ticked measure 1 or 2: the grams anew.
    void SetNumber(const std::string& number);
    void TickMeasure(int measure);

    // Link: stores the link with the grams shown and teaches the master list
    // the food for this ingredient name. False when nothing was linked.
    bool Link();
    // Unlink: removes the line's link.
    void Unlink();

    // The walk. Each stores the line first; a line whose ingredient name is
    // empty is deleted instead and the dialog closes (the result is then
    // true: close the dialog).
    bool Previous();
    bool Next();
    bool NewLine();
    // "Done": stores the line; the dialog closes.
    void Done();

private:
    void Reload();
    void ShowLine(int lineID);
    void SuggestFood(const std::string& name);
    void UpdateGrams();
    // Stores the line; true when it was deleted (empty name).
    bool SaveLine();
    int IndexOfLine(int lineID) const;

    ControllerContext context_;
    int recipeID_;
    Recipe recipe_;
    IngredientDetailsForm form_;
    int currentLine_ = -1;
    int chosenFood_ = 0;
    std::vector<std::string> ingredientChoices_, noteChoices_;
};

}  // namespace pantrio
