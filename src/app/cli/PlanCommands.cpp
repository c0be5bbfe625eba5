// plan: the meal plan of the support database, as the meal-plan page keeps
// it. Entries are named by the number `plan show` lists first.
#include <ostream>

#include "app/cli/CliContext.h"
#include "app/cli/Command.h"
#include "app/cli/DayArgument.h"
#include "app/cli/OutputFields.h"
#include "base/Text.h"

namespace pantrio::cli {

namespace {

// Reads a day argument, saying what is wrong with it.
bool ReadDay(CliContext& context, const std::string& text, DateTime& day) {
    const std::optional<DateTime> parsed = ParseDay(text);
    if (!parsed) {
        context.err() << "Not a date (YYYY-MM-DD): " << text << "\n";
        return false;
    }
    day = *parsed;
    return true;
}

bool ReadMeal(CliContext& context, const std::string& text, int& code) {
    code = MealPlanController::MealCode(text);
    if (code < 0) {
        context.err() << "Not a meal (Breakfast, Lunch, Dinner or Snack): " << text << "\n";
        return false;
    }
    return true;
}

// The settings, the box and the support database with the plan.
bool OpenPlan(CliContext& context, bool needBox) {
    if (!context.LoadSettings()) return false;
    if (needBox && !context.OpenBox()) return false;
    return context.OpenSupport();
}

// Entry `id`, or a message that there is none.
bool RequireEntry(CliContext& context, long id) {
    if (context.dialog().MealPlan().Entry(id)) return true;
    context.err() << "No meal-plan entry number " << id << ".\n";
    return false;
}

int RunPlanAdd(CliContext& context, const std::vector<std::string>& arguments) {
    long id = 0;
    if (arguments.size() != 3 || !ParseNumber(arguments[2], 1, 0x7fffffff, id)) return kExitUsage;
    DateTime day;
    int code = 0;
    if (!ReadDay(context, arguments[0], day) || !ReadMeal(context, arguments[1], code))
        return kExitFailure;
    if (!OpenPlan(context, true)) return kExitFailure;
    MainDialog& dialog = context.dialog();
    if (!dialog.Recipes().Exists(static_cast<int>(id))) {
        context.err() << "No recipe number " << id << " in " << dialog.Boxes().CookbookPath()
                      << ".\n";
        return kExitFailure;
    }
    const long entry = dialog.MealPlan().AddRecipe(day, code, static_cast<int>(id));
    if (entry < 0) {
        context.err() << "Could not add the recipe to the meal plan.\n";
        return kExitFailure;
    }
    context.out() << entry << "\n";
    return kExitOk;
}

int RunPlanShow(CliContext& context, const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.size() > 2) return kExitUsage;
    DateTime first, last;
    if (!ReadDay(context, arguments[0], first)) return kExitFailure;
    last = first;
    if (arguments.size() == 2 && !ReadDay(context, arguments[1], last)) return kExitFailure;
    if (!OpenPlan(context, false)) return kExitFailure;
    const auto entries = context.dialog().MealPlan().Entries(first, last);
    if (!entries) {
        context.err() << "Could not read the meal plan.\n";
        return kExitFailure;
    }
    for (const PlanEntry& e : *entries)
        context.out() << e.id << "\t" << e.day.IsoDateText() << "\t"
                      << MealPlanController::MealName(e.meal) << "\t" << e.recipeID << "\t"
                      << OutputField(e.title) << "\t" << OutputField("[" + e.scaleText + "]")
                      << "\t" << (e.marked ? "marked" : "") << "\t" << OutputField(e.cookbookFile)
                      << "\n";
    return kExitOk;
}

int RunPlanMove(CliContext& context, const std::vector<std::string>& arguments) {
    long id = 0;
    std::optional<std::string> dayText, mealText;
    if (arguments.empty() || !ParseNumber(arguments[0], 1, 0x7fffffff, id)) return kExitUsage;
    for (std::size_t i = 1; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size()) return kExitUsage;
        if (arguments[i] == "--date")
            dayText = arguments[i + 1];
        else if (arguments[i] == "--meal")
            mealText = arguments[i + 1];
        else
            return kExitUsage;
    }
    if (!dayText && !mealText) return kExitUsage;
    DateTime day;
    int code = 0;
    if ((dayText && !ReadDay(context, *dayText, day)) ||
        (mealText && !ReadMeal(context, *mealText, code)))
        return kExitFailure;
    if (!OpenPlan(context, false) || !RequireEntry(context, id)) return kExitFailure;
    MealPlanController& plan = context.dialog().MealPlan();
    if ((dayText && !plan.MoveEntryToDay(id, day)) ||
        (mealText && !plan.MoveEntryToMeal(id, code))) {
        context.err() << "Could not move meal-plan entry " << id << ".\n";
        return kExitFailure;
    }
    return kExitOk;
}

int RunPlanRemove(CliContext& context, const std::vector<std::string>& arguments) {
    std::vector<long> ids;
    for (const std::string& a : arguments) {
        long id = 0;
        if (!ParseNumber(a, 1, 0x7fffffff, id)) return kExitUsage;
        ids.push_back(id);
    }
    if (ids.empty()) return kExitUsage;
    if (!OpenPlan(context, false)) return kExitFailure;
    // Every entry is checked first, so a wrong number removes nothing.
    for (const long id : ids)
        if (!RequireEntry(context, id)) return kExitFailure;
    for (const long id : ids)
        if (!context.dialog().MealPlan().RemoveEntry(id)) {
            context.err() << "Could not remove meal-plan entry " << id << ".\n";
            return kExitFailure;
        }
    return kExitOk;
}

int RunPlanClear(CliContext& context, const std::vector<std::string>& arguments) {
    DateTime before;
    const bool limited = !arguments.empty();
    if (limited && (arguments.size() != 2 || arguments[0] != "--before")) return kExitUsage;
    if (limited && !ReadDay(context, arguments[1], before)) return kExitFailure;
    if (!OpenPlan(context, false)) return kExitFailure;
    if (limited && before == DateTime::FromDate(1, 1, 1)) {
        context.err() << "There are no recipes on your meal plan between these dates\n";
        return kExitOk;
    }
    const DateTime first = DateTime::FromDate(1, 1, 1);
    const DateTime last = limited ? DayBefore(before) : DateTime::FromDate(9999, 12, 31);
    switch (context.dialog().MealPlan().ClearRange(first, last)) {
        case MealPlanController::ClearResult::Cleared:
        case MealPlanController::ClearResult::NothingToClear:
            return kExitOk;
        case MealPlanController::ClearResult::Declined:
            context.err() << "Nothing was removed.\n";
            return kExitFailure;
        default:
            context.err() << "Could not clear the meal plan.\n";
            return kExitFailure;
    }
}

}  // namespace

void AddPlanCommands(std::vector<Command>& table) {
    table.push_back({"plan add", "DATE MEAL ID",
                     "put recipe ID on the meal plan (MEAL: Breakfast, Lunch, Dinner, Snack)",
                     RunPlanAdd});
    table.push_back({"plan show", "FROM [TO]",
                     "list the plan's entries: entry, date, meal, recipe, title, scale, mark, box",
                     RunPlanShow});
    table.push_back({"plan move", "ENTRY [--date DATE] [--meal MEAL]",
                     "move an entry to another day or meal", RunPlanMove});
    table.push_back({"plan remove", "ENTRY...", "take entries off the plan", RunPlanRemove});
    table.push_back({"plan clear", "[--before DATE]",
                     "remove every entry (before DATE); asks first, --yes confirms", RunPlanClear});
}

}  // namespace pantrio::cli
