// Renders one recipe page again and again from the shipped theme templates,
// the way the View tab and publishing do (the nutrition panel included, the
// exchange document embedded for the published page), and reports the time
// per page. Usage: bench_render [data folder] [pages] (default: the shipped
// data beside the program, 2000 pages).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchHelp.h"
#include "base/Text.h"
#include "recipe/Recipe.h"
#include "render/RenderRecipePage.h"
#include "render/TemplateCache.h"

using namespace pantrio;

namespace {

Recipe SampleRecipe() {
    Recipe recipe;
    recipe.RecipeID = 42;
    recipe.Title = "Grandmother's <i>Sunday</i> Roast with Vegetables";
    recipe.Cuisine = "English";
    recipe.PrimaryIngredient = "Beef";
    recipe.YieldNumber = 6;
    recipe.YieldUnit = "servings";
    recipe.ScaleMultiple = 1.5;
    recipe.TasteRating = 4;
    recipe.UniqueID = 1234;
    recipe.PictureFile1 = "roast.jpg";
    for (int i = 0; i < 20; ++i)
        recipe.AddLine(i % 7 == 0, "", "cup", Format("ingredient number %d", i), "chopped fine",
                       0.25 * (i + 1), -1, 100, i % 3 == 0 ? 0 : 500 + i);
    for (int i = 0; i < 30; ++i)
        recipe.Instructions += "Stir the <b>pot</b> gently and taste; season as needed.\r\n";
    for (const char* keyword : {"Sunday", "Roasts", "Family", "@favourite"})
        recipe.AddCategoryName(keyword);
    return recipe;
}

}  // namespace

int main(int argc, char** argv) {
    if (pantrio::bench::AnswerHelp(
            argc, argv,
            "usage: bench_render [DATA_FOLDER] [PAGES]\n"
            "Renders a recipe page PAGES times (2000) from the theme templates of DATA_FOLDER\n"
            "(the shipped data beside the program) and prints the time per page.\n"))
        return 0;
    std::string data = argc > 1 ? argv[1] : "";
    if (data.empty()) {
        const auto self = std::filesystem::canonical("/proc/self/exe").parent_path();
        data = (self / ".." / "share" / "pantrio").lexically_normal().string();
    }
    const int pages = argc > 2 ? std::atoi(argv[2]) : 2000;

    TemplateCache templates(data + "/themes", nullptr);
    if (templates.Theme(0).empty()) {
        std::fprintf(stderr, "no theme templates in %s/themes\n", data.c_str());
        return 1;
    }
    RenderContext context;
    context.templates = &templates;
    context.imagesFolder = data + "/Data/HTM/Images";
    context.picturesFolder = "/tmp/Pictures";
    context.serviceURL = "http://127.0.0.1:8686";
    context.serviceName = "Recipe Exchange";
    const Recipe recipe = SampleRecipe();

    for (const auto& [name, options] :
         {std::pair{"view tab", RecipePageOptions::ViewTab(0)},
          std::pair{"published", RecipePageOptions::PublishedPage(1, true)}}) {
        RecipePageOptions run = options;
        run.CopyPicture = false;
        std::size_t bytes = 0;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < pages; ++i) bytes += RenderRecipePage(recipe, run, context).size();
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        std::printf("%-10s %d pages, %.3f ms per page (%zu bytes each)\n", name, pages,
                    elapsed.count() / pages, bytes / static_cast<std::size_t>(pages));
    }
    return 0;
}
