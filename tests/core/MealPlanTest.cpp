// The meal plan: entries written from the open box, the four lists of a day,
// marks that follow a recipe across days and boxes, moves, and the
// "Clear Meal Plan" dialog's checks, question and deletion.
#include <filesystem>

#include "base/Text.h"
#include "core/CommandsFixture.h"

namespace pantrio::test {
namespace {

class MealPlan : public CommandsFixture {
protected:
    MealPlanController& Plan() { return dialog->MealPlan(); }
    long Count(const std::string& where = "1=1") {
        return Number("Select count(*) from RecipeList where " + where, true);
    }
    // A second box in a folder whose name has an apostrophe, holding
    // recipe 1 "Other Soup".
    std::string OtherBox() {
        const std::string folder = dataRoot + "/Rbox/mom's";
        std::filesystem::create_directories(folder);
        const std::string path = folder + "/mom's.crb";
        EXPECT_TRUE(temp.CreateDatabase(path, "recipebox.sql")) << temp.Error();
        AddRecipes(path, {"Other Soup"});
        return path;
    }
    static DateTime Day(int d) { return DateTime::FromDate(2024, 3, d); }
};

TEST_F(MealPlan, AddToPlanCopiesTheRecipeAndRefusesUnknownNumbers) {
    AddRecipes(StandardBox(), {"Mom''s Pie", "Stew"});  // SQL text
    ASSERT_TRUE(TempDataRoot::Exec(StandardBox(),
                                   "UPDATE Recipes SET ScaleMultiple = 2, YieldNumber = 3, "
                                   "YieldUnit = 'servings' WHERE RecipeID = 1"));
    Start();
    const long first = Plan().AddRecipe(Day(20), meal::kLunch, 1);
    const long second = Plan().AddToPlan(Day(20), meal::kLunch, 1, 9, "6 servings");
    EXPECT_GT(first, 0);
    EXPECT_EQ(second, first + 1) << "the same recipe twice gives two entries";
    EXPECT_EQ(
        Value("Select Title from RecipeList where RecipeListID = " + std::to_string(first), true),
        "Mom's Pie");
    EXPECT_EQ(Value("Select Marked || '/' || Color || '/' || ScaleToMake || '/' || CookbookFile "
                    "from RecipeList where RecipeListID = " +
                        std::to_string(second),
                    true),
              "1/2/2.0/" + StandardBox());

    // Nothing is written for a recipe the box does not hold or a meal code
    // that no list shows.
    EXPECT_EQ(Plan().AddRecipe(Day(20), meal::kDinner, 99), -1);
    EXPECT_EQ(Plan().AddToPlan(Day(20), 4, 2, 0, ""), -1);
    EXPECT_EQ(Count(), 2);

    const MealDayLists lists = Plan().DayLists(Day(20));
    ASSERT_EQ(lists[1].size(), 2u);
    EXPECT_TRUE(lists[0].empty() && lists[2].empty() && lists[3].empty());
    EXPECT_EQ(lists[1][0].columns, std::vector<std::string>{"[6 servings]"});
    EXPECT_EQ(lists[1][0].icon, 0);
    EXPECT_EQ(lists[1][1].icon, 9);
    EXPECT_TRUE(Plan().DayLists(Day(21))[1].empty());
}

TEST_F(MealPlan, MarkingAnEntryMarksTheRecipeEverywhereInItsBox) {
    AddRecipes(StandardBox(), {"Apple", "Banana"});
    const std::string other = OtherBox();
    Start();
    const long appleMonday = Plan().AddRecipe(Day(18), meal::kDinner, 1);
    const long appleFriday = Plan().AddRecipe(Day(22), meal::kBreakfast, 1);
    Plan().AddRecipe(Day(18), meal::kLunch, 2);
    ASSERT_TRUE(TempDataRoot::Exec(
        dataRoot + "/Data/support.csy",
        "INSERT INTO RecipeList (RecipeListID, RecipeDate, MealNumber, RecipeID, CookbookFile, "
        "Title, Marked, Color) VALUES (10, '2024-03-18 00:00:00', 6, 1, '" +
            ReplaceAll(other, "'", "''") + "', 'Other Soup', 0, 0)"));

    ASSERT_TRUE(Plan().ToggleEntryMark(appleMonday));
    EXPECT_EQ(Count("Marked <> 0"), 2);
    EXPECT_EQ(Count("Marked <> 0 AND RecipeListID IN (" + std::to_string(appleMonday) + "," +
                    std::to_string(appleFriday) + ")"),
              2);
    EXPECT_NE(Column(StandardBox(), 1, "Marked"), "0");
    EXPECT_EQ(Column(other, 1, "Marked"), "0") << "the same number in another box stays";

    // An entry of another box marks the recipe in that box, which is not
    // opened for it: the open box and the current recipe stay.
    const int boxChanges = view.boxChanges;
    ASSERT_TRUE(Plan().ToggleEntryMark(10));
    EXPECT_NE(Column(other, 1, "Marked"), "0");
    EXPECT_EQ(dialog->Boxes().OpenBoxFile(), StandardBox());
    EXPECT_EQ(view.boxChanges, boxChanges);

    ASSERT_TRUE(Plan().ToggleEntryMark(appleFriday));
    EXPECT_EQ(Count("Marked <> 0"), 1);
    EXPECT_EQ(Column(StandardBox(), 1, "Marked"), "0");
    EXPECT_FALSE(Plan().ToggleEntryMark(999));
}

TEST_F(MealPlan, EntriesMoveBetweenMealsAndDaysAndComeOff) {
    AddRecipes(StandardBox(), {"Apple"});
    Start();
    const long id = Plan().AddRecipe(Day(18), meal::kBreakfast, 1);
    const std::string where = "RecipeListID = " + std::to_string(id);

    EXPECT_TRUE(Plan().MoveEntryToMeal(id, meal::kBreakfast));
    EXPECT_EQ(Count(where + " AND MealNumber = 0"), 1) << "its own list leaves it unchanged";
    EXPECT_TRUE(Plan().MoveEntryToMeal(id, meal::kSnack));
    EXPECT_EQ(Count(where + " AND MealNumber = 6"), 1);
    EXPECT_FALSE(Plan().MoveEntryToMeal(id, 2));

    EXPECT_TRUE(Plan().MoveEntryToDay(id, Day(25)));
    EXPECT_EQ(Plan().SelectedDay(), Day(25)) << "the day it went to is shown";
    EXPECT_EQ(view.shownDays.back(), Day(25));
    ASSERT_EQ(view.shownMealLists[3].size(), 1u);
    EXPECT_EQ(view.shownMealLists[3][0].data, id);

    EXPECT_TRUE(Plan().RemoveEntry(id));
    EXPECT_EQ(Count(), 0);
    for (const bool done : {Plan().RemoveEntry(id), Plan().MoveEntryToDay(id, Day(1)),
                            Plan().MoveEntryToMeal(id, meal::kLunch)})
        EXPECT_FALSE(done);
}

TEST_F(MealPlan, DroppingAResultMakesItCurrentAndPlansIt) {
    AddRecipes(StandardBox(), {"Apple", "Banana"});
    Start({"SoundsUI=1"});
    dialog->Results().FillAllRecipes();

    EXPECT_GT(Plan().DropRecipeOnDay(2, Day(27)), 0);
    EXPECT_EQ(Plan().SelectedDay(), Day(27));
    EXPECT_EQ(dialog->Recipes().CurrentID(), 2);
    ASSERT_EQ(view.shownMealLists[2].size(), 1u) << "a day drop plans a dinner";
    EXPECT_EQ(view.shownMealLists[2][0].text, "Banana");

    EXPECT_GT(Plan().DropRecipeOnMeal(1, meal::kLunch), 0);
    ASSERT_EQ(view.shownMealLists[1].size(), 1u);
    EXPECT_EQ(view.shownMealLists[1][0].text, "Apple");
    EXPECT_EQ(sound.played, (std::vector<std::string>{"MINIWHOOSH", "MINIWHOOSH"}));
}

TEST_F(MealPlan, AddToCalendarPlansTheSelectedRecipe) {
    AddRecipes(StandardBox(), {"Apple", "Banana"});
    Start();
    ListAndSelect({1});
    view.addToCalendarPresses = {{Day(19), meal::kSnack}};
    EXPECT_TRUE(dialog->RunCommand(command::kAddToCalendar));
    ASSERT_EQ(view.addToCalendarOpenedWith.size(), 1u);
    EXPECT_EQ(view.addToCalendarOpenedWith[0].meal, meal::kDinner);
    EXPECT_EQ(view.addToCalendarOpenedWith[0].day, today);
    EXPECT_EQ(Count("RecipeID = 2 AND MealNumber = 6 AND RecipeDate = '2024-03-19 00:00:00'"), 1);

    // With the selection gone the dialog says so and stays open.
    view.Select({});
    dialog->MealPlan().AddToCalendarCommand();
    EXPECT_TRUE(prompter.Showed("No recipe selected."));
    EXPECT_EQ(Count(), 1);
}

TEST_F(MealPlan, ClearMealPlanChecksTheRangeAndAsks) {
    AddRecipes(StandardBox(), {"Apple"});
    Start();
    for (const int d : {10, 11, 11, 12, 12, 12}) Plan().AddRecipe(Day(d), meal::kDinner, 1);

    const struct {
        int from, to;
        Answer answer;
        const char* message;
        long left;
        bool closes;
    } cases[] = {
        {12, 11, Answer::Yes,
         "Error:  Your start date is after the end date you selected.  Please try again.", 6,
         false},
        {1, 9, Answer::Yes, "There are no recipes on your meal plan between these dates", 6, false},
        {10, 10, Answer::No, "Warning:  This will delete 1 recipe.  Are you sure?", 6, true},
        {10, 10, Answer::Yes, "Warning:  This will delete 1 recipe.  Are you sure?", 5, true},
        {11, 12, Answer::No,
         "Warning:  This will remove 5 recipes from your meal plan.  Are you sure?", 5, true},
        {12, 12, Answer::Yes,
         "Warning:  This will remove 3 recipes from your meal plan.  Are you sure?", 2, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        prompter.shown.clear();
        prompter.answers = {c.answer};
        // The dialog presses OK once more after an error, with a range that
        // closes it, so a dialog that stays open shows as a second question.
        view.clearMealPlanPresses = {{Day(c.from), Day(c.to)}, {Day(1), Day(1)}};
        EXPECT_TRUE(dialog->RunCommand(command::kClearMealPlan));
        ASSERT_FALSE(prompter.shown.empty());
        EXPECT_EQ(prompter.shown[0].text, c.message);
        EXPECT_EQ(prompter.shown.size(), c.closes ? 1u : 2u);
        EXPECT_EQ(Count(), c.left);
    }
    EXPECT_EQ(Count("RecipeDate = '2024-03-11 00:00:00'"), 2);
}

}  // namespace
}  // namespace pantrio::test
