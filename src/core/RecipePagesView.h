// The current recipe's tabs beside the results list (Edit, Notes,
// Nutrition), as RecipeController sees them. The View tab's page belongs to
// the web view (WebView::ShowCurrentRecipe).
#pragma once

namespace pantrio {

class RecipePagesView {
public:
    virtual ~RecipePagesView() = default;

    // Shows the current recipe's Edit, Notes and Nutrition tabs anew.
    virtual void RefreshRecipePages() {}
};

}  // namespace pantrio
