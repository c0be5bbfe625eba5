// A temporary data root with a recipe box and a support database, the
// shipped theme templates, and a rendering context pointing at them; plus a
// sample recipe stored in the box with one line linked to a food.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "base/Text.h"
#include "recipe/Recipe.h"
#include "render/RenderRecipePage.h"
#include "render/TemplateCache.h"
#include "storage/RecipeDB.h"
#include "storage/SupportDB.h"
#include "support/BoxFixture.h"
#include "support/FakePrompter.h"

namespace pantrio::test {

inline std::string ShippedThemes() {
    return std::string(PANTRIO_BUILT_DATA_DIR) + "/themes";
}
inline std::string ShippedData() {
    return std::string(PANTRIO_BUILT_DATA_DIR) + "/Data";
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteFile(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// Compares `actual` with the expected page tests/data/render/<name>; with
// PANTRIO_REBASELINE=1 in the environment the expected page is rewritten.
inline void ExpectMatchesExpectedPage(const std::string& actual, const std::string& name) {
    const std::string path = std::string(PANTRIO_TEST_DATA_DIR) + "/render/" + name;
    const char* rebaseline = std::getenv("PANTRIO_REBASELINE");
    if (rebaseline && std::string(rebaseline) == "1") {
        WriteFile(path, actual);
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(path))
        << path << " is missing; run with PANTRIO_REBASELINE=1 to create it";
    EXPECT_EQ(ReadFile(path), actual)
        << "differs from " << path << " (PANTRIO_REBASELINE=1 rewrites it)";
}

class RenderFixture : public BoxFixture {
protected:
    void SetUp() override {
        BoxFixture::SetUp();
        context.templates = &templates;
        context.imagesFolder = "/data/Data/HTM/Images";
        context.picturesFolder = root.root + "/Pictures";
        context.publishImagesFolder = root.root + "/Publish/Images";
        context.serviceURL = "http://recipes.example";
        context.serviceName = "Recipe Exchange";
        context.box = &box;
        context.support = &support;
    }

    // Recipe 7, "Apple Crumble", 4 servings, rated 4, with a heading, a line
    // linked to 200 g of a food of 100 kcal per 100 g, an unlinked line and a
    // line without a quantity.
    void StoreSampleRecipe() {
        Support(
            "INSERT INTO Nutrients(NutrientID, NDB_NO, Shrt_Desc, Energ_Kcal, FA_Sat, FA_Mono, "
            "FA_Poly, Protein, Carbohydrt, Fiber_TD, Sodium, Cholestrl, Vit_A, Vit_C, Calcium, "
            "Iron) VALUES(501, '09003', 'APPLES,RAW', 100, 2, 1, 1, 4, 20, 4, 50, 10, 500, 9, 90, "
            "2);");
        Box("INSERT INTO Recipes(RecipeID, Title, Instructions, YieldText, YieldUnit, "
            "YieldNumber, TasteRating, PrimaryIngredient, Cuisine, PictureFile1, ScaleMultiple, "
            "UniqueID, AllCategoriesText) VALUES(7, 'Apple Crumble', 'Heat the oven.' || "
            "char(13) || char(10) || 'Bake for 40 minutes.', '4 servings', 'servings', 4, 4, "
            "'Apples', 'English', '', 1, 0, '|Desserts|Baking|@mine');");
        Box("INSERT INTO IngredientLines(IngredientLinesID, RecipeID, LineOrder, bHeading, "
            "TextQty, DblQty, Measure, Name, PrepNotes) VALUES "
            "(1, 7, 1, 1, '', 0, '', 'Filling', ''),"
            "(2, 7, 2, 0, '2', 2, '', 'apples', 'sliced'),"
            "(3, 7, 3, 0, '1 1/2', 1.5, 'cup', 'flour', ''),"
            "(4, 7, 4, 0, '', 0, 'pinch', 'salt', '');");
        Box("INSERT INTO IngredientLinesNutrients(IngredientLinesNutrientsID, IngredientLinesID, "
            "NutrientID, BaseRecipeGramWeight) VALUES(1, 2, 501, 200);");
    }

    static std::function<void(const std::string&)> ReportInto(std::vector<std::string>& list) {
        return [&list](const std::string& text) { list.push_back(text); };
    }

    Recipe LoadRecipe(int number) {
        Recipe recipe;
        EXPECT_EQ(1, box.LoadRecipe(number, recipe));
        box.LoadIngredientLines(number, recipe);
        box.LoadKeywords(number, recipe.CategoryNames);
        return recipe;
    }

    FakePrompter prompter;
    // Every template the cache could not read, as reported.
    std::vector<std::string> readErrors;
    TemplateCache templates{ShippedThemes(), ReportInto(readErrors)};
    RenderContext context;
};

}  // namespace pantrio::test
