#include <cstdio>

#include "app/cli/Command.h"

namespace pantrio::cli {

const std::vector<Command>& CommandTable() {
    static const std::vector<Command> table = [] {
        std::vector<Command> t;
        AddDataRootCommands(t);
        AddBoxCommands(t);
        AddSqlCommands(t);
        AddImportCommands(t);
        AddRecipePageCommands(t);
        AddSearchCommands(t);
        AddMailCommands(t);
        AddPlanCommands(t);
        AddPrintCommands(t);
        AddShoppingCommands(t);
        AddEditCommands(t);
        AddNutritionCommands(t);
        AddServiceCommands(t);
        AddRatingCommands(t);
        return t;
    }();
    return table;
}

const Command* FindCommand(const std::string& name) {
    for (const Command& command : CommandTable())
        if (name == command.name) return &command;
    return nullptr;
}

const Command* FindCommand(const std::string& name, std::vector<std::string>& arguments) {
    if (const Command* command = FindCommand(name)) return command;
    if (arguments.empty()) return nullptr;
    const Command* command = FindCommand(name + " " + arguments.front());
    if (command != nullptr) arguments.erase(arguments.begin());
    return command;
}

std::string UsageText() {
    std::string text =
        "Usage: pantrio-cli [--data-root DIR] [--box FILE] [--yes] COMMAND [ARGUMENTS]\n"
        "\nCommands:\n";
    for (const Command& command : CommandTable()) {
        std::string head = std::string(command.name) + " " + command.arguments;
        char line[512];
        std::snprintf(line, sizeof line, "  %-30s %s\n", head.c_str(), command.summary);
        text += line;
    }
    text +=
        "\nOptions:\n"
        "  --data-root DIR   the data folder (default: $XDG_DATA_HOME/Pantrio, or\n"
        "                    ~/.local/share/Pantrio; created from the shipped data when missing)\n"
        "  --box FILE        the recipe box to use (default: the current box of the settings)\n"
        "  --yes             answer Yes or OK to every question (without it: No or Cancel)\n"
        "  --help            show this text\n"
        "\nDates are written YYYY-MM-DD.\n"
        "Messages go to standard error. Exit codes: 0 success, 1 failure, 2 usage error.\n"
        "Settings: $XDG_CONFIG_HOME/Hearthline/Pantrio.conf (or "
        "~/.config/Hearthline/Pantrio.conf).\n";
    return text;
}

}  // namespace pantrio::cli
