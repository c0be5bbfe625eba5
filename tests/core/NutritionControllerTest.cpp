// Nutrition in the main window's logic: the Ingredient Details dialog's
// proposals, links and walk through the lines, the Nutrition tab's table and
// how complete it is, and the nutrient editor's rules, on real databases.
#include <string>
#include <vector>

#include "core/CommandsFixture.h"
#include "core/IngredientDetailsController.h"
#include "core/NutritionController.h"

namespace pantrio::test {
namespace {

class Nutrition : public CommandsFixture {
protected:
    MainDialog& StartWithFoods() {
        AddRecipes(StandardBox(), {"Sauce"});
        Exec(StandardBox(),
             "UPDATE Recipes SET YieldNumber = 4 WHERE RecipeID = 1;"
             "INSERT INTO IngredientLines(IngredientLinesID, RecipeID, LineOrder, TextQty, "
             "DblQty, Measure, Name, bHeading) VALUES (10, 1, 1, '2', 2, 'cups', 'flour', 0), "
             "(11, 1, 2, '3', 3, 'tsp', 'sugar', 0), (12, 1, 3, '1', 1, 'pinch', "
             "'baker''s salt', 0), (13, 1, 4, '', 0, '', 'TOPPING', 1);");
        MainDialog& d = Start();
        Exec(SupportPath(),
             "DELETE FROM IngredientMasterTable; DELETE FROM Nutrients;"
             "INSERT INTO Nutrients(NutrientID, Shrt_Desc, Energ_Kcal, GmWt_1, GmWt_Desc1, "
             "GmWt_2, GmWt_Desc2) VALUES (1, 'FLOUR', 52, 125, '1 cup', 0, ''), "
             "(2, 'SUGAR', 200, 12.5, '1 tbsp', 0, ''), (3, 'FLOUR,RYE', 300, 0, '', 102, "
             "'1 cup'), (4, 'SALT', 0, 6, '1 tsp', 0, '');"
             "INSERT INTO IngredientMasterTable(ID, KeywordText, NutrientID) VALUES (1, "
             "'flour', 1), (2, 'baker''s salt', 0);");
        d.Recipes().SelectRecipe(1);
        return d;
    }
    std::string SupportPath() const { return dataRoot + "/Data/support.csy"; }
    static void Exec(const std::string& path, const std::string& sql) {
        ASSERT_TRUE(TempDataRoot::Exec(path, sql)) << sql;
    }
    void LinkLine(MainDialog&, int line) {
        Exec(StandardBox(),
             "INSERT INTO IngredientLinesNutrients(IngredientLinesNutrientsID, IngredientLinesID, "
             "NutrientID, BaseRecipeGramWeight) VALUES (90, " +
                 std::to_string(line) + ", 1, 5)");
    }
    std::string LinkOf(int line) {
        return Value("Select NutrientID from IngredientLinesNutrients where IngredientLinesID = " +
                     std::to_string(line)) +
               ":" +
               Value(
                   "Select BaseRecipeGramWeight from IngredientLinesNutrients where "
                   "IngredientLinesID = " +
                   std::to_string(line));
    }
};

TEST_F(Nutrition, IngredientDetailsProposesMeasureNumberAndGrams) {
    MainDialog& d = StartWithFoods();
    auto dialog = d.Nutrition().OpenIngredientDetails(10);
    ASSERT_TRUE(dialog);
    IngredientDetailsForm& form = dialog->Form();
    // The master list gives "flour": 2 cups of a food measured by the cup.
    EXPECT_EQ(form.foods.size(), 1u);
    EXPECT_EQ(form.linkTo, "FLOUR");
    EXPECT_EQ(form.measureTicked, 1);
    EXPECT_EQ(form.number, "2.00");
    EXPECT_EQ(form.grams, "250.0");
    EXPECT_TRUE(form.linkEnabled);
    EXPECT_FALSE(form.previousEnabled);

    // Only the second measure is a cup: it is ticked and its grams used.
    dialog->ChooseFood(3);
    EXPECT_EQ(form.measureTicked, 2);
    EXPECT_FALSE(form.measureEnabled[0]);
    EXPECT_EQ(form.grams, "204.0");
    dialog->SetNumber("abc");
    EXPECT_FALSE(form.linkEnabled);
    dialog->SetNumber("1");
    ASSERT_TRUE(dialog->Link());
    EXPECT_EQ(LinkOf(10), "3:102");
    // Linking taught the master list the food for "flour".
    EXPECT_EQ(Value("Select NutrientID from IngredientMasterTable where ID = 1", true), "3");
    EXPECT_FALSE(form.linkEnabled);
    EXPECT_TRUE(form.unlinkEnabled);

    // Next: teaspoons of a food measured by the tablespoon.
    EXPECT_FALSE(dialog->Next());
    EXPECT_EQ(dialog->CurrentLine(), 11);
    EXPECT_EQ(form.linkTo, "sugar");  // not in the master list: searched
    ASSERT_EQ(form.foods.size(), 1u);
    dialog->SelectFood(0);
    EXPECT_EQ(form.number, "1.00");
    EXPECT_EQ(form.grams, "12.5");

    // A name with an apostrophe is looked up; a unit no rule knows.
    EXPECT_FALSE(dialog->Next());
    EXPECT_EQ(form.ingredient, "baker's salt");
    dialog->ChooseFood(4);
    EXPECT_EQ(form.number, "");
    EXPECT_EQ(form.measureTicked, 1);
    EXPECT_FALSE(form.linkEnabled);
    EXPECT_FALSE(dialog->Next());
    EXPECT_FALSE(form.nextEnabled);
    dialog->Done();
}

TEST_F(Nutrition, SavingWalkingAddingAndDeletingLines) {
    MainDialog& d = StartWithFoods();
    auto dialog = d.Nutrition().OpenIngredientDetails(11);
    ASSERT_TRUE(dialog);
    IngredientDetailsForm& form = dialog->Form();
    form.qty = "1 1/2";
    form.unit = "tbsp";
    EXPECT_FALSE(dialog->Previous());
    EXPECT_EQ(dialog->CurrentLine(), 10);
    EXPECT_EQ(Value("Select DblQty || '|' || Measure from IngredientLines where "
                    "IngredientLinesID = 11"),
              "1.5|tbsp");
    EXPECT_FALSE(dialog->Previous());
    EXPECT_FALSE(form.previousEnabled);

    // A new line goes after the last one.
    EXPECT_FALSE(dialog->NewLine());
    EXPECT_EQ(dialog->CurrentLine(), 14);
    EXPECT_EQ(Value("Select LineOrder from IngredientLines where IngredientLinesID = 14"), "5");
    // Left without a name, it is deleted with its link and the dialog closes.
    LinkLine(d, 14);
    EXPECT_TRUE(dialog->Next());
    EXPECT_EQ(Value("Select count(*) from IngredientLines where IngredientLinesID = 14"), "0");
    EXPECT_EQ(Value("Select count(*) from IngredientLinesNutrients where "
                    "IngredientLinesID = 14"),
              "0");

    // Opening on a new line below the last one.
    dialog = d.Nutrition().OpenIngredientDetails(-1);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->CurrentLine(), 14);
    EXPECT_FALSE(d.Nutrition().OpenIngredientDetails(999));
}

TEST_F(Nutrition, TableOfTheWorkedExampleSaysHowCompleteItIs) {
    MainDialog& d = StartWithFoods();
    std::string error;
    EXPECT_DOUBLE_EQ(d.Nutrition().LinkLineAt(1, 1, 1, 0, -1, error), 250);
    // 100 g of a food of 52 kcal and 50 g of one of 200 kcal.
    EXPECT_DOUBLE_EQ(d.Nutrition().LinkLineAt(1, 1, 1, 1, 0.8, error), 100);
    EXPECT_DOUBLE_EQ(d.Nutrition().LinkLineAt(1, 2, 2, 1, 4, error), 50);
    Exec(StandardBox(), "UPDATE IngredientLines SET Name = '' WHERE IngredientLinesID = 13");

    NutritionTableContents table;
    ASSERT_TRUE(d.Nutrition().Analyze(1, table));
    EXPECT_EQ(table.totalGrams, "150.0");
    ASSERT_EQ(table.rows.size(), 13u);
    EXPECT_EQ(table.rows.front().nutrient, "Vitamin E (mg)");
    const NutritionTableRow& calories = table.rows.back();
    EXPECT_EQ(calories.perRecipe, "152");
    EXPECT_EQ(calories.perServing, "38");
    EXPECT_EQ(calories.percentRda, "1.9");
    EXPECT_EQ(table.completeness.Text(), "2 of 3 lines counted; not linked: baker's salt");
    EXPECT_EQ(table.log, "Warning: Missing nutrient info for 1 pinch baker's salt\r\n");

    // A link without grams counts as not counted.
    EXPECT_DOUBLE_EQ(d.Nutrition().LinkLineAt(1, 3, 4, 1, 1, error), 6);
    Exec(StandardBox(),
         "UPDATE IngredientLinesNutrients SET BaseRecipeGramWeight = 0 "
         "WHERE IngredientLinesID = 12");
    ASSERT_TRUE(d.Nutrition().Analyze(1, table));
    EXPECT_EQ(table.completeness.Text(), "2 of 3 lines counted; no gram weight: baker's salt");

    // The command line's errors change nothing.
    struct Bad {
        int recipe, line, food, measure;
        double count;
        const char* error;
    };
    const Bad bad[] = {
        {9, 1, 1, 0, -1, "There is no recipe 9."},
        {1, 7, 1, 0, -1, "Recipe 1 has no line 7."},
        {1, 4, 1, 0, -1, "Line 4 is a heading."},
        {1, 3, 99, 0, -1, "There is no food 99."},
        {1, 3, 1, 2, 1, "Food 1 has no household measure 2."},
        {1, 3, 1, 0, -1,
         "The line's unit matches no household measure of the food; give --count (and "
         "--measure)."},
    };
    for (const Bad& b : bad) {
        EXPECT_EQ(d.Nutrition().LinkLineAt(b.recipe, b.line, b.food, b.measure, b.count, error),
                  -1);
        EXPECT_EQ(error, b.error);
    }
    EXPECT_EQ(LinkOf(12), "4:0");
    EXPECT_TRUE(d.Nutrition().UnlinkLineAt(1, 3, error));
    EXPECT_FALSE(d.Nutrition().UnlinkLineAt(1, 3, error));
    EXPECT_EQ(error, "Line 3 is not linked.");
}

using NutrientEditor = Nutrition;

TEST_F(NutrientEditor, ServingSizesScaleTheAmountsBothWays) {
    MainDialog& d = StartWithFoods();
    Exec(SupportPath(),
         "UPDATE Nutrients SET Energ_Kcal = 61, GmWt_1 = 240 WHERE NutrientID = 1;"
         "UPDATE Nutrients SET Energ_Kcal = 61 WHERE NutrientID = 3;");
    NutrientEditorController& editor = d.Nutrition().Editor();
    editor.Start();
    EXPECT_EQ(editor.Foods().size(), 4u);
    editor.Find("flour");
    ASSERT_EQ(editor.Foods().size(), 2u);

    editor.ChooseFood(1);
    EXPECT_EQ(editor.Servings(), std::vector<std::string>{"1 cup = 240g"});
    EXPECT_EQ(editor.FieldText("Energ_Kcal"), "146.4");
    // Typing 100 calories for the 240 g cup stores 41.666... per 100 g.
    editor.FieldEdited("Energ_Kcal", "100");
    editor.ChooseFood(3);  // saves first, after the message
    EXPECT_TRUE(prompter.Showed("You appear to have changed a record.  Save it?"));
    EXPECT_NEAR(std::stod(Value("Select Energ_Kcal from Nutrients where NutrientID = 1", true)),
                41.6667, 1e-4);
    // Only the second measure: listed alone and used.
    EXPECT_EQ(editor.Servings(), std::vector<std::string>{"1 cup = 102g"});
    EXPECT_EQ(editor.FieldText("Energ_Kcal"), "62.2");
    Exec(SupportPath(), "UPDATE Nutrients SET GmWt_2 = 0 WHERE NutrientID = 3");
    editor.ChooseFood(3);
    EXPECT_TRUE(editor.Servings().empty());
    EXPECT_EQ(editor.FieldText("Energ_Kcal"), "61.0");

    // Renaming cuts the name to 50 characters (apostrophes are fine).
    editor.ItemEdited(std::string(55, 'a') + "'bcde");
    editor.ItemLeft();
    EXPECT_EQ(Value("Select Shrt_Desc from Nutrients where NutrientID = 3", true),
              std::string(50, 'a'));
}

TEST_F(NutrientEditor, UserFoodsAreAddedClearedAndDeleted) {
    MainDialog& d = StartWithFoods();
    view.newFoodName = "  Gran's jam ";
    view.measuresAnswer = MeasureForm{"1 tbsp", "20", "  ", ""};
    NutrientEditorController& editor = d.Nutrition().Editor();
    editor.New();
    EXPECT_EQ(editor.CurrentFood(), 100001);
    EXPECT_EQ(view.measuresAsked.description1, "1 wh");
    EXPECT_EQ(view.measuresAsked.grams1, "");
    EXPECT_EQ(Value("Select Shrt_Desc || '|' || NDB_NO || '|' || GmWt_1 || '|' || GmWt_Desc2 from "
                    "Nutrients where NutrientID = 100001",
                    true),
              "Gran's jam|0|20.0| ");
    EXPECT_EQ(editor.Servings(), std::vector<std::string>{"1 tbsp = 20g"});

    editor.FieldEdited("Energ_Kcal", "50");
    editor.FieldEdited("Thiamin", "2");
    editor.SaveIfModified(false);
    prompter.answers = {Answer::Yes};
    editor.Clear();
    EXPECT_EQ(Value("Select Shrt_Desc || '|' || Energ_Kcal || '|' || Thiamin || '|' || GmWt_Desc1 "
                    "from Nutrients where NutrientID = 100001",
                    true),
              "Gran's jam|0.0|10.0|1 wh");

    editor.ChooseFood(1);
    editor.Delete();
    editor.Clear();
    EXPECT_EQ(prompter.Messages(),
              (std::vector<std::string>{
                  "Clear current nutrition information for this element?",
                  "The definition of this nutritional element ships with Pantrio and cannot be "
                  "deleted.  Only new user-added nutrients can be deleted.",
                  "You can only clear nutrition information for user-added elements."}));
    EXPECT_EQ(Value("Select count(*) from Nutrients where NutrientID = 1", true), "1");
    editor.ChooseFood(100001);
    editor.Delete();
    EXPECT_EQ(Value("Select count(*) from Nutrients where NutrientID = 100001", true), "0");
    EXPECT_EQ(editor.Foods().size(), 4u);
}

}  // namespace
}  // namespace pantrio::test
