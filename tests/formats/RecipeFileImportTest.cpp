#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "formats/ImportProgress.h"
#include "formats/RecipeDocument.h"
#include "formats/RecipeFileImport.h"
#include "recipe/Recipe.h"
#include "storage/RecipeDB.h"
#include "support/TestDatabases.h"

namespace pantrio {
namespace {

using Texts = std::vector<std::string>;

std::string DataFile(const std::string& name) {
    return std::string(PANTRIO_TEST_DATA_DIR) + "/rxf/" + name;
}

const std::string kCouldNotRead = kCannotReadRecipeDocument;

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

    // Imports the file; its notices are the messages a caller shows in boxes.
    void Import(const std::string& path) {
        summary = ImportRecipeFile(path, db, progress);
        for (const ImportNotice& notice : summary.notices) {
            messages.push_back(notice.text);
            captions.push_back(notice.caption);
        }
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
    ImportSummary summary;
    Texts messages;
    Texts captions;
};

TEST_F(RecipeFileImportTest, SingleRecipeIsStoredAndAnnounced) {
    Import(DataFile("single_recipe.rxf"));
    EXPECT_EQ(messages, Texts{ImportedMessage("Buttermilk Pancakes")});
    EXPECT_EQ(progress.position, 100);
    EXPECT_EQ(Count("Recipes"), 1);
    EXPECT_EQ(Count("IngredientLines"), 3);
    EXPECT_EQ(summary.stored, 1);

    const int id = db.QueryInt("Select RecipeID from Recipes");
    EXPECT_EQ(summary.newRecipeIDs, std::vector<int>{id});
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
    messages.clear();
    Import(DataFile("single_recipe.rxf"));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(progress.messages.Texts(),
              Texts{"Duplicate found: Buttermilk Pancakes.  Not added."});
    EXPECT_EQ(Count("Recipes"), 1);
}

TEST_F(RecipeFileImportTest, SeveralRecipesWithOneAlreadyInTheBox) {
    Import(DataFile("single_recipe.rxf"));
    messages.clear();

    Import(DataFile("three_recipes.rxf"));
    EXPECT_TRUE(messages.empty());  // a bulk import announces nothing
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
    Import(DataFile("one_unreadable.rxf"));
    EXPECT_EQ(Count("Recipes"), 2);
    ASSERT_EQ(progress.messages.rows.size(), 1u);
    EXPECT_EQ(progress.messages.rows[0].text,
              "Recipe 2 (line 59) could not be read: the RECIPE element has no fields.");
    EXPECT_EQ(summary.notStored, 1);
}

TEST_F(RecipeFileImportTest, CancelKeepsWholeRecipesOnly) {
    progress.CancelAfterBreaths(2);
    Import(DataFile("three_recipes.rxf"));
    EXPECT_TRUE(summary.cancelled);
    EXPECT_EQ(summary.stored, 1);
    EXPECT_EQ(Count("Recipes"), 1);
    EXPECT_EQ(Count("IngredientLines"), 3);
    EXPECT_EQ(db.TransactionDepth(), 0);
    // The flag is cleared when the next import starts.
    progress.CancelAfterBreaths(-1);
    Import(DataFile("three_recipes.rxf"));
    EXPECT_FALSE(summary.cancelled);
    EXPECT_EQ(Count("Recipes"), 3);
}

TEST_F(RecipeFileImportTest, BrokenFilesStoreNothing) {
    for (const char* name : {"truncated.rxf", "no_root.rxf", "wrong_root.rxf"}) {
        SCOPED_TRACE(name);
        messages.clear();
        Import(DataFile(name));
        EXPECT_EQ(messages, Texts{kCouldNotRead});
        EXPECT_EQ(summary.stored, 0);
    }
    EXPECT_EQ(Count("Recipes"), 0);
    EXPECT_EQ(Count("IngredientLines"), 0);
}

TEST_F(RecipeFileImportTest, MissingFileIsReportedWithItsReason) {
    const std::string path = root.PathOf("nowhere.rxf");
    Import(path);
    EXPECT_EQ(messages, (Texts{path + ": No such file or directory", kCouldNotRead}));
    EXPECT_EQ(captions[0], "Open");
    Import(root.root);  // a folder opens but cannot be read
    EXPECT_EQ(messages[2], root.root + ": Is a directory");
    EXPECT_EQ(Count("Recipes"), 0);
}

TEST_F(RecipeFileImportTest, Windows1252FileIsReadAsSuch) {
    Import(DataFile("windows1252.rxf"));
    const std::string title =
        "Cr\xC3\xA8me Br\xC3\xBBl\xC3\xA9"
        "e";
    EXPECT_EQ(messages, Texts{ImportedMessage(title)});
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

    Import(path);
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
