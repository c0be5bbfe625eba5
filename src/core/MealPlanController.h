// The meal plan: recipes of any box placed on days and meals (the support
// database's RecipeList), the meal-plan page that shows one day in four
// lists, and the "Add to Calendar" and "Clear Meal Plan" dialogs. It holds
// the day the page's calendar has selected; entries name their recipe by
// number and box file, and keep copies of its title, mark and icon.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/DateTime.h"
#include "core/ControllerContext.h"
#include "core/MealPlanView.h"

namespace pantrio {

class Recipe;

// The meal codes entries carry.
namespace meal {
inline constexpr int kBreakfast = 0;
inline constexpr int kLunch = 3;
inline constexpr int kDinner = 5;
inline constexpr int kSnack = 6;
}  // namespace meal

// One entry of the plan as stored.
struct PlanEntry {
    long id = 0;  // RecipeListID
    DateTime day;
    int meal = meal::kDinner;
    int recipeID = 0;
    std::string title;
    std::string cookbookFile;
    bool marked = false;
    int color = 0;
    double scale = 1;
    std::string scaleText;

    int Icon() const { return color + (marked ? 7 : 0); }
};

class MealPlanController {
public:
    MealPlanController(ControllerContext context, MealPlanView* view);

    // The meal codes of the page's four lists, in page order.
    static const std::array<int, 4>& ListMeals();
    // "Breakfast", "Lunch", "Dinner", "Snack" (the dialogs' names); empty for
    // other codes.
    static std::string MealName(int code);
    // The list header: as MealName, but "Snacks/Other" for snacks.
    static std::string ListHeader(int code);
    // The code of a meal name of the dialogs (any letter case; "Snacks" and
    // "Snacks/Other" too); -1 for anything else.
    static int MealCode(const std::string& name);
    // "%.0f %s" of the recipe's ScaleMultiple times its yield, and its unit.
    static std::string ScaleTextOf(const Recipe& recipe);

    // The day the page shows; today until another is chosen.
    DateTime SelectedDay() const;
    // The calendar chose `day`: it is shown.
    void SelectDay(const DateTime& day);
    // Refills the page's four lists for the selected day.
    void ShowDay();
    // The rows of `day`'s four lists, as the page shows them.
    MealDayLists DayLists(const DateTime& day);

    // Writes one entry for recipe `recipeID` of the open box with the mark
    // and colour of `icon` and `scaleText`. The new entry's number, or -1
    // (nothing written) when the box holds no such recipe, the meal code is
    // not one of the four or a statement failed.
    long AddToPlan(const DateTime& day, int meal, int recipeID, int icon,
                   const std::string& scaleText);
    // AddToPlan with the recipe's own icon and scale text, read from the box.
    long AddRecipe(const DateTime& day, int meal, int recipeID);

    // A recipe of the results list dropped on a day of the calendar (it
    // becomes the selection; the entry is a dinner) or on the list of
    // `meal` (for the selected day). The dragged recipe becomes current. The
    // new entry, or -1.
    long DropRecipeOnDay(long recipeID, const DateTime& day);
    long DropRecipeOnMeal(long recipeID, int meal);

    // The widths of the name and scale columns of list `list` (0..3, page
    // order), and a column resized by the user (kept in the settings).
    std::array<int, 2> ColumnWidths(int list) const;
    void SetColumnWidth(int list, int column, int width);

    // Marks an unmarked entry or unmarks a marked one: every entry of the
    // same recipe and box follows, and so does the recipe in its box (also
    // when that box is not open). False when there is no such entry.
    bool ToggleEntryMark(long entryID);
    // Moves an entry to another meal of its day, or to another day; false
    // when there is no such entry or the statement failed.
    bool MoveEntryToMeal(long entryID, int meal);
    bool MoveEntryToDay(long entryID, const DateTime& day);
    // Takes an entry off the plan.
    bool RemoveEntry(long entryID);
    // Shows the entry's recipe on the recipes page, switching boxes (with a
    // message naming it) when it lives in another box.
    void OpenEntry(long entryID);
    // The hover preview of an entry's recipe as text; empty when the recipe
    // cannot be read. The open box stays open.
    std::string PreviewText(long entryID);

    // One entry; nothing when there is none.
    std::optional<PlanEntry> Entry(long entryID);
    // The entries from `first` to `last` (both included) by day, meal and
    // title; nothing when the plan cannot be read.
    std::optional<std::vector<PlanEntry>> Entries(const DateTime& first, const DateTime& last);
    // The number of entries from `first` to `last`; -1 when unreadable.
    long CountRange(const DateTime& first, const DateTime& last);

    // What "Clear Meal Plan" did with a range.
    enum class ClearResult { StartAfterEnd, NothingToClear, Declined, Cleared, Failed };
    // The dialog's OK: checks the range, asks, and deletes the entries from
    // `from` to `to`, with the dialog's messages.
    ClearResult ClearRange(const DateTime& from, const DateTime& to);
    // Deletes every entry before `day` without asking (the command line);
    // the number removed, or -1 on failure.
    long ClearBefore(const DateTime& day);

    // "Add Cal" and "Add Recipe to &Calendar" (a row is selected).
    void AddToCalendarCommand();
    // "C&lear Meal Plan...".
    void ClearMealPlanCommand();

    // Loads recipe `recipeID` of the box `boxFile` with its lines and
    // keywords into `recipe`, reading another box through a connection of
    // its own so the open box stays open. False when it cannot be read.
    bool LoadRecipeOfBox(const std::string& boxFile, int recipeID, Recipe& recipe);

private:
    // The day as the plan's date literals write it.
    static std::string DayLiteral(const DateTime& day);
    long DropRecipe(long recipeID, const DateTime& day, int meal);
    int* ColumnWidthSetting(int list, int column) const;
    bool IsOpenBox(const std::string& boxFile) const;

    ControllerContext context_;
    MealPlanView* view_;
    DateTime selectedDay_;
};

}  // namespace pantrio
