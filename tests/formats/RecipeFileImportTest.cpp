#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "base/Prompter.h"
#include "formats/ImportProgress.h"
#include "formats/MealMasterImport.h"
#include "formats/RecipeDocument.h"
#include "formats/RecipeFileImport.h"
#include "recipe/Recipe.h"
#include "storage/RecipeDB.h"
#include "support/TestDatabases.h"

namespace pantrio {
namespace {

using Texts = std::vector<std::string>;

class ScriptedPrompter : public Prompter {
public:
    Answer Message(const std::string& text, const std::string& caption, Buttons,
                   MessageIcon) override {
        messages.push_back(text);
        captions.push_back(caption);
        return answer;
    }
    std::optional<std::string> AskText(const std::string&, const std::string&,
                                       const std::string&) override {
        return {};
    }
    std::optional<std::string> OpenFile(const std::string&, const std::string&,
                                        const std::string&) override {
        return {};
    }
    std::optional<std::string> SaveFile(const std::string&, const std::string&,
                                        const std::string&) override {
        return {};
    }
    Answer answer = Answer::OK;
    Texts messages;
    Texts captions;
};

std::string DataFile(const std::string& name) {
    return std::string(PANTRIO_TEST_DATA_DIR) + "/rxf/" + name;
}

const char* const kCouldNotRead = "Could not read Pantrio Recipe.";

std::string ImportedMessage(const std::string& title) {
    return "The recipe '" + title +
           "' has been successfully imported to your recipe box.  You may need to refresh to "
           "view it.";
}

class RecipeFileImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.Ok()) << root.Error();
        ASSERT_TRUE(db.Open(root.boxPath)) << db.ErrorReport();
    }

    int Import(const std::string& path, bool ask = false) {
        return ImportRecipeFile(path, ask, db, progress, prompter, &summary);
    }
    long Count(const std::string& table) { return db.QueryNumber("Select Count(*) from " + table); }
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = root.PathOf(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    test::TempDataRoot root;
    RecipeDB db;
    RecordingProgress progress;
    ScriptedPrompter prompter;
    ImportSummary summary;
};

TEST_F(RecipeFileImportTest, SingleRecipeIsStoredAndAnnounced) {
    ASSERT_EQ(Import(DataFile("single_recipe.rxf")), 0);
    EXPECT_EQ(prompter.messages, Texts{ImportedMessage("Buttermilk Pancakes")});
    EXPECT_EQ(progress.position, 100);
    EXPECT_EQ(Count("Recipes"), 1);
    EXPECT_EQ(Count("IngredientLines"), 3);
    EXPECT_EQ(summary.stored, 1);

    const int id = db.QueryInt("Select RecipeID from Recipes");
    Recipe stored;
    ASSERT_EQ(db.LoadRecipe(id, stored), 1);
    EXPECT_EQ(stored.Instructions,
              "Whisk the dry ingredients & the wet ones separately, then combine. Cook on a hot "
              "griddle.");
    EXPECT_EQ(stored.TasteRating, 4);
    EXPECT_EQ(stored.ActiveMinutes, 10);
    EXPECT_EQ(stored.AllCategoriesText, "|Breakfast|Quick");
    ASSERT_EQ(db.LoadIngredientLines(id, stored), 3);
    EXPECT_TRUE(stored.Lines[0].bHeading);
    EXPECT_EQ(stored.Lines[2].TextQty, "1 1/2");
    EXPECT_EQ(stored.Lines[2].Name, "buttermilk");

    // The same file again is a duplicate: listed, not stored, not announced.
    prompter.messages.clear();
    ASSERT_EQ(Import(DataFile("single_recipe.rxf")), 0);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(progress.messages.Texts(),
              Texts{"Duplicate found: Buttermilk Pancakes.  Not added."});
    EXPECT_EQ(Count("Recipes"), 1);
}

TEST_F(RecipeFileImportTest, AskingFirstAndDeclining) {
    prompter.answer = Answer::Cancel;
    const std::string path = DataFile("single_recipe.rxf");
    EXPECT_EQ(Import(path, true), -1);
    EXPECT_EQ(prompter.messages,
              Texts{"Would you like to import " + path + " into your recipe box?"});
    EXPECT_EQ(prompter.captions, Texts{"Import Recipe into Pantrio"});
    EXPECT_EQ(Count("Recipes"), 0);

    prompter.answer = Answer::OK;
    EXPECT_EQ(Import(path, true), 0);
    EXPECT_EQ(Count("Recipes"), 1);
}

TEST_F(RecipeFileImportTest, SeveralRecipesWithOneAlreadyInTheBox) {
    ASSERT_EQ(Import(DataFile("single_recipe.rxf")), 0);
    prompter.messages.clear();

    ASSERT_EQ(Import(DataFile("three_recipes.rxf")), 0);
    EXPECT_TRUE(prompter.messages.empty());  // a bulk import announces nothing
    EXPECT_EQ(progress.messages.Texts(),
              Texts{"Duplicate found: Buttermilk Pancakes.  Not added."});
    EXPECT_EQ(summary.recipesFound, 3);
    EXPECT_EQ(summary.stored, 2);
    EXPECT_EQ(summary.notStored, 1);
    EXPECT_EQ(Count("Recipes"), 3);
    EXPECT_EQ(Count("IngredientLines"), 3 + 2 + 1);
    const Texts statuses(progress.statuses.end() - 3, progress.statuses.end());
    EXPECT_EQ(statuses, (Texts{"Importing Buttermilk Pancakes", "Importing Mom's Chili & Beans",
                               "Importing Green Salad"}));
    EXPECT_GE(progress.position, 95);
    EXPECT_EQ(db.TransactionDepth(), 0);

    const int chili =
        db.QueryInt("Select RecipeID from Recipes where Title = 'Mom''s Chili & Beans'");
    ASSERT_GT(chili, 0);
    Recipe stored;
    ASSERT_EQ(db.LoadRecipe(chili, stored), 1);
    EXPECT_EQ(stored.Instructions,
              "Brown the beef. Add beans & tomatoes; simmer 2 hours. Questions? mail "
              "me@example.org");
    EXPECT_EQ(stored.UniqueID, 4711);
    EXPECT_EQ(stored.TasteRating, 5);
}

TEST_F(RecipeFileImportTest, AnUnreadableRecipeIsListedAndTheOthersStored) {
    ASSERT_EQ(Import(DataFile("one_unreadable.rxf")), 0);
    EXPECT_EQ(Count("Recipes"), 2);
    ASSERT_EQ(progress.messages.rows.size(), 1u);
    EXPECT_EQ(progress.messages.rows[0].text,
              "Recipe 2 (line 59) could not be read: the RECIPE element has no fields.");
    EXPECT_EQ(summary.notStored, 1);
}

TEST_F(RecipeFileImportTest, CancelKeepsWholeRecipesOnly) {
    progress.CancelAfterBreaths(2);
    ASSERT_EQ(Import(DataFile("three_recipes.rxf")), 0);
    EXPECT_TRUE(summary.cancelled);
    EXPECT_EQ(summary.stored, 1);
    EXPECT_EQ(Count("Recipes"), 1);
    EXPECT_EQ(Count("IngredientLines"), 3);
    EXPECT_EQ(db.TransactionDepth(), 0);
    // The flag is cleared when the next import starts.
    progress.CancelAfterBreaths(-1);
    ASSERT_EQ(Import(DataFile("three_recipes.rxf")), 0);
    EXPECT_FALSE(summary.cancelled);
    EXPECT_EQ(Count("Recipes"), 3);
}

TEST_F(RecipeFileImportTest, BrokenFilesStoreNothing) {
    for (const char* name : {"truncated.rxf", "no_root.rxf", "wrong_root.rxf"}) {
        SCOPED_TRACE(name);
        prompter.messages.clear();
        ASSERT_EQ(Import(DataFile(name)), 0);
        EXPECT_EQ(prompter.messages, Texts{kCouldNotRead});
        EXPECT_EQ(summary.stored, 0);
    }
    EXPECT_EQ(Count("Recipes"), 0);
    EXPECT_EQ(Count("IngredientLines"), 0);
}

TEST_F(RecipeFileImportTest, MissingFileIsReportedWithItsReason) {
    const std::string path = root.PathOf("nowhere.rxf");
    ASSERT_EQ(Import(path), 0);
    EXPECT_EQ(prompter.messages, (Texts{path + ": No such file or directory", kCouldNotRead}));
    EXPECT_EQ(prompter.captions[0], "Open");
    ASSERT_EQ(Import(root.root), 0);  // a folder opens but cannot be read
    EXPECT_EQ(prompter.messages[2], root.root + ": Is a directory");
    EXPECT_EQ(Count("Recipes"), 0);
}

TEST_F(RecipeFileImportTest, Windows1252FileIsReadAsSuch) {
    ASSERT_EQ(Import(DataFile("windows1252.rxf")), 0);
    const std::string title =
        "Cr\xC3\xA8me Br\xC3\xBBl\xC3\xA9"
        "e";
    EXPECT_EQ(prompter.messages, Texts{ImportedMessage(title)});
    Recipe stored;
    ASSERT_EQ(db.LoadRecipe(db.QueryInt("Select RecipeID from Recipes"), stored), 1);
    EXPECT_EQ(stored.Title, title);
    EXPECT_EQ(stored.Instructions, "Caram\xC3\xA9lisez le sucre \xE2\x80\x93 voil\xC3\xA0.");
    EXPECT_EQ(stored.AllCategoriesText,
              "|Dessert fran\xC3\xA7"
              "ais");
}

TEST_F(RecipeFileImportTest, WrittenFileImportsWhole) {
    Recipe r;
    r.Title = "O'Brien's <Best> Stew & Dumplings @ home";
    r.Instructions = "Line one & two.\nLine <three> with an @ sign.";
    r.YieldNumber = 6;
    r.AffordableRating = 2;
    r.TotalMinutes = 95;
    r.AddLine(true, "", "", "Stew", "", 0);
    r.AddLine(false, "", "lb", "beef & pork", "cubed", 2);
    for (int i = 0; i < 120; ++i) r.Lines.push_back(r.Lines.back());  // more than fit
    const std::string path = Write("written.rxf", WriteRecipeDocument(r));

    ASSERT_EQ(Import(path), 0);
    EXPECT_EQ(progress.messages.Texts(), Texts{"More than 100 ingredient lines: " + r.Title +
                                               ".  Only the first 100 were "
                                               "added."});
    const int id = db.QueryInt("Select RecipeID from Recipes");
    Recipe stored;
    ASSERT_EQ(db.LoadRecipe(id, stored), 1);
    EXPECT_EQ(stored.Title, r.Title);
    EXPECT_EQ(stored.Instructions, r.Instructions);
    EXPECT_EQ(stored.AffordableRating, 2);
    EXPECT_EQ(stored.TotalMinutes, 95);
    ASSERT_EQ(db.LoadIngredientLines(id, stored), 100);
    EXPECT_TRUE(stored.Lines[0].bHeading);
    EXPECT_EQ(stored.Lines[1].Name, "beef & pork");
    EXPECT_EQ(stored.Lines[1].TextQty, "2");
}

}  // namespace
}  // namespace pantrio
