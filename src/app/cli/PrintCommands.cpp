// print: the page the print dialog previews, written to a file: recipes of
// the box, the shopping list, or the meal plan of a date range.
#include <fstream>
#include <ostream>

#include "app/cli/CliContext.h"
#include "app/cli/Command.h"
#include "app/cli/DayArgument.h"
#include "base/Text.h"

namespace pantrio::cli {

namespace {

// Takes "--out FILE" (required) and, when allowed, "--nutrition" out of
// `arguments`; false on a usage error.
bool TakeOptions(std::vector<std::string>& arguments, std::string& out, bool* nutrition) {
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--out" && i + 1 < arguments.size()) {
            out = arguments[++i];
        } else if (arguments[i] == "--nutrition" && nutrition != nullptr) {
            *nutrition = true;
        } else if (StartsWith(arguments[i], "--")) {
            return false;
        } else {
            rest.push_back(arguments[i]);
        }
    }
    arguments = std::move(rest);
    return !out.empty();
}

int WritePage(CliContext& context, const std::string& path, const std::string& page) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << page;
    file.close();
    if (!file) {
        context.err() << "Could not write " << path << ".\n";
        return kExitFailure;
    }
    return kExitOk;
}

int RunPrintRecipes(CliContext& context, const std::vector<std::string>& given) {
    std::vector<std::string> arguments = given;
    std::string out;
    bool nutrition = false;
    if (!TakeOptions(arguments, out, &nutrition) || arguments.empty()) return kExitUsage;
    std::vector<int> ids;
    for (const std::string& a : arguments) {
        long id = 0;
        if (!ParseNumber(a, 1, 0x7fffffff, id)) return kExitUsage;
        ids.push_back(static_cast<int>(id));
    }
    if (!context.LoadSettings() || !context.OpenBox()) return kExitFailure;
    if (nutrition && !context.OpenSupport()) return kExitFailure;
    MainDialog& dialog = context.dialog();
    std::string page;
    int missing = 0;
    if (!dialog.Printing().RecipesPage(ids, nutrition, page, missing)) {
        context.err() << "No recipe number " << missing << " in " << dialog.Boxes().CookbookPath()
                      << ".\n";
        return kExitFailure;
    }
    return WritePage(context, out, page);
}

int RunPrintShopping(CliContext& context, const std::vector<std::string>& given) {
    std::vector<std::string> arguments = given;
    std::string out;
    if (!TakeOptions(arguments, out, nullptr) || !arguments.empty()) return kExitUsage;
    if (!context.LoadSettings() || !context.OpenSupport()) return kExitFailure;
    PrintChoices choices;
    choices.source = PrintSource::None;
    choices.shoppingList = true;
    return WritePage(context, out, context.dialog().Printing().BuildPrintPage(choices));
}

int RunPrintPlan(CliContext& context, const std::vector<std::string>& given) {
    std::vector<std::string> arguments = given;
    std::string out;
    if (!TakeOptions(arguments, out, nullptr) || arguments.size() != 2) return kExitUsage;
    PrintChoices choices;
    choices.source = PrintSource::None;
    choices.mealPlan = true;
    for (std::size_t i = 0; i < 2; ++i) {
        const std::optional<DateTime> day = ParseDay(arguments[i]);
        if (!day) {
            context.err() << "Not a date (YYYY-MM-DD): " << arguments[i] << "\n";
            return kExitFailure;
        }
        (i == 0 ? choices.from : choices.to) = *day;
    }
    // The planned recipes are rendered with the open box's settings; a box
    // that cannot be opened still leaves the plan to print.
    if (!context.LoadSettings() || !context.OpenSupport()) return kExitFailure;
    context.OpenBox();
    return WritePage(context, out, context.dialog().Printing().BuildPrintPage(choices));
}

}  // namespace

void AddPrintCommands(std::vector<Command>& table) {
    table.push_back({"print recipes", "ID... [--nutrition] --out FILE.htm",
                     "write the printed page of these recipes", RunPrintRecipes});
    table.push_back(
        {"print shopping", "--out FILE.htm", "write the printed shopping list", RunPrintShopping});
    table.push_back({"print plan", "FROM TO --out FILE.htm",
                     "write the printed meal plan of these days (YYYY-MM-DD)", RunPrintPlan});
}

}  // namespace pantrio::cli
