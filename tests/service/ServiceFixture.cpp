#include "service/ServiceFixture.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "base/Text.h"
#include "formats/RecipeDocument.h"
#include "service/PostgresServiceStore.h"
#include "service/SqliteServiceStore.h"

namespace pantrio::test {

Recipe MakeRecipe(const SampleRecipe& sample) {
    Recipe recipe;
    recipe.Title = sample.title;
    recipe.Instructions = sample.instructions;
    recipe.PrimaryIngredient = sample.mainIngredient;
    recipe.Cuisine = sample.cuisine;
    for (const std::string& keyword : sample.keywords) recipe.AddCategoryName(keyword);
    for (const std::string& name : sample.ingredients)
        recipe.AddLine(false, "1", "cup", name, "", 1);
    return recipe;
}

Recipe TitledRecipe(const std::string& title) {
    return MakeRecipe({title, {}, {}, "", ""});
}

const std::vector<SampleRecipe>& SearchSamples() {
    static const std::vector<SampleRecipe> samples = {
        {"Crème Brûlée",
         {"Desserts", "French"},
         {"cream", "egg yolks", "sugar"},
         "Cream",
         "French"},
        {"Mom's 100% Apple Pie", {"Desserts"}, {"apples", "flour", "butter"}, "Apples", "American"},
        {"Fish & Chips #1", {"Main dish"}, {"cod", "potatoes"}, "Fish", "British"},
        {"apple_sauce", {"Sides"}, {"apples", "sugar"}, "Apples", "American"},
    };
    return samples;
}

std::unique_ptr<ServiceStore> SqliteBackend::Open(std::string& skipReason) {
    if (!temp_.Ok()) {
        skipReason = temp_.Error();
        return nullptr;
    }
    return std::make_unique<SqliteServiceStore>(temp_.PathOf("service.db"));
}

std::string PostgresBackend::ServerURL() {
    const char* url = std::getenv("PANTRIO_TEST_POSTGRES");
    return url ? url : "";
}

std::unique_ptr<ServiceStore> PostgresBackend::Open(std::string& skipReason) {
    const std::string url = ServerURL();
    if (url.empty()) {
        skipReason =
            "PANTRIO_TEST_POSTGRES is not set (scripts/postgres-test-server.sh starts "
            "a server)";
        return nullptr;
    }
    static std::atomic<int> counter{0};
    schema_ = Format("pantrio_test_%d_%d", static_cast<int>(getpid()), ++counter);
    try {
        return std::make_unique<PostgresServiceStore>(url, schema_);
    } catch (const ServiceStoreError& error) {
        skipReason =
            std::string("PostgreSQL at PANTRIO_TEST_POSTGRES is not reachable: ") + error.what();
        schema_.clear();
        return nullptr;
    }
}

PostgresBackend::~PostgresBackend() {
    if (schema_.empty()) return;
    try {
        PostgresServiceStore::DropSchema(ServerURL(), schema_);
    } catch (const ServiceStoreError&) {
    }
}

ServiceProcess::ServiceProcess(std::vector<std::string> extraArguments) {
    if (!temp_.Ok()) return;
    int out[2];
    if (pipe(out) != 0) return;
    const std::string data = temp_.PathOf("service");
    const std::string log = temp_.PathOf("service.log");
    std::vector<std::string> arguments = {PANTRIO_SERVICE_PATH, "--port", "0", "--data", data};
    arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
    // Everything the child needs is made before fork: only async-signal-safe
    // calls follow in the child.
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        const int err = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (err >= 0) dup2(err, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    // The first line names the address; the program prints it once bound.
    std::string line;
    pollfd wait{out[0], POLLIN, 0};
    while (line.find('\n') == std::string::npos && poll(&wait, 1, 20000) > 0) {
        char buffer[256];
        const ssize_t got = read(out[0], buffer, sizeof buffer);
        if (got <= 0) break;
        line.append(buffer, static_cast<std::size_t>(got));
    }
    close(out[0]);
    const std::string prefix = "Listening on ";
    if (StartsWith(line, prefix)) base_ = Trim(line.substr(prefix.size()));
}

ServiceProcess::~ServiceProcess() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
}

std::string ServiceProcess::Log() const {
    std::ifstream in(temp_.PathOf("service.log"), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

ServiceClient::Fields PostFields(const Recipe& recipe, const std::string& page) {
    std::string document = ReplaceAll(WriteRecipeDocument(recipe), "'", "~quote");
    document = ReplaceAll(std::move(document), "\"", "~doublequote");
    return {{"title", recipe.Title}, {"recipehtml", page}, {"recipexml", document}};
}

long AssignedNumber(const std::string& page) {
    const std::string marker = "<!--@CRFASSIGNUNIQUEID=";
    const std::size_t at = page.find(marker);
    if (at == std::string::npos) return -1;
    return std::strtol(page.c_str() + at + marker.size(), nullptr, 10);
}

}  // namespace pantrio::test
