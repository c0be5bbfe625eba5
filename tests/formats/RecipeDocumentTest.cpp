#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/Prompter.h"
#include "formats/RecipeDocument.h"
#include "formats/XmlDocument.h"
#include "recipe/Recipe.h"

namespace pantrio {
namespace {

// A recipe that uses every field the document carries, with the characters
// that need escaping or markers in each kind of field.
Recipe RichRecipe() {
    Recipe r;
    r.Title = "Mom's Fish & Chips <deluxe> @home \"crème brûlée\"";
    r.YieldNumber = 4.5;
    r.Instructions =
        "Heat oil to 180\xC2\xB0"
        "C & fry.\r\nIf a < b, e-mail me@example.org.\n"
        "Serve > warm. \xE2\x80\x94 Don't burn it; it's \"done\" at 5'.";
    r.Cuisine =
        "Fran\xC3\xA7"
        "aise & British";
    r.PrimaryIngredient = "Fish <cod>";
    r.YieldText = "4 1/2 servings @ dinner";
    r.YieldUnit = "servings";
    r.SubHead = "Crisp & golden";
    r.Notes = "Try haddock <or> pollock & add @ the end.";
    r.TasteRating = 5;
    r.EffortRating = 2;
    r.AppearanceRating = 4;
    r.AffordableRating = 3;
    r.AddLine(true, "", "", "For the batter & coating", "", 0);
    r.AddLine(false, "", "cup", "flour & starch", "sifted, <fine>", 1.5, -1, 187.5, 20081);
    r.AddLine(false, "", "", "salt", "to taste", 0);
    r.AddLine(false, "", "Tbsp", "Jalape\xC3\xB1o's @ sauce", "", 0.25, -1, 3.75, -1);
    r.ActiveMinutes = 25;
    r.TotalMinutes = 70;
    r.AddCategoryName("Fish & Seafood");
    r.AddCategoryName("Dinner <main>");
    r.AddCategoryName("Caf\xC3\xA9");
    r.UniqueID = 98765;
    return r;
}

TEST(RecipeDocumentTest, WritesTheFixedLayout) {
    Recipe r;
    r.Title = "Toast";
    r.Instructions = "Toast it.";
    const std::string doc = WriteRecipeDocument(r);
    EXPECT_EQ(doc,
              "<RECIPE>\r\n"
              "<TITLE>Toast</TITLE>\r\n"
              "<YIELDQTY>0.00</YIELDQTY>\r\n"
              "<INSTRUCTIONS>Toast it.</INSTRUCTIONS>\r\n"
              "<CUISINE/>\r\n<MAININGREDIENT/>\r\n<YIELDTEXT/>\r\n<YIELDUNIT/>\r\n"
              "<SUBHEAD/>\r\n<VARIATIONS/>\r\n"
              "<TASTERATING>0</TASTERATING>\r\n<EFFORTRATING>0</EFFORTRATING>\r\n"
              "<APPEARANCERATING>0</APPEARANCERATING>\r\n"
              "<AFFORDABLERATING>0</AFFORDABLERATING>\r\n"
              "<INGREDIENTLIST/>\r\n"
              "<ACTIVEMINUTES>0</ACTIVEMINUTES>\r\n<TOTALMINUTES>0</TOTALMINUTES>\r\n"
              "<CATEGORIES/>\r\n"
              "<UNIQUEID>0</UNIQUEID>\r\n"
              "</RECIPE>\r\n");
}

TEST(RecipeDocumentTest, WritesLinesMarkersAndEntities) {
    Recipe r;
    r.Title = "A & B <c>";
    r.Instructions = "a<b & c@d";
    r.AddLine(false, "", "cup", "salt & pepper", "", 1.5, -1, 2.5, 42);
    r.AddCategoryName("Quick");
    const std::string doc = WriteRecipeDocument(r);
    // The title only gets the entities; the instructions get the markers.
    EXPECT_NE(doc.find("<TITLE>A &amp; B &lt;c&gt;</TITLE>\r\n"), std::string::npos);
    EXPECT_NE(doc.find("<INSTRUCTIONS>a~~ltb ~~amp c~~at;d</INSTRUCTIONS>"), std::string::npos);
    EXPECT_NE(doc.find("<INGREDIENTLIST>\r\n<INGREDIENTLINE>\r\n<BHEADING>0</BHEADING>\r\n"
                       "<TEXTQTY>1 1/2</TEXTQTY>\r\n<MEASURE>cup</MEASURE>\r\n"
                       "<NAME>salt ~~amp pepper</NAME>\r\n<PREPNOTES/>\r\n"
                       "<DBLQTY>1.50</DBLQTY>\r\n<LINEORDER>1</LINEORDER>\r\n"
                       "<NUTRIENTID>42</NUTRIENTID>\r\n"
                       "<DBBASERECIPEGMWT>2.500000</DBBASERECIPEGMWT>\r\n"
                       "</INGREDIENTLINE>\r\n</INGREDIENTLIST>\r\n"),
              std::string::npos);
    EXPECT_NE(doc.find("<CATEGORIES>\r\n<CATEGORYNAME>Quick</CATEGORYNAME>\r\n</CATEGORIES>\r\n"
                       "<UNIQUEID>0</UNIQUEID>\r\n</RECIPE>\r\n"),
              std::string::npos);
}

TEST(RecipeDocumentTest, RichRecipeSurvivesWriteAndRead) {
    const Recipe original = RichRecipe();
    const std::string doc = WriteRecipeDocument(original);
    Recipe back;
    ASSERT_EQ(ReadRecipeDocument(back, doc), 0);

    EXPECT_EQ(back.Title, original.Title);
    EXPECT_DOUBLE_EQ(back.YieldNumber, 4.5);
    EXPECT_EQ(back.Instructions, original.Instructions);
    EXPECT_EQ(back.Cuisine, original.Cuisine);
    EXPECT_EQ(back.PrimaryIngredient, original.PrimaryIngredient);
    EXPECT_EQ(back.YieldText, original.YieldText);
    EXPECT_EQ(back.YieldUnit, original.YieldUnit);
    EXPECT_EQ(back.SubHead, original.SubHead);
    EXPECT_EQ(back.Notes, original.Notes);
    EXPECT_EQ(back.TasteRating, 5);
    EXPECT_EQ(back.EffortRating, 2);
    EXPECT_EQ(back.AppearanceRating, 4);
    EXPECT_EQ(back.AffordableRating, 3);
    EXPECT_EQ(back.ActiveMinutes, 25);
    EXPECT_EQ(back.TotalMinutes, 70);
    EXPECT_EQ(back.UniqueID, 98765);
    EXPECT_EQ(back.CategoryNames, original.CategoryNames);

    ASSERT_EQ(back.LineCount(), original.LineCount());
    for (int i = 0; i < back.LineCount(); ++i) {
        const IngredientLine& a = original.Lines[i];
        const IngredientLine& b = back.Lines[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(b.bHeading, a.bHeading);
        EXPECT_EQ(b.TextQty, a.TextQty);
        EXPECT_EQ(b.Measure, a.Measure);
        EXPECT_EQ(b.Name, a.Name);
        EXPECT_EQ(b.PrepNotes, a.PrepNotes);
        EXPECT_DOUBLE_EQ(b.DblQty, a.DblQty);
        EXPECT_EQ(b.LineOrder, a.LineOrder);
        EXPECT_EQ(b.NutrientID, a.NutrientID);
        EXPECT_DOUBLE_EQ(b.BaseRecipeGramWeight, a.BaseRecipeGramWeight);
        EXPECT_EQ(b.IngredientLinesID, -1);  // a line read is not yet stored
    }
    // Writing what was read gives the same document again.
    EXPECT_EQ(WriteRecipeDocument(back), doc);
}

TEST(RecipeDocumentTest, ReadRebuildsQuantityTextAndKeepsLineOrder) {
    Recipe r;
    ASSERT_EQ(ReadRecipeDocument(
                  r,
                  "<RECIPE><TITLE>T</TITLE><INGREDIENTLIST>"
                  "<INGREDIENTLINE><BHEADING> true </BHEADING><TEXTQTY>9</TEXTQTY>"
                  "<NAME>Sauce</NAME><DBLQTY>0</DBLQTY><LINEORDER>7</LINEORDER></INGREDIENTLINE>"
                  "<INGREDIENTLINE><BHEADING>0</BHEADING><TEXTQTY>lots</TEXTQTY>"
                  "<DBLQTY>0.33</DBLQTY><LINEORDER>9</LINEORDER></INGREDIENTLINE>"
                  "</INGREDIENTLIST></RECIPE>"),
              0);
    ASSERT_EQ(r.LineCount(), 2);
    EXPECT_TRUE(r.Lines[0].bHeading);
    EXPECT_EQ(r.Lines[0].TextQty, "");  // DblQty 0: empty, whatever TEXTQTY says
    EXPECT_EQ(r.Lines[0].LineOrder, 7);
    EXPECT_FALSE(r.Lines[1].bHeading);
    EXPECT_EQ(r.Lines[1].TextQty, "1/3");
    EXPECT_EQ(r.Lines[1].LineOrder, 9);
}

TEST(RecipeDocumentTest, MissingFieldsKeepTheirValuesAndNumbersReadLikeC) {
    Recipe r;
    r.Cuisine = "kept";
    ASSERT_EQ(ReadRecipeDocument(r,
                                 "<RECIPE><TITLE>Only a few</TITLE>"
                                 "<YIELDQTY> 2.5 servings</YIELDQTY><TASTERATING>x</TASTERATING>"
                                 "<ACTIVEMINUTES>99999999999</ACTIVEMINUTES>"
                                 "<TOTALMINUTES>-15min</TOTALMINUTES></RECIPE>"),
              0);
    EXPECT_EQ(r.Title, "Only a few");
    EXPECT_EQ(r.Cuisine, "kept");
    EXPECT_DOUBLE_EQ(r.YieldNumber, 2.5);
    EXPECT_EQ(r.TasteRating, 0);
    EXPECT_EQ(r.ActiveMinutes, 2147483647);  // clamped, not overflowed
    EXPECT_EQ(r.TotalMinutes, -15);
    EXPECT_EQ(r.LineCount(), 0);
}

TEST(RecipeDocumentTest, RefusesDocumentsThatAreNoRecipe) {
    const char* texts[] = {
        "",
        "just text",
        "<RECIPE><TITLE>cut off</TITLE>",
        "<RXF><RECIPE><TITLE>x</TITLE></RECIPE></RXF>",
        "<recipe><TITLE>lower case</TITLE></recipe>",
        "<RECIPE/>",
    };
    for (const char* text : texts) {
        Recipe r;
        std::string reason;
        EXPECT_EQ(ReadRecipeDocument(r, text, &reason), -1) << text;
        EXPECT_FALSE(reason.empty()) << text;
        EXPECT_EQ(r.Title, "") << text;
    }
}

TEST(RecipeDocumentTest, ReadsWindows1252Text) {
    Recipe r;
    // "Crème brûlée" in Windows-1252 bytes: not valid UTF-8.
    ASSERT_EQ(ReadRecipeDocument(r,
                                 "<RECIPE><TITLE>Cr\xE8me br\xFBl\xE9"
                                 "e</TITLE></RECIPE>"),
              0);
    EXPECT_EQ(r.Title,
              "Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
              "e");
}

}  // namespace
}  // namespace pantrio
