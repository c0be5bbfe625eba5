// The current recipe and its pages: showing a recipe (switching boxes when
// needed), walking the list with Previous and Next, deleting recipes, marks
// and keywords, rendering the View tab's page, and the commands that act on
// the current recipe (Post Recipe, the look-up on the recipe service, the
// recipe page import). It holds the current recipe for the run.
#pragma once

#include <string>
#include <vector>

#include "core/ControllerContext.h"
#include "recipe/Recipe.h"
#include "search/KeywordStorage.h"

namespace pantrio {

class KeywordEditor;
class RecipePagesView;
struct RenderContext;

class RecipeController {
public:
    RecipeController(ControllerContext context, RecipePagesView* view);

    // The recipe shown now; CurrentID() is -1 when there is none.
    const Recipe& Current() const { return current_; }
    int CurrentID() const { return currentNumber_; }
    bool HasCurrent() const { return currentNumber_ >= 0; }
    // Nothing is current any more (the box changed or the recipe went).
    void Forget();

    // Shows recipe `recipeID` of the box at `boxPath`, opening that box when
    // it is not the open one (announced with a message when `announce`):
    // loads it with its lines and keywords as the current recipe and stamps
    // LastViewed. 0, or -1 after a message.
    int ShowRecipe(int recipeID, const std::string& boxPath, bool announce);
    // Makes recipe `recipeID` of the open box current and shows it, unless it
    // already is; nothing half-loaded stays current.
    void SelectRecipe(long recipeID);
    // The user selected a row (click, Previous, Next).
    void OnRowSelected(int row);
    // Previous and Next: move the selection one row up or down (staying on
    // the first or last row) and show that recipe.
    void PreviousRecipe();
    void NextRecipe();
    // Deletes the selected recipes after the question.
    void DeleteRecipes();
    // Deletes recipe `id` of the open box with its lines, without asking;
    // false when the box refused.
    bool DeleteRecipe(int id);
    // Clears every mark of the box after the question.
    void ClearMarks();
    // Gives `keyword` to every selected recipe (asking first for more than 4).
    void AssignQuickKeyword(const std::string& keyword);
    // Shows the current recipe anew: its tabs and its page in the web view.
    void RefreshRecipePages();
    // The same after an edit: the tab being edited in stays in front.
    void RefreshEditedRecipe();

    // The current recipe's page with the View tab's options; empty when it
    // cannot be rendered.
    std::string RenderViewPage();
    // The current recipe's page for the options' theme preview.
    std::string RenderPreviewPage(int theme);
    // What a rendering needs: the templates, folders, service and stores.
    RenderContext MakeRenderContext();
    // The theme the View tab renders with (the HTMLStyle setting).
    int ViewTheme() const;

    // What the Post Recipe questions decided.
    enum class PostDecision { None, FirstPosting, Revision };
    // Post Recipe (run with a current recipe; the command's rule asks for
    // one): the questions before a recipe goes to the service. A first
    // posting sets the web view's posting flag, so the number the service
    // answers with is taken over; the caller then shows the posting form.
    PostDecision PostRecipeCommand();
    // The context menu's look-up of the current recipe on the service (run
    // with a current recipe).
    void FindOnServiceCommand();
    // The service assigned number `uniqueID` to the current recipe's first
    // posting: it is stored with the recipe, which turns blue. A recipe that
    // has a number already keeps it. True when the box took the number.
    bool StoreServiceNumber(const std::string& uniqueID);

    // The Notes tab's "Categories...": opens `editor` on the current recipe's
    // keywords; false when there is no current recipe (the window asks for
    // one first, MainDialog::RequireRecipe).
    bool OpenKeywordEditor(KeywordEditor& editor);
    // The category dialog's OK: stores the edited keywords and shows the
    // recipe anew.
    void StoreKeywords(KeywordEditor& editor);
    // The current recipe, for an editor that changes it in place.
    Recipe& CurrentForEditing() { return current_; }

    // The recipe page import made recipe `recipeID` of the open box current
    // (listed alone, row 0): shows it and selects its row.
    void ShowImportedRecipe(int recipeID);

    // For front ends that act on recipes by number (the command line):
    // loads recipe `id` with its lines and keywords without stamping it as
    // viewed; false when the box holds no such recipe.
    bool LoadRecipe(int id, Recipe& recipe);
    // Makes recipe `id` of the open box current with its lines and keywords,
    // without stamping it as viewed or showing it; false (and nothing
    // current) when the box holds no such recipe.
    bool MakeCurrent(int id);
    // Sets or clears the mark of recipe `id` (the meal plan follows); false
    // when there is no such recipe or the box refused.
    bool SetMark(int id, bool marked);
    // Gives `keyword` to recipes `ids` (asking first for more than 4).
    AssignKeywordResult AssignKeywordTo(const std::string& keyword, const std::vector<int>& ids);
    // Scales `recipe` to make `wanted` (the recipe's ScaleMultiple changes);
    // false when it cannot be scaled.
    bool Scale(Recipe& recipe, double wanted);
    // Converts `recipe`'s lines between English and metric units; the number
    // of lines converted.
    int ConvertUnits(Recipe& recipe);
    // Stores `recipe` as a new recipe of the open box: SaveAsNew's result (0
    // when stored, its number then in recipe.RecipeID).
    int SaveAsNew(Recipe& recipe);
    // Whether the open box holds recipe `id`.
    bool Exists(int id);

private:
    ControllerContext context_;
    RecipePagesView* view_;
    Recipe current_;
    int currentNumber_ = -1;
};

}  // namespace pantrio
