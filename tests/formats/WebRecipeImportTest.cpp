// Recipes from web pages and JSON-LD documents: the saved pages of the shared
// corpus (expectations read off each page), the forms schema.org data takes,
// the ingredient quantities pages write, and pages built to do harm.
#include <gtest/gtest.h>

#include "base/Text.h"
#include "formats/ImportFixture.h"
#include "formats/JsonLdRecipe.h"
#include "support/Corpus.h"

namespace pantrio {
namespace {

class WebRecipeImportTest : public test::ImportFixture {
protected:
    ImportSummary Import(const std::string& path) { return ImportAs("webpage", path); }
};

struct Line {
    const char* quantity;
    const char* measure;
    const char* name;
};

void ExpectLine(const IngredientLine& line, const Line& expected) {
    EXPECT_EQ(line.TextQty, expected.quantity);
    EXPECT_EQ(line.Measure, expected.measure);
    EXPECT_EQ(line.Name, expected.name);
}

TEST_F(WebRecipeImportTest, CorpusPagesImportTheirRecipe) {
    if (test::CorpusFiles("web-jsonld").empty()) GTEST_SKIP() << test::CorpusMissing("web-jsonld");
    struct Case {
        const char* file;
        const char* title;
        const char* yield;
        int lines;
        Line first;
        bool steps = true;  // whether the page gives instructions
    };
    // Read off the pages' own structured data.
    const Case cases[] = {
        {"TandoorRecipes__recipes__test_data__allrecipes.html",
         "Easy Chicken Marsala",
         "4 servings",
         8,
         {"1", "tablespoon", "olive oil or vegetable oil"}},
        {"TandoorRecipes__recipes__test_data__chefkoch.html",
         "Couscous und Garnelen im Pergament",
         "4 Portion(en)",
         14,
         {"16", "große", "Garnele"}},
        {"TandoorRecipes__recipes__test_data__delish.html",
         "Cheesy Baked Asparagus Is The Side That Becomes Your Main",
         "6 servings",
         8,
         {"2", "lb.", "asparagus"}},
        {"TandoorRecipes__recipes__test_data__madamedessert.html",
         "Schokoladenpudding Rezept mit echter Schokolade",
         "6 Portionen",
         8,
         {"170", "g", "hochwertige Zartbitterschokolade"}},
        {"TandoorRecipes__recipes__websites__ld_json_multiple.html",
         "Mamis feiner Schokopudding",
         "4 Portionen",
         5,
         {"2", "EL", "Kakaopulver"}},
        {"TandoorRecipes__recipes__websites__ld_json_itemList.html",
         "Gyros vom Drehspieß",
         "10 Personen",
         6,
         {"2", "kg", "Schweinenacken"}},
        {"mealie-recipes__mealie__tests-data-html__sous-vide-shrimp.html",
         "Sous Vide Shrimp",
         "Ingredients for 4",
         5,
         {"1 1/2", "pounds", "large peeled shrimp"},
         false},
        {"mealie-recipes__mealie__tests-data-html__taiwanese-three-cup-chicken-san-bei-gi-recipe."
         "html",
         "Taiwanese Three Cup Chicken (San Bei Ji) Recipe",
         "6 Servings",
         10,
         {"1/4", "cup", "Asian sesame oil"}},
        // Its recipe is microdata; its JSON-LD describes only a video.
        {"mealie-recipes__mealie__tests-data-html__jam-roly-poly-with-custard.html",
         "Jam roly poly with custard",
         "6 Servings",
         11,
         {"225", "g", "of self-raising flour"}},
        // Its description breaks lines inside a JSON string.
        {"nextcloud__cookbook__res_JsonLd__caseH.html",
         "Lamm-Tajine mit Walnüssen und Feigen",
         "2 Portion(en)",
         15,
         {"800", "g", "Lammschulter"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const ImportSummary summary = Import(test::CorpusDir() + "/web-jsonld/" + c.file);
        ASSERT_EQ(summary.stored, 1) << Messages();
        const Recipe recipe = Load(summary.newRecipeIDs.front());
        EXPECT_EQ(recipe.Title, c.title);
        EXPECT_EQ(recipe.YieldText, c.yield);
        ASSERT_EQ(recipe.LineCount(), c.lines);
        ExpectLine(recipe.Lines.front(), c.first);
        EXPECT_EQ(!recipe.Instructions.empty(), c.steps);
        EXPECT_EQ(recipe.TasteRating, 0) << "the page's rating is not the user's";
    }
    // "⅛ cup milk" is the last line of the first page.
    const Recipe marsala = Load(1);
    ExpectLine(marsala.Lines.back(), {"1/8", "cup", "milk"});
    EXPECT_EQ(marsala.ActiveMinutes, 15);
    EXPECT_EQ(marsala.TotalMinutes, 40);
}

TEST_F(WebRecipeImportTest, PagesWithoutUsableDataSaySo) {
    if (test::CorpusFiles("web-jsonld").empty()) GTEST_SKIP() << test::CorpusMissing("web-jsonld");
    // The first has no script element of structured data that parses (its
    // only block ends in trailing commas), the second a block that is no JSON.
    for (const char* file : {"TandoorRecipes__recipes__test_data__regex_recipe.html",
                             "nextcloud__cookbook__res_JsonLd__caseD.html"}) {
        SCOPED_TRACE(file);
        const ImportSummary summary = Import(test::CorpusDir() + "/web-jsonld/" + file);
        EXPECT_EQ(summary.stored, 0);
        ASSERT_EQ(summary.notices.size(), 1u);
        EXPECT_TRUE(
            StartsWith(summary.notices[0].text, std::string(file) + " holds no recipe data."));
    }
    EXPECT_EQ(box.QueryNumber("Select Count(*) from Recipes"), 0);
}

TEST_F(WebRecipeImportTest, EveryRecipeOfAGraphOrListIsStoredWithItsFields) {
    const std::string json = R"({"@context":"https://schema.org","@graph":[
      {"@type":"WebPage","name":"not a recipe"},
      {"@type":["Recipe","NewsArticle"],"name":"Tart &amp; <b>Pie</b>",
       "recipeYield":["4","4 slices"],"prepTime":"PT20M","cookTime":"PT1H","totalTime":"P0DT1H30M",
       "recipeCategory":"Dessert, Baking","keywords":["tart","fruit"],"recipeCuisine":["French"],
       "author":[{"@type":"Person","name":"Ann"},"Bo"],"publisher":{"name":"Site"},
       "url":"https://example.org/tart","description":"A tart.","inLanguage":"en-GB",
       "aggregateRating":{"ratingValue":5},
       "recipeIngredient":["1½ cups flour","1.5 tsp salt","2-3 <i>ripe</i> pears, sliced"],
       "recipeInstructions":[{"@type":"HowToSection","name":"Pastry","itemListElement":[
           {"@type":"HowToStep","text":"Rub in the butter."},{"@type":"HowToStep","text":"Chill."}]},
         {"@type":"HowToSection","name":"Filling","itemListElement":[{"@type":"HowToStep","text":"Slice pears."}]}]},
      {"@type":"ItemList","itemListElement":[{"@type":"ListItem","item":
       {"@type":"http://schema.org/Recipe","name":"Second","recipeYield":6,
        "recipeInstructions":"Mix.\nBake."}}]}]})";
    const ImportSummary summary = Import(Write("page.json", json));
    ASSERT_EQ(summary.stored, 2) << Messages();

    const Recipe tart = Load(summary.newRecipeIDs[0]);
    EXPECT_EQ(tart.Title, "Tart & Pie");
    EXPECT_EQ(tart.YieldText, "4 slices");
    EXPECT_EQ(tart.YieldNumber, 4);
    EXPECT_EQ(tart.ActiveMinutes, 20);
    EXPECT_EQ(tart.TotalMinutes, 90);
    EXPECT_EQ(tart.Cuisine, "French");
    EXPECT_EQ(tart.Source, "Ann, Bo, Site, https://example.org/tart");
    EXPECT_EQ(tart.SubHead, "A tart.");
    EXPECT_EQ(tart.TasteRating, 0);
    EXPECT_EQ(box.QueryText("Select AllCategoriesText from Recipes where RecipeID = " +
                            std::to_string(tart.RecipeID)),
              "|Dessert|Baking|tart|fruit");
    ASSERT_EQ(tart.LineCount(), 3);
    ExpectLine(tart.Lines[0], {"1 1/2", "cups", "flour"});
    ExpectLine(tart.Lines[1], {"1 1/2", "tsp", "salt"});
    ExpectLine(tart.Lines[2], {"2-3", "ripe", "pears"});
    EXPECT_EQ(tart.Lines[2].PrepNotes, "sliced");
    EXPECT_EQ(tart.Instructions,
              "Pastry\r\n\r\nRub in the butter.\r\n\r\nChill.\r\n\r\nFilling\r\n\r\nSlice pears.");

    const Recipe second = Load(summary.newRecipeIDs[1]);
    EXPECT_EQ(second.YieldText, "6 Servings");
    EXPECT_EQ(second.Instructions, "Mix.\r\nBake.");
}

TEST(JsonLdQuantities, IngredientTextsAndDurations) {
    struct Case {
        const char* text;
        bool decimalComma;
        Line expected;
        double value;
    };
    const Case cases[] = {
        {"½ tsp salt", true, {"1/2", "tsp", "salt"}, 0.5},
        {"1 ¼ cups milk", false, {"1 1/4", "cups", "milk"}, 1.25},
        {"1,5 kg Mehl", true, {"1 1/2", "kg", "Mehl"}, 1.5},
        {"0,3 l Milch", true, {"0.3", "l", "Milch"}, 0.3},
        {"500g Zucker", true, {"500", "g", "Zucker"}, 500},
        {"1\xE2\x81\x84"
         "2 cup sugar",
         false,
         {"1/2", "cup", "sugar"},
         0.5},
        {"3/4 cup water", false, {"3/4", "cup", "water"}, 0.75},
        {"salt to taste", true, {"", "", "salt"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Recipe recipe;
        ASSERT_EQ(AddIngredientText(recipe, c.text, c.decimalComma), 1);
        ExpectLine(recipe.Lines[0], c.expected);
        EXPECT_DOUBLE_EQ(recipe.Lines[0].DblQty, c.value);
    }

    const std::pair<const char*, int> durations[] = {
        {"PT35M", 35}, {"PT1H30M", 90}, {"P1DT2H", 1560}, {"PT0.5H", 30},  {" pt90s ", 2},
        {"PT", -1},    {"35 min", -1},  {"PT5X", -1},     {"P99999Y", -1}, {"PTH", -1},
    };
    for (const auto& [text, minutes] : durations)
        EXPECT_EQ(IsoDurationMinutes(text), minutes) << text;
}

TEST_F(WebRecipeImportTest, HostileInputIsBoundedAndNeverBreaksOut) {
    // Nesting far deeper than the limit: read without exhausting the stack.
    const std::string deep = std::string(200000, '[') + std::string(200000, ']');
    ImportSummary summary = Import(Write("deep.json", deep));
    EXPECT_EQ(summary.stored, 0);
    EXPECT_NE(Messages().find("nested deeper than"), std::string::npos);

    // A recipe just inside the limit is found; one beyond it is not.
    auto nested = [](int depth, const std::string& name) {
        return std::string(depth, '[') + R"({"@type":"Recipe","name":")" + name + R"("})" +
               std::string(depth, ']');
    };
    EXPECT_EQ(Import(Write("inside.json", nested(kMaxJsonLdDepth - 2, "Inside"))).stored, 1);
    EXPECT_EQ(Import(Write("beyond.json", nested(kMaxJsonLdDepth + 5, "Beyond"))).stored, 0);

    // A huge field is cut, and the recipe is still stored whole.
    const std::string huge = R"({"@type":"Recipe","name":")" + std::string(3'000'000, 'x') +
                             R"(","recipeIngredient":["1 cup )" + std::string(500'000, 'y') +
                             R"("]})";
    summary = Import(Write("huge.json", huge));
    ASSERT_EQ(summary.stored, 1);
    EXPECT_EQ(Load(summary.newRecipeIDs[0]).Title, std::string(255, 'x'));

    // Markup in fields is read as text: a script inside a field is dropped,
    // and an escaped end tag inside the JSON cannot end the page's script.
    const std::string page =
        R"(<html><head><script type="application/ld+json">{"@type":"Recipe",)"
        R"("name":"Pie<\/script><script>alert(1)<\/script>","description":"<img src=x onerror=alert(2)>Good",)"
        R"("recipeIngredient":["1 cup <b onclick=\"x()\">sugar</b>"]}</script></head></html>)";
    summary = Import(Write("script.html", page));
    ASSERT_EQ(summary.stored, 1) << Messages();
    const Recipe pie = Load(summary.newRecipeIDs[0]);
    EXPECT_EQ(pie.Title, "Pie");
    EXPECT_EQ(pie.SubHead, "Good");
    ExpectLine(pie.Lines[0], {"1", "cup", "sugar"});

    // A raw end tag inside a field ends the script where a browser ends it:
    // what is left is no JSON, and nothing of it is stored.
    summary = Import(Write("broken.html", R"(<script type="application/ld+json">{"@type":"Recipe",)"
                                          R"("name":"</script><p>x</p>"}</script>)"));
    EXPECT_EQ(summary.stored, 0);
    ASSERT_EQ(summary.notices.size(), 1u);
    EXPECT_NE(summary.notices[0].text.find("holds no recipe data"), std::string::npos);
}

}  // namespace
}  // namespace pantrio
