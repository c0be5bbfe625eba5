#include "formats/WebRecipeImport.h"

#include <filesystem>

#include "base/Text.h"
#include "formats/ImportProgress.h"
#include "formats/ImportStoring.h"
#include "formats/JsonLdRecipe.h"
#include "formats/WebPageScan.h"
#include "recipe/Recipe.h"
#include "recipe/Units.h"
#include "storage/RecipeDB.h"

namespace pantrio {

bool LooksLikeJson(std::string_view head) {
    // A byte-order mark may come first.
    if (head.starts_with("\xEF\xBB\xBF")) head.remove_prefix(3);
    const std::size_t first = head.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && (head[first] == '{' || head[first] == '[');
}

ImportSummary ImportWebRecipes(const std::string& path, RecipeDB& db, ImportProgress& window,
                               const ImportOptions& options) {
    ImportSummary counts;
    std::string bytes;
    if (!ReadImportFile(path, kMaxWebPageBytes, window, bytes, counts)) return counts;
    // Pages that are not UTF-8 are read as Windows-1252, as old pages were.
    const std::string text = EnsureUtf8(bytes);
    const std::string ext = ToLower(std::filesystem::path(path).extension().string());
    WebRecipes found;
    if (ext == ".json" || LooksLikeJson(text)) {
        if (text.size() > kMaxJsonLdScriptBytes)
            found.problems.push_back(Format(
                "The document is larger than %zu bytes and was not read.", kMaxJsonLdScriptBytes));
        else
            ReadJsonLdRecipes(text, found);
    } else {
        found = ReadPageRecipes(text);
    }
    for (const std::string& problem : found.problems) AddImportMessage(window, problem);

    const std::string fileName = std::filesystem::path(path).filename().string();
    if (found.recipes.empty()) {
        std::string notice = fileName + " holds no recipe data.";
        if (!found.problems.empty()) notice += "  " + found.problems.front();
        counts.notices.push_back({notice, "Import", ImportNotice::Kind::Plain});
        return counts;
    }

    window.Show();
    window.SetPosition(0);
    ImportTransaction transaction(db, window, counts);
    const long total = static_cast<long>(found.recipes.size());
    for (Recipe& recipe : found.recipes) {
        if (ImportCancelled(window, counts)) break;
        ++counts.recipesFound;
        if (Trim(recipe.Title).empty()) {
            ++counts.notStored;
            AddImportMessage(window, Format("Recipe %ld of %s has no name.  Not added.",
                                            counts.recipesFound, fileName.c_str()));
            continue;
        }
        // The pages' lines were split before the setting could apply.
        if (options.longFormUnits)
            for (IngredientLine& line : recipe.Lines)
                if (!line.bHeading) line.Measure = LongFormUnit(line.Measure, line.DblQty);
        window.SetStatus("Importing " + recipe.Title);
        transaction.Store(recipe);
        window.SetPosition(static_cast<int>(counts.recipesFound * 100 / total));
    }
    transaction.Finish();
    window.Hide();
    return counts;
}

}  // namespace pantrio
