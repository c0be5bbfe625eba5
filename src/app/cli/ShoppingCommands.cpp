// shop: the shopping list as the window's page keeps it. Items come from a
// recipe (as "Add to Shopping List" with every line ticked, or scaled as from
// the meal plan), from the plan's entries of a date range, or typed by hand;
// the list is shown one item a line as department TAB quantity TAB unit TAB
// name TAB recipe, saved to and opened from .sxf files.
#include <ostream>

#include "app/cli/CliContext.h"
#include "app/cli/Command.h"
#include "app/cli/OutputFields.h"
#include "base/Text.h"
#include "recipe/Quantity.h"

namespace pantrio::cli {

namespace {

// A calendar day written YYYY-MM-DD, and nothing else.
std::optional<DateTime> ParseDay(const std::string& text) {
    const std::optional<DateTime> day = DateTime::ParseIso(text);
    if (!day || text.size() != 10) return std::nullopt;
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (day->year % 4 == 0 && day->year % 100 != 0) || day->year % 400 == 0;
    const int last = day->month == 2 && leap ? 29 : kDays[day->month - 1];
    if (day->day > last) return std::nullopt;
    return day;
}

void PrintItems(CliContext& context, const ShoppingItems& items, bool combined) {
    for (const ShoppingItem& item : items.Items()) {
        std::ostream& out = context.out();
        out << OutputField(item.Dept) << "\t"
            << OutputField(ShoppingListController::QtyText(item.QtyToBuy)) << "\t"
            << OutputField(item.UnitOfMeasure) << "\t" << OutputField(item.ItemName) << "\t"
            << OutputField(combined ? "" : item.RecipeTitle);
        if (combined) out << "\t" << (item.Converted ? "converted" : "");
        out << "\n";
    }
}

int Add(CliContext& context, const std::vector<std::string>& arguments) {
    long id = 0;
    std::optional<double> scale;
    if (arguments.empty() || !ParseNumber(arguments[0], 1, 0x7fffffff, id)) return kExitUsage;
    if (arguments.size() == 3 && arguments[1] == "--scale") {
        scale = ParseQuantity(arguments[2]);
        if (!(*scale > 0)) {
            context.err() << "Not a scale above 0: " << arguments[2] << "\n";
            return kExitFailure;
        }
    } else if (arguments.size() != 1) {
        return kExitUsage;
    }
    if (!context.LoadSettings() || !context.OpenBox() || !context.OpenSupport())
        return kExitFailure;
    MainDialog& dialog = context.dialog();
    if (!dialog.Recipes().Exists(static_cast<int>(id))) {
        context.err() << "No recipe number " << id << " in " << dialog.Boxes().CookbookPath()
                      << ".\n";
        return kExitFailure;
    }
    ShoppingListController& shopping = dialog.Shopping();
    int added = 0;
    if (scale) {
        added =
            shopping.AddRecipeFromPlan(static_cast<int>(id), dialog.Boxes().CookbookPath(), *scale);
    } else {
        dialog.Recipes().SelectRecipe(id);
        if (dialog.Recipes().CurrentID() != id) {
            context.err() << "Recipe number " << id << " could not be read.\n";
            return kExitFailure;
        }
        added = shopping.AddCheckedLines(shopping.AddForm());
    }
    if (added < 0) {
        context.err() << "Recipe number " << id << " could not be read.\n";
        return kExitFailure;
    }
    context.out() << added << (added == 1 ? " item" : " items") << " added.\n";
    return kExitOk;
}

int Item(CliContext& context, const std::vector<std::string>& arguments) {
    if (arguments.empty()) return kExitUsage;
    std::string qty, unit;
    for (std::size_t i = 1; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size()) return kExitUsage;
        if (arguments[i] == "--qty")
            qty = arguments[i + 1];
        else if (arguments[i] == "--unit")
            unit = arguments[i + 1];
        else
            return kExitUsage;
    }
    if (Trim(arguments[0]).empty()) {
        context.err() << "An item needs a name.\n";
        return kExitFailure;
    }
    if (!context.LoadSettings() || !context.OpenSupport()) return kExitFailure;
    return context.dialog().Shopping().AddItem(arguments[0], qty, unit) >= 0 ? kExitOk
                                                                             : kExitFailure;
}

int Show(CliContext& context, const std::vector<std::string>& arguments) {
    bool combined = false, exact = false;
    for (const std::string& a : arguments) {
        if (a == "--combined")
            combined = true;
        else if (a == "--exact-units")
            exact = true;
        else
            return kExitUsage;
    }
    if (exact && !combined) return kExitUsage;
    if (!context.LoadSettings() || !context.OpenSupport()) return kExitFailure;
    ShoppingListController& shopping = context.dialog().Shopping();
    if (combined) {
        PrintItems(context, shopping.CombineItems(!exact && shopping.CombinesCompatibleUnits()),
                   true);
    } else {
        shopping.Reload();
        PrintItems(context, shopping.Items(), false);
    }
    return kExitOk;
}

int Remove(CliContext& context, const std::vector<std::string>& arguments) {
    long row = 0;
    if (arguments.size() != 1 || !ParseNumber(arguments[0], 1, 0x7fffffff, row)) return kExitUsage;
    if (!context.LoadSettings() || !context.OpenSupport()) return kExitFailure;
    ShoppingListController& shopping = context.dialog().Shopping();
    shopping.Reload();
    if (static_cast<std::size_t>(row) > shopping.Items().Count()) {
        context.err() << "The shopping list has no item " << row << "; it holds "
                      << shopping.Items().Count() << ".\n";
        return kExitFailure;
    }
    shopping.RemoveItem(shopping.Items()[static_cast<std::size_t>(row - 1)].ShoppingListID);
    return kExitOk;
}

int Clear(CliContext& context, const std::vector<std::string>& arguments) {
    if (!arguments.empty()) return kExitUsage;
    if (!context.LoadSettings() || !context.OpenSupport()) return kExitFailure;
    context.dialog().Shopping().ClearList();
    return kExitOk;
}

int Save(CliContext& context, const std::vector<std::string>& arguments) {
    if (arguments.size() != 1 || arguments[0].empty()) return kExitUsage;
    if (!context.LoadSettings() || !context.OpenSupport()) return kExitFailure;
    return context.dialog().Shopping().WriteShoppingFile(arguments[0]) ? kExitOk : kExitFailure;
}

int Open(CliContext& context, const std::vector<std::string>& arguments) {
    if (arguments.size() != 1 || arguments[0].empty()) return kExitUsage;
    if (!context.LoadSettings() || !context.OpenSupport()) return kExitFailure;
    return context.dialog().Shopping().OpenShoppingFile(arguments[0]) == 0 ? kExitOk : kExitFailure;
}

int FromPlan(CliContext& context, const std::vector<std::string>& arguments) {
    if (arguments.size() != 2) return kExitUsage;
    const std::optional<DateTime> from = ParseDay(arguments[0]);
    const std::optional<DateTime> to = ParseDay(arguments[1]);
    for (std::size_t i = 0; i < 2; ++i)
        if (!(i == 0 ? from : to)) {
            context.err() << "Not a date (YYYY-MM-DD): " << arguments[i] << "\n";
            return kExitFailure;
        }
    if (to->IsoDateText() < from->IsoDateText()) {
        context.err() << "The start date " << arguments[0] << " is after the end date "
                      << arguments[1] << ".\n";
        return kExitFailure;
    }
    if (!context.LoadSettings() || !context.OpenBox() || !context.OpenSupport())
        return kExitFailure;
    ShoppingListController& shopping = context.dialog().Shopping();
    std::vector<long> entries;
    for (const ListRow& row : shopping.PlanEntries(*from, *to)) entries.push_back(row.data);
    const int added = shopping.AddPlanEntries(entries);
    context.out() << added << (added == 1 ? " item" : " items") << " added from " << entries.size()
                  << (entries.size() == 1 ? " planned recipe" : " planned recipes") << ".\n";
    return kExitOk;
}

int RunShop(CliContext& context, const std::vector<std::string>& arguments) {
    static const struct {
        const char* name;
        int (*run)(CliContext&, const std::vector<std::string>&);
    } kSubcommands[] = {{"add", Add},     {"item", Item}, {"show", Show}, {"remove", Remove},
                        {"clear", Clear}, {"save", Save}, {"open", Open}, {"from-plan", FromPlan}};
    if (arguments.empty()) return kExitUsage;
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    for (const auto& sub : kSubcommands)
        if (arguments[0] == sub.name) return sub.run(context, rest);
    return kExitUsage;
}

}  // namespace

void AddShoppingCommands(std::vector<Command>& table) {
    table.push_back({"shop", "add ID [--scale F]",
                     "put a recipe's ingredients on the shopping list (times F)", RunShop});
    table.push_back({"shop", "item TEXT [--qty Q] [--unit U]",
                     "put an item typed by hand on the list", RunShop});
    table.push_back({"shop", "show [--combined [--exact-units]]",
                     "the list: dept, quantity, unit, item, recipe (summed: + converted)",
                     RunShop});
    table.push_back({"shop", "remove N", "remove item N of shop show", RunShop});
    table.push_back({"shop", "clear", "empty the shopping list", RunShop});
    table.push_back({"shop", "save FILE.sxf", "save the list as a shopping-list file", RunShop});
    table.push_back({"shop", "open FILE.sxf",
                     "open a list file (--yes replaces the list, else adds)", RunShop});
    table.push_back({"shop", "from-plan FROM TO",
                     "add the recipes planned from FROM to TO (YYYY-MM-DD)", RunShop});
}

}  // namespace pantrio::cli
