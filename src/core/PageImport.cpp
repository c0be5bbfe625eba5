// WebView: the Import button's import of the recipe embedded in a page.
#include "core/PageImport.h"

#include "base/Prompter.h"
#include "base/Text.h"
#include "core/AppSettings.h"
#include "core/MainDialog.h"
#include "core/RecipeEditController.h"
#include "core/WebLayoutView.h"
#include "core/WebView.h"
#include "formats/JsonLdRecipe.h"
#include "formats/RecipeDocument.h"
#include "recipe/Recipe.h"
#include "storage/RecipeDB.h"

namespace pantrio {

namespace {

constexpr const char* kBeginMarker = "<!--@PXBEGIN";
constexpr std::size_t kBeginMarkerLength = 12;
constexpr const char* kEndMarker = "@PXEND-->";

// Keeps the recipes (and their picture addresses) at `indexes`, in that order.
void KeepRecipes(WebRecipes& found, const std::vector<int>& indexes) {
    WebRecipes kept;
    for (const int index : indexes) {
        if (index < 0 || index >= static_cast<int>(found.recipes.size())) continue;
        const auto at = static_cast<std::size_t>(index);
        kept.recipes.push_back(std::move(found.recipes[at]));
        kept.images.push_back(at < found.images.size() ? found.images[at] : std::string());
    }
    found.recipes = std::move(kept.recipes);
    found.images = std::move(kept.images);
}

}  // namespace

std::string EmbeddedRecipeText(const std::string& source, std::string& error) {
    error.clear();
    const std::size_t begin = FindNoCase(source, kBeginMarker);
    if (begin == std::string::npos) {
        error = "Recipe not in Pantrio format.";
        return {};
    }
    const std::size_t from = begin + kBeginMarkerLength;
    const std::size_t end = FindNoCase(source, kEndMarker, from);
    if (end == std::string::npos) {
        error = "Recipe not in Pantrio format:  No end tag.";
        return {};
    }
    return source.substr(from, end - from);
}

bool WebView::HoldsWebRecipes(const std::string& source) {
    return !ReadPageRecipes(EnsureUtf8(source)).recipes.empty();
}

int WebView::StoreOrFind(Recipe& recipe, bool& stored) {
    stored = context_.box.SaveAsNew(recipe, &context_.main.Boxes().ImportWindow().Messages()) == 0;
    if (stored) return recipe.RecipeID;
    // A duplicate: the copy already stored has the same title and the same
    // beginning of its instructions.
    const long found = context_.box.FindDuplicate(recipe.Title, recipe.Instructions);
    // Neither stored nor found: the box refused the statements.
    return found > 0 ? static_cast<int>(found) : -1;
}

void WebView::ShowImported(const std::vector<int>& ids, bool anyNew) {
    std::string list;
    for (const int id : ids) list += (list.empty() ? "" : ", ") + std::to_string(id);
    ResultsController& results = context_.main.Results();
    results.ClearResults();
    results.FillResults(
        "Select RecipeID, Color, Marked, Title, TasteRating from Recipes Where RecipeID in (" +
        list + ")");
    SetExpanded(false);

    RecipeController& recipes = context_.main.Recipes();
    recipes.ShowImportedRecipe(ids.front());
    if (anyNew) {
        context_.main.PlayInterfaceSound("SOUNDIMPORTFROMWEB");
        ++context_.settings.ImportedRec;
    }
    // ShowRecipe has stamped LastViewed; the pages show the recipe now.
    recipes.RefreshRecipePages();
}

PageImportResult WebView::ImportPage(const std::string& source) {
    PageImportResult result;
    std::string error;
    const std::string text = EmbeddedRecipeText(source, error);
    WebRecipes found;
    std::vector<Recipe>& recipes = found.recipes;
    if (error.empty()) {
        Recipe recipe;
        if (ReadRecipeDocument(recipe, text) != 0) {
            context_.prompter.Message(kCannotReadRecipeDocument);
            return result;
        }
        recipes.push_back(std::move(recipe));
    } else {
        // Not one of the program's own pages: the recipes a recipe site
        // describes with schema.org data.
        found = ReadPageRecipes(EnsureUtf8(source));
        std::vector<int> named;
        for (std::size_t i = 0; i < recipes.size(); ++i)
            if (!Trim(recipes[i].Title).empty()) named.push_back(static_cast<int>(i));
        KeepRecipes(found, named);
        if (recipes.empty()) {
            context_.prompter.Message(error);
            return result;
        }
        if (recipes.size() > 1 && view_ != nullptr) {
            std::vector<std::string> titles;
            for (const Recipe& recipe : recipes) titles.push_back(recipe.Title);
            const std::optional<std::vector<int>> chosen = view_->ChooseWebRecipes(titles);
            if (!chosen) return result;
            KeepRecipes(found, *chosen);
            if (recipes.empty()) return result;
        }
    }
    found.images.resize(recipes.size());

    ProgressWindow& window = context_.main.Boxes().ImportWindow();
    window.ClearMessages();
    window.Show();
    window.SetPosition(0);
    std::vector<int> ids;
    bool anyNew = false;
    const bool inTransaction = context_.box.BeginTransaction();
    for (Recipe& recipe : recipes) {
        recipe.LongFormUnits = context_.settings.UILF != 0;
        window.SetStatus(recipe.Title);
        bool stored = false;
        const int id = StoreOrFind(recipe, stored);
        if (id <= 0) continue;
        ids.push_back(id);
        anyNew = anyNew || stored;
        if (ids.size() == 1) {
            result.recipeID = id;
            result.newRecipe = stored;
            // A duplicate keeps the picture it has.
            if (stored)
                result.pictureAddress =
                    found.images[static_cast<std::size_t>(&recipe - recipes.data())];
        }
    }
    if (inTransaction && !context_.box.CommitTransaction()) {
        context_.box.RollbackTransaction();
        ids.clear();
        result = {};
    }
    window.SetPosition(100);
    window.Hide();
    if (!ids.empty()) ShowImported(ids, anyNew);
    return result;
}

void WebView::StorePagePicture(int recipeID, std::string_view jpeg, const std::string& address,
                               const std::string& failure) {
    RecipeController& recipes = context_.main.Recipes();
    std::string error = failure;
    if (error.empty() && (!recipes.HasCurrent() || recipes.Current().RecipeID != recipeID))
        error = "another recipe is shown now.";
    if (error.empty() && !context_.main.Editing().PictureFromJpeg(jpeg, address, error) &&
        error.empty())
        error = "it could not be stored.";
    if (!error.empty()) {
        context_.main.SetStatusText("Imported without a picture: " + error);
        return;
    }
    context_.main.SetStatusText("Imported with its picture.");
}

}  // namespace pantrio
