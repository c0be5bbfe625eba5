#include "formats/BoxImport.h"

#include <filesystem>

#include "base/Text.h"
#include "formats/ImportProgress.h"
#include "recipe/Recipe.h"
#include "storage/CADORecordset.h"

namespace pantrio {

bool IsSameBoxPath(const std::string& a, const std::string& b) {
    return ToLower(Trim(a)) == ToLower(Trim(b));
}

bool BoxImport::Open(const std::string& path, const std::string& systemDatabasePath,
                     std::vector<std::string>& failures) {
    failures.clear();
    source_.Disconnect();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        failures.push_back(
            "Sorry, Pantrio could not locate or more critical Pantrio files or folders on your "
            "computer.  \r\n\r\nOtherwise, choose Cancel and reinstall the program.");
        failures.push_back("Sorry, could not open that recipe box.");
        return false;
    }
    source_.SystemDatabasePath = systemDatabasePath;
    // The source box is only read: open it read-only so nothing can change it.
    if (!source_.Open(path, true)) {
        failures.push_back("Sorry, could not open that recipe box.");
        return false;
    }
    return true;
}

int BoxImport::FillList(RowSink& list) {
    if (!source_.Connected()) return 0;
    CADORecordset rs(source_);
    if (!rs.Run("Select RecipeID, Title from Recipes order by Title")) return -1;
    int rows = 0;
    while (!rs.AtEnd()) {
        ListRow row;
        long id = 0;
        rs.Read("RecipeID", id);
        rs.Read("Title", row.text);
        row.data = id;
        list.AddRow(std::move(row));
        ++rows;
        rs.NextRow();
    }
    return rows;
}

int BoxImport::Copy(const std::vector<int>& recipeIDs, RecipeDB& target, ImportProgress* progress) {
    if (!source_.Connected() || !target.Connected()) return 0;
    ReadMapPause unmapped(target);
    Transaction transaction(target);
    int stored = 0;
    int done = 0;
    for (int id : recipeIDs) {
        if (progress && progress->Cancelled()) break;
        Recipe recipe;
        recipe.Clear();
        recipe.RecipeID = id;
        if (source_.LoadRecipe(id, recipe) > 0) {
            source_.LoadIngredientLines(id, recipe);
            recipe.CategoryNames.clear();
            source_.LoadKeywords(id, recipe.CategoryNames);
            if (progress) progress->SetStatus(recipe.Title);
            if (target.SaveAsNewBulk(recipe) == 0) ++stored;
        }
        ++done;
        if (progress) {
            progress->SetPosition(static_cast<int>(100L * done / recipeIDs.size()));
            progress->Breathe();
        }
    }
    transaction.Commit();
    return stored;
}

}  // namespace pantrio
