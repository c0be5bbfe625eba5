// Recipe pages rendered from the shipped theme templates against a real box
// and support database.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <regex>

#include "formats/RecipeDocument.h"
#include "render/AppLink.h"
#include "render/MarkedRecipesPage.h"
#include "render/RenderFixture.h"
#include "render/RenderRecipePage.h"
#include "render/RenderRecipeText.h"

namespace pantrio {
namespace {

using test::ExpectMatchesExpectedPage;
using test::RenderFixture;

const char* const kAllPlaceholders[] = {"@PX_YIELDTEXT@",
                                        "@PX_CUISINE@",
                                        "@PX_MAINING@",
                                        "@PX_RECIPETITLE@",
                                        "@PX_RATINGIMG@",
                                        "@PX_INSTRUCTIONS@",
                                        "@PX_KEYWORDS@",
                                        "@PX_PICTURE1@",
                                        "@PX_INGREDIENTTABLE@",
                                        "@PX_NUTRITIONFACTS@",
                                        "@PX_NUTRITIONLOG@",
                                        "@PX_SERVINGSIZE@",
                                        "@PX_SPR@",
                                        "@PX_CAL@",
                                        "@CFF@",
                                        "@TF@",
                                        "@TFPCT@",
                                        "@SF@",
                                        "@SFPCT@",
                                        "@CH@",
                                        "@CHPCT@",
                                        "@SO@",
                                        "@SOPCT@",
                                        "@TC@",
                                        "@TCPCT@",
                                        "@DF@",
                                        "@DFPCT@",
                                        "@SU@",
                                        "@PR@",
                                        "@PRPCT@",
                                        "@VAPCT@",
                                        "@VCPCT@",
                                        "@CAPCT@",
                                        "@IRPCT@"};

// Whether some tag of the page carries an event-handler attribute; the same
// words as plain text are harmless.
bool HasEventHandler(const std::string& page) {
    static const std::regex handler(R"(<[a-z][^<>]*[\s/'"]on[a-z]+\s*=)");
    return std::regex_search(ToLower(page), handler);
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string Between(const std::string& text, const std::string& begin, const std::string& end) {
    const std::size_t from = text.find(begin);
    if (from == std::string::npos) return {};
    const std::size_t to = text.find(end, from + begin.size());
    if (to == std::string::npos) return {};
    return text.substr(from + begin.size(), to - from - begin.size());
}

class RenderRecipePageTest : public RenderFixture {
protected:
    // A themes folder of the test's own with one template as theme 0.
    void UseOwnTemplate(const std::string& text) {
        const std::string folder = root.root + "/themes";
        test::WriteFile(folder + "/recipetheme0.htm", text);
        ownTemplates = std::make_unique<TemplateCache>(folder, ReportInto(readErrors));
        context.templates = ownTemplates.get();
    }
    std::unique_ptr<TemplateCache> ownTemplates;
};

TEST_F(RenderRecipePageTest, EveryThemeFillsEveryPlaceholder) {
    StoreSampleRecipe();
    const Recipe recipe = LoadRecipe(7);
    for (int theme = 0; theme < 8; ++theme) {
        SCOPED_TRACE(theme);
        const std::string page =
            RenderRecipePage(recipe, RecipePageOptions::ViewTab(theme), context);
        for (const char* placeholder : kAllPlaceholders)
            EXPECT_FALSE(Contains(page, placeholder)) << placeholder;
        EXPECT_TRUE(page.ends_with("<!--@PXLOCAL-->"));
        EXPECT_TRUE(Contains(page, "<a href='app:FindRecipe(7)'>Apple Crumble</A>"));
        EXPECT_TRUE(Contains(page, "<IMG SRC='file:///data/Data/HTM/Images/star4.gif'>"));
        EXPECT_TRUE(Contains(page, "Nutrition Facts"));
        // 200 g of a food of 100 kcal per 100 g, in 4 servings.
        EXPECT_TRUE(Contains(page, "<b>Calories</b> 50<"));
        EXPECT_TRUE(Contains(page, "Warning: Missing nutrient info for 1 1/2 cup flour"));
        ExpectMatchesExpectedPage(page, Format("theme%d_view.htm", theme));
    }
    EXPECT_TRUE(readErrors.empty());
}

TEST_F(RenderRecipePageTest, PublishedPageEmbedsTheRecipeItShows) {
    StoreSampleRecipe();
    Box("UPDATE Recipes SET UniqueID = 12, PictureFile1 = ' crumble.jpg ' WHERE RecipeID = 7");
    test::WriteFile(root.root + "/Pictures/crumble.jpg", "jpeg bytes");
    const Recipe recipe = LoadRecipe(7);
    const std::string page =
        RenderRecipePage(recipe, RecipePageOptions::PublishedPage(0, false), context);

    EXPECT_TRUE(Contains(page, "<IMG SRC='Images/star4.gif'>"));
    EXPECT_TRUE(Contains(page, "<IMG SRC='Images/crumble.jpg'>"));
    EXPECT_TRUE(Contains(page, "A variation on this recipe is also hosted on"));
    EXPECT_TRUE(Contains(page, "displayrecipe.aspx?id=12'><B>12</B></A>."));
    EXPECT_TRUE(Contains(page, "<img src='Images/recipefrompantrio.gif' BORDER=0>"));
    EXPECT_FALSE(Contains(page, "Don't forget to rate"));
    EXPECT_FALSE(Contains(page, "app:"));
    EXPECT_FALSE(Contains(page, "Nutrition Facts"));
    EXPECT_EQ(test::ReadFile(root.root + "/Publish/Images/crumble.jpg"), "jpeg bytes");

    Recipe back;
    ASSERT_EQ(0, ReadRecipeDocument(back, Between(page, "<!--@PXBEGIN--", "@PXEND-->")));
    EXPECT_EQ(back.Title, "Apple Crumble");
    EXPECT_EQ(back.Instructions, recipe.Instructions);
    ASSERT_EQ(back.Lines.size(), 4u);
    EXPECT_TRUE(back.Lines[0].bHeading);
    EXPECT_EQ(back.Lines[2].TextQty, "1 1/2");
    EXPECT_EQ(back.CategoryNames, recipe.CategoryNames);
    EXPECT_EQ(back.UniqueID, 12);
    ExpectMatchesExpectedPage(page, "theme0_published.htm");
}

TEST_F(RenderRecipePageTest, ServiceTextsFollowTheRecipeServiceNumber) {
    StoreSampleRecipe();
    Recipe recipe = LoadRecipe(7);
    EXPECT_FALSE(Contains(RenderRecipePage(recipe, RecipePageOptions::ViewTab(0), context),
                          "displayrecipe"));
    recipe.UniqueID = 12;
    const std::string view = RenderRecipePage(recipe, RecipePageOptions::ViewTab(0), context);
    EXPECT_TRUE(Contains(view,
                         "Making this today?  Don't forget to rate the recipe!  Load "
                         "Pantrio, or visit http://recipes.example, and enter the <B>Pantrio "
                         "ID</B>: <a href='http://recipes.example/private/sec/"
                         "displayrecipe.aspx?id=12'><B>12</B></A>."));
    const std::string posted = RenderRecipePage(recipe, RecipePageOptions::PostedPage(0), context);
    EXPECT_FALSE(Contains(posted, "displayrecipe"));
    EXPECT_FALSE(Contains(posted, "This recipe published with"));

    // Without a recipe service no sentence sends the reader to its address,
    // and a published page links nowhere.
    context.serviceURL.clear();
    EXPECT_FALSE(Contains(RenderRecipePage(recipe, RecipePageOptions::ViewTab(0), context),
                          "Making this today?"));
    RecipePageOptions options = RecipePageOptions::ViewTab(0);
    options.Published = true;
    const std::string published = RenderRecipePage(recipe, options, context);
    EXPECT_TRUE(Contains(published, "This recipe published with Pantrio, and can be imported"));
    EXPECT_FALSE(Contains(published, "href='/"));
    EXPECT_FALSE(Contains(published, "also hosted"));
}

TEST_F(RenderRecipePageTest, FieldsAndLinesAsTheyShow) {
    StoreSampleRecipe();
    const Recipe recipe = LoadRecipe(7);
    const std::string view = RenderRecipePage(recipe, RecipePageOptions::ViewTab(0), context);
    // Line breaks of the instructions become <BR>.
    EXPECT_TRUE(Contains(view, "Heat the oven.<BR>Bake for 40 minutes."));
    // A line without a quantity starts with the blank before its measure.
    EXPECT_TRUE(Contains(view, "<BR>\n pinch salt <BR>\n</FONT>"));
    EXPECT_TRUE(Contains(view, "1 1/2 cup flour <BR>"));
    EXPECT_TRUE(Contains(view, "             Yields: 4 servings<BR>"));
    // Keywords beginning with "@" are links on the View tab...
    EXPECT_TRUE(Contains(view, "<a href='app:FindKeyword(%40mine)'>@mine</A>&nbsp;&nbsp; "));
    // ... and left out of the posted page, which has no links.
    const std::string posted = RenderRecipePage(recipe, RecipePageOptions::PostedPage(0), context);
    EXPECT_TRUE(Contains(posted, "Desserts Baking "));
    EXPECT_FALSE(Contains(posted, "@mine"));
    // Without a picture no image stands for it.
    EXPECT_FALSE(Contains(view, "Pictures"));

    Recipe scaled = recipe;
    scaled.ScaleMultiple = 2;
    const std::string doubled = RenderRecipePage(scaled, RecipePageOptions::ViewTab(0), context);
    EXPECT_TRUE(Contains(doubled, "Yields: 8 servings<BR>"));
    EXPECT_TRUE(Contains(doubled, "3 cup flour"));

    // A yield of 0 keeps its number on the page and in the plain text alike.
    Recipe none = recipe;
    none.YieldNumber = 0;
    EXPECT_TRUE(Contains(RenderRecipePage(none, RecipePageOptions::ViewTab(0), context),
                         "Yields: 0 servings<BR>"));
    EXPECT_TRUE(Contains(RenderRecipeText(none, 70), "Yields: 0 servings"));
}

TEST_F(RenderRecipePageTest, RecipeWithoutLinkedLinesShowsTheNoNutritionMessage) {
    StoreSampleRecipe();
    Box("DELETE FROM IngredientLinesNutrients");
    const Recipe recipe = LoadRecipe(7);
    const std::string page = RenderRecipePage(recipe, RecipePageOptions::ViewTab(0), context);
    EXPECT_TRUE(Contains(page, "(No nutrition information defined for this recipe.)"));
    EXPECT_FALSE(Contains(page, "Nutrition Facts"));
    const std::string without = RenderRecipePage(recipe, RecipePageOptions::PostedPage(0), context);
    EXPECT_FALSE(Contains(without, "No nutrition information"));
}

TEST_F(RenderRecipePageTest, MailPageOfAnUnratedRecipeWithoutPicture) {
    StoreSampleRecipe();
    Box("UPDATE Recipes SET TasteRating = 0, UniqueID = 5 WHERE RecipeID = 7");
    const Recipe recipe = LoadRecipe(7);
    const MailPage mail = RenderMailPage(recipe, 0, false, context);
    EXPECT_FALSE(mail.usesRatingImage);
    EXPECT_FALSE(mail.usesPicture);
    EXPECT_FALSE(Contains(mail.html, "cid:"));
    EXPECT_FALSE(Contains(mail.html, "<!--@PXLOCAL-->"));
    EXPECT_FALSE(Contains(mail.html, "PXBEGIN"));
    EXPECT_FALSE(Contains(mail.html, "displayrecipe"));
    // Instructions as stored: no <BR> between the two sentences.
    EXPECT_TRUE(Contains(mail.html, "Heat the oven.\r\nBake for 40 minutes."));
    EXPECT_TRUE(Contains(mail.html, ">Apple Crumble<"));
    EXPECT_FALSE(Contains(mail.html, "FindRecipe"));
    EXPECT_TRUE(Contains(mail.html, "app:FindKeyword(%40mine)"));
    ExpectMatchesExpectedPage(mail.html, "theme0_mail.htm");

    Recipe rated = recipe;
    rated.TasteRating = 3.4;
    rated.PictureFile1 = "pie.jpg";
    const MailPage withImages = RenderMailPage(rated, 0, false, context);
    EXPECT_TRUE(Contains(withImages.html, "<IMG SRC='cid:RatingImg'>"));
    EXPECT_TRUE(Contains(withImages.html, "<IMG SRC='cid:RecipeImage'>"));
    EXPECT_EQ(withImages.ratingImageFile, "/data/Data/HTM/Images/star3.gif");
    EXPECT_EQ(withImages.pictureFile, root.root + "/Pictures/pie.jpg");
}

TEST_F(RenderRecipePageTest, RatingImageOfEveryRatingAndOfOddOnes) {
    EXPECT_EQ(StarNumber(0), "0");
    EXPECT_EQ(StarNumber(2.6), "3");
    EXPECT_EQ(StarNumber(5), "5");
    EXPECT_EQ(StarNumber(9), "5");     // only star0..star5 exist
    EXPECT_EQ(StarNumber(-0.3), "0");  // never "star-0.gif"
    EXPECT_EQ(StarNumber(std::nan("")), "0");
    Recipe recipe;
    UseOwnTemplate("@PX_RATINGIMG@");
    EXPECT_EQ(RenderRecipePage(recipe, RecipePageOptions::ViewTab(0), context),
              "<IMG SRC='file:///data/Data/HTM/Images/star0.gif'><!--@PXLOCAL-->");
}

TEST_F(RenderRecipePageTest, PlaceholdersAreFilledInOrderAndEverywhere) {
    UseOwnTemplate("[@PX_CUISINE@|@PX_RECIPETITLE@|@PX_CUISINE@]");
    Recipe recipe;
    recipe.Title = "Title with @PX_KEYWORDS@";
    recipe.Cuisine = "Thai";
    recipe.CategoryNames = {"Quick"};
    RecipePageOptions options = RecipePageOptions::PostedPage(0);
    EXPECT_EQ(RenderRecipePage(recipe, options, context),
              "[Thai|Title with Quick |Thai]<!--@PXLOCAL-->");
}

TEST_F(RenderRecipePageTest, LinkValuesSurviveBlanksApostrophesAndParentheses) {
    UseOwnTemplate("@PX_CUISINE@ @PX_MAINING@");
    Recipe recipe;
    recipe.Cuisine = "Mom's (best)";
    recipe.PrimaryIngredient = "Main Dish";
    const std::string page = RenderRecipePage(recipe, RecipePageOptions::ViewTab(0), context);
    EXPECT_EQ(page,
              "<a href='app:FindCuisine(Mom%27s%20%28best%29)'>Mom's (best)</A> "
              "<a href='app:FindPrimaryIngredient(Main%20Dish)'>Main Dish</A><!--@PXLOCAL-->");
    const auto cuisine = DecodeAppLink("app:FindCuisine(Mom%27s%20%28best%29)");
    ASSERT_TRUE(cuisine);
    EXPECT_EQ(cuisine->command, "FindCuisine");
    EXPECT_EQ(cuisine->value, "Mom's (best)");
}

TEST_F(RenderRecipePageTest, HostileFieldsNeverCarryActiveContent) {
    UseOwnTemplate(
        "<h1>@PX_RECIPETITLE@</h1><p>@PX_INSTRUCTIONS@</p><i>@PX_KEYWORDS@</i>"
        "<IMG SRC='x.gif'>");
    Recipe recipe;
    recipe.Title = "<b>Pie</b><img src=x onerror=alert(1)>";
    recipe.Instructions =
        "Stir.<SCRIPT>alert(2)</SCRIPT> Bake <a href='JaVaScRiPt:alert(3)'>now</a>";
    recipe.CategoryNames = {"<b title='", "x' onclick='alert(4)"};
    const std::string page = RenderRecipePage(recipe, RecipePageOptions::PostedPage(0), context);
    EXPECT_FALSE(Contains(ToLower(page), "script"));
    EXPECT_FALSE(HasEventHandler(page));
    EXPECT_TRUE(Contains(page, "<h1><b>Pie</b><img src=x></h1>"));
    EXPECT_TRUE(HasEventHandler("<img src=x onerror=alert(1)>"));  // the check itself works
    EXPECT_TRUE(Contains(page, "Bake <a>now</a>"));
    // The unclosed tag of the first keyword shows as text and leaves the
    // template's own markup after it intact.
    EXPECT_TRUE(Contains(page, "&lt;b title='"));
    EXPECT_TRUE(Contains(page, "<IMG SRC='x.gif'>"));

    // A field whose own attribute names a later placeholder cannot smuggle an
    // attribute in through that placeholder's value.
    recipe.Title = "<b title='@PX_KEYWORDS@'>T</b>";
    recipe.CategoryNames = {"x' onmouseover='alert(5)"};
    const std::string chained = RenderRecipePage(recipe, RecipePageOptions::PostedPage(0), context);
    EXPECT_FALSE(HasEventHandler(chained));
    EXPECT_TRUE(Contains(chained, "<b title='x'>T</b>"));
}

TEST_F(RenderRecipePageTest, MissingThemeIsReportedOnceAndRendersTheMarkerAlone) {
    templates = TemplateCache(root.root + "/nothemes", ReportInto(readErrors));
    Recipe recipe;
    EXPECT_EQ(RenderRecipePage(recipe, RecipePageOptions::ViewTab(3), context), "<!--@PXLOCAL-->");
    EXPECT_EQ(RenderRecipePage(recipe, RecipePageOptions::ViewTab(3), context), "<!--@PXLOCAL-->");
    EXPECT_EQ(readErrors, std::vector<std::string>{root.root + "/nothemes/recipetheme3.htm: No "
                                                               "such file or directory"});
}

TEST_F(RenderRecipePageTest, TemplateCacheKeepsTheTextOfTheThemeItWasReadFor) {
    UseOwnTemplate("first");
    EXPECT_EQ(ownTemplates->Theme(0), "first");
    test::WriteFile(root.root + "/themes/recipetheme0.htm", "second");
    EXPECT_EQ(ownTemplates->Theme(0), "first");  // cached
    test::WriteFile(root.root + "/themes/recipetheme1.htm", "one");
    EXPECT_EQ(ownTemplates->Theme(1), "one");
    EXPECT_EQ(ownTemplates->Theme(0), "second");  // read again after another theme
    EXPECT_EQ(ownTemplates->CachedTheme(), 0);
}

TEST_F(RenderRecipePageTest, MarkedRecipesInTitleOrder) {
    StoreSampleRecipe();
    Box("INSERT INTO Recipes(RecipeID, Title, Marked) VALUES(8, 'Banana Bread', 1), "
        "(9, 'Zucchini Soup', 1), (10, 'Not marked', 0);");
    Box("UPDATE Recipes SET Marked = 1 WHERE RecipeID = 7");
    UseOwnTemplate("[@PX_RECIPETITLE@ @PX_KEYWORDS@]");
    const std::string pages = MarkedRecipesPage(box, RecipePageOptions::PostedPage(0), context);
    EXPECT_EQ(pages,
              "[Apple Crumble Desserts Baking ]<!--@PXLOCAL-->[Banana Bread ]<!--@PXLOCAL-->"
              "[Zucchini Soup ]<!--@PXLOCAL-->");
}

TEST(ViewTabDocumentTest, WrapsThePageInTheProgramsHead) {
    EXPECT_EQ(ViewTabDocument("PAGE"),
              "<HTML><HEAD><style type='text/css'>a.microsoft:link { color: blue; "
              "text-decoration: none }a.microsoft:active{ color: blue; text-decoration: none "
              "}a.microsoft:visited        { color: blue; text-decoration: none }   "
              "a.microsoft:hover         { color: crimson; text-decoration: underline "
              "}a.netscape:link            { color: green; text-decoration: none }  "
              "a.netscape:active         { color: green; text-decoration: none "
              "}a.netscape:visited        { color: green; text-decoration: none }   "
              "a.netscape:hover         { color: gold; text-decoration: underline } "
              "</style></HEAD><BODY>PAGE</BODY></HTML>");
}

}  // namespace
}  // namespace pantrio
