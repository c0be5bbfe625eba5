// Printing: the page the print dialog assembles from the shopping list, the
// current or the marked recipes and the meal plan of a date range, which the
// browser previews and prints. Building a page reads what it prints and
// changes nothing: the open box, the results list, the current recipe and
// the shopping list stay as they are.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/ControllerContext.h"
#include "core/PrintView.h"
#include "render/ShoppingListHtml.h"

namespace pantrio {

class Recipe;

class PrintController {
public:
    PrintController(ControllerContext context, PrintView* view);

    // "&Print..." and "P&rint...": the dialog, with "Selected" chosen when
    // there is a current recipe and "Contents of Web view, or" otherwise.
    void PrintCommand();
    PrintChoices InitialChoices() const;

    // The whole page for `choices`: the page start and its body.
    std::string BuildPrintPage(const PrintChoices& choices);
    // The body alone: the ticked parts in the order shopping list, recipes,
    // meal plan, closed with "</HTML><BODY>".
    std::string PrintPageBody(const PrintChoices& choices);
    // The meal plan from `first` to `last`: a header per day with its meals,
    // then that day's recipe pages. Empty when the plan cannot be read.
    std::string MealPlanHtml(const DateTime& first, const DateTime& last);
    // The pages of recipes `ids` of the open box, as "Selected" prints one;
    // false with `missing` set to the first number the box does not hold.
    bool RecipesPage(const std::vector<int>& ids, bool nutrition, std::string& page, int& missing);

    // The combined shopping list the page prints. By default the stored
    // list summed by unit, item and department; the shopping list's own
    // combination takes over through SetShoppingListSource.
    std::vector<PrintedShoppingItem> ShoppingListToPrint();
    void SetShoppingListSource(std::function<std::vector<PrintedShoppingItem>()> source);

    // "Save as PDF": the file the page goes to; nothing on Cancel. A name
    // without the extension gets ".pdf".
    std::optional<std::string> ChoosePdfFile();

    // "Preview and Print" with "Contents of Web view, or": the View tab's
    // browser previews its page. False when there is no browser.
    bool PreviewWebView();

private:
    // One recipe's printed page; every recipe after the first of the page
    // starts a sheet of its own.
    std::string PrintedRecipe(const Recipe& recipe, bool nutrition);

    ControllerContext context_;
    PrintView* view_;
    std::function<std::vector<PrintedShoppingItem>()> shoppingSource_;
    int recipesOnPage_ = 0;
};

}  // namespace pantrio
