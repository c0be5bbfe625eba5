// Copying recipes from another box into the open one.
#include <gtest/gtest.h>

#include "base/Text.h"
#include "formats/BoxImport.h"
#include "formats/ImportProgress.h"
#include "recipe/Recipe.h"
#include "support/BoxFixture.h"

namespace pantrio {
namespace {

class BoxImportTest : public test::BoxFixture {
protected:
    void SetUp() override {
        BoxFixture::SetUp();
        sourcePath = root.PathOf("other.crb");
        ASSERT_TRUE(root.CreateDatabase(sourcePath, "recipebox.sql")) << root.Error();
        RecipeDB source;
        ASSERT_TRUE(source.Open(sourcePath));
        for (const char* title : {"Zucchini Bread", "Apple Pie", "Mom's (best) Stew"}) {
            Recipe r;
            r.Clear();
            r.Title = title;
            r.Instructions = std::string("Instructions for ") + title;
            r.PictureFile1 = "picture.jpg";
            r.AddLine(false, "", "c", "flour", "sifted", 2);
            r.AddLine(true, "", "", "Topping", "", 0);
            r.AddCategoryName("Desserts");
            ASSERT_EQ(source.SaveAsNew(r), 0);
        }
    }

    std::string sourcePath;
    std::string failure;  // what Open says when it cannot open a box
};

TEST_F(BoxImportTest, ListsTheOtherBoxInTitleOrderAndCopiesTheChosenOnes) {
    BoxImport import;
    ASSERT_TRUE(import.Open(sourcePath, "", failure));
    VectorRowSink list;
    ASSERT_EQ(import.FillList(list), 3);
    ASSERT_EQ(list.Texts(),
              (std::vector<std::string>{"Apple Pie", "Mom's (best) Stew", "Zucchini Bread"}));

    // Something already in the open box keeps its number; copies get new ones.
    Recipe existing;
    existing.Clear();
    existing.Title = "Already here";
    ASSERT_EQ(box.SaveAsNew(existing), 0);

    RecordingProgress progress;
    EXPECT_EQ(
        import.Copy({static_cast<int>(list.rows[0].data), static_cast<int>(list.rows[1].data)}, box,
                    &progress),
        2);
    EXPECT_EQ(box.CountRecipes(), 3);
    EXPECT_EQ(progress.position, 100);

    const long stewID =
        box.QueryNumber("Select RecipeID from Recipes where Title = 'Mom''s (best) Stew'");
    ASSERT_GT(stewID, 1);
    Recipe stew;
    ASSERT_EQ(box.LoadRecipe(stewID, stew), 1);
    ASSERT_EQ(box.LoadIngredientLines(stewID, stew), 2);
    std::vector<std::string> keywords;
    box.LoadKeywords(stewID, keywords);
    EXPECT_EQ(stew.Lines[0].Name, "flour");
    EXPECT_TRUE(stew.Lines[1].bHeading);
    EXPECT_EQ(keywords, std::vector<std::string>{"Desserts"});
    EXPECT_EQ(stew.PictureFile1, "picture.jpg");
}

TEST_F(BoxImportTest, DuplicatesAreSkippedSilently) {
    BoxImport import;
    ASSERT_TRUE(import.Open(sourcePath, "", failure));
    VectorRowSink list;
    import.FillList(list);
    std::vector<int> all;
    for (const auto& row : list.rows) all.push_back(static_cast<int>(row.data));
    EXPECT_EQ(import.Copy(all, box), 3);
    EXPECT_EQ(import.Copy(all, box), 0);
    EXPECT_EQ(box.CountRecipes(), 3);
    EXPECT_TRUE(failure.empty());
}

TEST_F(BoxImportTest, TheSourceBoxIsNeverChanged) {
    BoxImport import;
    ASSERT_TRUE(import.Open(sourcePath, "", failure));
    VectorRowSink list;
    import.FillList(list);
    import.Copy({static_cast<int>(list.rows[0].data)}, box);
    import.Close();
    RecipeDB source;
    ASSERT_TRUE(source.Open(sourcePath));
    EXPECT_EQ(source.CountRecipes(), 3);
}

TEST_F(BoxImportTest, MissingAndBrokenBoxesHaveTheirMessages) {
    BoxImport import;
    EXPECT_FALSE(import.Open(root.PathOf("missing.crb"), "", failure));
    EXPECT_TRUE(StartsWith(failure, "Sorry, Pantrio could not locate")) << failure;

    const std::string text = root.PathOf("notes.crb");
    ASSERT_TRUE(test::TempDataRoot::Exec(root.PathOf("scratch.db"), "CREATE TABLE t(x);"));
    FILE* f = std::fopen(text.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("this is not a recipe box\n", f);
    std::fclose(f);
    EXPECT_FALSE(import.Open(text, "", failure));
    EXPECT_EQ(failure, "Sorry, could not open that recipe box.");
    VectorRowSink list;
    EXPECT_EQ(import.FillList(list), 0);
    EXPECT_EQ(import.Copy({1}, box), 0);
}

TEST(BoxImportPaths, TheOpenBoxIsRecognisedInAnyLetterCase) {
    EXPECT_TRUE(IsSameBoxPath("/home/cook/Rbox/standard.crb", " /home/cook/RBOX/Standard.CRB "));
    EXPECT_FALSE(IsSameBoxPath("/home/cook/Rbox/standard.crb", "/home/cook/Rbox/family.crb"));
}

}  // namespace
}  // namespace pantrio
