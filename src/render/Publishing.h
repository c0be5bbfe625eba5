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

class Prompter;
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
    Prompter* prompter = nullptr;        // required: the question and the messages
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
// content. On failure shows "Could not create file in " + path and returns
// false.
bool WriteRecipePageFile(const Recipe& recipe, const std::string& path,
                         const RecipePageOptions& options, RenderContext& context,
                         Prompter* prompter);

// Deletes a file at `path`, then writes `text` there. On failure shows
// "Could not create file in " + path and returns false.
bool WriteTextFile(const std::string& text, const std::string& path, Prompter* prompter);

// Publishes the recipes `recipeIDs` (the selected rows, in list order): asks
// whether a nutrition box goes with them, writes one page per recipe and the
// index "recipe_index.htm", copies the page images and the recipes'
// pictures, opens the index and tells the user where the site is. The number
// of pages written; -1 when nothing was selected (after the message) or the
// publish folder could not be made.
int PublishRecipes(const std::vector<int>& recipeIDs, PublishEnvironment& environment);

}  // namespace pantrio
