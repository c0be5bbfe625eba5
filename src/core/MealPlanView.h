// The meal-plan page and its dialogs as MealPlanController sees them: the
// four meal lists of the selected day, the "Add to Calendar" and "Clear Meal
// Plan" dialogs and the recipe preview. Each call defaults to showing
// nothing (or to Cancel), so a front end without a window needs nothing here.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "base/DateTime.h"
#include "base/RowSink.h"

namespace pantrio {

// The rows of one day's four lists in page order: Breakfast, Lunch, Dinner,
// Snacks/Other. Each row: the title, the icon (Color, + 7 when marked), the
// "[scale]" column and the entry's RecipeListID as data.
using MealDayLists = std::array<std::vector<ListRow>, 4>;

// What the "Add to Calendar" dialog returns on its OK button.
struct AddToCalendarChoice {
    DateTime day;
    int meal = 5;
};

class MealPlanView {
public:
    virtual ~MealPlanView() = default;

    // The page shows `day` selected on its calendar and `lists` below it.
    virtual void ShowMealDay(const DateTime& /*day*/, const MealDayLists& /*lists*/) {}

    // "Add to Calendar", opened on `initial`. Each press of its OK button
    // calls `accept`, which says whether the dialog closes; Cancel closes it.
    virtual void RunAddToCalendar(
        const AddToCalendarChoice& /*initial*/,
        const std::function<bool(const AddToCalendarChoice&)>& /*accept*/) {}
    // "Clear Meal Plan", opened with both days on `initial`. Each OK calls
    // `accept` with From and To, which says whether the dialog closes.
    virtual void RunClearMealPlan(
        const DateTime& /*initial*/,
        const std::function<bool(const DateTime& from, const DateTime& to)>& /*accept*/) {}
};

}  // namespace pantrio
