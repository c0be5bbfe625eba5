#include "online/PageImport.h"

#include "base/Prompter.h"
#include "base/Text.h"
#include "core/MainDialog.h"
#include "core/MainView.h"
#include "formats/RecipeDocument.h"
#include "recipe/Recipe.h"
#include "storage/Store.h"

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

PageImportResult ImportFromPage(MainDialog& main, const std::string& source) {
    PageImportResult result;
    std::string error;
    const std::string text = EmbeddedRecipeText(source, error);
    if (!error.empty()) {
        main.prompter().Message(error);
        return result;
    }

    ProgressWindow& window = main.ImportWindow();
    window.ClearMessages();
    window.Show();
    window.SetPosition(0);

    Recipe recipe;
    recipe.LongFormUnits = main.Settings.UILF != 0;
    if (ReadRecipeDocument(recipe, text) != 0) {
        main.prompter().Message(kCannotReadRecipeDocument);
        window.Hide();
        return result;
    }
    window.SetStatus(recipe.Title);
    window.SetPosition(75);
    if (main.RecipeStore.SaveAsNew(recipe, &window.Messages()) == 0) {
        result.recipeID = recipe.RecipeID;
        result.newRecipe = true;
    } else {
        // A duplicate: the copy already stored has the same title and the
        // same beginning of its instructions.
        const long stored = main.RecipeStore.FindDuplicate(recipe.Title, recipe.Instructions);
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

    if (MainView* view = main.view()) view->ClearResults();
    main.FillResults(Format(
        "Select RecipeID, Color, Marked, Title, TasteRating from Recipes Where RecipeID = %d",
        result.recipeID));
    main.Web.SetExpanded(false);

    main.CurrentRecipeNumber = result.recipeID;
    if (main.ShowRecipe(result.recipeID, main.Settings.CookbookPath, false) != 0) {
        main.CurrentRecipeNumber = -1;
        main.CurrentRecipe.Clear();
    } else if (MainView* view = main.view()) {
        view->SelectRow(0);
    }
    if (result.newRecipe) {
        main.PlayInterfaceSound("SOUNDIMPORTFROMWEB");
        ++main.Settings.ImportedRec;
    }
    // ShowRecipe has stamped LastViewed; the pages show the recipe now.
    main.RefreshRecipePages();
    return result;
}

}  // namespace pantrio
