// Running one statement of the program's SQL dialect against the box or the
// support database, through the same access layer the program uses.
#include <ostream>

#include "app/cli/CliContext.h"
#include "app/cli/Command.h"
#include "app/cli/OutputFields.h"

namespace pantrio::cli {

namespace {

int RunSql(CliContext& context, const std::vector<std::string>& arguments) {
    bool support = false;
    std::string statement;
    for (const std::string& argument : arguments) {
        if (argument == "--support" && statement.empty()) {
            support = true;
            continue;
        }
        // The words of an unquoted statement come as separate arguments.
        if (!statement.empty()) statement += " ";
        statement += argument;
    }
    if (statement.empty()) return kExitUsage;

    if (!context.LoadSettings()) return kExitFailure;
    MainDialog& dialog = context.dialog();
    const bool open = support ? context.OpenSupport() : context.OpenBox();
    if (!open) return kExitFailure;
    StatementRows result;
    std::string error;
    if (!dialog.Boxes().RunStatement(statement, support, result, error)) {
        context.err() << error;
        if (!error.empty() && error.back() != '\n') context.err() << "\n";
        return kExitFailure;
    }
    if (result.columns.empty()) return kExitOk;  // a statement that returns no rows
    std::ostream& out = context.out();
    for (std::size_t i = 0; i < result.columns.size(); ++i)
        out << (i ? "\t" : "") << OutputField(result.columns[i]);
    out << "\n";
    for (const std::vector<std::string>& row : result.rows) {
        for (std::size_t i = 0; i < row.size(); ++i) out << (i ? "\t" : "") << OutputField(row[i]);
        out << "\n";
    }
    return kExitOk;
}

}  // namespace

void AddSqlCommands(std::vector<Command>& table) {
    table.push_back({"sql", "[--support] STATEMENT",
                     "run one statement on the box (or the support database); print a header "
                     "line and one tab-separated line per row",
                     RunSql});
}

}  // namespace pantrio::cli
