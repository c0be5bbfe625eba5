// The printed pages: the shopping-list table, the meal plan of a date range
// with each day's recipes, and what building them leaves behind (nothing:
// the open box, the list and the current recipe stay).
#include <filesystem>

#include "core/CommandsFixture.h"
#include "render/ShoppingListHtml.h"

namespace pantrio::test {
namespace {

std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class PrintPages : public CommandsFixture {
protected:
    PrintController& Printing() { return dialog->Printing(); }
    static DateTime Day(int d) { return DateTime::FromDate(2024, 3, d); }
    static PrintChoices PlanOnly(int from, int to) {
        PrintChoices choices;
        choices.source = PrintSource::None;
        choices.mealPlan = true;
        choices.from = Day(from);
        choices.to = Day(to);
        return choices;
    }
};

TEST(ShoppingListHtml, PrintsQuantitiesAsFractionsAndSkipsEmptyItems) {
    const struct {
        PrintedShoppingItem item;
        const char* row;  // empty: no row
    } cases[] = {
        {{1.5, "cup", "flour", "", "Baking"},
         "<TR><TD><FONT SIZE=-1>___ flour&nbsp;&nbsp;&nbsp;(1 1/2 cup)</FONT></TD><TD><FONT "
         "SIZE=-1>Baking</FONT></TD> </TR>"},
        {{0, "", "salt", "", "Spices"},
         "<TR><TD><FONT SIZE=-1>___ salt&nbsp;&nbsp;&nbsp;</FONT></TD><TD><FONT "
         "SIZE=-1>Spices</FONT></TD> </TR>"},
        {{0, "cup", "", "", "Baking"}, ""},
        {{0.00001, "", "  ", "", ""}, ""},
        {{2, "", "eggs", "large", ""},
         "<TR><TD><FONT SIZE=-1>___ eggs&nbsp;large&nbsp;&nbsp;(2)</FONT></TD><TD><FONT "
         "SIZE=-1></FONT></TD> </TR>"},
    };
    const std::string head =
        "<table border=0 cellpadding=1 cellspacing=0><tr><td bgcolor=#EEEEEE "
        "width=30%>&nbsp;&nbsp;&nbsp;&nbsp;<U><B>Item</B></U></td><td bgcolor=#EEEEEE "
        "width=30%><U><B>Dept</B></U></td></tr>";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item.ItemName);
        EXPECT_EQ(ShoppingListHtml({c.item}), head + c.row + "</TABLE>");
    }
    // Item texts keep their markup but lose active content.
    const std::string page =
        ShoppingListHtml({{1, "can", "<b>tomatoes</b><script>alert(1)</script>", "", "Can's"}});
    EXPECT_NE(page.find("<b>tomatoes</b>"), std::string::npos);
    EXPECT_EQ(page.find("script"), std::string::npos);
    EXPECT_NE(page.find("Can's"), std::string::npos);
}

TEST_F(PrintPages, AnEmptyRangePrintsOnlyTheHeading) {
    Start();
    EXPECT_EQ(Printing().PrintPageBody(PlanOnly(1, 31)),
              "<H4>Meal Plan</H4><BR><BR><BR></HTML><BODY>");
    PrintChoices nothing = PlanOnly(1, 1);
    nothing.mealPlan = false;
    nothing.source = PrintSource::WebView;
    EXPECT_EQ(Printing().PrintPageBody(nothing), "</HTML><BODY>");
    EXPECT_EQ(
        Printing().BuildPrintPage(nothing).rfind("<BODY oncontextmenu='return false'><HTML>", 0),
        0u);
}

TEST_F(PrintPages, MealPlanListsEachDayThenItsRecipesAndRestoresTheWindow) {
    AddRecipes(StandardBox(), {"Apple Cake", "Bean Soup", "Corn Bread"});
    const std::string otherFolder = dataRoot + "/Rbox/other";
    std::filesystem::create_directories(otherFolder);
    const std::string other = otherFolder + "/other.crb";
    ASSERT_TRUE(temp.CreateDatabase(other, "recipebox.sql")) << temp.Error();
    AddRecipes(other, {"Distant Dish"});
    Start();
    MealPlanController& plan = dialog->MealPlan();
    plan.AddRecipe(Day(18), meal::kDinner, 1);
    plan.AddRecipe(Day(18), meal::kBreakfast, 2);
    plan.AddRecipe(Day(20), meal::kSnack, 3);
    ASSERT_TRUE(TempDataRoot::Exec(
        dataRoot + "/Data/support.csy",
        "INSERT INTO RecipeList (RecipeListID, RecipeDate, MealNumber, RecipeID, CookbookFile, "
        "Title) VALUES (20, '2024-03-20 00:00:00', 3, 1, '" +
            other +
            "', 'Distant Dish'), (21, '2024-03-20 00:00:00', 5, 4, '/gone/box.crb', 'Lost')"));

    ListAndSelect({2});
    dialog->Recipes().OnRowSelected(2);
    ASSERT_EQ(dialog->Recipes().CurrentID(), 3);
    const std::size_t queries = view.queries.size();
    const int boxChanges = view.boxChanges;

    const std::string body = Printing().MealPlanHtml(Day(18), Day(20));
    EXPECT_EQ(Occurrences(body, "mealcal.gif"), 2u) << "one header per day";
    EXPECT_NE(body.find("Monday, March 18, 2024 </H4>Breakfast: Bean Soup<BR>Dinner: Apple "
                        "Cake<BR><BR><BR>"),
              std::string::npos);
    EXPECT_NE(body.find("Lunch: Distant Dish<BR>Dinner: Lost<BR>Snack: Corn Bread<BR>"),
              std::string::npos);
    EXPECT_NE(body.find("{Unable to load Recipe Box /gone/box.crb}<BR>"), std::string::npos);
    // Every recipe page of the first day comes before the second day's header.
    const std::size_t secondDay = body.find("Wednesday, March 20, 2024");
    EXPECT_LT(body.find("Cook Apple Cake."), secondDay);
    EXPECT_LT(body.find("Cook Bean Soup."), secondDay);
    EXPECT_GT(body.find("Cook Distant Dish."), secondDay);
    EXPECT_EQ(Occurrences(body, "<DIV class=sheet>"), 3u) << "each recipe after the first";

    EXPECT_EQ(dialog->Boxes().OpenBoxFile(), StandardBox());
    EXPECT_EQ(dialog->Recipes().CurrentID(), 3);
    EXPECT_EQ(view.queries.size(), queries) << "the results list was not refilled";
    EXPECT_EQ(view.boxChanges, boxChanges);
    EXPECT_EQ(Column(StandardBox(), 1, "LastViewed"), "") << "printing is not viewing";
}

TEST_F(PrintPages, TheDialogStartsOnTheCurrentRecipeOrTheWebView) {
    AddRecipes(StandardBox(), {"Apple Cake", "Bean Soup"});
    Start();
    EXPECT_EQ(Printing().InitialChoices().source, PrintSource::WebView);
    ListAndSelect({0});
    dialog->Recipes().OnRowSelected(0);
    const PrintChoices choices = Printing().InitialChoices();
    EXPECT_EQ(choices.source, PrintSource::Selected);
    EXPECT_EQ(choices.from, today);
    const std::string body = Printing().PrintPageBody(choices);
    EXPECT_EQ(body.rfind("<H4>Recipe</H4>", 0), 0u);
    EXPECT_NE(body.find("Cook Apple Cake."), std::string::npos);

    ASSERT_TRUE(TempDataRoot::Exec(StandardBox(), "UPDATE Recipes SET Marked = 1"));
    PrintChoices marked = choices;
    marked.source = PrintSource::Marked;
    const std::string page = Printing().PrintPageBody(marked);
    EXPECT_LT(page.find("Cook Apple Cake."), page.find("Cook Bean Soup."));
    EXPECT_EQ(Occurrences(page, "<DIV class=sheet>"), 1u);
}

}  // namespace
}  // namespace pantrio::test
