// "Export cookbook...": which recipes go into the book (the marked ones of
// the open box, else the results list, rows of other boxes included) and
// the book made of them, recipe pages in the chosen theme.
#include <filesystem>

#include "core/CommandsFixture.h"
#include "core/MainCommands.h"

namespace pantrio::test {
namespace {

namespace fs = std::filesystem;

class CookbookCommand : public CommandsFixture {
protected:
    std::vector<std::string> Titles(const std::vector<CookbookItem>& items) {
        std::string error;
        const auto book = dialog->Cookbooks().MakeCookbook(items, "Book", 0, error);
        EXPECT_TRUE(book.has_value()) << error;
        std::vector<std::string> titles;
        if (book)
            for (const CookbookRecipe& recipe : book->Recipes()) titles.push_back(recipe.title);
        return titles;
    }
};

TEST_F(CookbookCommand, MarkedRecipesComeFirstElseTheListedOnes) {
    AddRecipes(StandardBox(), {"Quince Jam", "Bean Stew", "Apple Pie"});
    Start();
    // Nothing marked: the list as it stands, in its order.
    dialog->Results().FillResults(
        "Select RecipeID, Title, Color, Marked, TasteRating from Recipes "
        "where RecipeID <> 2 order by Title desc");
    EXPECT_EQ(Titles(dialog->Cookbooks().RecipesToExport()),
              (std::vector<std::string>{"Quince Jam", "Apple Pie"}));

    ASSERT_TRUE(
        TempDataRoot::Exec(StandardBox(), "UPDATE Recipes SET Marked = 1 WHERE RecipeID <> 3"));
    EXPECT_EQ(Titles(dialog->Cookbooks().RecipesToExport()),
              (std::vector<std::string>{"Bean Stew", "Quince Jam"}));

    // A row of a search of every box is read from its own box.
    const std::string other = dataRoot + "/Rbox/other.crb";
    fs::copy_file(dataRoot + "/Data/cookbook_template_do_not_delete.crb", other);
    AddRecipes(other, {"Fig Roll"});
    EXPECT_EQ(Titles({{other, 1}, {"", 3}}), (std::vector<std::string>{"Fig Roll", "Apple Pie"}));
}

TEST_F(CookbookCommand, TheBookHoldsThemedPagesOrSaysWhatIsWrong) {
    AddRecipes(StandardBox(), {"Apple Pie"});
    ASSERT_TRUE(TempDataRoot::Exec(StandardBox(),
                                   "UPDATE Recipes SET AllCategoriesText = '|Desserts|Baking'"));
    Start();
    std::string error;
    const auto book = dialog->Cookbooks().MakeCookbook({{"", 1}}, "Ours", 5, error);
    ASSERT_TRUE(book.has_value()) << error;
    EXPECT_EQ(book->Title(), "Ours");
    ASSERT_EQ(book->Recipes().size(), 1u);
    EXPECT_EQ(book->Recipes()[0].keywords, (std::vector<std::string>{"Desserts", "Baking"}));
    EXPECT_NE(book->Recipes()[0].page.find("Cook Apple Pie."), std::string::npos);
    EXPECT_NE(book->Recipes()[0].page.find("pxr5"), std::string::npos) << "theme 5's page";

    EXPECT_FALSE(dialog->Cookbooks().MakeCookbook({{"", 9}}, "Ours", 0, error));
    EXPECT_EQ(error, "No recipe number 9 in " + StandardBox() + ".");
    EXPECT_FALSE(dialog->Cookbooks().MakeCookbook({{"", 1}}, "Ours", 8, error));
    EXPECT_EQ(error, "There is no theme 8; the themes are 0 to 7.");

    // The dialog opens with the box's name; nothing listed, nothing to export.
    EXPECT_EQ(dialog->Cookbooks().InitialChoices().title, "standard");
    dialog->Results().ClearResults();
    dialog->RunCommand(command::kExportCookbook);
    EXPECT_TRUE(prompter.Showed(
        "There are no recipes for a cookbook.  Mark recipes, or list them, first."));
}

}  // namespace
}  // namespace pantrio::test
