// Turns a recipe into an HTML page by filling a theme template with its
// fields: the View tab's page, the theme preview, printed, published and
// posted pages (RenderRecipePage), and the HTML part of a recipe mail
// (RenderMailPage). Markup typed into a field stays markup, but no active
// content reaches a page (MarkupSanitizer.h); app: link values are quoted
// and percent-encoded (AppLink.h).
#pragma once

#include <string>

#include "render/RecipePageOptions.h"

namespace pantrio {

class Recipe;
class RecipeDB;
class SupportDB;
class TemplateCache;

// What a rendering needs besides the recipe and its options.
struct RenderContext {
    TemplateCache* templates = nullptr;  // required: theme and nutrition templates
    std::string imagesFolder;            // Data/HTM/Images: star images, logo
    std::string picturesFolder;          // the Pictures folder beside the open box
    std::string publishImagesFolder;     // Publish/Images: where CopyPicture copies to
    std::string serviceURL;              // the recipe service's base address
    std::string serviceName;             // and its display name
    // The open box and the support database, for the nutrition totals. When
    // either is missing (or not connected) the totals are zero.
    RecipeDB* box = nullptr;
    SupportDB* support = nullptr;
};

// The marker every locally rendered page ends with, and the markers around
// the embedded exchange document.
extern const char* const kLocalPageMarker;  // "<!--@PXLOCAL-->"
extern const char* const kRecipeDataBegin;  // "<!--@PXBEGIN--"
extern const char* const kRecipeDataEnd;    // "@PXEND-->"
extern const char* const
    kNoNutritionMessage;  // "(No nutrition information defined for this recipe.)"

// The recipe's exchange document between kRecipeDataBegin and
// kRecipeDataEnd, as published pages carry it for import.
std::string EmbeddedRecipeData(const Recipe& recipe);

// The filled page; see RecipePageOptions for what each option changes. May
// copy the recipe's picture (CopyPicture); touches nothing else.
std::string RenderRecipePage(const Recipe& recipe, const RecipePageOptions& options,
                             RenderContext& context);

// The mail variant with the images it refers to by content id.
struct MailPage {
    std::string html;
    bool usesRatingImage = false;  // "cid:RatingImg", type image/gif
    std::string ratingImageFile;   // the star image file
    bool usesPicture = false;      // "cid:RecipeImage", type image/jpg
    std::string pictureFile;       // the picture in the pictures folder
};

extern const char* const kRatingImageContentId;  // "RatingImg"
extern const char* const kRecipeImageContentId;  // "RecipeImage"

// The page of a recipe mail in theme `theme`: no local marker, no links but
// the keywords, instructions without line-break conversion or service texts,
// images by content id (no rating image for an unrated recipe), no
// exchange document; the recipe's structured data at the end.
MailPage RenderMailPage(const Recipe& recipe, int theme, bool includeNutrition,
                        RenderContext& context);

// The number of the star image for a taste rating: "%.0f" of the rating,
// kept within 0..5 (the images that exist).
std::string StarNumber(double tasteRating);

// The document the View tab shows: the page inside the program's own HTML
// head with its link styles.
std::string ViewTabDocument(const std::string& page);

}  // namespace pantrio
