// Recipes built from the five marked slots of the screen import.
#include <gtest/gtest.h>

#include "formats/ScreenImport.h"
#include "recipe/Recipe.h"
#include "storage/RecipeDB.h"
#include "support/BoxFixture.h"

namespace pantrio {
namespace {

using ScreenImportTest = test::BoxFixture;

TEST_F(ScreenImportTest, BuildsTheRecipeFromTheSlots) {
    ScreenImportSlots slots;
    slots.title = std::string(100, 'T');
    slots.ingredients = "1/2 cup sugar, sifted\n\n2 eggs\n1 lb. ground beef; browned";
    slots.instructions = "Mix.\rBake.\nServe.";
    slots.notes = "Grandma's";
    slots.source = "The <b>family</b> book";
    const int id = ImportFromSlots(slots, box);
    ASSERT_GT(id, 0);

    Recipe loaded;
    ASSERT_EQ(box.LoadRecipe(id, loaded), 1);
    ASSERT_EQ(box.LoadIngredientLines(id, loaded), 4);
    EXPECT_EQ(loaded.Title, std::string(75, 'T'));
    EXPECT_EQ(loaded.Instructions, "Mix.\r\nBake.\r\nServe.");
    EXPECT_EQ(loaded.Notes, "Grandma's");
    EXPECT_EQ(loaded.Source, "The <b>family</b> book");
    EXPECT_EQ(loaded.Lines[0].TextQty, "1/2");
    EXPECT_EQ(loaded.Lines[0].Measure, "cup");
    EXPECT_EQ(loaded.Lines[0].Name, "sugar");
    EXPECT_EQ(loaded.Lines[0].PrepNotes, "sifted");
    // A blank line in the selection stays an empty line.
    EXPECT_EQ(loaded.Lines[1].Name, "");
    EXPECT_EQ(loaded.Lines[3].Name, "ground beef");
    EXPECT_EQ(loaded.Lines[3].PrepNotes, "browned");
}

TEST_F(ScreenImportTest, TheSameTextTwiceStoresOneRecipe) {
    ScreenImportSlots slots;
    slots.title = "Soup";
    slots.ingredients = "1 onion";
    slots.instructions = "Simmer for an hour.";
    EXPECT_GT(ImportFromSlots(slots, box), 0);
    EXPECT_EQ(ImportFromSlots(slots, box), -1);
    EXPECT_EQ(box.CountRecipes(), 1);
}

TEST(ScreenImportText, LineBreaksBecomeCarriageReturnLineFeed) {
    EXPECT_EQ(NormaliseLineBreaks("a\rb\nc\r\nd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(NormaliseLineBreaks(""), "");
}

}  // namespace
}  // namespace pantrio
