#include <gtest/gtest.h>

#include <filesystem>

#include "core/MainDialogFixture.h"

namespace pantrio::test {
namespace {

namespace fs = std::filesystem;

class NewRecipeBox : public MainDialogFixture {
protected:
    void SetUp() override {
        MainDialogFixture::SetUp();
        WriteSettings({"iLastCheckedYear=2024", "iLastCheckedMonth=3", "iLastCheckedDay=15"});
        ASSERT_EQ(MakeDialog().Initialise(CommandLine{}), MainDialog::StartResult::Ready);
        prompter.shown.clear();
    }
    std::string Standard() const { return dataRoot + "/Rbox/standard.crb"; }
};

TEST_F(NewRecipeBox, NameIsLowerCasedWithoutExtensionAndGetsAnEmptyPicturesFolder) {
    ASSERT_EQ(Value("INSERT INTO Recipes (RecipeID, Title) VALUES (1, 'Soup')"), "");
    dialog->Recipes().SelectRecipe(1);
    ASSERT_EQ(dialog->Recipes().CurrentID(), 1);
    prompter.shown.clear();  // this data root has no themes to show the recipe with
    const std::size_t fillsBefore = view.queries.size();
    ASSERT_TRUE(dialog->Boxes().NewRecipeBox("Family.CRB"));
    const std::string box = dataRoot + "/Rbox/family/family.crb";
    EXPECT_TRUE(fs::is_regular_file(box));
    EXPECT_TRUE(fs::is_directory(dataRoot + "/Rbox/family/Pictures"));
    EXPECT_TRUE(fs::is_empty(dataRoot + "/Rbox/family/Pictures"));
    EXPECT_EQ(dialog->CurrentSettings().CookbookPath, box);
    EXPECT_EQ(dialog->Boxes().OpenBoxFile(), box);
    EXPECT_EQ(dialog->Recipes().CurrentID(), -1);
    EXPECT_EQ(view.queries.size(), fillsBefore + 1) << "the new box is listed once";
    EXPECT_GE(view.clears, 1);
    EXPECT_EQ(view.boxLines.back(), "Recipe Box: " + box + " (0 recipes)");
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(NewRecipeBox, EveryExtensionIsRemovedEvenWhenRemovalMakesAnother) {
    ASSERT_TRUE(dialog->Boxes().NewRecipeBox("  Old.crb.CRB Recipes.c.crbrb "));
    EXPECT_TRUE(fs::is_regular_file(dataRoot + "/Rbox/old recipes/old recipes.crb"));
}

TEST_F(NewRecipeBox, NamesThatLeaveTheRboxFolderOrAreEmptyAreRefused) {
    for (const std::string name : {"", ".CRB", "   ", "../escape", "a/b", "..", ".", "x..y"}) {
        SCOPED_TRACE(name);
        prompter.shown.clear();
        EXPECT_FALSE(dialog->Boxes().NewRecipeBox(name));
        ASSERT_EQ(prompter.Messages().size(), 1u);
        EXPECT_NE(prompter.Messages()[0].find("cannot be used as the name of a recipe box"),
                  std::string::npos);
        EXPECT_EQ(dialog->Boxes().OpenBoxFile(), Standard()) << "the open box stays open";
    }
    EXPECT_FALSE(fs::exists(dataRoot + "/escape"));
    EXPECT_FALSE(fs::exists(dataRoot + "/Rbox/a"));
    int entries = 0;
    for (const auto& e : fs::directory_iterator(dataRoot + "/Rbox")) entries += e.exists();
    EXPECT_EQ(entries, 1);
}

TEST_F(NewRecipeBox, ExistingBoxIsReplacedOnlyOnTheUsersWord) {
    ASSERT_TRUE(dialog->Boxes().NewRecipeBox("family"));
    const std::string box = dataRoot + "/Rbox/family/family.crb";
    ASSERT_EQ(Value("INSERT INTO Recipes (RecipeID, Title) VALUES (1, 'Pie')"), "");
    ASSERT_TRUE(dialog->Boxes().OpenBox(Standard()));

    prompter.shown.clear();
    EXPECT_FALSE(dialog->Boxes().NewRecipeBox("Family"));  // the default answer is No
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Replace recipe box?");
    EXPECT_EQ(dialog->Boxes().OpenBoxFile(), Standard());
    ASSERT_TRUE(dialog->Boxes().OpenBox(box));
    EXPECT_EQ(Number("Select count(*) from Recipes"), 1);

    prompter.answers = {Answer::Yes};
    EXPECT_TRUE(dialog->Boxes().NewRecipeBox("FAMILY.crb"));
    EXPECT_EQ(dialog->Boxes().OpenBoxFile(), box);
    EXPECT_EQ(Number("Select count(*) from Recipes"), 0);
}

TEST_F(NewRecipeBox, MissingTemplateCreatesNothingAndKeepsTheOpenBox) {
    fs::remove(dataRoot + "/Data/cookbook_template_do_not_delete.crb");
    EXPECT_FALSE(dialog->Boxes().NewRecipeBox("family"));
    EXPECT_FALSE(fs::exists(dataRoot + "/Rbox/family"));
    EXPECT_EQ(dialog->Boxes().OpenBoxFile(), Standard());
    EXPECT_EQ(dialog->CurrentSettings().CookbookPath, Standard());
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_NE(prompter.Messages()[0].find("cookbook_template_do_not_delete.crb"),
              std::string::npos);
}

TEST_F(NewRecipeBox, BoxThatCannotBeCreatedReopensThePreviousBox) {
    fs::create_directories(dataRoot + "/Rbox/family/family.crb/inside");  // a folder in the way
    prompter.answers = {Answer::Yes};
    EXPECT_FALSE(dialog->Boxes().NewRecipeBox("family"));
    EXPECT_EQ(dialog->Boxes().OpenBoxFile(), Standard());
    EXPECT_EQ(dialog->CurrentSettings().CookbookPath, Standard());
    EXPECT_TRUE(prompter.ShowedStartingWith("Could not create the recipe box "));
}

}  // namespace
}  // namespace pantrio::test
