#include "core/PrintController.h"

#include "base/Text.h"
#include "core/AppSettings.h"
#include "core/Browser.h"
#include "core/MainDialog.h"
#include "recipe/Recipe.h"
#include "render/MarkupSanitizer.h"
#include "render/RenderRecipePage.h"
#include "storage/CADORecordset.h"
#include "storage/SupportDB.h"

namespace pantrio {

namespace {

// The start of every printed page. Recipe pages after the first are wrapped
// in a DIV of class "sheet", so each recipe prints on sheets of its own.
const char* const kPageStart =
    "<BODY oncontextmenu='return false'><HTML><TITLE>Pantrio</TITLE><STYLE>TR.page "
    "{PAGE-BREAK-BEFORE: always} DIV.sheet {PAGE-BREAK-BEFORE: always}</STYLE>";

// The labels of the printed plan, by meal code.
std::string MealLabel(int code) {
    static const char* const labels[9] = {"Breakfast: ", "",        "", "Lunch: ", "",
                                          "Dinner: ",    "Snack: ", "", ""};
    return code >= 0 && code < 9 ? labels[code] : "";
}

}  // namespace

PrintController::PrintController(ControllerContext context, PrintView* view)
    : context_(context), view_(view) {}

PrintChoices PrintController::InitialChoices() const {
    PrintChoices choices;
    choices.source =
        context_.main.Recipes().HasCurrent() ? PrintSource::Selected : PrintSource::WebView;
    const DateTime now = context_.main.Today();
    choices.from = choices.to = DateTime::FromDate(now.year, now.month, now.day);
    return choices;
}

void PrintController::PrintCommand() {
    if (view_ != nullptr) view_->ShowPrintDialog(InitialChoices());
}

std::string PrintController::PrintedRecipe(const Recipe& recipe, bool nutrition) {
    RenderContext render = context_.main.Recipes().MakeRenderContext();
    const std::string page = RenderRecipePage(
        recipe, RecipePageOptions::Printing(context_.settings.HTMLStyle, nutrition), render);
    return recipesOnPage_++ == 0 ? page : "<DIV class=sheet>" + page + "</DIV>";
}

std::string PrintController::BuildPrintPage(const PrintChoices& choices) {
    return kPageStart + PrintPageBody(choices);
}

std::string PrintController::PrintPageBody(const PrintChoices& choices) {
    recipesOnPage_ = 0;
    std::string body;
    if (choices.shoppingList)
        body += "<H4>Shopping List</H4>" + ShoppingListHtml(ShoppingListToPrint()) + "<BR><BR>";

    RecipeController& recipes = context_.main.Recipes();
    if (choices.source == PrintSource::Selected && recipes.HasCurrent())
        body += "<H4>Recipe</H4>" + PrintedRecipe(recipes.Current(), choices.nutrition);
    if (choices.source == PrintSource::Marked) {
        body += "<H4>Marked Recipes</H4>";
        RecipeDB& box = context_.box;
        std::vector<int> numbers;
        if (box.Connected()) {
            CADORecordset rs(box);
            if (rs.Run("Select RecipeID from Recipes where Marked ORDER BY Title"))
                for (; !rs.AtEnd(); rs.NextRow()) {
                    int number = 0;
                    if (rs.ReadAt(0, number)) numbers.push_back(number);
                }
        }
        for (const int number : numbers) {
            Recipe recipe;
            if (recipes.LoadRecipe(number, recipe))
                body += PrintedRecipe(recipe, choices.nutrition);
        }
    }
    if (choices.mealPlan) body += "<H4>Meal Plan</H4>" + MealPlanHtml(choices.from, choices.to);
    return body + "</HTML><BODY>";
}

std::string PrintController::MealPlanHtml(const DateTime& first, const DateTime& last) {
    std::vector<PlanEntry> entries;
    if (context_.support.Connected()) {
        std::optional<std::vector<PlanEntry>> stored =
            context_.main.MealPlan().Entries(first, last);
        if (!stored) return "";
        entries = std::move(*stored);
    }
    const std::string images = context_.settings.Folders().HtmImages();
    std::string output, pending, lastDay;
    for (const PlanEntry& entry : entries) {
        const std::string day = entry.day.Format("%A, %B %d, %Y");
        if (day != lastDay) {
            lastDay = day;
            output += "<BR><BR>" + pending;
            output += "<HR><H4> <img src='" + images + "/mealcal.gif'>" + day + " </H4>";
            pending.clear();
        }
        // The planned recipe is read from its own box without becoming the
        // current recipe, so printing leaves the window as it was.
        Recipe recipe;
        if (context_.main.MealPlan().LoadRecipeOfBox(entry.cookbookFile, entry.recipeID, recipe))
            pending += PrintedRecipe(recipe, false) + "<BR>";
        else
            pending += "{Unable to load Recipe Box " + SanitizeField(entry.cookbookFile) + "}<BR>";
        output += MealLabel(entry.meal) + SanitizeField(entry.title) + "<BR>";
    }
    return output + "<BR><BR>" + pending + "<BR>";
}

bool PrintController::RecipesPage(const std::vector<int>& ids, bool nutrition, std::string& page,
                                  int& missing) {
    recipesOnPage_ = 0;
    std::string body;
    for (const int id : ids) {
        Recipe recipe;
        if (!context_.main.Recipes().LoadRecipe(id, recipe)) {
            missing = id;
            return false;
        }
        body += PrintedRecipe(recipe, nutrition);
    }
    page = kPageStart + body + "</HTML><BODY>";
    return true;
}

std::vector<PrintedShoppingItem> PrintController::ShoppingListToPrint() {
    if (shoppingSource_) return shoppingSource_();
    std::vector<PrintedShoppingItem> items;
    SupportDB& support = context_.support;
    if (!support.Connected()) return items;
    CADORecordset rs(support);
    if (!rs.Run("SELECT Sum(ShoppingList.QtyToBuy) AS SumOfQtyToBuy, ShoppingList.UnitOfMeasure, "
                "ShoppingList.ItemName, ShoppingList.Dept FROM ShoppingList GROUP BY "
                "ShoppingList.UnitOfMeasure, ShoppingList.ItemName, ShoppingList.Dept ORDER BY "
                "ShoppingList.Dept, ShoppingList.ItemName"))
        return items;
    for (; !rs.AtEnd(); rs.NextRow()) {
        PrintedShoppingItem item;
        rs.ReadAt(0, item.QtyToBuy);
        rs.ReadAt(1, item.UnitOfMeasure);
        rs.ReadAt(2, item.ItemName);
        rs.ReadAt(3, item.Dept);
        items.push_back(std::move(item));
    }
    return items;
}

void PrintController::SetShoppingListSource(
    std::function<std::vector<PrintedShoppingItem>()> source) {
    shoppingSource_ = std::move(source);
}

std::optional<std::string> PrintController::ChoosePdfFile() {
    std::optional<std::string> path =
        context_.prompter.SaveFile("Save as PDF", "PDF Documents (*.pdf)", "Pantrio.pdf");
    if (path && !EndsWithNoCase(*path, ".pdf")) *path += ".pdf";
    return path;
}

bool PrintController::PreviewWebView() {
    Browser* browser = context_.main.Web().browser();
    if (browser == nullptr) return false;
    browser->PrintPreview();
    return true;
}

}  // namespace pantrio
