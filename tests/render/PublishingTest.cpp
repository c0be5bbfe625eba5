// Publishing recipes of a real box as a folder of pages with an index.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/RecipePublishing.h"
#include "formats/RecipeDocument.h"
#include "render/Publishing.h"
#include "render/RenderFixture.h"

namespace pantrio {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::RenderFixture;

class PublishingTest : public RenderFixture {
protected:
    void SetUp() override {
        RenderFixture::SetUp();
        fs::create_directories(root.root + "/Data");
        fs::copy(test::ShippedData() + "/HTM", root.root + "/Data/HTM",
                 fs::copy_options::recursive);
        environment.dataRoot = root.root;
        environment.box = &box;
        environment.support = &support;
        environment.templates = &templates;
        environment.serviceURL = "http://recipes.example";
        environment.serviceName = "Recipe Exchange";
        environment.openInBrowser = [this](const std::string& path) { opened.push_back(path); };
    }
    std::string Publish() const { return root.root + "/Publish"; }

    PublishEnvironment environment;
    std::vector<std::string> opened;
};

TEST(PageFileNameTest, BlanksAndPunctuationBecomeUnderscores) {
    EXPECT_EQ(PageFileName("Aunt Mary's Pie, v.2", 17), "aunt_mary's_pie__v_2_17.htm");
    EXPECT_EQ(PageFileName("Hot Dogs!", 5), "hot_dogs__5.htm");
    EXPECT_EQ(PageFileName("a/b", 1), "a_b_1.htm");
    EXPECT_EQ(PageFileName("", 3), "_3.htm");
    EXPECT_EQ(PageFileName("Crème Brûlée / Ñam", 5001), "crème_brûlée___ñam_5001.htm");
}

TEST_F(PublishingTest, PublishesPagesIndexImagesAndTellsWhere) {
    StoreSampleRecipe();
    Box("UPDATE Recipes SET PictureFile1 = 'crumble.jpg' WHERE RecipeID = 7");
    test::WriteFile(root.root + "/Pictures/crumble.jpg", "jpeg");
    Box("INSERT INTO Recipes(RecipeID, Title, ScaleMultiple) VALUES(5, 'Hot Dogs!', 1), "
        "(17, 'Aunt Mary''s Pie, v.2', 1), (18, 'Aunt Mary''s Pie, v.2', 1);");
    prompter.answers = {Answer::Yes};

    EXPECT_EQ(4, PublishRecipes({5, 17, 18, 7}, environment, prompter));

    for (const char* name : {"hot_dogs__5.htm", "aunt_mary's_pie__v_2_17.htm",
                             "aunt_mary's_pie__v_2_18.htm", "apple_crumble_7.htm"})
        EXPECT_TRUE(fs::exists(Publish() + "/" + name)) << name;
    for (const char* image : {"star0.gif", "star5.gif", "recipefrompantrio.gif", "crumble.jpg"})
        EXPECT_TRUE(fs::exists(Publish() + "/Images/" + image)) << image;

    const std::string index = ReadFile(Publish() + "/recipe_index.htm");
    EXPECT_NE(index.find("<UL><LI><a href='hot_dogs__5.htm'>Hot Dogs!</A></LI>"
                         "<LI><a href='aunt_mary%27s_pie__v_2_17.htm'>Aunt Mary's Pie, v.2</A></LI>"
                         "<LI><a href='aunt_mary%27s_pie__v_2_18.htm'>Aunt Mary's Pie, v.2</A></LI>"
                         "<LI><a href='apple_crumble_7.htm'>Apple Crumble</A></LI></UL>"),
              std::string::npos);
    EXPECT_EQ(index.find("@PX_RECIPE_TOC@"), std::string::npos);
    EXPECT_EQ(opened, std::vector<std::string>{Publish() + "/recipe_index.htm"});

    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].text,
              "Would you like a nutrition facts box published with these recipes?");
    EXPECT_EQ(prompter.shown[0].caption, "Show nutrition box?");
    EXPECT_EQ(prompter.shown[0].buttons, Buttons::YesNo);
    EXPECT_TRUE(prompter.shown[1].text.starts_with("Your recipes can be found in " + Publish() +
                                                   "\r\n\r\nSimply FTP the contents"));
    EXPECT_NE(prompter.shown[1].text.find("just like on Recipe Exchange!  Want us to link"),
              std::string::npos);
    EXPECT_NE(prompter.shown[1].text.find("forums at http://recipes.example/forums, be sure"),
              std::string::npos);

    const std::string page = ReadFile(Publish() + "/apple_crumble_7.htm");
    EXPECT_NE(page.find("Nutrition Facts"), std::string::npos);
    EXPECT_NE(page.find("<IMG SRC='Images/crumble.jpg'>"), std::string::npos);
    EXPECT_NE(page.find("This recipe published with"), std::string::npos);
}

TEST_F(PublishingTest, PublishedPageReadsBackAsTheSameRecipe) {
    StoreSampleRecipe();
    Box("UPDATE Recipes SET Title = 'Crumble & <i>Co</i>', Instructions = 'Mix <b>well</b> "
        "@ 180 & bake', UniqueID = 33, EffortRating = 2 WHERE RecipeID = 7");
    const Recipe stored = LoadRecipe(7);
    ASSERT_EQ(1, PublishRecipes({7}, environment, prompter));
    const std::string page = ReadFile(Publish() + "/" + PageFileName(stored.Title, 7));
    const std::size_t begin = page.find("<!--@PXBEGIN--");
    const std::size_t end = page.find("@PXEND-->");
    ASSERT_NE(begin, std::string::npos);
    ASSERT_NE(end, std::string::npos);

    Recipe back;
    ASSERT_EQ(0, ReadRecipeDocument(back, page.substr(begin + 14, end - begin - 14)));
    EXPECT_EQ(back.Title, stored.Title);
    EXPECT_EQ(back.Instructions, stored.Instructions);
    EXPECT_EQ(back.Cuisine, stored.Cuisine);
    EXPECT_EQ(back.PrimaryIngredient, stored.PrimaryIngredient);
    EXPECT_EQ(back.YieldNumber, stored.YieldNumber);
    EXPECT_EQ(back.YieldUnit, stored.YieldUnit);
    EXPECT_EQ(back.TasteRating, stored.TasteRating);
    EXPECT_EQ(back.EffortRating, 2);
    EXPECT_EQ(back.UniqueID, 33);
    EXPECT_EQ(back.CategoryNames, stored.CategoryNames);
    ASSERT_EQ(back.Lines.size(), stored.Lines.size());
    for (std::size_t i = 0; i < back.Lines.size(); ++i) {
        EXPECT_EQ(back.Lines[i].bHeading, stored.Lines[i].bHeading);
        EXPECT_EQ(back.Lines[i].Name, stored.Lines[i].Name);
        EXPECT_EQ(back.Lines[i].Measure, stored.Lines[i].Measure);
        EXPECT_EQ(back.Lines[i].PrepNotes, stored.Lines[i].PrepNotes);
        EXPECT_EQ(back.Lines[i].DblQty, stored.Lines[i].DblQty);
    }
}

TEST_F(PublishingTest, RepublishingReplacesThePageWhole) {
    Box("INSERT INTO Recipes(RecipeID, Title, ScaleMultiple) VALUES(5, 'Hot Dogs!', 1);");
    test::WriteFile(Publish() + "/hot_dogs__5.htm", std::string(100000, '~'));
    ASSERT_EQ(1, PublishRecipes({5}, environment, prompter));
    EXPECT_EQ(ReadFile(Publish() + "/hot_dogs__5.htm").find("~~~~"), std::string::npos);
}

TEST_F(PublishingTest, NothingSelected) {
    EXPECT_EQ(-1, PublishRecipes({}, environment, prompter));
    EXPECT_EQ(prompter.Messages(),
              std::vector<std::string>{"No recipes selected.  Please select the recipes you'd "
                                       "like to export in the recipe results window."});
    EXPECT_FALSE(fs::exists(Publish()));
}

TEST_F(PublishingTest, PageThatCannotBeCreatedIsReportedAndTheRunGoesOn) {
    const std::string longTitle(300, 'x');
    Box("INSERT INTO Recipes(RecipeID, Title, ScaleMultiple) VALUES(1, '" + longTitle +
        "', 1), (2, 'Fine', 1);");
    fs::remove(root.root + "/Data/HTM/recipe_index_template.htm");
    EXPECT_EQ(1, PublishRecipes({1, 2}, environment, prompter));
    EXPECT_TRUE(prompter.Showed("Could not create file in " + Publish() + "/" +
                                PageFileName(longTitle, 1)));
    EXPECT_TRUE(fs::exists(Publish() + "/fine_2.htm"));
    // A missing index template is reported and the index is written empty.
    EXPECT_TRUE(prompter.ShowedStartingWith(root.root + "/Data/HTM/recipe_index_template.htm: "));
    EXPECT_EQ(ReadFile(Publish() + "/recipe_index.htm"), "");
}

}  // namespace
}  // namespace pantrio
