// The shopping list: items from a recipe and from the meal plan, the master
// match, hand-typed items and cell edits, the combined view with and without
// compatible units, the .sxf file and the close question.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/Text.h"
#include "core/CommandsFixture.h"
#include "recipe/Quantity.h"
#include "recipe/UnitSums.h"

namespace pantrio::test {
namespace {

class ShoppingListTest : public CommandsFixture {
protected:
    void SetUp() override {
        CommandsFixture::SetUp();
        // Keyword order decides the match: butter before peanut butter.
        Support(
            "INSERT INTO IngredientMasterTable(ID, KeywordText, StdDeptName, UnitOfPurchase) "
            "VALUES (1, 'butter', 'Dairy', 'lb'), (2, 'peanut butter', 'Spreads', 'jar'), "
            "(3, 'flour', 'Baking', 'bag'), (4, 'milk', 'Dairy', 'qt'), (5, 'sugar', 'Baking', ''),"
            " (-2, 'water', 'Tap', '')");
        Start();
    }
    void Support(const std::string& sql) {
        ASSERT_TRUE(TempDataRoot::Exec(dataRoot + "/Data/support.csy", sql)) << sql;
    }
    void Box(const std::string& sql) { ASSERT_TRUE(TempDataRoot::Exec(StandardBox(), sql)) << sql; }
    // Recipe 1 "Cake" (4 servings): a heading, 1 1/2 cups flour, a line
    // without quantity, and 2 tbsp butter.
    void AddCake() {
        Box("INSERT INTO Recipes (RecipeID, Title, YieldNumber, YieldUnit, ScaleMultiple) VALUES "
            "(1, 'Cake', 4, 'servings', 1)");
        Box("INSERT INTO IngredientLines (IngredientLinesID, RecipeID, LineOrder, bHeading, "
            "TextQty, DblQty, Measure, Name, PrepNotes) VALUES "
            "(10, 1, 1, 1, '', 0, '', 'For the batter', ''), "
            "(11, 1, 2, 0, '1 1/2', 1.5, 'cups', 'flour', 'sifted'), "
            "(12, 1, 3, 0, '', 0, '', 'salt', ''), "
            "(13, 1, 4, 0, '2', 2, 'tbsp', 'crunchy peanut butter', '')");
    }
    void PlanEntry(int id, const std::string& day, int recipeID, double scale) {
        Support(Format(
            "INSERT INTO RecipeList(RecipeListID, RecipeDate, MealNumber, RecipeID, "
            "CookbookFile, Title, ScaleToMake, ScaleToMakeText) VALUES (%d, '%s "
            "00:00:00', 5, %d, '%s', 'Cake', %s, '8 servings')",
            id, day.c_str(), recipeID, StandardBox().c_str(), DecimalText(scale, 2).c_str()));
    }
    std::string Item(int id, const std::string& column) {
        return Value(
            Format("Select %s from ShoppingList where ShoppingListID = %d", column.c_str(), id),
            true);
    }
    ShoppingListController& Shop() { return dialog->Shopping(); }
};

TEST_F(ShoppingListTest, ItemsFromTheDialogAndFromThePlan) {
    AddCake();
    ListAndSelect({0});
    dialog->Recipes().SelectRecipe(1);
    view.onAddToShopping = [](AddToShoppingListForm& form) {
        form.rows[0].ingredient = std::string(60, 'f');  // cut to 50
        form.addToPlan = true;
        form.meal = 0;
        form.day = DateTime::FromDate(2024, 3, 20);
        return true;
    };
    ASSERT_TRUE(dialog->RunCommand(command::kAddToShoppingList));
    // Headings never become rows or items.
    ASSERT_EQ(view.addToShoppingOpenedWith.size(), 1u);
    EXPECT_EQ(view.addToShoppingOpenedWith[0].rows.size(), 3u);
    EXPECT_EQ(Number("Select count(*) from ShoppingList", true), 3);
    EXPECT_EQ(Item(1, "ItemName"), std::string(50, 'f'));
    EXPECT_EQ(Item(1, "TextQty"), "1 1/2");
    EXPECT_EQ(Item(2, "TextQty"), "");
    EXPECT_EQ(Item(2, "QtyToBuy"), "0");
    EXPECT_EQ(Item(3, "Dept"), "Dairy") << "butter comes first in keyword order";
    EXPECT_EQ(Item(3, "IngredientMasterID"), "1");
    EXPECT_EQ(Item(3, "CookbookFile"), StandardBox());
    EXPECT_EQ(view.shoppingRows.size(), 3u);
    // "Add to plan for " placed the recipe on the plan as well.
    EXPECT_EQ(Value("Select RecipeDate || '|' || MealNumber || '|' || Title || '|' || "
                    "ScaleToMakeText || '|' || Marked || '|' || CookbookFile from RecipeList",
                    true),
              "2024-03-20 00:00:00|0|Cake|4 servings|0|" + StandardBox());

    // Make Shopping List: keeping the list is asked first; No empties it.
    prompter.answers = {Answer::No};
    view.makeShoppingAnswer = std::vector<long>{1};
    Shop().MakeShoppingListCommand();
    EXPECT_TRUE(
        prompter.Showed("Would you like to keep the 3 items already on your shopping list?"));
    EXPECT_EQ(view.makeShoppingRange.second.IsoDateText(), "2024-03-22") << "a week on";
    ASSERT_EQ(view.planEntriesOffered.size(), 1u);
    EXPECT_EQ(view.planEntriesOffered[0].columns,
              (std::vector<std::string>{"[4 servings]", "2024-03-20"}));
    EXPECT_EQ(Number("Select count(*) from ShoppingList", true), 3);

    Shop().ClearList();
    Support("Delete from RecipeList");
    PlanEntry(1, "2024-03-16", 1, 2);
    PlanEntry(2, "2024-03-17", 1, 0);  // unscaled
    PlanEntry(3, "2024-03-30", 1, 1);  // outside the range
    std::vector<long> ids;
    for (const ListRow& row :
         Shop().PlanEntries(DateTime::FromDate(2024, 3, 16), DateTime::FromDate(2024, 3, 17)))
        ids.push_back(row.data);
    EXPECT_EQ(ids, (std::vector<long>{1, 2}));
    EXPECT_EQ(Shop().AddPlanEntries(ids), 6);
    struct {
        int id;
        const char* text;
        const char* qty;
    } const expected[] = {{1, "3", "3"}, {2, "0", "0"}, {4, "1 1/2", "1.5"}, {5, "0", "0"}};
    for (const auto& e : expected) {
        EXPECT_EQ(Item(e.id, "TextQty"), e.text) << e.id;
        EXPECT_EQ(Item(e.id, "QtyToBuy"), e.qty) << e.id;
    }
    EXPECT_EQ(Number("Select count(*) from ShoppingList where ItemName = 'For the batter'", true),
              0);
    // An unknown recipe adds nothing and leaves the box open.
    EXPECT_EQ(Shop().AddRecipeFromPlan(99, StandardBox(), 1), -1);
    EXPECT_EQ(dialog->Boxes().CookbookPath(), StandardBox());
}

TEST_F(ShoppingListTest, MasterMatchAndHandTypedItems) {
    struct {
        const char* name;
        int id;
        const char* dept;
    } const cases[] = {{"Crunchy Peanut Butter", 1, "Dairy"},
                       {"  FLOUR ", 3, "Baking"},
                       {"saffron", -1, "Unassigned"},
                       {"sparkling water", -2, "Unassigned"}};
    for (const auto& c : cases) {
        const MasterMatch match = Shop().MatchMaster(c.name);
        EXPECT_EQ(match.id, c.id) << c.name;
        EXPECT_EQ(match.dept, c.dept) << c.name;
    }

    const int milk = Shop().AddItem("milk", "2", "qt");
    EXPECT_EQ(Item(milk, "RecipeTitle"), "- Added Manually -");
    EXPECT_EQ(Item(milk, "IngredientLineID"), "-1");
    EXPECT_EQ(Item(milk, "RecipeID"), "-1");
    EXPECT_EQ(Item(milk, "Dept"), "Dairy");
    EXPECT_TRUE(Shop().Recipes().empty());
    EXPECT_TRUE(Shop().Changed());
    EXPECT_EQ(Shop().AddItem("<item name>", "1", "cup"), -1);
    EXPECT_EQ(Shop().AddItem("  ", "", ""), -1);
    EXPECT_EQ(Shop().UnitOfPurchase("Milk"), "qt");

    Shop().WriteCell(milk, ShoppingColumn::Qty, "1/2");
    Shop().WriteCell(milk, ShoppingColumn::Notes, "Mom's");
    Shop().WriteCell(milk, ShoppingColumn::Item, "sugar");
    EXPECT_EQ(Item(milk, "QtyToBuy"), "0.5");
    EXPECT_EQ(Item(milk, "Notes"), "Mom's");
    EXPECT_EQ(Item(milk, "IngredientMasterID"), "5");
    EXPECT_EQ(Item(milk, "Dept"), "Dairy") << "the department stays";

    struct {
        double qty;
        const char* text;
    } const quantities[] = {{0.3333, "1/3"}, {0, ""}, {2.5, "2 1/2"}, {0.00001, ""}};
    for (const auto& q : quantities) EXPECT_EQ(ShoppingListController::QtyText(q.qty), q.text);

    // A nameless row with notes and a quantity shows the notes as its name.
    Support(
        "INSERT INTO ShoppingList(ShoppingListID, ItemName, Notes, QtyToBuy, Dept) VALUES "
        "(50, '', '2 lemons', 1, 'Produce')");
    Shop().Reload();
    const auto lemons =
        std::find_if(view.shoppingRows.begin(), view.shoppingRows.end(),
                     [](const ShoppingGridRow& r) { return r.shoppingListID == 50; });
    ASSERT_NE(lemons, view.shoppingRows.end());
    EXPECT_EQ(lemons->item, "2 lemons");
    EXPECT_EQ(lemons->notes, "");
}

struct CombineCase {
    const char* name;
    std::vector<UnitQuantity> parts;      // one item "flour", each part a row
    std::vector<std::string> compatible;  // "qty unit" lines, "*" when converted
    std::vector<std::string> exact;
};

TEST_F(ShoppingListTest, CombinedViewSumsByUnitAndByCompatibleUnits) {
    const CombineCase cases[] = {
        {"same unit", {{1, "cup"}, {2, "cup"}}, {"3 cup"}, {"3 cup"}},
        {"spoons", {{2, "tsp"}, {1, "tbsp"}}, {"5 tsp*"}, {"1 tbsp", "2 tsp"}},
        {"ounces and a pound", {{8, "oz"}, {1, "lb"}}, {"1 1/2 lb*"}, {"1 lb", "8 oz"}},
        {"into cups", {{8, "tbsp"}, {0.5, "cups"}}, {"1 cups*"}, {"1/2 cups", "8 tbsp"}},
        {"part of a cup", {{4, "tbsp"}, {0.25, "c"}}, {"1/2 c*"}, {"1/4 c", "4 tbsp"}},
        {"kinds stay apart", {{1, "cup"}, {1, "lb"}}, {"1 cup", "1 lb"}, {"1 cup", "1 lb"}},
        {"no measure", {{2, "clove"}, {1, "tsp"}}, {"2 clove", "1 tsp"}, {"2 clove", "1 tsp"}},
        {"metric", {{750, "g"}, {500, "g"}, {1, "kg"}}, {"2 1/4 kg*"}, {"1250 g", "1 kg"}},
    };
    for (const CombineCase& c : cases) {
        SCOPED_TRACE(c.name);
        Shop().ClearList();
        int id = 1;
        for (const UnitQuantity& part : c.parts)
            Support(
                Format("INSERT INTO ShoppingList(ShoppingListID, ItemName, QtyToBuy, "
                       "UnitOfMeasure, Dept) VALUES (%d, 'flour', %s, '%s', 'Baking')",
                       id++, DecimalText(part.quantity, 4).c_str(), part.unit.c_str()));
        for (bool compatible : {true, false}) {
            std::vector<std::string> lines;
            const ShoppingItems combined = Shop().CombineItems(compatible);
            for (const ShoppingItem& item : combined.Items()) {
                EXPECT_EQ(item.ShoppingListID, -1);
                lines.push_back(ShoppingListController::QtyText(item.QtyToBuy) + " " +
                                item.UnitOfMeasure + (item.Converted ? "*" : ""));
            }
            std::sort(lines.begin(), lines.end());
            std::vector<std::string> expected = compatible ? c.compatible : c.exact;
            std::sort(expected.begin(), expected.end());
            EXPECT_EQ(lines, expected) << (compatible ? "compatible" : "exact");
        }
    }
    // The page's toggle follows the option, and a recipe click leaves the sums.
    Shop().ToggleCombined();
    EXPECT_TRUE(Shop().Combined());
    EXPECT_EQ(view.shoppingRows.size(), 1u);
    EXPECT_TRUE(view.shoppingRows[0].converted);
    Shop().RecipeClicked(1, "Cake");
    EXPECT_FALSE(Shop().Combined());
    EXPECT_EQ(view.shoppingRows.size(), 3u);

    // The option turns the compatible sums off, and is kept in the settings.
    view.onOptions = [](OptionsSheet& sheet) {
        EXPECT_TRUE(sheet.general.combineCompatibleUnits);
        sheet.general.combineCompatibleUnits = false;
        return true;
    };
    dialog->ShowOptionsSheet();
    Shop().ToggleCombined();
    ASSERT_EQ(view.shoppingRows.size(), 2u) << "1250 g and 1 kg";
    EXPECT_FALSE(view.shoppingRows[0].converted || view.shoppingRows[1].converted);
    EXPECT_EQ(StoredSettings()->ReadNumber("ShopExactUnits").value_or(-1), 1);
}

TEST_F(ShoppingListTest, FileRoundTripKeepsEveryField) {
    Support(
        "INSERT INTO ShoppingList(ShoppingListID, TextQty, QtyToBuy, UnitOfMeasure, ItemName, "
        "Notes, RecipeTitle, IngredientLineID, RecipeID, IngredientMasterID, CookbookFile, "
        "Dept) VALUES (7, '1/3', 0.333333333333333, 'c', 'Mom''s \"best\" @home <crème> & co', "
        "'½ diced', 'Tom''s Pie', 12, 3, 4, '/boxes/o''brien.crb', 'Dairy'), "
        "(9, '', 0, '', 'salt', '', '- Added Manually -', -1, -1, -1, '', 'Spices')");
    Shop().Reload();
    const std::vector<ShoppingItem> before = Shop().Items().Items();
    const std::string path = dataRoot + "/week.sxf";
    ASSERT_TRUE(Shop().WriteShoppingFile(path));
    const std::string text = [&] {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    EXPECT_NE(text.find("<ITEMNAME>Mom~quotes ~doublequotebest~doublequote ~~at;home ~~ltcrème&gt; "
                        "&amp; co</ITEMNAME>\r\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.rfind("<SHOPPINGLIST>", 0), 0u) << "no byte order mark";

    Shop().ClearList();
    ASSERT_EQ(Shop().OpenShoppingFile(path), 0);
    const std::vector<ShoppingItem>& after = Shop().Items().Items();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        const ShoppingItem &a = after[i], &b = before[i];
        EXPECT_EQ(std::tie(a.ShoppingListID, a.QtyToBuy, a.UnitOfMeasure, a.ItemName, a.Notes,
                           a.RecipeTitle, a.IngredientLineID, a.RecipeID, a.CookbookFile,
                           a.IngredientMasterID, a.TextQty, a.Dept),
                  std::tie(b.ShoppingListID, b.QtyToBuy, b.UnitOfMeasure, b.ItemName, b.Notes,
                           b.RecipeTitle, b.IngredientLineID, b.RecipeID, b.CookbookFile,
                           b.IngredientMasterID, b.TextQty, b.Dept));
    }
    EXPECT_EQ(Shop().FileName(), path);
    EXPECT_FALSE(Shop().Changed());

    // Keeping the list (Cancel) adds the file's items; taken numbers move on.
    prompter.answers = {Answer::Cancel};
    ASSERT_EQ(Shop().OpenShoppingFile(path), 0);
    EXPECT_TRUE(prompter.Showed(
        "Your current shopping list has 2 items.  Are you sure you want to clear it?"));
    EXPECT_EQ(Shop().Items().Count(), 4u);
    EXPECT_EQ(Number("Select count(*) from ShoppingList where ItemName = 'salt'", true), 2);
}

TEST_F(ShoppingListTest, BadFilesChangeNothingAndTheCloseQuestion) {
    Shop().AddItem("milk", "1", "qt");
    const std::string bad = dataRoot + "/bad.sxf";
    struct {
        const char* text;  // nullptr: no file
        const char* message;
    } const cases[] = {
        {nullptr, "Shopping list not found"},
        {"", "Shopping list not found"},
        {"<RECIPE><TITLE>x</TITLE></RECIPE>", "Could not read Pantrio Shopping List."},
        {"not a document", "Could not read Pantrio Shopping List."}};
    for (const auto& c : cases) {
        std::filesystem::remove(bad);
        if (c.text != nullptr) std::ofstream(bad) << c.text;
        prompter.shown.clear();
        prompter.answers = {Answer::OK};  // would agree to clear
        EXPECT_EQ(Shop().OpenShoppingFile(bad), -1);
        EXPECT_EQ(prompter.Messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(Number("Select count(*) from ShoppingList", true), 1);
    }

    const std::string path = dataRoot + "/list.sxf";
    ASSERT_TRUE(Shop().WriteShoppingFile(path));
    prompter.answers = {Answer::OK};
    ASSERT_EQ(Shop().OpenShoppingFile(path), 0);
    prompter.shown.clear();
    dialog->Close();
    EXPECT_TRUE(prompter.Messages().empty()) << "unchanged since opened";

    MakeDialog();
    dialog->Initialise(CommandLine{"", "", path});
    EXPECT_EQ(Shop().FileName(), path) << "a list named on the command line is opened";
    Shop().AddItem("sugar", "1", "cup");
    prompter.shown.clear();
    prompter.answers = {Answer::OK};
    prompter.fileNames = {dataRoot + "/saved"};
    dialog->Close();
    EXPECT_TRUE(
        prompter.Showed("You have made changes to your shopping list " + path + ".  Save it?"));
    EXPECT_TRUE(std::filesystem::is_regular_file(dataRoot + "/saved.sxf"));
}

TEST(UnitSumsTest, KindsAndDisplayUnits) {
    EXPECT_EQ(KindOfUnit("T"), UnitKind::Volume);
    EXPECT_EQ(KindOfUnit("fl oz"), UnitKind::Volume);
    EXPECT_EQ(KindOfUnit("oz"), UnitKind::Mass);
    EXPECT_EQ(KindOfUnit("pinch"), UnitKind::None);
    EXPECT_EQ(KindOfUnit(""), UnitKind::None);
    EXPECT_FALSE(SumInCommonUnit({{1, "cup"}, {1, "lb"}}));
    const auto quarts = SumInCommonUnit({{3, "cups"}, {1, "qt"}});
    ASSERT_TRUE(quarts);
    EXPECT_DOUBLE_EQ(quarts->quantity, 1.75);
    EXPECT_EQ(quarts->unit, "qt");
}

}  // namespace
}  // namespace pantrio::test
