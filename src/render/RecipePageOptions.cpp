#include "render/RecipePageOptions.h"

namespace pantrio {

const char* const kPublishedImageFolder = "Images";

RecipePageOptions RecipePageOptions::ViewTab(int theme) {
    RecipePageOptions options;
    options.IncludeNutrition = true;
    options.Theme = theme;
    options.MakeLinks = true;
    options.EmbedStructuredData = true;
    return options;
}

RecipePageOptions RecipePageOptions::ThemePreview(int theme) {
    RecipePageOptions options;
    options.IncludeNutrition = true;
    options.Theme = theme;
    return options;
}

RecipePageOptions RecipePageOptions::PublishedPage(int theme, bool includeNutrition) {
    RecipePageOptions options;
    options.IncludeNutrition = includeNutrition;
    options.Theme = theme;
    options.ImageFolder = kPublishedImageFolder;
    options.CopyPicture = true;
    options.Published = true;
    options.EmbedRecipeData = true;
    options.EmbedStructuredData = true;
    return options;
}

RecipePageOptions RecipePageOptions::PostedPage(int theme) {
    RecipePageOptions options;
    options.Theme = theme;
    options.QuietRating = true;
    return options;
}

RecipePageOptions RecipePageOptions::Printing(int theme, bool includeNutrition) {
    RecipePageOptions options;
    options.IncludeNutrition = includeNutrition;
    options.Theme = theme;
    options.MakeLinks = true;
    return options;
}

}  // namespace pantrio
