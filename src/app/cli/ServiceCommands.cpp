// post, service-search, service-import: the recipe service from the command
// line. Each takes --service URL, or uses the service of the settings.
#include <algorithm>
#include <fstream>
#include <ostream>
#include <sstream>

#include "app/cli/CliContext.h"
#include "app/cli/Command.h"
#include "base/Text.h"
#include "core/ServiceController.h"
#include "search/FindCriteria.h"

namespace pantrio::cli {

namespace {

// The arguments of one service command: its --service and the options and
// words it takes. `repeatable` options may come more than once.
struct ServiceArguments {
    std::string service;
    std::vector<std::string> words;
    std::vector<std::pair<std::string, std::string>> options;

    std::vector<std::string> All(const std::string& name) const {
        std::vector<std::string> values;
        for (const auto& [option, value] : options)
            if (option == name) values.push_back(value);
        return values;
    }
};

bool ParseServiceArguments(const std::vector<std::string>& arguments,
                           const std::vector<std::string>& known, ServiceArguments& out,
                           std::ostream& err) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (!StartsWith(a, "--")) {
            out.words.push_back(a);
            continue;
        }
        if (a != "--service" && std::find(known.begin(), known.end(), a) == known.end()) {
            err << "Unknown option: " << a << "\n";
            return false;
        }
        if (i + 1 >= arguments.size()) {
            err << a << " needs a value.\n";
            return false;
        }
        if (a == "--service")
            out.service = arguments[++i];
        else
            out.options.emplace_back(a, arguments[++i]);
    }
    return true;
}

// The service --service names, else the settings' one; reports when there is
// none. Needs the settings loaded.
bool ServiceOf(CliContext& context, const ServiceArguments& args, ServiceAddresses& service) {
    service = Trim(args.service).empty() ? context.dialog().RecipeService().ConfiguredService()
                                         : ServiceAddresses(Trim(args.service));
    if (service.Configured()) return true;
    context.err() << "No recipe service is set up; pass --service URL.\n";
    return false;
}

// The whole file, trimmed: a password file may end with a line break.
bool ReadPasswordFile(const std::string& path, std::string& password) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::ostringstream text;
    text << file.rdbuf();
    password = Trim(text.str());
    return !file.bad();
}

int RunPost(CliContext& context, const std::vector<std::string>& arguments) {
    ServiceArguments args;
    long id = 0;
    if (!ParseServiceArguments(arguments, {"--password-file"}, args, context.err()))
        return kExitUsage;
    const std::vector<std::string> passwordFiles = args.All("--password-file");
    if (args.words.size() != 1 || !ParseNumber(args.words[0], 1, 0x7fffffff, id) ||
        passwordFiles.size() > 1) {
        context.err() << "post needs one recipe number and at most one --password-file.\n";
        return kExitUsage;
    }
    std::string password;
    if (!passwordFiles.empty() && !ReadPasswordFile(passwordFiles[0], password)) {
        context.err() << "Could not read the password file " << passwordFiles[0] << ".\n";
        return kExitFailure;
    }
    if (!context.LoadSettings()) return kExitFailure;
    ServiceAddresses service("");
    if (!ServiceOf(context, args, service) || !context.OpenBox()) return kExitFailure;
    const ServiceController::PostResult result =
        context.dialog().RecipeService().Post(service, static_cast<int>(id), password);
    if (!result.ok) {
        context.err() << result.error << "\n";
        return kExitFailure;
    }
    if (!result.stored)
        context.err() << "A revision: recipe " << id << " keeps its recipe number.\n";
    context.out() << result.number << "\n";
    return kExitOk;
}

int RunServiceSearch(CliContext& context, const std::vector<std::string>& arguments) {
    ServiceArguments args;
    if (!ParseServiceArguments(arguments,
                               {"--title", "--title-begins", "--keyword", "--ingredient",
                                "--main-ingredient", "--cuisine"},
                               args, context.err()))
        return kExitUsage;
    FindCriteria criteria;
    const std::vector<std::string> contains = args.All("--title");
    const std::vector<std::string> begins = args.All("--title-begins");
    const std::vector<std::string> keywords = args.All("--keyword");
    const std::vector<std::string> ingredients = args.All("--ingredient");
    const std::vector<std::string> mains = args.All("--main-ingredient");
    const std::vector<std::string> cuisines = args.All("--cuisine");
    if (!args.words.empty() || contains.size() + begins.size() > 1 || keywords.size() > 3 ||
        ingredients.size() > criteria.ingredients.size() || mains.size() > 1 ||
        cuisines.size() > 1) {
        context.err() << "service-search takes one --title or --title-begins, up to 3 "
                         "--keyword, up to 5 --ingredient, one --main-ingredient and one "
                         "--cuisine.\n";
        return kExitUsage;
    }
    criteria.titleBeginsWith = !begins.empty();
    criteria.titleText = begins.empty() ? (contains.empty() ? "" : contains[0]) : begins[0];
    for (std::size_t i = 0; i < keywords.size(); ++i) criteria.keywords[i] = keywords[i];
    for (std::size_t i = 0; i < ingredients.size(); ++i) criteria.ingredients[i] = ingredients[i];
    if (!mains.empty()) criteria.mainIngredient = mains[0];
    if (!cuisines.empty()) criteria.cuisine = cuisines[0];

    if (!context.LoadSettings()) return kExitFailure;
    ServiceAddresses service("");
    if (!ServiceOf(context, args, service)) return kExitFailure;
    std::vector<ServiceController::SearchHit> hits;
    std::string error;
    if (!context.dialog().RecipeService().Search(service, criteria, hits, error)) {
        context.err() << error << "\n";
        return kExitFailure;
    }
    for (const auto& hit : hits) context.out() << hit.number << "\t" << hit.title << "\n";
    return kExitOk;
}

int RunServiceImport(CliContext& context, const std::vector<std::string>& arguments) {
    ServiceArguments args;
    long number = 0;
    if (!ParseServiceArguments(arguments, {}, args, context.err())) return kExitUsage;
    if (args.words.size() != 1 || !ParseNumber(args.words[0], 1, 0x7fffffff, number)) {
        context.err() << "service-import needs one recipe number of the service.\n";
        return kExitUsage;
    }
    if (!context.LoadSettings()) return kExitFailure;
    ServiceAddresses service("");
    if (!ServiceOf(context, args, service) || !context.OpenBox() || !context.OpenSupport())
        return kExitFailure;
    std::string error;
    const PageImportResult result = context.dialog().RecipeService().Import(service, number, error);
    if (!error.empty()) context.err() << error << "\n";
    if (result.recipeID <= 0) return kExitFailure;
    if (!result.newRecipe)
        context.err() << "The recipe is already in the box as recipe " << result.recipeID
                      << "; nothing new was stored.\n";
    context.out() << result.recipeID << "\n";
    return kExitOk;
}

}  // namespace

void AddServiceCommands(std::vector<Command>& table) {
    table.push_back({"post", "ID [--password-file F] [--service URL]",
                     "post a recipe to the recipe service; prints the number it assigns", RunPost});
    table.push_back({"service-search", "[--title T|--title-begins T] [--keyword K]... [options]",
                     "search the recipe service (--ingredient --main-ingredient --cuisine "
                     "--service); prints NUMBER<TAB>TITLE",
                     RunServiceSearch});
    table.push_back({"service-import", "NUMBER [--service URL]",
                     "import recipe NUMBER of the recipe service; prints its RecipeID",
                     RunServiceImport});
}

}  // namespace pantrio::cli
