#include "render/Publishing.h"

#include <filesystem>
#include <system_error>

#include "base/Prompter.h"
#include "base/Text.h"
#include "recipe/Recipe.h"
#include "render/AppLink.h"
#include "render/MarkupSanitizer.h"
#include "render/PageText.h"
#include "render/RenderRecipePage.h"
#include "render/TemplateCache.h"
#include "storage/RecipeDB.h"

namespace pantrio {

namespace fs = std::filesystem;

std::string PageFileName(const std::string& title, int recipeID) {
    std::string name = title;
    for (auto& c : name)
        if (c == ' ' || c == '/' || c == '.' || c == '!' || c == ',') c = '_';
    return ToLowerUtf8(name) + Format("_%d.htm", recipeID);
}

bool WriteRecipePageFile(const Recipe& recipe, const std::string& path,
                         const RecipePageOptions& options, RenderContext& context,
                         Prompter* prompter) {
    const std::string page = RenderRecipePage(recipe, options, context);
    if (WriteWholeFile(path, page)) return true;
    if (prompter) prompter->Message("Could not create file in " + path);
    return false;
}

bool WriteTextFile(const std::string& text, const std::string& path, Prompter* prompter) {
    std::error_code error;
    fs::remove(path, error);
    if (WriteWholeFile(path, text)) return true;
    if (prompter) prompter->Message("Could not create file in " + path);
    return false;
}

int PublishRecipes(const std::vector<int>& recipeIDs, PublishEnvironment& environment) {
    Prompter* prompter = environment.prompter;
    if (recipeIDs.empty()) {
        prompter->Message(
            "No recipes selected.  Please select the recipes you'd like to export in the recipe "
            "results window.");
        return -1;
    }

    const std::string publishFolder = environment.dataRoot + "/Publish";
    const std::string imagesFolder = publishFolder + "/" + kPublishedImageFolder;
    const std::string dataFolder = environment.dataRoot + "/Data";
    std::error_code error;
    fs::create_directories(imagesFolder, error);
    if (!fs::is_directory(publishFolder, error)) {
        prompter->Message("Could not create file in " + publishFolder);
        return -1;
    }
    fs::copy(dataFolder + "/HTM/Images", imagesFolder,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);

    const bool includeNutrition =
        prompter->Message("Would you like a nutrition facts box published with these recipes?",
                          "Show nutrition box?", Buttons::YesNo,
                          MessageIcon::Question) == Answer::Yes;

    RenderContext context;
    context.templates = environment.templates;
    context.imagesFolder = dataFolder + "/HTM/Images";
    context.picturesFolder = environment.box->PicturesFolder();
    context.publishImagesFolder = imagesFolder;
    context.serviceURL = environment.serviceURL;
    context.serviceName = environment.serviceName;
    context.box = environment.box;
    context.support = environment.support;
    const RecipePageOptions options =
        RecipePageOptions::PublishedPage(environment.theme, includeNutrition);

    int written = 0;
    std::string list = "<UL>";
    for (int number : recipeIDs) {
        Recipe recipe;
        if (environment.box->LoadRecipe(number, recipe) != 1) continue;
        recipe.RecipeID = number;
        environment.box->LoadIngredientLines(number, recipe);
        environment.box->LoadKeywords(number, recipe.CategoryNames);

        const std::string fileName = PageFileName(recipe.Title, number);
        // The address is encoded, so an apostrophe in the title cannot end it.
        list += "<LI><a href='" + PercentEncode(fileName) + "'>" + SanitizeField(recipe.Title) +
                "</A></LI>";
        if (WriteRecipePageFile(recipe, publishFolder + "/" + fileName, options, context, prompter))
            ++written;
    }
    list += "</UL>";

    std::string index;
    ReadTemplateFile(dataFolder + "/HTM/recipe_index_template.htm", prompter, index);
    index = ReplacePlaceholder(index, "@PX_RECIPE_TOC@", list);
    const std::string indexPath = Trim(publishFolder + "/recipe_index.htm");
    WriteTextFile(index, indexPath, prompter);
    if (environment.openInBrowser) environment.openInBrowser(indexPath);

    std::string message =
        "Your recipes can be found in " + publishFolder +
        "\r\n\r\nSimply FTP the contents of this folder and its subfolders to your website, and "
        "you're done!\r\n\r\nPeople viewing your recipes will be able to import them instantly "
        "into Pantrio simply by viewing your page from Pantrio's web browser and clicking the "
        "'Import' button";
    // The service's name and forum are only mentioned when one is set up.
    if (Trim(environment.serviceURL).empty()) {
        message += ".";
    } else {
        message += ", just like on " + environment.serviceName +
                   "!  Want us to link to your recipe website?  Simply post a note announcing "
                   "your own Pantrio-enabled website on our forums at " +
                   environment.serviceURL + "/forums, be sure to link to " +
                   environment.serviceName + ", and we'll add you in our new links section.";
    }
    prompter->Message(message);
    return written;
}

}  // namespace pantrio
