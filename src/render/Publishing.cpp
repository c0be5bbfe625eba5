#include "render/Publishing.h"

#include <filesystem>
#include <system_error>

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
    return ToLowerText(name) + Format("_%d.htm", recipeID);
}

bool WriteRecipePageFile(const Recipe& recipe, const std::string& path,
                         const RecipePageOptions& options, RenderContext& context) {
    return WriteWholeFile(path, RenderRecipePage(recipe, options, context));
}

bool WriteTextFile(const std::string& text, const std::string& path) {
    std::error_code error;
    fs::remove(path, error);
    return WriteWholeFile(path, text);
}

PublishReport WritePublishedSite(const std::vector<int>& recipeIDs, PublishEnvironment& environment,
                                 const std::function<bool()>& includeNutrition) {
    PublishReport report;
    const std::string publishFolder = environment.dataRoot + "/Publish";
    report.publishFolder = publishFolder;
    const std::string imagesFolder = publishFolder + "/" + kPublishedImageFolder;
    const std::string dataFolder = environment.dataRoot + "/Data";
    std::error_code error;
    fs::create_directories(imagesFolder, error);
    if (!fs::is_directory(publishFolder, error)) return report;
    report.folderMade = true;
    fs::copy(dataFolder + "/HTM/Images", imagesFolder,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);

    const bool nutrition = includeNutrition();

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
        RecipePageOptions::PublishedPage(environment.theme, nutrition);

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
        const std::string pagePath = publishFolder + "/" + fileName;
        if (WriteRecipePageFile(recipe, pagePath, options, context))
            ++report.written;
        else
            report.unwritten.push_back(pagePath);
    }
    list += "</UL>";

    std::string index;
    ReadTemplateFile(dataFolder + "/HTM/recipe_index_template.htm", index, report.templateError);
    index = ReplacePlaceholder(index, "@PX_RECIPE_TOC@", list);
    report.indexPath = Trim(publishFolder + "/recipe_index.htm");
    if (!WriteTextFile(index, report.indexPath)) report.unwritten.push_back(report.indexPath);
    if (environment.openInBrowser) environment.openInBrowser(report.indexPath);
    return report;
}

}  // namespace pantrio
