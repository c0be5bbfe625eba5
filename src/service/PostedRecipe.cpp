#include "service/PostedRecipe.h"

#include "base/Text.h"
#include "formats/RecipeDocument.h"
#include "recipe/Recipe.h"
#include "storage/RecipeDB.h"

namespace pantrio {

namespace {

std::string ListKey(const std::vector<std::string>& entries) {
    std::string key = "\n";
    for (const std::string& entry : entries) {
        const std::string folded = SearchKey(entry);
        if (!folded.empty()) key += folded + "\n";
    }
    return key;
}

}  // namespace

std::string DecodePostedDocument(std::string text) {
    text = ReplaceAll(std::move(text), "~doublequote", "\"");
    return ReplaceAll(std::move(text), "~quote", "'");
}

bool ReadPostedRecipe(const std::string& recipexml, Recipe& recipe, std::string& error) {
    if (Trim(recipexml).empty()) {
        error = "The post holds no recipe (the recipexml field is missing or empty).";
        return false;
    }
    if (recipexml.size() > kMaxPostedDocument) {
        error = "The posted recipe is larger than 1 MB.";
        return false;
    }
    std::string reason;
    if (ReadRecipeDocument(recipe, DecodePostedDocument(recipexml), &reason) != 0) {
        error = std::string(kCannotReadRecipeDocument) + (reason.empty() ? "" : " " + reason);
        return false;
    }
    recipe.Title = Trim(recipe.Title);
    if (recipe.Title.empty()) {
        error = "The posted recipe has no title.";
        return false;
    }
    if (CharCount(recipe.Title) > kMaxTitleChars) {
        error = "The title of the posted recipe is longer than 255 characters.";
        return false;
    }
    return true;
}

ServiceRecipe StoredRecipe(Recipe recipe, long number, std::string postedPage) {
    recipe.UniqueID = static_cast<int>(number);
    ServiceRecipe stored;
    stored.number = number;
    stored.title = recipe.Title;
    stored.document = WriteRecipeDocument(recipe);
    stored.postedPage = std::move(postedPage);
    stored.titleKey = SearchKey(recipe.Title);
    stored.duplicateKey = DuplicateKey(recipe.Instructions);
    stored.keywordsKey = ListKey(recipe.CategoryNames);
    std::vector<std::string> names;
    for (const IngredientLine& line : recipe.Lines)
        if (!line.bHeading) names.push_back(line.Name);
    stored.ingredientsKey = ListKey(names);
    stored.mainKey = SearchKey(recipe.PrimaryIngredient);
    stored.cuisineKey = SearchKey(recipe.Cuisine);
    return stored;
}

std::string SearchKey(const std::string& text) {
    std::string key = ToLowerText(Trim(text));
    key = ReplaceAll(std::move(key), "\r", " ");
    return ReplaceAll(std::move(key), "\n", " ");
}

}  // namespace pantrio
