// WebView: the Import button's import of the recipe embedded in a page.
#include "core/PageImport.h"

#include "base/Prompter.h"
#include "base/Text.h"
#include "core/AppSettings.h"
#include "core/MainDialog.h"
#include "core/WebView.h"
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

PageImportResult WebView::ImportPage(const std::string& source) {
    PageImportResult result;
    std::string error;
    const std::string text = EmbeddedRecipeText(source, error);
    if (!error.empty()) {
        context_.prompter.Message(error);
        return result;
    }

    ProgressWindow& window = context_.main.Boxes().ImportWindow();
    window.ClearMessages();
    window.Show();
    window.SetPosition(0);

    Recipe recipe;
    recipe.LongFormUnits = context_.settings.UILF != 0;
    if (ReadRecipeDocument(recipe, text) != 0) {
        context_.prompter.Message(kCannotReadRecipeDocument);
        window.Hide();
        return result;
    }
    window.SetStatus(recipe.Title);
    window.SetPosition(75);
    if (context_.box.SaveAsNew(recipe, &window.Messages()) == 0) {
        result.recipeID = recipe.RecipeID;
        result.newRecipe = true;
    } else {
        // A duplicate: the copy already stored has the same title and the
        // same beginning of its instructions.
        const long stored = context_.box.FindDuplicate(recipe.Title, recipe.Instructions);
        result.recipeID = stored > 0 ? static_cast<int>(stored) : -1;
    }
    window.SetPosition(100);
    window.Hide();
    if (result.recipeID <= 0) {
        // Neither stored nor found: the box refused the statements.
        result.recipeID = -1;
        result.newRecipe = false;
        return result;
    }

    ResultsController& results = context_.main.Results();
    results.ClearResults();
    results.FillResults(Format(
        "Select RecipeID, Color, Marked, Title, TasteRating from Recipes Where RecipeID = %d",
        result.recipeID));
    SetExpanded(false);

    RecipeController& recipes = context_.main.Recipes();
    recipes.ShowImportedRecipe(result.recipeID);
    if (result.newRecipe) {
        context_.main.PlayInterfaceSound("SOUNDIMPORTFROMWEB");
        ++context_.settings.ImportedRec;
    }
    // ShowRecipe has stamped LastViewed; the pages show the recipe now.
    recipes.RefreshRecipePages();
    return result;
}

}  // namespace pantrio
