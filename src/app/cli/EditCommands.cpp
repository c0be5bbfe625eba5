// Commands that write and edit recipes field by field, as the Edit and Notes
// tabs do: new-recipe, set, lines, add-line, edit-line, delete-line and
// picture. Each changes nothing when it fails.
#include <ostream>

#include "app/cli/CliContext.h"
#include "app/cli/Command.h"
#include "app/cli/OutputFields.h"
#include "base/Text.h"
#include "recipe/Quantity.h"
#include "recipe/Recipe.h"

namespace pantrio::cli {

namespace {

bool ParseID(const std::string& text, int& id) {
    long value = 0;
    if (!ParseNumber(text, 1, 0x7fffffff, value)) return false;
    id = static_cast<int>(value);
    return true;
}

// Opens the box (and the support database, which the automatic food link
// reads) and makes recipe `id` current; false after a message.
bool OpenRecipe(CliContext& context, int id, bool withSupport) {
    if (!context.LoadSettings() || !context.OpenBox()) return false;
    if (withSupport && !context.OpenSupport()) return false;
    MainDialog& dialog = context.dialog();
    if (dialog.Editing().EditRecipe(id)) return true;
    context.err() << "No recipe number " << id << " in " << dialog.Boxes().CookbookPath() << ".\n";
    return false;
}

// One line of `lines`: LineOrder, TextQty, Measure, Name, PrepNotes, heading
// flag, NutrientID (0 when not linked), gram weight.
void PrintLine(CliContext& context, const IngredientLine& line) {
    context.out() << line.LineOrder << "\t" << OutputField(line.TextQty) << "\t"
                  << OutputField(line.Measure) << "\t" << OutputField(line.Name) << "\t"
                  << OutputField(line.PrepNotes) << "\t" << (line.bHeading ? 1 : 0) << "\t"
                  << (line.NutrientID > 0 ? line.NutrientID : 0) << "\t"
                  << DecimalText(line.BaseRecipeGramWeight, 2) << "\n";
}

const IngredientLine* LineByID(const Recipe& recipe, long lineID) {
    for (const IngredientLine& line : recipe.Lines)
        if (line.IngredientLinesID == lineID) return &line;
    return nullptr;
}

int Failed(CliContext& context, const std::string& error) {
    context.err() << error << "\n";
    return kExitFailure;
}

int RunNewRecipe(CliContext& context, const std::vector<std::string>& arguments) {
    if (arguments.size() != 1) return kExitUsage;
    if (Trim(arguments[0]).empty()) return Failed(context, "A recipe needs a title.");
    if (!context.LoadSettings() || !context.OpenBox()) return kExitFailure;
    NewRecipeFields fields;
    fields.title = arguments[0];
    const int id = context.dialog().Editing().NewRecipe(fields);
    if (id < 0) return kExitFailure;
    context.out() << id << "\n";
    return kExitOk;
}

int RunSet(CliContext& context, const std::vector<std::string>& arguments) {
    int id = 0;
    if (arguments.size() != 3 || !ParseID(arguments[0], id)) return kExitUsage;
    if (!OpenRecipe(context, id, false)) return kExitFailure;
    std::string error;
    if (!context.dialog().Editing().SetField(arguments[1], arguments[2], error))
        return Failed(context, error);
    return kExitOk;
}

int RunLines(CliContext& context, const std::vector<std::string>& arguments) {
    int id = 0;
    if (arguments.size() != 1 || !ParseID(arguments[0], id)) return kExitUsage;
    if (!OpenRecipe(context, id, false)) return kExitFailure;
    for (const IngredientLine& line : context.dialog().Recipes().Current().Lines)
        PrintLine(context, line);
    return kExitOk;
}

int RunAddLine(CliContext& context, const std::vector<std::string>& arguments) {
    int id = 0;
    bool heading = false;
    std::vector<std::string> rest;
    for (const std::string& argument : arguments) {
        if (argument == "--heading")
            heading = true;
        else
            rest.push_back(argument);
    }
    if (rest.size() != 2 || !ParseID(rest[0], id)) return kExitUsage;
    if (Trim(rest[1]).empty()) return Failed(context, "The line is empty; nothing was added.");
    if (!OpenRecipe(context, id, true)) return kExitFailure;
    RecipeEditController& editing = context.dialog().Editing();
    std::string error;
    const long lineID = editing.AddLineText(rest[1], heading, error);
    if (lineID < 0) return Failed(context, error);
    if (lineID == 0) return Failed(context, "The line is empty; nothing was added.");
    if (const IngredientLine* line = LineByID(context.dialog().Recipes().Current(), lineID))
        PrintLine(context, *line);
    return kExitOk;
}

bool ParseColumn(const std::string& name, LineColumn& column) {
    const struct {
        const char* first;
        const char* second;
        LineColumn column;
    } names[] = {
        {"TextQty", "Quantity", LineColumn::Quantity},
        {"Measure", "Unit", LineColumn::Unit},
        {"Name", "Ingredient", LineColumn::Ingredient},
        {"PrepNotes", "Notes", LineColumn::PrepNotes},
    };
    for (const auto& n : names)
        if (EqualsNoCase(name, n.first) || EqualsNoCase(name, n.second)) {
            column = n.column;
            return true;
        }
    return false;
}

// A line number N of the recipe (its place, 1-based); false after a message.
bool LineIndex(CliContext& context, const std::string& text, int& index) {
    long n = 0;
    const int count = context.dialog().Recipes().Current().LineCount();
    if (!ParseNumber(text, 1, Recipe::kMaxLines, n) || n > count) {
        context.err() << "The recipe has no line " << text << " (it has " << count << ").\n";
        return false;
    }
    index = static_cast<int>(n) - 1;
    return true;
}

int RunEditLine(CliContext& context, const std::vector<std::string>& arguments) {
    int id = 0;
    LineColumn column = LineColumn::Quantity;
    if (arguments.size() != 4 || !ParseID(arguments[0], id)) return kExitUsage;
    if (!ParseColumn(arguments[2], column))
        return Failed(context, "Unknown line field " + arguments[2] +
                                   "; use TextQty, Measure, Name or PrepNotes.");
    if (!OpenRecipe(context, id, true)) return kExitFailure;
    int index = 0;
    if (!LineIndex(context, arguments[1], index)) return kExitFailure;
    std::string error;
    if (!context.dialog().Editing().EditCell(index, column, arguments[3], error))
        return Failed(context, error);
    PrintLine(context, context.dialog().Recipes().Current().Lines[static_cast<std::size_t>(index)]);
    return kExitOk;
}

int RunDeleteLine(CliContext& context, const std::vector<std::string>& arguments) {
    int id = 0;
    if (arguments.size() != 2 || !ParseID(arguments[0], id)) return kExitUsage;
    if (!OpenRecipe(context, id, false)) return kExitFailure;
    int index = 0;
    if (!LineIndex(context, arguments[1], index)) return kExitFailure;
    std::string error;
    if (!context.dialog().Editing().DeleteLine(index, error)) return Failed(context, error);
    return kExitOk;
}

int RunPicture(CliContext& context, const std::vector<std::string>& arguments) {
    int id = 0;
    if (arguments.size() != 2 || !ParseID(arguments[0], id)) return kExitUsage;
    if (!OpenRecipe(context, id, false)) return kExitFailure;
    RecipeEditController& editing = context.dialog().Editing();
    std::string error;
    if (arguments[1] == "--clear") {
        // The file goes too only when --yes says so, as the window asks first.
        if (!editing.ClearPicture(context.options().yes, error)) return Failed(context, error);
        return kExitOk;
    }
    if (!editing.PictureFromFile(arguments[1], error)) return Failed(context, error);
    context.out() << context.dialog().Recipes().Current().PictureFile1 << "\n";
    return kExitOk;
}

}  // namespace

void AddEditCommands(std::vector<Command>& table) {
    table.push_back(
        {"new-recipe", "TITLE", "add an empty recipe; prints its number", RunNewRecipe});
    table.push_back({"set", "ID FIELD VALUE",
                     "set a field: Title, SubHead, Source, Cuisine, PrimaryIngredient, "
                     "YieldNumber, YieldUnit, YieldText, Instructions, Notes, PictureFile1, "
                     "TasteRating, AppearanceRating, EffortRating, AffordableRating, "
                     "ActiveMinutes, TotalMinutes",
                     RunSet});
    table.push_back({"lines", "ID",
                     "list the lines: order, quantity, unit, name, notes, heading, food, grams",
                     RunLines});
    table.push_back({"add-line", "ID TEXT [--heading]",
                     "add a typed line (\"1 cup flour, sifted\") and link it to a food",
                     RunAddLine});
    table.push_back({"edit-line", "ID N FIELD VALUE",
                     "change line N's TextQty, Measure, Name or PrepNotes (relinks it)",
                     RunEditLine});
    table.push_back({"delete-line", "ID N", "delete line N", RunDeleteLine});
    table.push_back({"picture", "ID FILE|--clear",
                     "take a JPEG as the recipe's picture, or clear it (--yes deletes the file)",
                     RunPicture});
}

}  // namespace pantrio::cli
