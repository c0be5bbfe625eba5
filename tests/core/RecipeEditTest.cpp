// Writing and editing a recipe through the window's logic: fields, the New
// command, lines and their order and food links, and the picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/CommandsFixture.h"
#include "recipe/RecipePicture.h"

namespace pantrio::test {
namespace {

class RecipeEditTest : public CommandsFixture {
protected:
    // Starts on the standard box with recipe 1 current.
    RecipeEditController& StartEditing() {
        AddRecipes(StandardBox(), {"Apple", "Banana"});
        MainDialog& d = Start();
        EXPECT_TRUE(d.Editing().EditRecipe(1));
        d.Editing().autoLink = [this](const IngredientLine& line) {
            linked.push_back(line.Name);
            return 0L;
        };
        return d.Editing();
    }
    const Recipe& Current() { return dialog->Recipes().Current(); }
    // The stored lines of recipe 1 as "order:name", in order.
    std::string StoredLines() {
        std::string out;
        RecipeDB db;
        db.Open(StandardBox());
        Recipe r;
        db.LoadIngredientLines(1, r);
        for (const IngredientLine& line : r.Lines)
            out += std::to_string(line.LineOrder) + ":" + line.Name + " ";
        return out;
    }
    long Add(const std::string& text, bool heading = false) {
        std::string error;
        const long id = dialog->Editing().AddLineText(text, heading, error);
        EXPECT_GT(id, 0) << error;
        return id;
    }

    void Box(const std::string& sql) { ASSERT_TRUE(TempDataRoot::Exec(StandardBox(), sql)) << sql; }

    std::vector<std::string> linked;
};

TEST_F(RecipeEditTest, TextFieldsKeepApostrophesAndMarkupAsTyped) {
    RecipeEditController& edit = StartEditing();
    const std::string tricky = "Mom's \"best\" <b>pie</b> & '' ~quote";
    for (const char* field : {"Title", "SubHead", "Source", "Cuisine", "PrimaryIngredient",
                              "YieldUnit", "YieldText", "Instructions", "Notes"}) {
        SCOPED_TRACE(field);
        std::string error;
        ASSERT_TRUE(edit.SetField(field, tricky, error)) << error;
        EXPECT_EQ(Column(StandardBox(), 1, field), tricky);
    }
    EXPECT_EQ(Current().Title, tricky);
    EXPECT_EQ(Current().Notes, tricky);
    // The title shows in the results list at once, and the pages are rendered anew.
    EXPECT_FALSE(view.changedRows.empty());
    EXPECT_GT(view.refreshes, 0);
}

TEST_F(RecipeEditTest, NumberFieldsAreCheckedAndMultiLineTextKeepsCrLf) {
    RecipeEditController& edit = StartEditing();
    const struct {
        const char* field;
        const char* value;
        bool accepted;
        const char* stored;
    } cases[] = {
        {"YieldNumber", "1 1/2", true, "1.5"},
        {"YieldNumber", "2.25", true, "2.3"},
        {"YieldNumber", "lots", false, "2.3"},
        {"YieldNumber", "0", false, "2.3"},
        {"TasteRating", "4", true, "4"},
        {"TasteRating", "6", false, "4"},
        {"ActiveMinutes", "45", true, "45"},
        {"TotalMinutes", "-3", false, "0"},
        {"TotalMinutes", "9999999999", false, "0"},
        {"Instructions", "Mix.\nBake.\r\nServe.", true, "Mix.\r\nBake.\r\nServe."},
        {"Title", "   ", false, "Apple"},
        {"PictureFile1", "../x.jpg", false, ""},
        {"NoSuchField", "1", false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field) + "=" + c.value);
        std::string error;
        EXPECT_EQ(edit.SetField(c.field, c.value, error), c.accepted);
        EXPECT_EQ(error.empty(), c.accepted);
        if (c.stored != nullptr) {
            const std::string value = Column(StandardBox(), 1, c.field);
            EXPECT_EQ(value.substr(0, std::string(c.stored).size()), c.stored);
        }
    }
    // With nothing current nothing is written.
    dialog->Recipes().Forget();
    std::string error;
    EXPECT_FALSE(edit.SetField("Title", "Orphan", error));
    EXPECT_EQ(Column(StandardBox(), 2, "Title"), "Banana");
}

TEST_F(RecipeEditTest, NewRecipeStoresTheDialogsProposalAndListsItAlone) {
    AddRecipes(StandardBox(), {"Apple"});
    MainDialog& d = Start();
    view.newRecipeAnswer = NewRecipeFields{};
    ASSERT_TRUE(d.CommandEnabled(command::kNewRecipe));
    ASSERT_TRUE(d.RunCommand(command::kNewRecipe));
    EXPECT_EQ(view.newRecipeProposed.title, "My new recipe");
    EXPECT_EQ(d.Recipes().CurrentID(), 2);
    EXPECT_EQ(Column(StandardBox(), 2, "Title"), "My new recipe");
    EXPECT_EQ(Column(StandardBox(), 2, "YieldText"), "4 Servings");
    EXPECT_EQ(Number("Select YieldNumber from Recipes where RecipeID = 2"), 4);
    EXPECT_EQ(view.RowCount(), 1);
    EXPECT_EQ(view.RowRecipeID(0), 2);
    EXPECT_TRUE(prompter.ShowedStartingWith("Now please enter the ingredients"));
    EXPECT_EQ(view.editTabShown, 1);

    // Cancel stores nothing.
    view.newRecipeAnswer.reset();
    d.RunCommand(command::kNewRecipe);
    EXPECT_EQ(Number("Select Count(*) from Recipes"), 2);
}

TEST_F(RecipeEditTest, LineOrderStaysDenseThroughAddsAndDeletes) {
    RecipeEditController& edit = StartEditing();
    Add("2 cups flour, sifted");
    Add("Sauce:", true);
    Add("1/2 cup Mom's sugar");
    Add("salt to taste");
    EXPECT_EQ(StoredLines(), "1:flour 2:Sauce: 3:Mom's sugar 4:salt ");
    const IngredientLine& heading = Current().Lines[1];
    EXPECT_TRUE(heading.bHeading);
    EXPECT_EQ(heading.TextQty + heading.Measure + heading.PrepNotes, "");
    EXPECT_EQ(Current().Lines[0].PrepNotes, "sifted");
    EXPECT_EQ(Current().Lines[2].DblQty, 0.5);
    // Headings are not linked; every other new line is, apostrophe and all.
    EXPECT_EQ(linked, (std::vector<std::string>{"flour", "Mom's sugar", "salt"}));
    EXPECT_EQ(view.lineEntryClears, 4);

    std::string error;
    ASSERT_TRUE(edit.DeleteLine(1, error)) << error;
    EXPECT_EQ(StoredLines(), "1:flour 2:Mom's sugar 3:salt ");
    ASSERT_GT(edit.AppendEmptyLine(error), 0) << error;
    ASSERT_TRUE(edit.EditCell(3, LineColumn::Ingredient, "pepper", error)) << error;
    ASSERT_TRUE(edit.DeleteLine(0, error)) << error;
    EXPECT_EQ(StoredLines(), "1:Mom's sugar 2:salt 3:pepper ");
    EXPECT_FALSE(edit.DeleteLine(3, error));
    EXPECT_FALSE(error.empty());

    // The questions of the grid's keys: No changes nothing.
    EXPECT_LT(edit.InsertLineAsked(), 0);
    EXPECT_FALSE(edit.DeleteLineAsked(0));
    EXPECT_EQ(StoredLines(), "1:Mom's sugar 2:salt 3:pepper ");
    prompter.answers = {Answer::Yes};
    EXPECT_TRUE(edit.DeleteLineAsked(0));
    EXPECT_EQ(StoredLines(), "1:salt 2:pepper ");
}

TEST_F(RecipeEditTest, EditingACellRelinksTheLineExceptForItsNotes) {
    RecipeEditController& edit = StartEditing();
    const long lineID = Add("1 cup milk");
    Box("INSERT INTO IngredientLinesNutrients (IngredientLinesNutrientsID, IngredientLinesID, "
        "NutrientID, BaseRecipeGramWeight) VALUES (1, " +
        std::to_string(lineID) + ", 1077, 244)");
    const std::string links = "Select Count(*) from IngredientLinesNutrients";
    std::string error;
    linked.clear();
    ASSERT_TRUE(edit.EditCell(0, LineColumn::PrepNotes, "cold, 'fresh'", error));
    EXPECT_EQ(Number(links), 1);
    EXPECT_TRUE(linked.empty());
    ASSERT_TRUE(edit.EditCell(0, LineColumn::Quantity, "1 1/2", error));
    EXPECT_EQ(Number(links), 0);
    EXPECT_EQ(linked, std::vector<std::string>{"milk"});
    EXPECT_EQ(Current().Lines[0].DblQty, 1.5);
    EXPECT_EQ(Current().Lines[0].PrepNotes, "cold, 'fresh'");
    // Widths are cut as every save cuts them.
    ASSERT_TRUE(edit.EditCell(0, LineColumn::Unit, "tablespoonful", error));
    EXPECT_EQ(Current().Lines[0].Measure, "tablespoon");
    EXPECT_FALSE(edit.EditCell(5, LineColumn::Unit, "cup", error));
}

TEST_F(RecipeEditTest, EntryRowWithoutARecipeOffersANewOneAndBlankAddsNothing) {
    RecipeEditController& edit = StartEditing();
    std::string error;
    EXPECT_EQ(edit.AddLine(LineEntry{" ", "", "  ", ""}, error), 0);
    EXPECT_EQ(StoredLines(), "");
    dialog->Recipes().Forget();
    EXPECT_EQ(edit.AddLine(LineEntry{"1", "cup", "rice", ""}, error), 0);
    EXPECT_TRUE(prompter.Showed("Add a new recipe?"));
    EXPECT_EQ(Number("Select Count(*) from IngredientLines"), 0);
}

TEST_F(RecipeEditTest, ARecipeHoldsAtMostAHundredLines) {
    RecipeEditController& edit = StartEditing();
    for (int i = 1; i <= Recipe::kMaxLines; ++i)
        Box("INSERT INTO IngredientLines (IngredientLinesID, RecipeID, LineOrder, Name) VALUES (" +
            std::to_string(i) + ", 1, " + std::to_string(i) + ", 'n')");
    std::string error;
    EXPECT_LT(edit.AddLineText("1 egg", false, error), 0);
    EXPECT_NE(error.find("at most 100"), std::string::npos);
    EXPECT_EQ(Number("Select Count(*) from IngredientLines"), Recipe::kMaxLines);
}

TEST_F(RecipeEditTest, PicturesAreReducedStoredAndClearedSafely) {
    RecipeEditController& edit = StartEditing();
    std::string error;
    ASSERT_TRUE(edit.SetField("Title", "Mom's Pie", error));
    const std::string source = temp.PathOf("photo.jpg");
    RgbImage image{600, 400, std::vector<unsigned char>(600 * 400 * 3, 128)};
    ASSERT_TRUE(WriteJpegFile(image, source, 90));
    { std::ofstream(temp.PathOf("broken.jpg")) << "not a picture"; }

    // A broken file says why and stores nothing.
    EXPECT_FALSE(edit.PictureFromFile(temp.PathOf("broken.jpg"), error));
    EXPECT_NE(error.find("broken.jpg"), std::string::npos);
    EXPECT_EQ(Column(StandardBox(), 1, "PictureFile1"), "");

    prompter.fileNames = {source};
    edit.BrowsePicture();
    const std::string pictures = dataRoot + "/Rbox/Pictures/";
    EXPECT_EQ(Column(StandardBox(), 1, "PictureFile1"), "1_Mom_s_Pie.jpg");
    RgbImage stored;
    ASSERT_EQ(ReadJpegFile(pictures + "1_Mom_s_Pie.jpg", stored), PictureResult::Ok);
    EXPECT_EQ(stored.width, 300);
    EXPECT_EQ(stored.height, 200);

    // Clear asks before deleting; Cancel keeps the file but clears the name.
    edit.ClearPictureAsked();
    EXPECT_TRUE(prompter.ShowedStartingWith("Also delete "));
    EXPECT_TRUE(std::filesystem::exists(pictures + "1_Mom_s_Pie.jpg"));
    EXPECT_EQ(Column(StandardBox(), 1, "PictureFile1"), "");
    ASSERT_TRUE(edit.SetField("PictureFile1", "1_Mom_s_Pie.jpg", error));
    prompter.answers = {Answer::OK};
    edit.ClearPictureAsked();
    EXPECT_FALSE(std::filesystem::exists(pictures + "1_Mom_s_Pie.jpg"));

    // A name pointing out of the folder, stored by another program, is never deleted.
    Box("UPDATE Recipes SET PictureFile1 = '../standard.crb' WHERE RecipeID = 1");
    ASSERT_TRUE(edit.EditRecipe(1));
    ASSERT_TRUE(edit.ClearPicture(true, error));
    EXPECT_TRUE(std::filesystem::exists(StandardBox()));

    // Paste with no recipe on view.
    dialog->Recipes().Forget();
    prompter.shown.clear();
    edit.PastePicture();
    EXPECT_TRUE(prompter.Showed("You must be viewing a recipe first."));
}

}  // namespace
}  // namespace pantrio::test
