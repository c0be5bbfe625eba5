// Keywords: the editor's lists and their order on OK, the Notes tab list and
// its Delete key, and the "Add Keyword" commands of the results list.
#include <gtest/gtest.h>

#include "recipe/Recipe.h"
#include "search/KeywordEditor.h"
#include "search/KeywordStorage.h"
#include "search/NotesKeywordList.h"
#include "search/SearchFixture.h"

namespace pantrio {
namespace {

using Texts = std::vector<std::string>;

Texts TextsOf(const std::vector<KeywordRow>& rows, bool tickedOnly = false) {
    Texts out;
    for (const auto& r : rows)
        if (!tickedOnly || r.ticked) out.push_back(r.text);
    return out;
}

class KeywordsTest : public test::SearchFixture {
protected:
    void SetUp() override {
        SearchFixture::SetUp();
        Support(
            "INSERT INTO Keywords(ID, Keyword, KeywordGroup) VALUES"
            "(1, 'Appetizers', 'Course/Dish'), (2, 'Salads', 'Course/Dish'), "
            "(3, 'Desserts', 'Course/Dish'), (4, 'Baked', 'Preparation Method'), "
            "(5, 'Summer', 'Season/Occasion'), (6, 'Vegan', 'Special Considerations'), "
            "(7, 'Classic', 'Other'), (8, 'Grandma''s Recipes', 'Other'), "
            "(9, '@Favorite', 'Custom'), (10, '@My Diet', 'Custom'), (11, '@Try Soon!', "
            "'Custom');");
    }
    std::string StoredText(int id) {
        return box.QueryText(
            Format("Select AllCategoriesText from Recipes where RecipeID = %d", id));
    }
    Recipe Current(int id, const std::string& categories) {
        AddRecipe(id, "Dish " + std::to_string(id), 0, 0, 0, categories);
        Recipe recipe;
        EXPECT_EQ(box.LoadRecipe(id, recipe), 1);
        box.LoadKeywords(id, recipe.CategoryNames);
        return recipe;
    }
};

TEST_F(KeywordsTest, EditorTicksTheRecipesKeywordsAndStoresThemUnchanged) {
    Recipe recipe = Current(1, "|Salads|@Favorite");
    KeywordEditor editor(recipe);
    ASSERT_EQ(editor.Open(support, {}), 0);
    EXPECT_EQ(TextsOf(editor.Rows(KeywordEditor::CourseDish), true), Texts{"Salads"});
    EXPECT_EQ(TextsOf(editor.Rows(KeywordEditor::Other)),
              (Texts{"@Try Soon!", "@My Diet", "@Favorite", "Classic", "Grandma's Recipes"}));
    EXPECT_EQ(TextsOf(editor.Rows(KeywordEditor::Other), true), Texts{"@Favorite"});
    ASSERT_EQ(editor.Ok(box), 1);
    EXPECT_EQ(StoredText(1), "|Salads|@Favorite");
}

TEST_F(KeywordsTest, UnknownKeywordsGoOnTopOfOtherAndAddedOnesAfterCourseDish) {
    Recipe recipe = Current(2, "|Spicy|@My Diet|Kid's Pick|Classic|Desserts");
    KeywordEditor editor(recipe);
    editor.Open(support, {});
    // Keywords no group holds are inserted ticked: the first on top, the next
    // below the row last inserted or ticked. "Classic" belongs to "Other" and
    // is listed twice.
    EXPECT_EQ(TextsOf(editor.Rows(KeywordEditor::Other)),
              (Texts{"Spicy", "@Try Soon!", "@My Diet", "Kid's Pick", "Classic", "@Favorite",
                     "Classic", "Grandma's Recipes"}));
    EXPECT_EQ(TextsOf(editor.Rows(KeywordEditor::Other), true),
              (Texts{"Spicy", "@My Diet", "Kid's Pick", "Classic"}));

    editor.dropDownText = " Hot ";
    EXPECT_TRUE(editor.Add());
    EXPECT_EQ(editor.dropDownText, "");
    EXPECT_EQ(editor.Rows(KeywordEditor::Other)[0].text, "Hot");
    editor.dropDownText = "spicy";  // already listed: nothing more happens
    EXPECT_FALSE(editor.Add());
    EXPECT_EQ(editor.dropDownText, "spicy");

    // Ticking salads where Salads is ticked elsewhere stores it once.
    editor.Toggle(KeywordEditor::CourseDish, 1);  // Salads
    editor.dropDownText = "salads";
    EXPECT_TRUE(editor.Add());
    editor.Toggle(KeywordEditor::SpecialConsiderations, 0);  // Vegan
    ASSERT_EQ(editor.Ok(box), 1);
    EXPECT_EQ(StoredText(2), "|Salads|Desserts|Hot|Spicy|@My Diet|Kid's Pick|Classic|Vegan");
    EXPECT_EQ(recipe.CategoryText(), StoredText(2));
}

TEST_F(KeywordsTest, CancelStoresNothingButAddedNamesStayInTheRecord) {
    Recipe recipe = Current(3, "|Salads");
    KeywordEditor editor(recipe);
    editor.Open(support, {{"@Favorite", 0, {}, 9}});
    EXPECT_EQ(editor.DropDown().size(), 1u);
    editor.dropDownText = "Brunch";
    editor.Add();
    EXPECT_TRUE(editor.DeleteOtherRow(0));
    EXPECT_FALSE(editor.DeleteOtherRow(99));
    editor.Cancel();
    EXPECT_EQ(StoredText(3), "|Salads");
    EXPECT_EQ(recipe.CategoryText(), "|Salads|Brunch");
}

TEST_F(KeywordsTest, NotesListShowsNamesNewestFirstAndDeletesOne) {
    Recipe recipe = Current(4, "|Salads|Soup|Mom's");
    NotesKeywordList list;
    list.Show(recipe);
    ASSERT_EQ(list.Rows().size(), 3u);
    EXPECT_EQ(list.Rows()[0].text, "Mom's");
    EXPECT_EQ(list.Rows()[0].data, 2);
    EXPECT_EQ(list.Rows()[2].text, "Salads");
    EXPECT_EQ(list.DeleteRow(2, recipe, box), 1);
    EXPECT_EQ(StoredText(4), "|Soup|Mom's");
    EXPECT_EQ(list.Rows().size(), 2u);
    EXPECT_EQ(list.DeleteRow(5, recipe, box), 0);
}

TEST_F(KeywordsTest, AssignKeywordAsksAboveFourAndSkipsRecipesThatHaveIt) {
    for (int id = 1; id <= 5; ++id) AddRecipe(id, "R" + std::to_string(id));
    Box("UPDATE Recipes SET AllCategoriesText = '|low fat' WHERE RecipeID = 2;");

    std::vector<int> asked;
    bool answer = false;
    const auto confirm = [&](int recipes) {
        asked.push_back(recipes);
        return answer;
    };
    AssignKeywordResult r = AssignKeyword(box, QuickKeywordOf(32870), {1, 2, 3, 4}, confirm);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(r.recipesChanged, 3);
    EXPECT_EQ(StoredText(1), "|Low Fat");
    EXPECT_EQ(StoredText(2), "|low fat");  // already had it: unchanged

    r = AssignKeyword(box, "Desserts", {1, 2, 3, 4, 5}, confirm);
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(asked, std::vector<int>{5});
    EXPECT_EQ(StoredText(5), "");

    answer = true;
    r = AssignKeyword(box, QuickKeywordOf(32869), {1, 2, 3, 4, 5}, confirm);
    EXPECT_EQ(r.recipesChanged, 5);
    EXPECT_EQ(StoredText(5), "|Desserts");
    EXPECT_EQ(StoredText(1), "|Low Fat|Desserts");
}

TEST_F(KeywordsTest, AssignKeywordToARecipeWithFiftyKeywordsAndWithApostrophes) {
    std::string fifty;
    for (int i = 1; i <= 50; ++i) fifty += "|k" + std::to_string(i);
    AddRecipe(1, "Full", 0, 0, 0, fifty);
    AddRecipe(2, "Empty");
    const AssignKeywordResult r =
        AssignKeyword(box, "Grandma's Recipes", {1, 2, 77}, [](int) { return true; });
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.recipesChanged, 1);
    EXPECT_EQ(StoredText(1), fifty);  // a 51st keyword is dropped silently
    EXPECT_EQ(StoredText(2), "|Grandma's Recipes");
}

TEST(QuickKeywords, MenuAndCommands) {
    ASSERT_EQ(QuickKeywords().size(), 11u);
    EXPECT_EQ(QuickKeywordOf(32869), "Desserts");
    EXPECT_EQ(QuickKeywordOf(32858), "Salads");
    EXPECT_EQ(QuickKeywordOf(1), "");
    EXPECT_STREQ(QuickKeywords()[2].menuText, "@My &Diet");
    EXPECT_TRUE(QuickKeywords()[2].separatorAfter);
}

}  // namespace
}  // namespace pantrio
