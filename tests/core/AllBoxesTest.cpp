// Finding recipes in every recipe box: the Find dialogs with "all recipe
// boxes" ticked list the rows of every box of the Rbox folder by title, each
// naming its box; a broken box is skipped with a note; opening a row of
// another box switches to it without losing the list, and the commands that
// change recipes act only on rows of the open box.
#include <filesystem>
#include <fstream>

#include "core/CommandsFixture.h"
#include "search/AllBoxesSearch.h"

namespace pantrio::test {
namespace {

namespace fs = std::filesystem;

struct Listed {
    std::string box;
    long id;
    std::string title;
    bool operator==(const Listed&) const = default;
};

class AllBoxes : public CommandsFixture {
protected:
    // The standard box, "family" in a folder of its own (as New Recipe Box
    // makes it), "work" beside the standard box, and a file that only has
    // the extension of a box.
    void SetUp() override {
        CommandsFixture::SetUp();
        const std::string templ = dataRoot + "/Data/cookbook_template_do_not_delete.crb";
        fs::create_directories(dataRoot + "/Rbox/family");
        fs::copy_file(templ, FamilyBox());
        fs::copy_file(templ, WorkBox());
        std::ofstream(dataRoot + "/Rbox/broken.crb") << "not a database at all\n";
        AddRecipes(StandardBox(), {"Pear Tart", "Bean Stew"});
        AddRecipes(FamilyBox(), {"Apple Pie", "Plum Pie", "Pear Tart"});
        AddRecipes(WorkBox(), {"Pumpkin Pie"});
    }
    std::string FamilyBox() const { return dataRoot + "/Rbox/family/family.crb"; }
    std::string WorkBox() const { return dataRoot + "/Rbox/work.crb"; }
    static int Icon(const std::string& box, int id) {
        RecipeDB db;
        return db.Open(box, true) ? db.RecipeIcon(id) : -2;
    }

    std::vector<Listed> ListedRows() {
        std::vector<Listed> rows;
        for (const ResultRow& row : view.rows)
            rows.push_back({BoxName(row.box), row.recipeID, row.title});
        return rows;
    }
    int FindAll(const std::string& title) {
        FindRecipesRequest request;
        request.criteria.titleText = title;
        request.criteria.titleBeginsWith = false;
        request.allBoxes = true;
        return dialog->Find().FindRecipes(request);
    }
};

TEST_F(AllBoxes, FindRecipesListsEveryBoxByTitleAndSkipsABrokenOne) {
    Start();
    EXPECT_EQ(FindAll("P"), 5);
    const std::vector<Listed> expected = {{"family", 1, "Apple Pie"},
                                          {"family", 3, "Pear Tart"},
                                          {"standard", 1, "Pear Tart"},
                                          {"family", 2, "Plum Pie"},
                                          {"work", 1, "Pumpkin Pie"}};
    EXPECT_EQ(ListedRows(), expected);
    const std::string status = view.statusTexts.back();
    EXPECT_EQ(status.rfind("5 recipes / 3 recipe boxes; skipped: broken (", 0), 0u) << status;
    EXPECT_TRUE(prompter.shown.empty()) << "a broken box is no message box";
    // The boxes stay as they were: none was opened for writing or left open.
    EXPECT_EQ(dialog->Boxes().OpenBoxFile(), StandardBox());

    // Without the tick only the open box is searched, and its rows name no box.
    FindRecipesRequest local;
    local.criteria.titleText = "P";
    local.criteria.titleBeginsWith = false;
    EXPECT_EQ(dialog->Find().FindRecipes(local), 1);
    EXPECT_EQ(dialog->Results().RowBox(0), "");

    // The Find dialog's text search takes the same choice.
    FindDialogValues values;
    values.text = "pie";
    values.allBoxes = true;
    dialog->Find().RunFind(values);
    ASSERT_EQ(view.rows.size(), 3u);
    EXPECT_EQ(view.rows[2].title, "Pumpkin Pie");
    EXPECT_TRUE(dialog->Find().LastFind().allBoxes) << "the dialog opens as it was left";
}

TEST_F(AllBoxes, BoxesAreFoundBelowTheRboxFolderAndTheOpenBoxOnce) {
    const std::string elsewhere = temp.PathOf("elsewhere.crb");
    fs::copy_file(WorkBox(), elsewhere);
    const std::vector<std::string> found = RecipeBoxFiles(dataRoot + "/Rbox", elsewhere);
    std::vector<std::string> names;
    for (const std::string& path : found) names.push_back(BoxName(path));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"broken", "elsewhere", "family", "standard", "work"}));
    EXPECT_EQ(RecipeBoxFiles(dataRoot + "/Rbox", StandardBox()).size(), 4u)
        << "the open box inside the folder is searched once";
}

TEST_F(AllBoxes, OpeningARowOfAnotherBoxSwitchesAndKeepsTheList) {
    Start();
    FindAll("P");
    const std::vector<Listed> before = ListedRows();
    // Row 1 is "Pear Tart" of the family box, number 3.
    view.Select({1});
    dialog->Recipes().OnRowSelected(1);
    EXPECT_EQ(dialog->Boxes().OpenBoxFile(), FamilyBox());
    EXPECT_EQ(dialog->Recipes().CurrentID(), 3);
    EXPECT_EQ(dialog->Recipes().Current().Title, "Pear Tart");
    EXPECT_EQ(ListedRows(), before) << "the list of every box stays";
    EXPECT_TRUE(prompter.shown.empty());

    // The standard box's own recipe 1 is another recipe than the family's 1.
    dialog->Recipes().OnRowSelected(2);
    EXPECT_EQ(dialog->Boxes().OpenBoxFile(), StandardBox());
    EXPECT_EQ(dialog->Recipes().Current().Title, "Pear Tart");
    dialog->Recipes().OnRowSelected(0);
    EXPECT_EQ(dialog->Recipes().Current().Title, "Apple Pie");
    view.Select({2});
    dialog->Recipes().NextRecipe();
    EXPECT_EQ(dialog->Recipes().Current().Title, "Plum Pie");
    EXPECT_EQ(dialog->Boxes().OpenBoxFile(), FamilyBox());
}

TEST_F(AllBoxes, MarksGoToTheRowsOwnBoxAndDeleteSparesOtherBoxes) {
    Start();
    FindAll("P");
    // The work box's Pumpkin Pie (row 4) is marked in the work box; the
    // open standard box's recipe 1 keeps its mark.
    view.Select({4});
    EXPECT_EQ(dialog->Results().ToggleMarkOnRow(4), 7);
    EXPECT_EQ(Icon(WorkBox(), 1), 7);
    EXPECT_EQ(Icon(StandardBox(), 1), 0);
    EXPECT_EQ(dialog->Boxes().OpenBoxFile(), StandardBox());

    // Deleting rows of other boxes deletes nothing in the open box.
    view.Select({0, 4});
    dialog->Recipes().DeleteRecipes();
    EXPECT_TRUE(prompter.ShowedStartingWith("These recipes belong to another recipe box."));
    EXPECT_EQ(Column(StandardBox(), 1, "Title"), "Pear Tart");
    EXPECT_EQ(Column(FamilyBox(), 1, "Title"), "Apple Pie");

    // A row of the open box goes, and leaves the list.
    view.Select({2});
    prompter.answers.push_back(Answer::OK);
    dialog->Recipes().DeleteRecipes();
    EXPECT_EQ(Column(StandardBox(), 1, "Title"), "");
    EXPECT_EQ(Column(FamilyBox(), 3, "Title"), "Pear Tart");
}

}  // namespace
}  // namespace pantrio::test
