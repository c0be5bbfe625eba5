// The cookbook's page plan: where each recipe and the index start once the
// parts' pages are counted, the contents and the index by keyword that the
// document prints, and page counting from a PDF's bytes.
#include <gtest/gtest.h>

#include "render/Cookbook.h"

namespace pantrio::test {
namespace {

Cookbook Kitchen() {
    return Cookbook("Anna's <Kitchen>",
                    {{"Rice Pudding", {"Desserts", "Rice"}, "<p>pudding page</p>"},
                     {"Apple Pie", {"desserts", "Baking", "Desserts"}, "<p>pie page</p>"},
                     {"Plain Bread", {}, "<p>bread page</p>"}});
}

TEST(Cookbook, PagesFollowTheFrontMatterAndEachRecipesCount) {
    Cookbook book = Kitchen();
    // A recipe counted as no page still takes one: each starts a sheet.
    ASSERT_TRUE(book.SetPageCounts(2, {3, 0, 1}));
    EXPECT_EQ(book.FirstPages(), (std::vector<int>{3, 6, 7}));
    EXPECT_EQ(book.IndexPage(), 8);
    EXPECT_FALSE(book.SetPageCounts(2, {1, 1})) << "one count per recipe";
    EXPECT_FALSE(book.SetPageCounts(0, {1, 1, 1})) << "the title page is a page";
}

TEST(Cookbook, KeywordIndexMergesLetterCaseAndSortsKeywordsAndTitles) {
    Cookbook book = Kitchen();
    ASSERT_TRUE(book.SetPageCounts(2, {2, 1, 1}));
    const auto index = book.KeywordIndex();
    ASSERT_EQ(index.size(), 3u);
    EXPECT_EQ(index[0].first, "Baking");
    EXPECT_EQ(index[1].first, "Desserts");
    EXPECT_EQ(index[2].first, "Rice");
    ASSERT_EQ(index[1].second.size(), 2u) << "a keyword twice in one recipe lists it once";
    EXPECT_EQ(index[1].second[0].title, "Apple Pie");
    EXPECT_EQ(index[1].second[0].page, 5);
    EXPECT_EQ(index[1].second[1].title, "Rice Pudding");
    EXPECT_EQ(index[1].second[1].page, 3);
}

TEST(Cookbook, DocumentHoldsContentsRecipesAndIndexWithTheirPages) {
    Cookbook book = Kitchen();
    // Before counting, the contents carry placeholders of the same width.
    const std::string front = book.FrontMatterPart();
    EXPECT_NE(front.find("<td class=\"cb-title\">Apple Pie</td><td class=\"cb-page\">000</td>"),
              std::string::npos);
    EXPECT_EQ(front.find("pie page"), std::string::npos);
    EXPECT_NE(book.RecipePart(1).find("<div class=\"cb-sheet cb-recipe\"><p>pie page</p></div>"),
              std::string::npos);

    ASSERT_TRUE(book.SetPageCounts(2, {2, 1, 1}));
    const std::string doc = book.Document();
    // The title is text, never markup.
    EXPECT_NE(doc.find("<h1>Anna's &lt;Kitchen&gt;</h1>"), std::string::npos);
    EXPECT_EQ(doc.find("<Kitchen>"), std::string::npos);
    for (const char* row :
         {"Rice Pudding</td><td class=\"cb-page\">3<", "Apple Pie</td><td class=\"cb-page\">5<",
          "Plain Bread</td><td class=\"cb-page\">6<", ">Index</td><td class=\"cb-page\">7<"})
        EXPECT_NE(doc.find(row), std::string::npos) << row;
    // Recipes in the given order, each on its own sheet, the index last.
    const std::size_t pudding = doc.find("pudding page"), pie = doc.find("pie page"),
                      bread = doc.find("bread page"),
                      index = doc.find("<div class=\"cb-sheet cb-index\">");
    EXPECT_LT(pudding, pie);
    EXPECT_LT(pie, bread);
    EXPECT_LT(bread, index);
    EXPECT_NE(doc.find("<div class=\"cb-keyword\">Baking</div><table class=\"cb-list\"><tr><td "
                       "class=\"cb-entry\">Apple Pie</td><td class=\"cb-page\">5</td>"),
              std::string::npos);
}

TEST(Cookbook, PdfPagesAreCountedFromThePageObjects) {
    const struct {
        const char* bytes;
        int pages;
    } cases[] = {
        {"%PDF-1.4\n1 0 obj <</Type /Pages /Count 2>>\n2 0 obj <</Type /Page>>\n"
         "3 0 obj <</Type /Page /Parent 1 0 R>>",
         2},
        {"%PDF-1.7\n<</Type/Page/Contents 4 0 R>> <</Type\n/Page>> <</Type /PageLabel>>", 2},
        // Page objects packed in object streams: the tree's root counts.
        {"%PDF-1.5\n<</Type /Pages /Kids [3 0 R] /Count 7>> <</Type /Pages /Count 3>>", 7},
        {"%PDF-1.4\n", 0},
        {"<html>/Type /Page</html>", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(CountPdfPages(c.bytes), c.pages) << c.bytes;
}

}  // namespace
}  // namespace pantrio::test
