// The connection to the open recipe box with the operations on it: loading a
// recipe with its lines and keywords, filling the results list, deleting,
// marking and scaling recipes, and small scalar queries. The main window owns
// one for the whole run and reconnects it when the user changes box.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "storage/Store.h"

namespace pantrio {

class Prompter;
class Recipe;
class RowSink;
struct IngredientLine;

class RecipeDB : public Store {
public:
    // The settings the connection string is built from.
    std::string CookbookPath;
    std::string SystemDatabasePath;

    // Where messages of the store go ("Recipe box is not open"); may be null.
    Prompter* prompter = nullptr;

    // Reopens another box for SetMarked when a recipe of another box is
    // marked; the main window installs its open procedure here. When unset,
    // the store connects directly.
    std::function<bool(const std::string& path)> openBox;

    // Sets ConnectString from SystemDatabasePath and CookbookPath; yields it.
    std::string BuildConnectString();
    // The folder of CookbookPath + "/Pictures".
    std::string PicturesFolder() const;

    int LoadRecipe(int recipeID, Recipe& recipe);
    int LoadIngredientLines(int recipeID, Recipe& recipe);
    int LoadKeywords(int recipeID, std::vector<std::string>& names);
    int RecipeIcon(int recipeID);
    // Fills `list` from a results statement whose recipe number stands at
    // column position `idColumn`; the row count, -1 on failure.
    int FillResults(const std::string& statement, int idColumn, RowSink& list);
    void DeleteRecipe(int recipeID, Store* support);
    void SetMarked(bool mark, int recipeID, const std::string& boxPath);
    void SetScale(Recipe& current, double factor);
    int UpdateIngredientLine(int lineID, const std::string& textQty, const std::string& measure,
                             const std::string& name, bool heading, double qty,
                             const std::string& notes);
    int UnlinkLine(int lineID);
    // For every recipe number given (the selected rows), sets `column` to `value`.
    void SetFieldOfSelected(const std::string& column, const std::string& value,
                            const std::vector<int>& recipeIDs);
    int DistinctValues(const std::string& column, std::vector<std::string>& out);
    long CountRecipes();
};

}  // namespace pantrio
