// Commands that bring recipes in and out of a box and change their
// quantities: import, export-rxf, export-jsonld, scale and convert.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>

#include "app/cli/CliContext.h"
#include "app/cli/CliProgress.h"
#include "app/cli/Command.h"
#include "base/Text.h"
#include "core/RecipeEditController.h"
#include "formats/RecipeDocument.h"
#include "recipe/Quantity.h"
#include "recipe/Recipe.h"
#include "recipe/RecipePicture.h"
#include "render/RecipeJsonLd.h"

namespace pantrio::cli {

namespace {

// Another recipe box is no file format of the importer table: it is copied
// recipe by recipe from a second connection.
bool IsRecipeBox(const std::string& path) {
    return ToLower(std::filesystem::path(path).extension().string()) == ".crb";
}

// Copies every recipe of another box, in title order.
bool ImportBox(CliContext& context, const std::string& path, CliProgress& progress,
               ImportSummary& summary) {
    std::string error;
    if (context.dialog().Boxes().ImportWholeBox(path, progress, summary, error)) return true;
    if (!error.empty()) context.err() << error << "\n";
    return false;
}

// "--picture FILE" taken off the import's arguments; false when it lacks
// its file.
bool TakePictureOption(std::vector<std::string>& arguments, std::string& picture) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--picture") {
            if (i + 1 >= arguments.size()) return false;
            picture = arguments[i + 1];
            arguments.erase(arguments.begin() + static_cast<long>(i),
                            arguments.begin() + static_cast<long>(i) + 2);
            return !picture.empty();
        }
        if (StartsWith(arguments[i], "--picture=")) {
            picture = arguments[i].substr(10);
            arguments.erase(arguments.begin() + static_cast<long>(i));
            return !picture.empty();
        }
    }
    return true;
}

// Gives every recipe `ids` the JPEG `picture`, reduced like a chosen one.
bool StorePictures(CliContext& context, const std::vector<int>& ids, const std::string& picture) {
    RecipeEditController& editing = context.dialog().Editing();
    bool ok = true;
    for (const int id : ids) {
        std::string error;
        if (!editing.EditRecipe(id) || !editing.PictureFromFile(picture, error)) {
            context.err() << (error.empty() ? "Could not store the picture." : error) << "\n";
            ok = false;
        }
    }
    return ok;
}

int RunImport(CliContext& context, const std::vector<std::string>& given) {
    std::vector<std::string> arguments = given;
    std::string picture;
    if (!TakePictureOption(arguments, picture) || arguments.empty()) return kExitUsage;
    if (!picture.empty()) {
        // Checked first, so that a bad picture imports nothing.
        RgbImage image;
        const PictureResult read = ReadJpegFile(picture, image);
        if (read != PictureResult::Ok) {
            context.err() << PictureProblemText(read, picture) << "\n";
            return kExitFailure;
        }
    }
    if (!context.LoadSettings() || !context.OpenBox()) return kExitFailure;
    BoxController& boxes = context.dialog().Boxes();
    long imported = 0, duplicates = 0, others = 0;
    bool failed = false;
    std::vector<int> newIDs;
    for (const std::string& path : arguments) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec)) {
            context.err() << "Cannot read " << path << ": no such file.\n";
            failed = true;
            continue;
        }
        CliProgress progress(context.err(), isatty(STDERR_FILENO) != 0);
        ImportSummary summary;
        long dups = 0;
        if (IsRecipeBox(path)) {
            if (!ImportBox(context, path, progress, summary)) failed = true;
            // Another box's duplicates are skipped without a message.
            dups = summary.notStored;
        } else {
            summary = boxes.ImportFile(path, progress);
            if (summary.unknownFormat) {
                context.err() << "Cannot import " << path
                              << ": not a recipe file this program reads (.rxf, .mmf, .mm, "
                                 ".txt, .mxp, .mx2, .html, .htm, .json, .crb).\n";
                failed = true;
                continue;
            }
            dups = summary.duplicates;
            newIDs.insert(newIDs.end(), summary.newRecipeIDs.begin(), summary.newRecipeIDs.end());
        }
        progress.Done();
        imported += summary.stored;
        duplicates += dups;
        others += summary.notStored > dups ? summary.notStored - dups : 0;
    }
    context.out() << "Imported " << imported << (imported == 1 ? " recipe, " : " recipes, ")
                  << duplicates << (duplicates == 1 ? " duplicate" : " duplicates") << " skipped";
    if (others > 0) context.out() << ", " << others << " not stored";
    context.out() << "\n";
    if (!picture.empty() && !StorePictures(context, newIDs, picture)) failed = true;
    return failed ? kExitFailure : kExitOk;
}

// A recipe number from the command line; false for anything else.
bool ParseRecipeID(const std::string& text, int& id) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value <= 0 || value > 0x7fffffff) return false;
    id = static_cast<int>(value);
    return true;
}

// Loads recipe `id` of the open box with its lines and keywords.
bool LoadWhole(CliContext& context, int id, Recipe& recipe) {
    MainDialog& dialog = context.dialog();
    if (dialog.Recipes().LoadRecipe(id, recipe)) return true;
    context.err() << "No recipe number " << id << " in " << dialog.Boxes().CookbookPath() << ".\n";
    return false;
}

// The arguments of an export: "--out FILE" and the recipe numbers; false for
// anything else.
bool ParseExportArguments(const std::vector<std::string>& arguments, std::string& out,
                          std::vector<int>& ids) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--out" && i + 1 < arguments.size()) {
            out = arguments[++i];
        } else if (StartsWith(arguments[i], "--out=")) {
            out = arguments[i].substr(6);
        } else {
            int id = 0;
            if (!ParseRecipeID(arguments[i], id)) return false;
            ids.push_back(id);
        }
    }
    return !out.empty() && !ids.empty();
}

// Loads every recipe of `ids`; false after the first number the box lacks.
bool LoadAll(CliContext& context, const std::vector<int>& ids, std::vector<Recipe>& recipes) {
    for (int id : ids) {
        Recipe recipe;
        if (!LoadWhole(context, id, recipe)) return false;
        recipes.push_back(std::move(recipe));
    }
    return true;
}

// Writes `text` beside `out` and renames it, so a failed write never leaves
// half a file under the name.
int WriteExport(CliContext& context, const std::string& out, const std::string& text) {
    const std::string temp = out + ".part";
    {
        std::ofstream file(temp, std::ios::binary | std::ios::trunc);
        file << text;
        file.close();
        if (!file) {
            std::error_code ec;
            std::filesystem::remove(temp, ec);
            context.err() << "Could not write " << out << ".\n";
            return kExitFailure;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, out, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        context.err() << "Could not write " << out << ".\n";
        return kExitFailure;
    }
    return kExitOk;
}

// The output file and the recipes an export command names, read from the
// open box; kExitOk, or the exit code to end with.
int ReadExportArguments(CliContext& context, const std::vector<std::string>& arguments,
                        std::string& out, std::vector<Recipe>& recipes) {
    std::vector<int> ids;
    if (!ParseExportArguments(arguments, out, ids)) return kExitUsage;
    if (!context.LoadSettings() || !context.OpenBox()) return kExitFailure;
    return LoadAll(context, ids, recipes) ? kExitOk : kExitFailure;
}

int RunExportRxf(CliContext& context, const std::vector<std::string>& arguments) {
    std::string out;
    std::vector<Recipe> recipes;
    if (const int code = ReadExportArguments(context, arguments, out, recipes); code != kExitOk)
        return code;
    std::vector<std::string> documents;
    for (const Recipe& recipe : recipes) documents.push_back(WriteRecipeDocument(recipe));
    // Several recipes travel inside one RXF element.
    std::string text = documents.size() > 1 ? WriteRecipeCollection(documents) : documents.front();
    if (!EndsWithNoCase(text, "\r\n")) text += "\r\n";
    return WriteExport(context, out, text);
}

int RunExportJsonLd(CliContext& context, const std::vector<std::string>& arguments) {
    std::string out;
    std::vector<Recipe> recipes;
    if (const int code = ReadExportArguments(context, arguments, out, recipes); code != kExitOk)
        return code;
    return WriteExport(context, out, RecipesJsonLd(recipes) + "\n");
}

int RunScale(CliContext& context, const std::vector<std::string>& arguments) {
    int id = 0;
    if (arguments.size() != 2 || !ParseRecipeID(arguments[0], id)) return kExitUsage;
    if (!context.LoadSettings() || !context.OpenBox()) return kExitFailure;
    Recipe recipe;
    if (!LoadWhole(context, id, recipe)) return kExitFailure;
    if (!context.dialog().Recipes().Scale(recipe, ParseQuantity(arguments[1]))) {
        context.err() << (recipe.YieldNumber <= 0
                              ? "This recipe does not say how many it makes, so it cannot be "
                                "scaled.\n"
                              : "Please give how many you would like to make, such as 6 or "
                                "\"1 1/2\".\n");
        return kExitFailure;
    }
    context.out() << "ScaleMultiple " << DecimalText(recipe.ScaleMultiple, 4) << "\n";
    return kExitOk;
}

int RunConvert(CliContext& context, const std::vector<std::string>& arguments) {
    int id = 0;
    if (arguments.size() != 1 || !ParseRecipeID(arguments[0], id)) return kExitUsage;
    if (!context.LoadSettings() || !context.OpenBox()) return kExitFailure;
    Recipe recipe;
    if (!LoadWhole(context, id, recipe)) return kExitFailure;
    const bool toEnglish = recipe.Metric;
    const int converted = context.dialog().Recipes().ConvertUnits(recipe);
    if (converted < 0) {
        context.err() << "Could not store the converted lines.\n";
        return kExitFailure;
    }
    context.out() << "Converted " << converted << (converted == 1 ? " line" : " lines") << " to "
                  << (toEnglish ? "English" : "metric") << " units\n";
    for (const IngredientLine& line : recipe.Lines)
        context.out() << line.TextQty << "\t" << line.Measure << "\t" << line.Name << "\n";
    return kExitOk;
}

}  // namespace

void AddImportCommands(std::vector<Command>& table) {
    table.push_back({"import", "[--picture JPEG] FILE...",
                     "import recipe files (.rxf, .mmf/.mm/.txt MealMaster, .mxp, .mx2, web pages "
                     "and JSON-LD with schema.org recipes, .crb) into the box; --picture gives "
                     "each new recipe that picture",
                     RunImport});
    table.push_back({"export-rxf", "--out FILE ID...",
                     "write recipes as an exchange file (several: one RXF document)",
                     RunExportRxf});
    table.push_back({"export-jsonld", "--out FILE ID...",
                     "write recipes as schema.org JSON-LD (one: a Recipe object; several: a "
                     "JSON array of them)",
                     RunExportJsonLd});
    table.push_back({"scale", "ID SERVINGS", "scale a recipe to make SERVINGS", RunScale});
    table.push_back(
        {"convert", "ID", "convert a recipe's measures between metric and English", RunConvert});
}

}  // namespace pantrio::cli
