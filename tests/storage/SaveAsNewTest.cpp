// Storing a recipe record as a new recipe of a real recipe box on disk.
#include <gtest/gtest.h>

#include <limits>

#include "base/RowSink.h"
#include "recipe/Recipe.h"
#include "storage/CADORecordset.h"
#include "storage/RecipeDB.h"
#include "support/BoxFixture.h"

namespace pantrio {
namespace {

class StatusList : public VectorRowSink {
public:
    void Redraw() override { ++redraws; }
    int redraws = 0;
};

class SaveAsNewTest : public test::BoxFixture {
protected:
    static Recipe Simple(const std::string& title, const std::string& instructions) {
        Recipe r;
        r.Title = title;
        r.Instructions = instructions;
        return r;
    }

    // Stores a record that no later check needs.
    int Save(Recipe r) { return box.SaveAsNew(r); }

    long RecipeCount() { return box.QueryNumber("Select Count(*) from Recipes"); }
    std::string Text(const std::string& column, int recipeID) {
        return box.QueryText("Select " + column +
                             " from Recipes where RecipeID=" + std::to_string(recipeID));
    }
    double Number(const std::string& column, int recipeID) {
        return box.QueryDouble("Select " + column +
                               " from Recipes where RecipeID=" + std::to_string(recipeID));
    }

    StatusList status;
};

TEST_F(SaveAsNewTest, StoresEveryFieldUnderTheNextRecipeID) {
    Box("INSERT INTO Recipes(RecipeID, Title) VALUES(41, 'Older')");
    Recipe r = Simple("Apple Pie", "Peel the apples.");
    r.YieldText = "8 slices";
    r.YieldUnit = "slices";
    r.YieldNumber = 8.5;
    r.SubHead = "Lattice top";
    r.Notes = "Serve warm";
    r.PrimaryIngredient = "Apples";
    r.Cuisine = "American";
    r.UniqueID = 1234;
    r.Source = "Grandma";
    r.TasteRating = 3.14159;
    r.EffortRating = 2;
    r.AppearanceRating = 1.5;
    r.AffordableRating = 4;
    r.ActiveMinutes = 30;
    r.TotalMinutes = 95;
    r.AllIngredientsText = "apples flour butter";
    r.ScaleMultiple = 1.25;
    r.PictureFile1 = "pie.jpg";
    r.LastViewed = DateTime::ParseIso("2026-03-04 05:06:07").value();

    ASSERT_EQ(box.SaveAsNew(r, &status), 0) << box.ErrorReport();
    EXPECT_EQ(r.RecipeID, 42);
    EXPECT_TRUE(status.rows.empty());
    EXPECT_EQ(Text("Title", 42), "Apple Pie");
    EXPECT_EQ(Text("Instructions", 42), "Peel the apples.");
    EXPECT_EQ(Text("YieldText", 42), "8 slices");
    EXPECT_EQ(Text("YieldUnit", 42), "slices");
    EXPECT_DOUBLE_EQ(Number("YieldNumber", 42), 8.5);
    EXPECT_EQ(Text("SubHead", 42), "Lattice top");
    EXPECT_EQ(Text("Notes", 42), "Serve warm");
    EXPECT_EQ(Text("PrimaryIngredient", 42), "Apples");
    EXPECT_EQ(Text("Cuisine", 42), "American");
    EXPECT_EQ(Number("UniqueID", 42), 1234);
    EXPECT_EQ(Number("Color", 42), 1);  // a recipe from the recipe service
    EXPECT_EQ(Text("Source", 42), "Grandma");
    EXPECT_DOUBLE_EQ(Number("TasteRating", 42), 3.1416);  // four decimals
    EXPECT_DOUBLE_EQ(Number("EffortRating", 42), 2);
    EXPECT_DOUBLE_EQ(Number("AppearanceRating", 42), 1.5);
    EXPECT_DOUBLE_EQ(Number("AffordableRating", 42), 4);
    EXPECT_EQ(Number("ActiveMinutes", 42), 30);
    EXPECT_EQ(Number("TotalMinutes", 42), 95);
    EXPECT_EQ(Text("AllIngredientsText", 42), "apples flour butter");
    EXPECT_EQ(Text("LastViewed", 42), "2026-03-04 05:06:07");
    EXPECT_DOUBLE_EQ(Number("ScaleMultiple", 42), 1.25);
    EXPECT_EQ(Text("PictureFile1", 42), "pie.jpg");
}

TEST_F(SaveAsNewTest, FirstRecipeOfAnEmptyBoxGetsNumberOneAndColorZero) {
    Recipe r = Simple("Toast", "Toast the bread.");
    r.YieldNumber = std::numeric_limits<double>::quiet_NaN();  // stored as 0
    ASSERT_EQ(box.SaveAsNew(r), 0) << box.ErrorReport();
    EXPECT_EQ(r.RecipeID, 1);
    EXPECT_EQ(Number("Color", 1), 0);
    EXPECT_EQ(Number("YieldNumber", 1), 0);
}

TEST_F(SaveAsNewTest, ApostrophesAreStoredOnceAndTheRecordKeepsItsText) {
    Recipe r = Simple("Mom's Pie", "Don't overbake.");
    r.AddCategoryName("O'Brien's");
    ASSERT_EQ(box.SaveAsNew(r), 0) << box.ErrorReport();
    EXPECT_EQ(r.Title, "Mom's Pie");
    EXPECT_EQ(Text("Title", r.RecipeID), "Mom's Pie");
    EXPECT_EQ(Text("Instructions", r.RecipeID), "Don't overbake.");
    EXPECT_EQ(Text("AllCategoriesText", r.RecipeID), "|O'Brien's");
}

TEST_F(SaveAsNewTest, KeywordTextComesFromTheNamesNotTheField) {
    Recipe r = Simple("Soup", "Simmer.");
    r.AllCategoriesText = "|Stale";
    r.AddCategoryName("Dinner");
    r.AddCategoryName("@Favorite");
    ASSERT_EQ(box.SaveAsNew(r), 0) << box.ErrorReport();
    EXPECT_EQ(Text("AllCategoriesText", r.RecipeID), "|Dinner|@Favorite");
    EXPECT_EQ(r.AllCategoriesText, "|Stale");  // the record itself is unchanged
}

TEST_F(SaveAsNewTest, TheSameRecipeTwiceIsADuplicate) {
    Recipe first = Simple("Mom's Stew", "Brown the beef in a heavy pot, then add the onions.");
    ASSERT_EQ(box.SaveAsNew(first, &status), 0) << box.ErrorReport();
    Recipe second = first;
    EXPECT_EQ(box.SaveAsNew(second, &status), -1);
    ASSERT_EQ(status.rows.size(), 1u);
    EXPECT_EQ(status.rows[0].text, "Duplicate found: Mom's Stew.  Not added.");
    EXPECT_EQ(status.redraws, 1);
    EXPECT_EQ(RecipeCount(), 1);
    // The number that would have been used.
    EXPECT_EQ(second.RecipeID, first.RecipeID + 1);
    // Without a status list the duplicate is still refused.
    EXPECT_EQ(Save(Recipe(first)), -1);
    // Page import finds the stored copy by the same test.
    EXPECT_EQ(box.FindDuplicate("MOM'S STEW", first.Instructions + " More."), first.RecipeID);
    EXPECT_EQ(
        box.FindDuplicate("Mom's Stew", "Brown the lamb in a heavy pot, then add the onions."), 0);
}

TEST_F(SaveAsNewTest, DuplicatesAreJudgedByTitleAndThirtyCharacterPrefix) {
    const std::string prefix = "Whisk the eggs with the sugar ";  // 30 characters
    ASSERT_EQ(prefix.size(), 30u);
    ASSERT_EQ(Save(Simple("Cake", prefix + "until pale.")), 0);
    // Same first thirty characters, another ending: a duplicate, whatever the
    // letter case of the title.
    EXPECT_EQ(Save(Simple("CAKE", prefix + "for two minutes.")), -1);
    // A difference within the first thirty characters: a new recipe.
    EXPECT_EQ(Save(Simple("Cake", "Whisk the yolks with the sugar until pale.")), 0);
    // Another title: a new recipe.
    EXPECT_EQ(Save(Simple("Sponge Cake", prefix + "until pale.")), 0);
    EXPECT_EQ(RecipeCount(), 3);
}

TEST_F(SaveAsNewTest, ShortInstructionsMakeTheTitleAlone) {
    ASSERT_EQ(Save(Simple("Tea", "Steep the leaves for a while, then strain.")), 0);
    EXPECT_EQ(Save(Simple("Tea", "Boil water.")), -1);
    EXPECT_EQ(Save(Simple("Tea", "")), -1);
    EXPECT_EQ(RecipeCount(), 1);
}

TEST_F(SaveAsNewTest, WildCardsInTheInstructionsMatchOnlyThemselves) {
    ASSERT_EQ(Save(Simple("Bread", "Mix 5 grams of salt into the dough and knead well.")), 0);
    // Unescaped, "%" would match " grams of" and "_" any character.
    EXPECT_EQ(Save(Simple("Bread", "Mix 5% salt into the dough and knead it.")), 0);
    EXPECT_EQ(Save(Simple("Bread", "Mix_5 grams of salt into the dough, then rest.")), 0);
    EXPECT_EQ(Save(Simple("Bread", "Mix 5\\ grams of salt into the dough, then rest.")), 0);
    // And they still find their own duplicate.
    EXPECT_EQ(Save(Simple("Bread", "Mix 5% salt into the dough and knead it.")), -1);
    EXPECT_EQ(RecipeCount(), 4);
}

TEST_F(SaveAsNewTest, LinesAreStoredInOrderWithNewIdentifiers) {
    Box("INSERT INTO IngredientLines(IngredientLinesID, RecipeID, Name) VALUES(70, 99, 'other')");
    Recipe r = Simple("Pancakes", "Mix and fry.");
    r.AddLine(true, "", "", "Batter", "", 0);
    r.AddLine(false, "", "c", "flour", "sifted", 1.5);
    r.AddLine(false, "", "", "salt", "", 1.0 / 3);
    ASSERT_EQ(box.SaveAsNew(r), 0) << box.ErrorReport();

    CADORecordset rows(box);
    ASSERT_TRUE(rows.Run("Select * from IngredientLines where RecipeID = " +
                         std::to_string(r.RecipeID) + " order by IngredientLinesID"))
        << rows.ErrorReport();
    struct Expected {
        long id;
        int heading;
        const char* textQty;
        const char* measure;
        const char* name;
        const char* notes;
        double qty;
    };
    const Expected expected[] = {{71, 1, "", "", "Batter", "", 0},
                                 {72, 0, "1 1/2", "c", "flour", "sifted", 1.5},
                                 {73, 0, "1/3", "", "salt", "", 0.333333333}};
    int order = 0;
    for (const Expected& e : expected) {
        ASSERT_FALSE(rows.AtEnd());
        long id = 0;
        int heading = -1, lineOrder = 0;
        std::string textQty, measure, name, notes;
        double qty = -1;
        rows.Read("IngredientLinesID", id);
        rows.Read("bHeading", heading);
        rows.Read("TextQty", textQty);
        rows.Read("Measure", measure);
        rows.Read("Name", name);
        rows.Read("PrepNotes", notes);
        rows.Read("DblQty", qty);
        rows.Read("LineOrder", lineOrder);
        EXPECT_EQ(id, e.id);
        EXPECT_EQ(heading != 0, e.heading != 0);
        EXPECT_EQ(textQty, e.textQty);
        EXPECT_EQ(measure, e.measure);
        EXPECT_EQ(name, e.name);
        EXPECT_EQ(notes, e.notes);
        EXPECT_DOUBLE_EQ(qty, e.qty);  // nine decimals
        EXPECT_EQ(lineOrder, ++order);
        rows.NextRow();
    }
    EXPECT_TRUE(rows.AtEnd());
}

TEST_F(SaveAsNewTest, LongLineFieldsAreCutBeforeQuoting) {
    Recipe r = Simple("Cuts", "Cut everything.");
    r.AddLine(false, "", "tablespoons.", "a", "", 1);  // 12 characters
    r.AddLine(false, "", "abcdefghi'jk", "b", "", 1);  // apostrophe at the tenth
    std::string longName;
    for (int i = 0; i < 60; ++i) longName += "\xC3\xA9";  // 60 times e-acute
    r.AddLine(false, "", "", longName, std::string(70, 'n'), 1);
    ASSERT_EQ(box.SaveAsNew(r), 0) << box.ErrorReport();
    auto field = [&](const std::string& column, int order) {
        return box.QueryText("Select " + column + " from IngredientLines where RecipeID = " +
                             std::to_string(r.RecipeID) +
                             " and LineOrder = " + std::to_string(order));
    };
    EXPECT_EQ(field("Measure", 1), "tablespoon");
    EXPECT_EQ(field("Measure", 2), "abcdefghi'");
    std::string fifty;
    for (int i = 0; i < 50; ++i) fifty += "\xC3\xA9";
    EXPECT_EQ(field("Name", 3), fifty);
    EXPECT_EQ(field("PrepNotes", 3), std::string(64, 'n'));
    // The record keeps its full texts.
    EXPECT_EQ(r.Lines[1].Measure, "abcdefghi'jk");
}

TEST_F(SaveAsNewTest, AFailedStatementLeavesNothingOfTheRecipe) {
    // The box refuses one ingredient line, after the Recipes row went in.
    Box("CREATE TRIGGER refuse BEFORE INSERT ON IngredientLines WHEN NEW.Name = 'poison' "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    Recipe r = Simple("Bad Apple", "Do not eat.");
    r.RecipeID = 5;
    r.AddLine(false, "", "", "apple", "", 1);
    r.AddLine(false, "", "", "poison", "", 1);
    EXPECT_EQ(box.SaveAsNew(r, &status), -1);
    EXPECT_EQ(RecipeCount(), 0);
    EXPECT_EQ(box.QueryNumber("Select Count(*) from IngredientLines"), 0);
    ASSERT_EQ(status.rows.size(), 1u);
    EXPECT_EQ(status.rows[0].text, "Could not store recipe: Bad Apple.");
    EXPECT_EQ(r.RecipeID, 5);  // not stored, so no new number
    EXPECT_EQ(box.TransactionDepth(), 0);
}

TEST_F(SaveAsNewTest, AMissingTableFailsInsteadOfStoringHalfARecipe) {
    Box("DROP TABLE IngredientLines");
    Recipe r = Simple("Lonely", "No lines table.");
    r.AddLine(false, "", "", "x", "", 1);
    EXPECT_EQ(box.SaveAsNew(r), -1);
    EXPECT_EQ(RecipeCount(), 0);
}

TEST_F(SaveAsNewTest, AFailureInsideABulkImportKeepsTheRecipesBeforeIt) {
    Box("CREATE TRIGGER refuse BEFORE INSERT ON IngredientLines WHEN NEW.Name = 'poison' "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    ASSERT_TRUE(box.BeginTransaction());
    Recipe good = Simple("Good", "Fine.");
    good.AddLine(false, "", "", "apple", "", 1);
    Recipe bad = Simple("Bad", "Not fine.");
    bad.AddLine(false, "", "", "poison", "", 1);
    Recipe after = Simple("After", "Also fine.");
    after.AddLine(false, "", "", "pear", "", 1);
    EXPECT_EQ(box.SaveAsNew(good), 0);
    EXPECT_EQ(box.SaveAsNew(bad), -1);
    EXPECT_EQ(box.SaveAsNew(after), 0);
    ASSERT_TRUE(box.CommitTransaction());
    EXPECT_EQ(RecipeCount(), 2);
    EXPECT_EQ(box.QueryText("Select Title from Recipes where RecipeID = 2"), "After");
    EXPECT_EQ(box.QueryNumber("Select Count(*) from IngredientLines"), 2);
}

TEST_F(SaveAsNewTest, AClosedBoxIsAFailureNotASuccess) {
    box.Disconnect();
    Recipe r = Simple("Nowhere", "Nothing.");
    EXPECT_EQ(box.SaveAsNew(r, &status), -1);
    ASSERT_EQ(status.rows.size(), 1u);
    EXPECT_EQ(status.rows[0].text, "Could not store recipe: Nowhere.");
}

}  // namespace
}  // namespace pantrio
