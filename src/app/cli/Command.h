// The command table of pantrio-cli. Each group of commands lives in a file of
// its own and adds its entries through an Add...Commands function; the table
// puts them together, and the usage text is made from it.
#pragma once

#include <string>
#include <vector>

namespace pantrio::cli {

class CliContext;

struct Command {
    const char* name;       // "new-box", or a group's "plan add"
    const char* arguments;  // "NAME", for the usage text
    const char* summary;    // one line for the usage text
    // Runs the command with the arguments after its name; the exit code.
    int (*run)(CliContext& context, const std::vector<std::string>& arguments);
};

void AddDataRootCommands(std::vector<Command>& table);  // init, backup
void AddBoxCommands(std::vector<Command>& table);       // new-box, list
void AddSqlCommands(std::vector<Command>& table);       // sql
void AddImportCommands(
    std::vector<Command>& table);  // import, export-rxf, export-jsonld, scale, convert
void AddRecipePageCommands(std::vector<Command>& table);  // render, text, publish
void AddSearchCommands(std::vector<Command>& table);      // find, view, mark, unmark, keyword
void AddMailCommands(std::vector<Command>& table);        // mail
void AddPlanCommands(std::vector<Command>& table);        // plan add, show, move, remove, clear
void AddPrintCommands(std::vector<Command>& table);       // print recipes, shopping, plan
void AddShoppingCommands(std::vector<Command>& table);    // shop
void AddEditCommands(std::vector<Command>& table);        // new-recipe, set, lines, add-line, ...
void AddNutritionCommands(std::vector<Command>& table);   // link, unlink, foods, nutrition
void AddServiceCommands(std::vector<Command>& table);     // post, service-search, service-import
void AddRatingCommands(std::vector<Command>& table);      // rate

const std::vector<Command>& CommandTable();
const Command* FindCommand(const std::string& name);
// The command a command line names: its first word, or its first two words
// for the commands of a group ("plan add"), which are then taken off
// `arguments`. Null when none matches.
const Command* FindCommand(const std::string& name, std::vector<std::string>& arguments);
std::string UsageText();

}  // namespace pantrio::cli
