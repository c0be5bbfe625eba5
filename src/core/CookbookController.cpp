#include "core/CookbookController.h"

#include <filesystem>

#include "base/Prompter.h"
#include "base/Text.h"
#include "core/AppSettings.h"
#include "core/DataFolders.h"
#include "core/MainDialog.h"
#include "core/UserFolders.h"
#include "recipe/Recipe.h"
#include "render/RenderRecipePage.h"
#include "search/AllBoxesSearch.h"
#include "storage/CADORecordset.h"
#include "storage/RecipeDB.h"

namespace pantrio {

namespace {

// The themes recipetheme0.htm to recipetheme7.htm.
constexpr int kThemes = 8;

}  // namespace

CookbookController::CookbookController(ControllerContext context, PrintView* view)
    : context_(context), view_(view) {}

std::vector<CookbookItem> CookbookController::RecipesToExport() {
    std::vector<CookbookItem> items;
    RecipeDB& box = context_.box;
    if (box.Connected()) {
        CADORecordset rs(box);
        if (rs.Run("Select RecipeID from Recipes where Marked ORDER BY Title"))
            for (; !rs.AtEnd(); rs.NextRow()) {
                int id = 0;
                if (rs.ReadAt(0, id)) items.push_back({"", id});
            }
    }
    if (!items.empty()) return items;
    ResultsController& results = context_.main.Results();
    const int rows = results.RowCount();
    for (int row = 0; row < rows; ++row) {
        const long id = results.RowRecipeID(row);
        if (id <= 0) continue;
        std::string rowBox = results.RowInOpenBox(row) ? std::string() : results.RowBox(row);
        items.push_back({std::move(rowBox), static_cast<int>(id)});
    }
    return items;
}

CookbookChoices CookbookController::InitialChoices() const {
    CookbookChoices choices;
    const std::string path =
        context_.box.Connected() ? context_.box.FilePath() : context_.settings.CookbookPath;
    choices.title = path.empty() ? std::string("Cookbook") : BoxName(path);
    choices.path = (std::filesystem::path(HomeFolder()) / (choices.title + ".pdf")).string();
    choices.theme = context_.settings.HTMLStyle;
    return choices;
}

std::optional<Cookbook> CookbookController::MakeCookbook(const std::vector<CookbookItem>& items,
                                                         const std::string& title, int theme,
                                                         std::string& error) {
    if (theme < 0 || theme >= kThemes) {
        error = Format("There is no theme %d; the themes are 0 to %d.", theme, kThemes - 1);
        return std::nullopt;
    }
    RecipeController& recipes = context_.main.Recipes();
    std::vector<CookbookRecipe> pages;
    for (const CookbookItem& item : items) {
        const std::string boxPath = item.box.empty() ? context_.box.FilePath() : item.box;
        Recipe recipe;
        if (!context_.main.MealPlan().LoadRecipeOfBox(boxPath, item.recipeID, recipe)) {
            error = Format("No recipe number %d in ", item.recipeID) + boxPath + ".";
            return std::nullopt;
        }
        RenderContext render = recipes.MakeRenderContext();
        render.picturesFolder = DataFolders::PicturesFolderOf(boxPath);
        CookbookRecipe entry;
        entry.title = recipe.Title;
        entry.keywords = recipe.CategoryNames;
        entry.page = RenderRecipePage(recipe, RecipePageOptions::Printing(theme, false), render);
        pages.push_back(std::move(entry));
    }
    return Cookbook(title, std::move(pages));
}

void CookbookController::ExportCookbookCommand() {
    if (view_ == nullptr) return;
    Prompter& prompter = context_.prompter;
    const std::vector<CookbookItem> items = RecipesToExport();
    if (items.empty()) {
        prompter.Message(
            "There are no recipes for a cookbook.  Mark recipes, or list them, first.");
        return;
    }
    const std::optional<CookbookChoices> choices = view_->AskCookbook(InitialChoices());
    if (!choices) return;
    std::string path = choices->path;
    if (!EndsWithNoCase(path, ".pdf")) path += ".pdf";
    std::string error;
    std::optional<Cookbook> book = MakeCookbook(items, choices->title, choices->theme, error);
    if (book) error = view_->PrintCookbook(*book, path);
    if (!error.empty()) {
        prompter.Message("The cookbook could not be written: " + error, "", Buttons::OK,
                         MessageIcon::Error);
        return;
    }
    prompter.Message(Format("The cookbook of %zu recipes was saved as ", items.size()) + path +
                     ".");
}

}  // namespace pantrio
