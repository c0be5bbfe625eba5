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
    int refills = 0;
    dialog->hooks.fillAllRecipes = [&] { ++refills; };
    dialog->CurrentRecipeNumber = 12;
    ASSERT_TRUE(dialog->NewRecipeBox("Family.CRB"));
    const std::string box = dataRoot + "/Rbox/family/family.crb";
    EXPECT_TRUE(fs::is_regular_file(box));
    EXPECT_TRUE(fs::is_directory(dataRoot + "/Rbox/family/Pictures"));
    EXPECT_TRUE(fs::is_empty(dataRoot + "/Rbox/family/Pictures"));
    EXPECT_EQ(dialog->Settings.CookbookPath, box);
    EXPECT_EQ(dialog->RecipeStore.FilePath(), box);
    EXPECT_EQ(dialog->CurrentRecipeNumber, -1);
    EXPECT_EQ(refills, 1);
    EXPECT_GE(view.clears, 1);
    EXPECT_EQ(view.boxLines.back(), "Recipe Box: " + box + " (0 recipes)");
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(NewRecipeBox, EveryExtensionIsRemovedEvenWhenRemovalMakesAnother) {
    ASSERT_TRUE(dialog->NewRecipeBox("  Old.crb.CRB Recipes.c.crbrb "));
    EXPECT_TRUE(fs::is_regular_file(dataRoot + "/Rbox/old recipes/old recipes.crb"));
}

TEST_F(NewRecipeBox, NamesThatLeaveTheRboxFolderOrAreEmptyAreRefused) {
    for (const std::string name : {"", ".CRB", "   ", "../escape", "a/b", "..", ".", "x..y"}) {
        SCOPED_TRACE(name);
        prompter.shown.clear();
        EXPECT_FALSE(dialog->NewRecipeBox(name));
        ASSERT_EQ(prompter.Messages().size(), 1u);
        EXPECT_NE(prompter.Messages()[0].find("cannot be used as the name of a recipe box"),
                  std::string::npos);
        EXPECT_EQ(dialog->RecipeStore.FilePath(), Standard()) << "the open box stays open";
    }
    EXPECT_FALSE(fs::exists(dataRoot + "/escape"));
    EXPECT_FALSE(fs::exists(dataRoot + "/Rbox/a"));
    int entries = 0;
    for (const auto& e : fs::directory_iterator(dataRoot + "/Rbox")) entries += e.exists();
    EXPECT_EQ(entries, 1);
}

TEST_F(NewRecipeBox, ExistingBoxIsReplacedOnlyOnTheUsersWord) {
    ASSERT_TRUE(dialog->NewRecipeBox("family"));
    const std::string box = dataRoot + "/Rbox/family/family.crb";
    ASSERT_EQ(dialog->RecipeStore.RunSQL("INSERT INTO Recipes (RecipeID, Title) VALUES (1, 'Pie')"),
              1);
    ASSERT_TRUE(dialog->OpenBox(Standard()));

    prompter.shown.clear();
    EXPECT_FALSE(dialog->NewRecipeBox("Family"));  // the default answer is No
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "Replace recipe box?");
    EXPECT_EQ(dialog->RecipeStore.FilePath(), Standard());
    ASSERT_TRUE(dialog->OpenBox(box));
    EXPECT_EQ(dialog->RecipeStore.CountRecipes(), 1);

    prompter.answers = {Answer::Yes};
    EXPECT_TRUE(dialog->NewRecipeBox("FAMILY.crb"));
    EXPECT_EQ(dialog->RecipeStore.FilePath(), box);
    EXPECT_EQ(dialog->RecipeStore.CountRecipes(), 0);
}

TEST_F(NewRecipeBox, MissingTemplateCreatesNothingAndKeepsTheOpenBox) {
    fs::remove(dataRoot + "/Data/cookbook_template_do_not_delete.crb");
    EXPECT_FALSE(dialog->NewRecipeBox("family"));
    EXPECT_FALSE(fs::exists(dataRoot + "/Rbox/family"));
    EXPECT_EQ(dialog->RecipeStore.FilePath(), Standard());
    EXPECT_EQ(dialog->Settings.CookbookPath, Standard());
    ASSERT_EQ(prompter.Messages().size(), 1u);
    EXPECT_NE(prompter.Messages()[0].find("cookbook_template_do_not_delete.crb"),
              std::string::npos);
}

TEST_F(NewRecipeBox, BoxThatCannotBeCreatedReopensThePreviousBox) {
    fs::create_directories(dataRoot + "/Rbox/family/family.crb/inside");  // a folder in the way
    prompter.answers = {Answer::Yes};
    EXPECT_FALSE(dialog->NewRecipeBox("family"));
    EXPECT_EQ(dialog->RecipeStore.FilePath(), Standard());
    EXPECT_EQ(dialog->Settings.CookbookPath, Standard());
    EXPECT_TRUE(prompter.ShowedStartingWith("Could not create the recipe box "));
}

}  // namespace
}  // namespace pantrio::test
