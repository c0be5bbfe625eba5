// Commands that link ingredient lines to foods and show a recipe's
// nutrition: link, unlink, foods and nutrition. A line is named by its
// LineOrder, as `lines` prints it.
#include <cerrno>
#include <cstdlib>
#include <ostream>

#include "app/cli/CliContext.h"
#include "app/cli/Command.h"
#include "app/cli/OutputFields.h"
#include "base/RowSink.h"
#include "base/Text.h"

namespace pantrio::cli {

namespace {

bool ParseNumber(const std::string& text, long low, int& number) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || value < low || value > 0x7fffffff)
        return false;
    number = static_cast<int>(value);
    return true;
}

bool ParseCount(const std::string& text, double& count) {
    char* end = nullptr;
    count = std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0' && count > 0 && count < 1e9;
}

bool OpenStores(CliContext& context) {
    return context.LoadSettings() && context.OpenBox() && context.OpenSupport();
}

int RunLink(CliContext& context, const std::vector<std::string>& arguments) {
    if (arguments.size() < 3) return kExitUsage;
    int recipe = 0, line = 0, food = 0, measure = 0;
    double count = -1;
    if (!ParseNumber(arguments[0], 1, recipe) || !ParseNumber(arguments[1], 0, line) ||
        !ParseNumber(arguments[2], 1, food))
        return kExitUsage;
    for (std::size_t i = 3; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size()) return kExitUsage;
        const std::string& value = arguments[i + 1];
        if (arguments[i] == "--measure") {
            if (value != "1" && value != "2") return kExitUsage;
            measure = value == "1" ? 1 : 2;
        } else if (arguments[i] == "--count") {
            if (!ParseCount(value, count)) return kExitUsage;
        } else {
            return kExitUsage;
        }
    }
    if (!OpenStores(context)) return kExitFailure;
    std::string error;
    const double grams =
        context.dialog().Nutrition().LinkLineAt(recipe, line, food, measure, count, error);
    if (grams < 0) {
        context.err() << error << "\n";
        return kExitFailure;
    }
    context.out() << Format("%d\t%d\t%.1f\n", line, food, grams);
    return kExitOk;
}

int RunUnlink(CliContext& context, const std::vector<std::string>& arguments) {
    int recipe = 0, line = 0;
    if (arguments.size() != 2 || !ParseNumber(arguments[0], 1, recipe) ||
        !ParseNumber(arguments[1], 0, line))
        return kExitUsage;
    if (!OpenStores(context)) return kExitFailure;
    std::string error;
    if (!context.dialog().Nutrition().UnlinkLineAt(recipe, line, error)) {
        context.err() << error << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

int RunFoods(CliContext& context, const std::vector<std::string>& arguments) {
    if (arguments.size() != 1 || Trim(arguments[0]).empty()) return kExitUsage;
    if (!context.LoadSettings() || !context.OpenSupport()) return kExitFailure;
    VectorRowSink foods;
    context.dialog().Nutrition().SearchFoods(arguments[0], foods);
    for (const ListRow& row : foods.rows)
        context.out() << row.data << "\t" << OutputField(row.text) << "\n";
    return kExitOk;
}

int RunNutrition(CliContext& context, const std::vector<std::string>& arguments) {
    int recipe = 0;
    if (arguments.size() != 1 || !ParseNumber(arguments[0], 1, recipe)) return kExitUsage;
    if (!OpenStores(context)) return kExitFailure;
    NutritionTableContents table;
    if (!context.dialog().Nutrition().Analyze(recipe, table)) {
        context.err() << "There is no recipe " << recipe << ".\n";
        return kExitFailure;
    }
    std::ostream& out = context.out();
    out << "Nutrient\t/Recipe\t/Serving\tRDA\t% RDA\n";
    for (const NutritionTableRow& row : table.rows)
        out << row.nutrient << "\t" << row.perRecipe << "\t" << row.perServing << "\t" << row.rda
            << "\t" << row.percentRda << "\n";
    out << "Total Grams in Recipe\t" << table.totalGrams << "\n";
    out << OutputField(table.completeness.Text()) << "\n";
    return kExitOk;
}

}  // namespace

void AddNutritionCommands(std::vector<Command>& table) {
    table.push_back({"link", "ID N FOOD-ID [--measure 1|2] [--count X]",
                     "link line N of a recipe to a food; prints N, the food and the grams",
                     RunLink});
    table.push_back({"unlink", "ID N", "remove the food link of line N of a recipe", RunUnlink});
    table.push_back({"foods", "TEXT", "search the food table: NutrientID and name", RunFoods});
    table.push_back({"nutrition", "ID", "a recipe's nutrition table and how many lines it counts",
                     RunNutrition});
}

}  // namespace pantrio::cli
