// The Edit and Notes tabs of the current recipe as RecipeEditController sees
// them: the "Add a New Recipe" dialog, the entry row, and bringing the Edit
// tab to the front. What the tabs show of the recipe is refreshed through
// RecipePagesView::RefreshRecipePages.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pantrio {

// The fields of the "Add a New Recipe" dialog, with what it proposes.
struct NewRecipeFields {
    std::string title = "My new recipe";
    std::string yieldNumber = "4";
    std::string yieldUnit = "Servings";
    std::string description;
};

class RecipeEditView {
public:
    virtual ~RecipeEditView() = default;

    // Shows "Add a New Recipe" with `proposed` and the yield units to choose
    // from; nothing on Cancel.
    virtual std::optional<NewRecipeFields> AskNewRecipe(
        const NewRecipeFields& /*proposed*/, const std::vector<std::string>& /*yieldUnits*/) {
        return std::nullopt;
    }
    // Brings the Edit tab to the front with the focus in the entry row's
    // quantity field.
    virtual void ShowEditTab() {}
    // Empties the entry row, unticks its heading box and puts the focus back
    // into its quantity field.
    virtual void ClearLineEntry() {}
};

}  // namespace pantrio
