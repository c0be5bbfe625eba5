// The shared box fixture with helpers that put recipes, ingredient lines,
// meal-plan rows and keyword groups into the databases with plain SQL.
#pragma once

#include <string>
#include <vector>

#include "base/Text.h"
#include "storage/CADORecordset.h"
#include "support/BoxFixture.h"

namespace pantrio::test {

class SearchFixture : public BoxFixture {
protected:
    static std::string TextOrNull(const std::string& text) {
        return text.empty() ? "NULL" : "'" + ReplaceAll(text, "'", "''") + "'";
    }
    // A recipe row; empty texts are stored as NULL. `lastViewed` is ISO text.
    void AddRecipe(int id, const std::string& title, int color = 0, int marked = 0,
                   double taste = 0, const std::string& categories = "",
                   const std::string& cuisine = "", const std::string& lastViewed = "") {
        Box(Format(
            "INSERT INTO Recipes(RecipeID, Title, Color, Marked, TasteRating, "
            "AllCategoriesText, Cuisine, LastViewed) VALUES(%d, %s, %d, %d, %f, %s, %s, "
            "%s);",
            id, TextOrNull(title).c_str(), color, marked, taste, TextOrNull(categories).c_str(),
            TextOrNull(cuisine).c_str(), TextOrNull(lastViewed).c_str()));
    }
    void AddLine(int lineID, int recipeID, const std::string& name) {
        Box(
            Format("INSERT INTO IngredientLines(IngredientLinesID, RecipeID, LineOrder, Name) "
                   "VALUES(%d, %d, 1, '%s');",
                   lineID, recipeID, ReplaceAll(name, "'", "''").c_str()));
    }
    // Many recipes "Recipe 00001" ... in one statement.
    void AddNumberedRecipes(int count) {
        Box(
            Format("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %d) "
                   "INSERT INTO Recipes(RecipeID, Title, Color, Marked, TasteRating) "
                   "SELECT i, printf('Recipe %%05d', i), i %% 2, 0, i %% 6 FROM n;",
                   count));
    }

    // The recipe numbers of a statement's rows, in order.
    std::vector<long> IdsOf(const std::string& statement) {
        std::vector<long> ids;
        CADORecordset rs(box);
        EXPECT_TRUE(rs.Run(statement)) << rs.ErrorReport();
        while (!rs.AtEnd()) {
            long id = 0;
            rs.Read("RecipeID", id);
            ids.push_back(id);
            rs.NextRow();
        }
        return ids;
    }
};

}  // namespace pantrio::test
