// pantrio-cli: the command-line front end over the program's core. It parses
// the global options, finds the command in the command table and runs it.
#include <iostream>
#include <string>
#include <vector>

#include "app/cli/CliContext.h"
#include "app/cli/CliOptions.h"
#include "app/cli/Command.h"

using namespace pantrio::cli;

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string error;
    const auto options = ParseCliOptions(arguments, error);
    if (!options) {
        std::cerr << "pantrio-cli: " << error << "\n\n" << UsageText();
        return kExitUsage;
    }
    if (options->help) {
        std::cout << UsageText();
        return kExitOk;
    }
    if (options->command.empty()) {
        std::cerr << UsageText();
        return kExitUsage;
    }
    std::vector<std::string> commandArguments = options->arguments;
    const Command* command = FindCommand(options->command, commandArguments);
    if (command == nullptr) {
        std::cerr << "pantrio-cli: unknown command " << options->command << "\n\n" << UsageText();
        return kExitUsage;
    }
    CliContext context(*options, std::cout, std::cerr);
    const int code = command->run(context, commandArguments);
    if (code == kExitUsage) {
        std::cerr << "pantrio-cli: wrong arguments for " << command->name << "\n\n" << UsageText();
    }
    return code;
}
