#include "core/MealPlanController.h"

#include <filesystem>

#include "base/Prompter.h"
#include "base/Text.h"
#include "core/AppSettings.h"
#include "core/MainDialog.h"
#include "recipe/Recipe.h"
#include "render/RenderRecipeText.h"
#include "storage/CADORecordset.h"
#include "storage/RecipeDB.h"
#include "storage/SupportDB.h"

namespace pantrio {

namespace {

const char* const kEntryColumns =
    "Select RecipeListID, RecipeDate, MealNumber, RecipeID, Title, CookbookFile, Marked, Color, "
    "ScaleToMake, ScaleToMakeText from RecipeList";

PlanEntry ReadEntry(CADORecordset& rs) {
    PlanEntry e;
    long marked = 0;
    rs.Read("RecipeListID", e.id);
    rs.Read("RecipeDate", e.day);
    rs.Read("MealNumber", e.meal);
    rs.Read("RecipeID", e.recipeID);
    rs.Read("Title", e.title);
    rs.Read("CookbookFile", e.cookbookFile);
    rs.Read("Marked", marked);
    rs.Read("Color", e.color);
    rs.Read("ScaleToMake", e.scale);
    rs.Read("ScaleToMakeText", e.scaleText);
    e.marked = marked != 0;
    return e;
}

// The preview's line width in characters.
constexpr int kPreviewWidth = 60;

}  // namespace

MealPlanController::MealPlanController(ControllerContext context, MealPlanView* view)
    : context_(context), view_(view) {}

const std::array<int, 4>& MealPlanController::ListMeals() {
    static const std::array<int, 4> meals = {meal::kBreakfast, meal::kLunch, meal::kDinner,
                                             meal::kSnack};
    return meals;
}

std::string MealPlanController::MealName(int code) {
    switch (code) {
        case meal::kBreakfast:
            return "Breakfast";
        case meal::kLunch:
            return "Lunch";
        case meal::kDinner:
            return "Dinner";
        case meal::kSnack:
            return "Snack";
        default:
            return "";
    }
}

std::string MealPlanController::ListHeader(int code) {
    return code == meal::kSnack ? "Snacks/Other" : MealName(code);
}

int MealPlanController::MealCode(const std::string& name) {
    const std::string wanted = Trim(name);
    for (const int code : ListMeals())
        if (EqualsNoCase(wanted, MealName(code)) || EqualsNoCase(wanted, ListHeader(code)))
            return code;
    if (EqualsNoCase(wanted, "Snacks")) return meal::kSnack;
    return -1;
}

std::string MealPlanController::ScaleTextOf(const Recipe& recipe) {
    return Format("%.0f %s", recipe.ScaleMultiple * recipe.YieldNumber, recipe.YieldUnit.c_str());
}

std::string MealPlanController::DayLiteral(const DateTime& day) {
    return DateTime::FromDate(day.year, day.month, day.day).IsoText();
}

DateTime MealPlanController::SelectedDay() const {
    if (!selectedDay_.null) return selectedDay_;
    const DateTime now = context_.main.Today();
    return DateTime::FromDate(now.year, now.month, now.day);
}

void MealPlanController::SelectDay(const DateTime& day) {
    selectedDay_ = DateTime::FromDate(day.year, day.month, day.day);
    ShowDay();
}

void MealPlanController::ShowDay() {
    if (view_ == nullptr) return;
    const DateTime day = SelectedDay();
    view_->ShowMealDay(day, DayLists(day));
}

MealDayLists MealPlanController::DayLists(const DateTime& day) {
    MealDayLists lists;
    SupportDB& support = context_.support;
    if (!support.Connected()) return lists;
    for (std::size_t i = 0; i < lists.size(); ++i) {
        CADORecordset rs(support);
        const std::string statement = Format(
            "Select RecipeListID, Title, Color, Marked, ScaleToMake,ScaleToMakeText,"
            "RecipeDate from RecipeList where RecipeDate = #%s# and MealNumber = %d "
            "Order by Title, RecipeListID",
            DayLiteral(day).c_str(), ListMeals()[i]);
        if (!rs.Run(statement)) {
            support.SetError(rs.ErrorCode(), rs.ErrorReport());
            continue;
        }
        for (; !rs.AtEnd(); rs.NextRow()) {
            ListRow row;
            long id = 0, marked = 0;
            int color = 0;
            std::string scaleText;
            rs.Read("RecipeListID", id);
            rs.Read("Title", row.text);
            rs.Read("Color", color);
            rs.Read("Marked", marked);
            rs.Read("ScaleToMakeText", scaleText);
            row.icon = color + (marked != 0 ? 7 : 0);
            row.columns.push_back("[" + scaleText + "]");
            row.data = id;
            lists[i].push_back(std::move(row));
        }
    }
    return lists;
}

long MealPlanController::AddToPlan(const DateTime& day, int mealCode, int recipeID, int icon,
                                   const std::string& scaleText) {
    RecipeDB& box = context_.box;
    SupportDB& support = context_.support;
    if (MealName(mealCode).empty() || day.null || !box.Connected() || !support.Connected())
        return -1;
    // A number that names no recipe would leave an entry without a title
    // that opens nothing; it is refused instead.
    if (box.QueryRowCount(Format("Select RecipeID from Recipes where RecipeID=%d", recipeID)) <= 0)
        return -1;
    const std::string title =
        box.QueryText(Format("Select Title from Recipes where RecipeID=%d", recipeID));
    double scale =
        box.QueryDouble(Format("Select ScaleMultiple from Recipes where RecipeID=%d", recipeID));
    if (scale <= 0) scale = 1;

    const long id = support.MaxOf("RecipeList", "RecipeListID");
    if (id < 0) return -1;
    const bool marked = icon >= 7;
    const int color = marked ? icon - 7 : icon;
    const std::string statement = Format(
        "Insert Into RecipeList(RecipeListID, RecipeDate, MealNumber, RecipeID, Notes, Title, "
        "CookbookFile, Marked, Color, ScaleToMake, ScaleToMakeText) Values(%ld,#%s#,%d,%d,'%s', "
        "'%s', '%s', %d, %d,%f,'%s')",
        id + 1, DayLiteral(day).c_str(), mealCode, recipeID, "", QuoteSql(title).c_str(),
        QuoteSql(box.CookbookPath).c_str(), marked ? 1 : 0, color, scale,
        QuoteSql(scaleText).c_str());
    return support.RunSQL(statement) == 1 ? id + 1 : -1;
}

long MealPlanController::AddRecipe(const DateTime& day, int mealCode, int recipeID) {
    Recipe recipe;
    if (context_.box.LoadRecipe(recipeID, recipe) <= 0) return -1;
    return AddToPlan(day, mealCode, recipeID, context_.box.RecipeIcon(recipeID),
                     ScaleTextOf(recipe));
}

long MealPlanController::DropRecipe(long recipeID, const DateTime& day, int mealCode) {
    if (recipeID <= 0) return -1;
    // The drag makes the dragged recipe current, as a click on it would.
    context_.main.Recipes().SelectRecipe(recipeID);
    const long entry = AddRecipe(day, mealCode, static_cast<int>(recipeID));
    if (entry > 0) context_.main.PlayInterfaceSound("MINIWHOOSH");
    ShowDay();
    return entry;
}

long MealPlanController::DropRecipeOnDay(long recipeID, const DateTime& day) {
    selectedDay_ = DateTime::FromDate(day.year, day.month, day.day);
    return DropRecipe(recipeID, selectedDay_, meal::kDinner);
}

long MealPlanController::DropRecipeOnMeal(long recipeID, int mealCode) {
    if (MealName(mealCode).empty()) return -1;
    return DropRecipe(recipeID, SelectedDay(), mealCode);
}

int* MealPlanController::ColumnWidthSetting(int list, int column) const {
    AppSettings& s = context_.settings;
    int* const widths[4][2] = {{&s.iColMPBrkName, &s.iColMPBrkScale},
                               {&s.iColMPLunName, &s.iColMPLunScale},
                               {&s.iColMPDinName, &s.iColMPDinScale},
                               {&s.iColMPSnaName, &s.iColMPSnaScale}};
    if (list < 0 || list > 3 || column < 0 || column > 1) return nullptr;
    return widths[list][column];
}

std::array<int, 2> MealPlanController::ColumnWidths(int list) const {
    const int* name = ColumnWidthSetting(list, 0);
    const int* scale = ColumnWidthSetting(list, 1);
    return {name != nullptr ? *name : 150, scale != nullptr ? *scale : 40};
}

void MealPlanController::SetColumnWidth(int list, int column, int width) {
    int* setting = ColumnWidthSetting(list, column);
    if (setting == nullptr || width <= 0 || *setting == width) return;
    *setting = width;
    context_.main.SaveSettings();
}

std::optional<PlanEntry> MealPlanController::Entry(long entryID) {
    SupportDB& support = context_.support;
    if (!support.Connected()) return std::nullopt;
    CADORecordset rs(support);
    if (!rs.Run(Format("%s where RecipeListID = %ld", kEntryColumns, entryID)) || rs.AtEnd())
        return std::nullopt;
    return ReadEntry(rs);
}

std::optional<std::vector<PlanEntry>> MealPlanController::Entries(const DateTime& first,
                                                                  const DateTime& last) {
    SupportDB& support = context_.support;
    if (!support.Connected()) return std::nullopt;
    CADORecordset rs(support);
    if (!rs.Run(Format("%s where RecipeDate>=#%s# and RecipeDate <=#%s# Order by RecipeDate, "
                       "MealNumber, Title, RecipeListID",
                       kEntryColumns, DayLiteral(first).c_str(), DayLiteral(last).c_str()))) {
        support.SetError(rs.ErrorCode(), rs.ErrorReport());
        return std::nullopt;
    }
    std::vector<PlanEntry> entries;
    for (; !rs.AtEnd(); rs.NextRow()) entries.push_back(ReadEntry(rs));
    return entries;
}

long MealPlanController::CountRange(const DateTime& first, const DateTime& last) {
    if (!context_.support.Connected()) return -1;
    return context_.support.QueryNumber(
        Format("Select count(RecipeListID) from RecipeList where RecipeDate >= #%s# and "
               "RecipeDate <= #%s#",
               DayLiteral(first).c_str(), DayLiteral(last).c_str()));
}

bool MealPlanController::IsOpenBox(const std::string& boxFile) const {
    return context_.box.Connected() && Trim(boxFile) == Trim(context_.box.CookbookPath);
}

bool MealPlanController::ToggleEntryMark(long entryID) {
    const std::optional<PlanEntry> entry = Entry(entryID);
    if (!entry) return false;
    const bool mark = !entry->marked;
    const char* literal = mark ? "true" : "false";
    SupportDB& support = context_.support;
    if (support.RunSQL(Format("UPDATE RECIPELIST SET MARKED = %s WHERE RecipeID = %d AND "
                              "CookbookFile = '%s'",
                              literal, entry->recipeID, QuoteSql(entry->cookbookFile).c_str())) !=
        1)
        return false;
    ShowDay();

    const std::string statement =
        Format("Update Recipes Set Marked = %s where RecipeID = %d", literal, entry->recipeID);
    if (IsOpenBox(entry->cookbookFile)) {
        context_.box.RunSQL(statement);
        context_.main.Results().FillResults(
            Format("Select RecipeID, Color, Marked, Title, TasteRating from Recipes Where "
                   "RecipeID = %d",
                   entry->recipeID));
    } else {
        // The other box gets a connection of its own, so the open box, its
        // results list and the current recipe stay as they are.
        std::error_code error;
        if (!std::filesystem::is_regular_file(entry->cookbookFile, error)) return true;
        RecipeDB other;
        other.SystemDatabasePath = context_.box.SystemDatabasePath;
        if (other.Open(entry->cookbookFile)) other.RunSQL(statement);
    }
    return true;
}

bool MealPlanController::MoveEntryToMeal(long entryID, int mealCode) {
    if (MealName(mealCode).empty() || !Entry(entryID)) return false;
    const bool moved = context_.support.RunSQL(
                           Format("UPDATE RecipeList Set MealNumber = %d where RecipeListID = %ld",
                                  mealCode, entryID)) == 1;
    ShowDay();
    return moved;
}

bool MealPlanController::MoveEntryToDay(long entryID, const DateTime& day) {
    if (day.null || !Entry(entryID)) return false;
    selectedDay_ = DateTime::FromDate(day.year, day.month, day.day);
    const bool moved =
        context_.support.RunSQL(Format("UPDATE RecipeList SET RecipeList.RecipeDate=#%s# where "
                                       "(RecipeList.RecipeListID = %ld)",
                                       DayLiteral(day).c_str(), entryID)) == 1;
    ShowDay();
    return moved;
}

bool MealPlanController::RemoveEntry(long entryID) {
    if (!Entry(entryID)) return false;
    const bool removed = context_.support.RunSQL(Format(
                             "Delete from RecipeList where RecipeListID = %ld", entryID)) == 1;
    ShowDay();
    return removed;
}

void MealPlanController::OpenEntry(long entryID) {
    const std::optional<PlanEntry> entry = Entry(entryID);
    if (!entry) return;
    context_.main.ShowPage(1);
    RecipeController& recipes = context_.main.Recipes();
    if (recipes.ShowRecipe(entry->recipeID, entry->cookbookFile, true) == 0)
        recipes.RefreshRecipePages();
}

bool MealPlanController::LoadRecipeOfBox(const std::string& boxFile, int recipeID, Recipe& recipe) {
    RecipeDB other;
    RecipeDB* box = &context_.box;
    if (!IsOpenBox(boxFile)) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(boxFile, error)) return false;
        other.SystemDatabasePath = context_.box.SystemDatabasePath;
        if (!other.Open(boxFile, true)) return false;
        box = &other;
    }
    if (box->LoadRecipe(recipeID, recipe) <= 0) return false;
    box->LoadIngredientLines(recipeID, recipe);
    box->LoadKeywords(recipeID, recipe.CategoryNames);
    recipe.RecipeID = recipeID;
    return true;
}

std::string MealPlanController::PreviewText(long entryID) {
    const std::optional<PlanEntry> entry = Entry(entryID);
    Recipe recipe;
    if (!entry || !LoadRecipeOfBox(entry->cookbookFile, entry->recipeID, recipe)) return "";
    return RenderRecipeText(recipe, kPreviewWidth);
}

MealPlanController::ClearResult MealPlanController::ClearRange(const DateTime& from,
                                                               const DateTime& to) {
    Prompter& prompter = context_.prompter;
    if (DayLiteral(from) > DayLiteral(to)) {
        prompter.Message(
            "Error:  Your start date is after the end date you selected.  Please try again.");
        return ClearResult::StartAfterEnd;
    }
    const long count = CountRange(from, to);
    if (count < 0) return ClearResult::Failed;
    if (count == 0) {
        prompter.Message("There are no recipes on your meal plan between these dates");
        return ClearResult::NothingToClear;
    }
    const std::string question =
        count == 1 ? std::string("Warning:  This will delete 1 recipe.  Are you sure?")
                   : Format(
                         "Warning:  This will remove %ld recipes from your meal plan.  Are "
                         "you sure?",
                         count);
    ClearResult result = ClearResult::Declined;
    if (prompter.Message(question, "", Buttons::YesNo, MessageIcon::Warning) == Answer::Yes) {
        result =
            context_.support.RunSQL(Format("Delete from RecipeList where RecipeDate >= #%s# "
                                           "and RecipeDate <= #%s#",
                                           DayLiteral(from).c_str(), DayLiteral(to).c_str())) == 1
                ? ClearResult::Cleared
                : ClearResult::Failed;
    }
    ShowDay();
    return result;
}

long MealPlanController::ClearBefore(const DateTime& day) {
    SupportDB& support = context_.support;
    if (!support.Connected()) return -1;
    const long count = support.QueryNumber(
        Format("Select count(RecipeListID) from RecipeList where RecipeDate < #%s#",
               DayLiteral(day).c_str()));
    if (count < 0) return -1;
    if (support.RunSQL(
            Format("Delete from RecipeList where RecipeDate < #%s#", DayLiteral(day).c_str())) != 1)
        return -1;
    ShowDay();
    return count;
}

void MealPlanController::AddToCalendarCommand() {
    if (view_ == nullptr) return;
    const DateTime now = context_.main.Today();
    AddToCalendarChoice initial{DateTime::FromDate(now.year, now.month, now.day), meal::kDinner};
    view_->RunAddToCalendar(initial, [this](const AddToCalendarChoice& choice) {
        ResultsController& results = context_.main.Results();
        const std::vector<int> rows = results.SelectedRows();
        if (rows.empty()) {
            context_.prompter.Message("No recipe selected.");
            return false;
        }
        RecipeController& recipes = context_.main.Recipes();
        // The dialog works on the current recipe, which the selection shows.
        if (!recipes.HasCurrent()) recipes.SelectRecipe(results.RowRecipeID(rows.front()));
        if (!recipes.HasCurrent()) {
            context_.prompter.Message("No recipe selected.");
            return false;
        }
        const long recipeID = recipes.CurrentID();
        const long entry = AddToPlan(choice.day, choice.meal, static_cast<int>(recipeID),
                                     context_.box.RecipeIcon(static_cast<int>(recipeID)),
                                     ScaleTextOf(recipes.Current()));
        if (entry > 0) context_.main.PlayInterfaceSound("MINIWHOOSH");
        ShowDay();
        return true;
    });
}

void MealPlanController::ClearMealPlanCommand() {
    if (view_ == nullptr) return;
    view_->RunClearMealPlan(SelectedDay(), [this](const DateTime& from, const DateTime& to) {
        const ClearResult result = ClearRange(from, to);
        return result != ClearResult::StartAfterEnd && result != ClearResult::NothingToClear;
    });
}

}  // namespace pantrio
