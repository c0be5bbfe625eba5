// Publishing recipes as a small static web site on disk: one page per recipe
// (with its exchange document embedded, so a visitor using the program can
// import it), an index page linking them, and the images the pages need, all
// in the Publish folder of the data root, ready to upload.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "render/RecipePageOptions.h"

namespace pantrio {

class Recipe;
class RecipeDB;
class SupportDB;
class TemplateCache;
struct RenderContext;

struct PublishEnvironment {
    std::string dataRoot;                // the publish folder is dataRoot + "/Publish"
    RecipeDB* box = nullptr;             // required: the open box
    SupportDB* support = nullptr;        // for the nutrition panel
    TemplateCache* templates = nullptr;  // required
    int theme = 0;                       // HTMLStyle
    std::string serviceURL;
    std::string serviceName;
    // Opens the index page in a new browser window; optional.
    std::function<void(const std::string& path)> openInBrowser;
};

// The page file name of a recipe: the title with every blank, "/", ".", "!"
// and "," turned into "_", in lower case, then "_", the number and ".htm".
std::string PageFileName(const std::string& title, int recipeID);

// Renders `recipe` and writes the page to `path`, replacing any earlier
// content; false when the file could not be written.
bool WriteRecipePageFile(const Recipe& recipe, const std::string& path,
                         const RecipePageOptions& options, RenderContext& context);

// Deletes a file at `path`, then writes `text` there; false when the file
// could not be written.
bool WriteTextFile(const std::string& text, const std::string& path);

// What writing the site did, for the caller to tell the user.
struct PublishReport {
    std::string publishFolder;
    bool folderMade = false;             // false: nothing was written
    int written = 0;                     // recipe pages written
    std::vector<std::string> unwritten;  // files that could not be written
    std::string templateError;           // the index template could not be read
    std::string indexPath;
};

// Writes the site of the recipes `recipeIDs` (the selected rows, in list
// order): asks `includeNutrition` whether a nutrition box goes with them once
// the folder is ready, writes one page per recipe and the index
// "recipe_index.htm", copies the page images and the recipes' pictures and
// opens the index.
PublishReport WritePublishedSite(const std::vector<int>& recipeIDs, PublishEnvironment& environment,
                                 const std::function<bool()>& includeNutrition);

}  // namespace pantrio
