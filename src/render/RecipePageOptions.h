// What steers one rendering of a recipe page, with the option sets the
// program uses: the View tab, the theme preview, published pages, the page
// posted to the recipe service and printing.
#pragma once

#include <string>

namespace pantrio {

struct RecipePageOptions {
    // Recompute the nutrition totals and fill the nutrition panel and log;
    // when clear both stay empty.
    bool IncludeNutrition = false;
    // The theme template's number.
    int Theme = 0;
    // Title, cuisine, main ingredient and keywords become app: links.
    bool MakeLinks = false;
    // Relative folder for the star and picture images; empty means absolute
    // local addresses.
    std::string ImageFolder;
    // Copy the picture into the publish images folder (only with an
    // ImageFolder).
    bool CopyPicture = false;
    // The page goes onto a web site: the service text reads as a variation
    // notice and the published footer is added.
    bool Published = false;
    // Leave out the rating prompt; without links also keywords beginning
    // with "@".
    bool QuietRating = false;
    // Embed the recipe's exchange document after the ingredient table.
    bool EmbedRecipeData = false;
    // Embed the recipe as schema.org structured data (RecipeJsonLd.h) at the
    // end of the page.
    bool EmbedStructuredData = false;

    static RecipePageOptions ViewTab(int theme);
    static RecipePageOptions ThemePreview(int theme);
    static RecipePageOptions PublishedPage(int theme, bool includeNutrition);
    static RecipePageOptions PostedPage(int theme);
    static RecipePageOptions Printing(int theme, bool includeNutrition);
};

// The folder name of published images inside the publish folder, as the
// published pages refer to it.
extern const char* const kPublishedImageFolder;

}  // namespace pantrio
