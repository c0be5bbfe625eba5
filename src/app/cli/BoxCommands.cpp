// Commands on recipe boxes: creating one and listing its recipes.
#include <ostream>

#include "app/cli/CliContext.h"
#include "app/cli/Command.h"
#include "app/cli/OutputFields.h"

namespace pantrio::cli {

namespace {

// Creates the box, makes it the current box of the settings (as creating a
// box in the program does) and prints its path.
int RunNewBox(CliContext& context, const std::vector<std::string>& arguments) {
    if (arguments.size() != 1) return kExitUsage;
    if (!context.LoadSettings()) return kExitFailure;
    MainDialog& dialog = context.dialog();
    if (!dialog.Boxes().NewRecipeBox(arguments[0])) return kExitFailure;
    if (!dialog.SaveSettings()) return kExitFailure;
    context.out() << dialog.Boxes().CookbookPath() << "\n";
    return kExitOk;
}

int RunList(CliContext& context, const std::vector<std::string>& arguments) {
    if (!arguments.empty()) return kExitUsage;
    if (!context.LoadSettings() || !context.OpenBox()) return kExitFailure;
    for (const ListRow& row : context.dialog().Boxes().RecipeList())
        context.out() << row.data << "\t" << OutputField(row.text) << "\n";
    return kExitOk;
}

}  // namespace

void AddBoxCommands(std::vector<Command>& table) {
    table.push_back({"new-box", "NAME",
                     "create the recipe box NAME in the Rbox folder and make it the current box",
                     RunNewBox});
    table.push_back(
        {"list", "", "list the recipes of the box: number TAB title, in title order", RunList});
}

}  // namespace pantrio::cli
