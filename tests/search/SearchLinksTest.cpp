// Link, folder, type-ahead and Find dialog statements, and what they list.
#include <gtest/gtest.h>

#include "search/SearchFixture.h"
#include "search/SearchLinks.h"
#include "search/SimpleFind.h"

namespace pantrio {
namespace {

const std::string kSelect = "Select RecipeID, Title, Color, Marked, TasteRating from Recipes ";

TEST(SearchLinkText, LinksBecomeStatementsWithQuotedValues) {
    auto parsed = ParseSearchLink("FindKeyword(Grandma's Recipes)");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->link, SearchLink::Keyword);
    EXPECT_EQ(*SearchLinkQuery(parsed->link, parsed->value),
              kSelect +
                  "Where AllCategoriesText LIKE '%Grandma''s Recipes%' ORDER BY Marked "
                  "DESC,Color DESC,Title");
    parsed = ParseSearchLink("FINDPRIMARYINGREDIENT(Beef)");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(
        *SearchLinkQuery(parsed->link, parsed->value),
        kSelect + "Where PrimaryIngredient LIKE 'Beef' ORDER BY Marked DESC,Color DESC,Title");
    EXPECT_EQ(*SearchLinkQuery(SearchLink::Cuisine, "Cajun/Creole"),
              kSelect + "Where Cuisine LIKE 'Cajun/Creole' ORDER BY Marked DESC,Color DESC,Title");
    EXPECT_EQ(*SearchLinkQuery(SearchLink::Recipe, "17"), kSelect + "Where RecipeID = 17");
    // A recipe number stands unquoted: anything else is refused.
    EXPECT_FALSE(SearchLinkQuery(SearchLink::Recipe, "1 OR 1=1"));
    EXPECT_FALSE(ParseSearchLink("http://example.org/"));
}

TEST(SearchLinkText, FolderItemsAndTypeAhead) {
    EXPECT_EQ(FolderItemQuery(RecipeFolder::Cuisines, "  Mexican "),
              kSelect + "Where Cuisine LIKE 'Mexican' ORDER BY Marked DESC,Color DESC,Title");
    EXPECT_EQ(FolderItemQuery(RecipeFolder::MainIngredients, ""),
              kSelect +
                  "Where IsNull(PrimaryIngredient) OR (PrimaryIngredient = '') ORDER BY Marked "
                  "DESC,Color DESC,Title");
    EXPECT_EQ(FolderItemIcon(RecipeFolder::Cuisines), 8);
    EXPECT_EQ(FolderItemIcon(RecipeFolder::MainIngredients), 9);
    EXPECT_EQ(*TypeAheadQuery('c'),
              "Select RecipeID, Color, Marked, Title, TasteRating from Recipes Where Title >= 'C' "
              "ORDER BY TITLE");
    EXPECT_FALSE(TypeAheadQuery('\''));
    EXPECT_FALSE(TypeAheadQuery(' '));
}

TEST(SimpleFindDecision, NumbersGoToTheServiceAndTextSearches) {
    SimpleFindAction a = SimpleFind(" 12345 ", FindScope::RecipeBox);
    EXPECT_EQ(a.kind, SimpleFindAction::Kind::OpenServiceRecipe);
    EXPECT_EQ(a.serviceRecipe, 12345);
    // Text that only starts with a number is a search.
    a = SimpleFind("7 layer dip", FindScope::RecipeBox);
    EXPECT_EQ(a.kind, SimpleFindAction::Kind::SearchBox);
    EXPECT_EQ(SimpleFind("0", FindScope::RecipeBox).kind, SimpleFindAction::Kind::SearchBox);
    a = SimpleFind("stew", FindScope::RecipeService);
    EXPECT_EQ(a.kind, SimpleFindAction::Kind::SearchService);
    EXPECT_EQ(a.text, "stew");
    EXPECT_EQ(SimpleFindQuery("O'Neil"),
              "Select RecipeID, Color, Marked, Title, TasteRating from Recipes Where Title Like "
              "'%O''Neil%' OR AllIngredientsText Like '%O''Neil%' OR AllCategoriestext Like "
              "'%O''Neil%' OR Instructions Like '%O''Neil%' OR Cuisine Like '%O''Neil%' OR "
              "PrimaryIngredient LIKE '%O''Neil%'");
    EXPECT_TRUE(SearchServiceAfterBox(0, true));
    EXPECT_FALSE(SearchServiceAfterBox(0, false));
    EXPECT_FALSE(SearchServiceAfterBox(3, true));
}

class LinksOnBox : public test::SearchFixture {};

TEST_F(LinksOnBox, TypeAheadStartsAtTheFirstTitleAtOrAfterTheCharacter) {
    AddRecipe(1, "Brownies");
    AddRecipe(2, "C");
    AddRecipe(3, "C Salad");
    AddRecipe(4, "cake");
    AddRecipe(5, "Dumplings");
    EXPECT_EQ(IdsOf(*TypeAheadQuery('c')), (std::vector<long>{2, 3, 4, 5}));
}

TEST_F(LinksOnBox, FoldersSkipOnlyABlankFirstGroup) {
    AddRecipe(1, "Tacos", 0, 0, 0, "", "Mexican");
    AddRecipe(2, "Pho", 0, 0, 0, "", "Vietnamese");
    std::vector<std::string> items;
    // Every recipe has a cuisine: the first value is a real one and stays.
    EXPECT_EQ(FolderItems(box, RecipeFolder::Cuisines, items), 2);
    EXPECT_EQ(items, (std::vector<std::string>{"Mexican", "Vietnamese"}));

    AddRecipe(3, "Toast");  // NULL cuisine
    Box("INSERT INTO Recipes(RecipeID, Title, Cuisine) VALUES(4, 'Tea', '');");
    items.clear();
    EXPECT_EQ(FolderItems(box, RecipeFolder::Cuisines, items), 3);
    EXPECT_EQ(items, (std::vector<std::string>{"", "Mexican", "Vietnamese"}));
    // The empty item lists the recipes with a null or empty cuisine.
    EXPECT_EQ(IdsOf(FolderItemQuery(RecipeFolder::Cuisines, items[0])), (std::vector<long>{4, 3}));
    EXPECT_EQ(IdsOf(FolderItemQuery(RecipeFolder::Cuisines, "mexican")), (std::vector<long>{1}));
}

TEST_F(LinksOnBox, ApostrophesSearchCorrectly) {
    AddRecipe(1, "Mom's Meatloaf", 0, 0, 0, "|Grandma's Recipes");
    AddRecipe(2, "Moms Meatloaf");
    EXPECT_EQ(IdsOf(*SearchLinkQuery(SearchLink::Keyword, "Grandma's Recipes")),
              (std::vector<long>{1}));
    EXPECT_EQ(IdsOf(SimpleFindQuery("Mom's")), (std::vector<long>{1}));
}

}  // namespace
}  // namespace pantrio
