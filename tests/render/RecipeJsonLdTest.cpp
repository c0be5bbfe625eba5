// The schema.org data the program's pages carry: read back by the program's
// own reader it gives the same recipe, no field can break out of its script
// element, and a published page without its exchange document still imports.
#include <gtest/gtest.h>

#include "formats/JsonLdRecipe.h"
#include "formats/WebPageScan.h"
#include "render/RecipeJsonLd.h"
#include "render/RenderFixture.h"

namespace pantrio {
namespace {

using test::RenderFixture;

// A line as a reader of the page reads it, whatever columns its words are in.
std::string Reads(const IngredientLine& line) {
    std::string text;
    for (const std::string& part : {line.TextQty, line.Measure, line.Name, line.PrepNotes})
        if (!part.empty()) text += (text.empty() ? "" : " ") + part;
    return text;
}

struct Awkward {
    const char* what;
    Recipe recipe;
    std::string instructions;  // as read back
};

Recipe Make(const std::string& title, double yield, const std::string& unit) {
    Recipe recipe;
    recipe.Title = title;
    recipe.YieldNumber = yield;
    recipe.YieldUnit = unit;
    return recipe;
}

std::vector<Awkward> AwkwardRecipes() {
    std::vector<Awkward> all;
    Recipe apostrophes = Make("Mom's \"Best\" Pie", 8, "slices");
    apostrophes.SubHead = "Grandma's way, with 'quotes'";
    apostrophes.AddLine(false, "", "cup", "flour", "sifted", 1.5);
    apostrophes.AddLine(false, "", "", "eggs", "", 2);
    apostrophes.AddLine(false, "", "tsp", "salt", "(optional)", 0.25);
    apostrophes.Instructions =
        "Mix it.\r\nDon't stir.\r\n\r\nBake at 180 \xC2\xB0"
        "C.";
    apostrophes.CategoryNames = {"Desserts", "Baking"};
    apostrophes.Cuisine = "American";
    apostrophes.ActiveMinutes = 20;
    apostrophes.TotalMinutes = 95;
    apostrophes.Source = "Aunt May's notebook";
    all.push_back({"apostrophes and quotes", apostrophes, apostrophes.Instructions});

    Recipe markup = Make("<b>Fish</b> &amp; Chips", 2, "Servings");
    markup.AddLine(false, "", "g", "cod", "<i>skinless</i>", 400);
    markup.Instructions = "<p>Fry the fish &amp; chips.</p><p>Serve &lt;hot&gt;.</p>";
    all.push_back({"markup", markup, "Fry the fish & chips.\r\nServe <hot>."});

    Recipe foreign = Make(
        "Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
        "e \xE2\x80\x93 \xE7\x83\xA4\xE5\xB8\x83\xE4\xB8\x81",
        6, "ramekins");
    foreign.AddLine(false, "", "ml",
                    "cr\xC3\xA8me fra\xC3\xAE"
                    "che",
                    "", 500);
    foreign.AddLine(false, "", "", "\xC5\x93ufs", "", 6);
    foreign.Instructions = "Fouetter. \xE6\x90\x85\xE6\x8B\x8C\xE3\x80\x82";
    foreign.Cuisine =
        "Fran\xC3\xA7"
        "aise";
    foreign.TotalMinutes = 24 * 60 + 30;
    all.push_back({"non-ASCII", foreign, foreign.Instructions});

    Recipe headings = Make("Layered Cake", 0, "");
    headings.AddLine(true, "", "", "For the sponge:", "", 0);
    headings.AddLine(false, "", "cups", "sugar", "", 2);
    headings.AddLine(true, "", "", "For the icing:", "", 0);
    headings.AddLine(false, "", "", "butter", "softened", 0);
    all.push_back({"headings, no yield, no times", headings, ""});
    return all;
}

void ExpectSameRecipe(const Recipe& expected, const Recipe& actual,
                      const std::string& instructions) {
    EXPECT_EQ(actual.Title, PlainTextOfMarkup(expected.Title));
    EXPECT_EQ(actual.SubHead, expected.SubHead);
    EXPECT_DOUBLE_EQ(actual.YieldNumber, expected.YieldNumber);
    if (expected.YieldNumber > 0) {
        EXPECT_EQ(actual.YieldUnit, expected.YieldUnit);
    }
    ASSERT_EQ(actual.LineCount(), expected.LineCount());
    for (int i = 0; i < expected.LineCount(); ++i) {
        IngredientLine shown = expected.Lines[i];
        shown.PrepNotes = PlainTextOfMarkup(shown.PrepNotes);
        EXPECT_EQ(Reads(actual.Lines[i]), Reads(shown)) << "line " << i;
        EXPECT_DOUBLE_EQ(actual.Lines[i].DblQty, expected.Lines[i].DblQty) << "line " << i;
    }
    EXPECT_EQ(actual.Instructions, instructions);
    EXPECT_EQ(actual.CategoryNames, expected.CategoryNames);
    EXPECT_EQ(actual.Cuisine, expected.Cuisine);
    EXPECT_EQ(actual.ActiveMinutes, expected.ActiveMinutes);
    EXPECT_EQ(actual.TotalMinutes, expected.TotalMinutes);
    EXPECT_EQ(actual.Source, expected.Source);
}

TEST(RecipeJsonLdTest, AwkwardRecipesComeBackTheSame) {
    for (const Awkward& awkward : AwkwardRecipes()) {
        SCOPED_TRACE(awkward.what);
        WebRecipes read;
        ReadJsonLdRecipes(RecipeJsonLd(awkward.recipe), read);
        ASSERT_EQ(read.recipes.size(), 1u) << RecipeJsonLd(awkward.recipe);
        EXPECT_TRUE(read.problems.empty());
        ExpectSameRecipe(awkward.recipe, read.recipes.front(), awkward.instructions);
    }
    // Several recipes are one array, in order.
    const std::vector<Awkward> awkward = AwkwardRecipes();
    std::vector<Recipe> all;
    for (const Awkward& one : awkward) all.push_back(one.recipe);
    WebRecipes read;
    ReadJsonLdRecipes(RecipesJsonLd(all), read);
    ASSERT_EQ(read.recipes.size(), all.size());
    for (std::size_t i = 0; i < all.size(); ++i)
        ExpectSameRecipe(all[i], read.recipes[i], awkward[i].instructions);
}

TEST(RecipeJsonLdTest, DurationsScaleAndBrokenText) {
    for (const auto& [minutes, text] : std::vector<std::pair<int, std::string>>{
             {0, "PT0M"}, {45, "PT45M"}, {60, "PT1H"}, {90, "PT1H30M"}, {1470, "PT24H30M"}}) {
        EXPECT_EQ(IsoDuration(minutes), text);
        EXPECT_EQ(IsoDurationMinutes(text), minutes);
    }
    // The page shows scaled quantities; so does its data.
    Recipe scaled = Make("Soup", 4, "Servings");
    scaled.AddLine(false, "", "cup", "milk", "", 1);
    scaled.ScaleMultiple = 1.5;
    const std::string json = RecipeJsonLd(scaled);
    EXPECT_NE(json.find("\"recipeYield\":\"6 Servings\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"1 1/2 cup milk\""), std::string::npos) << json;
    // A byte that is not UTF-8 is replaced, not a failure.
    Recipe broken = Make("Caf\xE9", 0, "");
    EXPECT_NE(RecipeJsonLd(broken).find("Caf\xEF\xBF\xBD"), std::string::npos);
    EXPECT_FALSE(HasJsonLd(Make("  ", 0, "")));
}

class RecipeJsonLdPageTest : public RenderFixture {};

TEST_F(RecipeJsonLdPageTest, NoFieldClosesTheScriptOrOpensAComment) {
    Recipe hostile = Make("", 2, "");
    for (const char* attack :
         {"</script><script>alert(1)</script>", "<!--", "-->", "</SCRIPT >", "<!-- <script>"}) {
        SCOPED_TRACE(attack);
        const std::string a = attack;
        hostile.Title = "T" + a;
        hostile.SubHead = a;
        hostile.YieldUnit = a;
        hostile.Cuisine = a;
        hostile.Source = a;
        hostile.Instructions = a;
        hostile.CategoryNames = {a};
        hostile.Lines.clear();
        hostile.AddLine(false, "", a, a, a, 1);
        const std::string json = RecipeJsonLd(hostile, a);
        EXPECT_EQ(json.find_first_of("<>&"), std::string::npos) << json;

        for (const RecipePageOptions& options :
             {RecipePageOptions::ViewTab(0), RecipePageOptions::PublishedPage(0, false)}) {
            const std::string page = RenderRecipePage(hostile, options, context);
            // One script element, and it is the recipe's; the page still ends
            // with its own marker.
            const PageScripts scripts = JsonLdScripts(page);
            ASSERT_EQ(scripts.scripts.size(), 1u) << page;
            WebRecipes read;
            ReadJsonLdRecipes(scripts.scripts.front(), read);
            ASSERT_EQ(read.recipes.size(), 1u);
            EXPECT_EQ(read.recipes.front().Cuisine, PlainTextOfMarkup(a));
            EXPECT_TRUE(page.ends_with("<!--@PXLOCAL-->"));
        }
        const MailPage mail = RenderMailPage(hostile, 0, false, context);
        EXPECT_EQ(JsonLdScripts(mail.html).scripts.size(), 1u);
    }
}

TEST_F(RecipeJsonLdPageTest, PublishedPageWithoutItsExchangeDocumentImportsTheSame) {
    StoreSampleRecipe();
    Box("UPDATE Recipes SET PictureFile1 = 'crumble.jpg', ActiveMinutes = 15, TotalMinutes = 60 "
        "WHERE RecipeID = 7");
    const Recipe recipe = LoadRecipe(7);
    std::string page = RenderRecipePage(recipe, RecipePageOptions::PublishedPage(0, true), context);
    EXPECT_NE(page.find("\"image\":\"Images/crumble.jpg\""), std::string::npos);
    const std::size_t begin = page.find(kRecipeDataBegin);
    const std::size_t end = page.find(kRecipeDataEnd);
    ASSERT_TRUE(begin != std::string::npos && end != std::string::npos);
    page.erase(begin, end + std::string_view(kRecipeDataEnd).size() - begin);

    const WebRecipes read = ReadPageRecipes(page);
    ASSERT_EQ(read.recipes.size(), 1u);
    ExpectSameRecipe(recipe, read.recipes.front(), recipe.Instructions);
    // The View tab's page carries the data too, without the local picture.
    const std::string view = RenderRecipePage(recipe, RecipePageOptions::ViewTab(0), context);
    ASSERT_EQ(JsonLdScripts(view).scripts.size(), 1u);
    EXPECT_EQ(view.find("\"image\""), std::string::npos);
}

}  // namespace
}  // namespace pantrio
