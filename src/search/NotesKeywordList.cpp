#include "search/NotesKeywordList.h"

#include "base/Text.h"
#include "recipe/Recipe.h"
#include "search/KeywordStorage.h"

namespace pantrio {

void NotesKeywordList::Show(const Recipe& recipe) {
    rows_.clear();
    for (std::size_t i = 0; i < recipe.CategoryNames.size(); ++i) {
        const std::string& name = recipe.CategoryNames[i];
        if (Trim(name).empty()) continue;
        ListRow row;
        row.text = name;
        row.data = static_cast<long>(i);
        rows_.insert(rows_.begin(), std::move(row));
    }
}

int NotesKeywordList::DeleteRow(int row, Recipe& current, RecipeDB& db) {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return 0;
    const std::string text = rows_[static_cast<std::size_t>(row)].text;
    auto& names = current.CategoryNames;
    for (auto it = names.begin(); it != names.end(); ++it) {
        if (Trim(*it) == Trim(text)) {
            names.erase(it);
            break;
        }
    }
    current.AllCategoriesText = current.CategoryText();
    const int result = StoreCategoryText(db, current.RecipeID, current.AllCategoriesText);
    Show(current);
    return result;
}

}  // namespace pantrio
