#include "search/KeywordStorage.h"

#include "base/Text.h"
#include "recipe/Recipe.h"
#include "storage/RecipeDB.h"

namespace pantrio {

int StoreCategoryText(RecipeDB& db, int recipeID, const std::string& categoryText) {
    return db.RunSQL(Format("Update Recipes Set AllCategoriesText = '%s' where RecipeID=%d",
                            QuoteSql(categoryText).c_str(), recipeID));
}

const std::vector<QuickKeyword>& QuickKeywords() {
    static const std::vector<QuickKeyword> menu = {
        {32865, "@&Favorite", "@Favorite", false}, {32871, "@&Try Soon!", "@Try Soon!", false},
        {32867, "@My &Diet", "@My Diet", true},    {32857, "&Appetizers", "Appetizers", false},
        {32858, "&Salads", "Salads", false},       {32859, "&Main Dish", "Main Dish", false},
        {32868, "S&ide Dish", "Side Dish", false}, {32869, "D&essert", "Desserts", true},
        {32862, "Low &Cal", "Low Cal", false},     {32863, "&Low Carb", "Low Carb", false},
        {32870, "Low &Fat", "Low Fat", false},
    };
    return menu;
}

std::string QuickKeywordOf(int commandID) {
    for (const QuickKeyword& q : QuickKeywords())
        if (q.commandID == commandID) return q.keyword;
    return "";
}

AssignKeywordResult AssignKeyword(RecipeDB& db, const std::string& keyword,
                                  const std::vector<int>& recipeIDs,
                                  const std::function<bool(int recipes)>& confirmMany) {
    AssignKeywordResult result;
    const int n = static_cast<int>(recipeIDs.size());
    if (n > 4 && !confirmMany(n)) {
        result.cancelled = true;
        return result;
    }
    if (n == 0 || !db.Connected()) return result;

    Transaction transaction(db);
    if (!transaction.Active()) {
        result.ok = false;
        return result;
    }
    int changed = 0;
    for (int id : recipeIDs) {
        Recipe scratch;
        if (db.LoadRecipe(id, scratch) != 1) continue;  // no such recipe (any more)
        if (db.LoadKeywords(id, scratch.CategoryNames) < 0) continue;
        const std::size_t before = scratch.CategoryNames.size();
        // Already there, or the recipe has its 50 keywords: nothing to write.
        if (scratch.AddCategoryName(keyword) == 0 || scratch.CategoryNames.size() == before)
            continue;
        if (StoreCategoryText(db, id, scratch.CategoryText()) != 1) {
            result.ok = false;
            return result;  // the transaction rolls back
        }
        ++changed;
    }
    if (!transaction.Commit()) {
        result.ok = false;
        return result;
    }
    result.recipesChanged = changed;
    return result;
}

}  // namespace pantrio
