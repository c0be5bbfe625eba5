// Commands on the data root as a whole: preparing it and backing it up.
#include <ostream>

#include "app/cli/CliContext.h"
#include "app/cli/Command.h"

namespace pantrio::cli {

namespace {

// Creates the data root from the shipped data when it is missing, stores the
// default box and workgroup paths when the settings have none, and prints the
// data root.
int RunInit(CliContext& context, const std::vector<std::string>& arguments) {
    if (!arguments.empty()) return kExitUsage;
    if (!context.LoadSettings()) return kExitFailure;
    context.out() << context.dialog().DataRoot() << "\n";
    return kExitOk;
}

int RunBackup(CliContext& context, const std::vector<std::string>& arguments) {
    if (!arguments.empty()) return kExitUsage;
    if (!context.LoadSettings()) return kExitFailure;
    return context.dialog().Boxes().Backup() ? kExitOk : kExitFailure;
}

}  // namespace

void AddDataRootCommands(std::vector<Command>& table) {
    table.push_back({"init", "",
                     "create the data folder from the shipped data if missing; print its path",
                     RunInit});
    table.push_back(
        {"backup", "", "copy the Data and Rbox folders to ~/backup_pantrio", RunBackup});
}

}  // namespace pantrio::cli
