// WebView: the Import button's import of the recipe embedded in a page.
#include "core/PageImport.h"

#include "base/Prompter.h"
#include "base/Text.h"
#include "core/AppSettings.h"
#include "core/MainDialog.h"
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
    std::vector<Recipe> recipes;
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
        recipes = ReadPageRecipes(EnsureUtf8(source)).recipes;
        std::erase_if(recipes, [](const Recipe& r) { return Trim(r.Title).empty(); });
        if (recipes.empty()) {
            context_.prompter.Message(error);
            return result;
        }
    }

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

}  // namespace pantrio
