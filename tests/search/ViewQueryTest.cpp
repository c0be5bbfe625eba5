// The statements of the view and keyword selectors and the column headers,
// and the recipes the date views list on a real box.
#include <gtest/gtest.h>

#include "search/SearchFixture.h"
#include "search/ViewQuery.h"

namespace pantrio {
namespace {

DateTime At(int y, int m, int d, int h = 0, int min = 0) {
    DateTime t = DateTime::FromDate(y, m, d);
    t.hour = h;
    t.minute = min;
    return t;
}

TEST(ViewQueryText, CaptionsBuildTheFilterAndTheOrder) {
    const DateTime now = At(2024, 3, 1, 15, 30);
    EXPECT_EQ(ViewQuery("&All", "Keyword =", now),
              "Select RecipeID, Title, Color, Marked, TasteRating from Recipes WHERE TRUE  "
              "order by Title");
    EXPECT_EQ(ViewQuery(" &Marked ", "All", now),
              "Select RecipeID, Title, Color, Marked, TasteRating from Recipes WHERE TRUE  AND "
              "Marked > 0  order by Title");
    EXPECT_EQ(ViewQuery("&Recent", "@Try Soon!", now),
              "Select RecipeID, Title, Color, Marked, TasteRating from Recipes Where "
              "AllCategoriesText like '%@TRY SOON!%'  order by lastviewed desc");
    // Midnight of today, and of the day before across a leap day.
    EXPECT_EQ(ViewQuery("&Today", "All", now),
              "Select RecipeID, Title, Color, Marked, TasteRating from Recipes WHERE TRUE  AND "
              "LASTVIEWED IS NOT NULL AND LastViewed >= #2024-03-01 00:00:00#  order by Title");
    EXPECT_EQ(ViewQuery("&Yesterday", "Salad", now),
              "Select RecipeID, Title, Color, Marked, TasteRating from Recipes Where "
              "AllCategoriesText like '%SALAD%'  AND LASTVIEWED IS NOT NULL AND LastViewed >= "
              "#2024-02-29 00:00:00# and LastViewed <#2024-03-01 00:00:00# order by Title");
    EXPECT_EQ(ViewQuery("Last &7", "All", now),
              "Select RecipeID, Title, Color, Marked, TasteRating from Recipes WHERE TRUE  AND "
              "LASTVIEWED IS NOT NULL AND LastViewed >= #2024-02-23 00:00:00# order by Title");
    EXPECT_NE(ViewQuery("Last &30", "All", At(2024, 1, 10)).find("#2023-12-11 00:00:00#"),
              std::string::npos);
}

TEST(ViewQueryText, MenusHeadersAndDefaultListings) {
    // Two keyword entries filter on the texts the keyword commands assign.
    const auto& keywords = KeywordSelectorMenu();
    ASSERT_EQ(keywords.size(), 12u);
    EXPECT_EQ(keywords[5].menuText, "Salads");
    EXPECT_EQ(keywords[5].caption, "Salad");
    EXPECT_EQ(keywords[8].caption, "Desserts");
    EXPECT_TRUE(keywords[0].separatorAfter && keywords[3].separatorAfter &&
                keywords[8].separatorAfter);
    EXPECT_EQ(ViewSelectorMenu()[1].caption, "&Recent");

    EXPECT_EQ(HeaderClickQuery(2),
              "Select RecipeID, Title, Color, Marked, TasteRating from Recipes ORDER BY "
              "Recipes.TasteRating DESC");
    EXPECT_EQ(HeaderClickQuery(1), "");
    EXPECT_EQ(HeaderClickQuery(3), "");
    EXPECT_EQ(SingleRecipeQuery(42),
              "Select RecipeID, Title, Marked, Color, TasteRating from Recipes where RecipeID = "
              "42");
}

class ViewsOnBox : public test::SearchFixture {
protected:
    void SetUp() override {
        SearchFixture::SetUp();
        AddRecipe(1, "Viewed this morning", 0, 0, 0, "|Salads", "", "2024-03-01 08:00:00");
        AddRecipe(2, "Viewed yesterday", 0, 1, 0, "|Main Dish", "", "2024-02-29 23:59:59");
        AddRecipe(3, "Viewed a week ago", 0, 0, 0, "|@Favorite", "", "2024-02-23 00:00:00");
        AddRecipe(4, "Viewed long ago", 0, 1, 0, "", "", "2023-06-01 12:00:00");
        AddRecipe(5, "Never viewed", 0, 0, 0, "|Salad Dressings");
    }
    std::vector<long> View(const std::string& view, const std::string& keyword = "All") {
        return IdsOf(ViewQuery(view, keyword, At(2024, 3, 1, 10)));
    }
};

TEST_F(ViewsOnBox, DateViewsCountFromMidnight) {
    EXPECT_EQ(View("&Today"), (std::vector<long>{1}));
    // Yesterday excludes today; Last 7 includes today and the day 7 days ago.
    EXPECT_EQ(View("&Yesterday"), (std::vector<long>{2}));
    EXPECT_EQ(View("Last &7"), (std::vector<long>{3, 1, 2}));
    EXPECT_EQ(View("Last &30"), (std::vector<long>{3, 1, 2}));
}

TEST_F(ViewsOnBox, OrderMarksAndKeywords) {
    EXPECT_EQ(View("&All"), (std::vector<long>{5, 3, 4, 1, 2}));
    // Most recently viewed first; never viewed last.
    EXPECT_EQ(View("&Recent"), (std::vector<long>{1, 2, 3, 4, 5}));
    EXPECT_EQ(View("&Marked"), (std::vector<long>{4, 2}));
    EXPECT_EQ(View("&All", "Salad"), (std::vector<long>{5, 1}));
    EXPECT_EQ(View("&All", "@Favorite"), (std::vector<long>{3}));
    EXPECT_EQ(View("&Marked", "Main Dish"), (std::vector<long>{2}));
}

}  // namespace
}  // namespace pantrio
