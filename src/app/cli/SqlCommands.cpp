// Running one statement of the program's SQL dialect against the box or the
// support database, through the same access layer the program uses.
#include <ostream>

#include "app/cli/CliContext.h"
#include "app/cli/Command.h"
#include "app/cli/OutputFields.h"
#include "storage/CADORecordset.h"

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
    CADODatabase& db = support ? static_cast<CADODatabase&>(dialog.SupportStore)
                               : static_cast<CADODatabase&>(dialog.RecipeStore);

    CADORecordset rows(db);
    if (!rows.Run(statement)) {
        context.err() << rows.ErrorReport();
        if (!rows.ErrorReport().empty() && rows.ErrorReport().back() != '\n') context.err() << "\n";
        return kExitFailure;
    }
    const int columns = rows.ColumnCount();
    if (columns == 0) return kExitOk;  // a statement that returns no rows
    std::ostream& out = context.out();
    for (int i = 0; i < columns; ++i) out << (i ? "\t" : "") << OutputField(rows.ColumnName(i));
    out << "\n";
    for (; !rows.AtEnd(); rows.NextRow()) {
        for (int i = 0; i < columns; ++i) {
            std::string value;
            rows.ReadAt(i, value);
            out << (i ? "\t" : "") << OutputField(value);
        }
        out << "\n";
    }
    rows.Release();
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
