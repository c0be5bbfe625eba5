// Sharing a recipe through pantrio-service with pantrio-cli: one data root
// posts, another searches and imports; and what the service commands refuse.
// A loopback stand-in plays the site that answers without a number.
#include <fstream>

#include "cli/CliFixture.h"
#include "service/ServiceFixture.h"
#include "support/LoopbackService.h"

namespace pantrio::test {
namespace {

class ServiceCliTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        ASSERT_TRUE(site.Started()) << site.Log();
    }

    // A rated recipe with text that needs escaping on every way to the
    // service; its RecipeID.
    std::string WriteRecipe(const std::string& title) {
        const std::string id = Trim(Cli({"new-recipe", title}).out);
        EXPECT_FALSE(id.empty());
        for (const auto& [field, value] : std::vector<std::pair<std::string, std::string>>{
                 {"Instructions", "Mix \"well\" & bake --> 180 C.\nIt's done when golden."},
                 {"Cuisine", "O'Brien's"},
                 {"Notes", "<b>Family</b> favourite"},
                 {"TasteRating", "5"},
                 {"AppearanceRating", "4"},
                 {"EffortRating", "3"},
                 {"AffordableRating", "4"}})
            EXPECT_EQ(Cli({"set", id, field, value}).code, 0) << field;
        EXPECT_EQ(Cli({"add-line", id, "2 cups flour, sifted"}).code, 0);
        EXPECT_EQ(Cli({"add-line", id, "1 tsp salt"}).code, 0);
        return id;
    }

    // One column of a recipe of the current box.
    std::string Column(const std::string& id, const std::string& column,
                       const std::vector<std::string>& root = {}) {
        std::vector<std::string> arguments = root;
        arguments.insert(arguments.end(),
                         {"sql", "Select " + column + " from Recipes where RecipeID = " + id});
        const std::vector<std::string> lines = Split(Cli(arguments).out, '\n');
        return lines.size() > 1 ? lines[1] : "<none>";
    }

    std::string Exported(const std::string& id, const std::vector<std::string>& root = {}) {
        std::vector<std::string> arguments = root;
        const std::string file = temp.PathOf("export.rxf");
        arguments.insert(arguments.end(), {"export-rxf", "--out", file, id});
        EXPECT_EQ(Cli(arguments).code, 0);
        return ReadFile(file);
    }

    ServiceProcess site;
};

TEST_F(ServiceCliTest, ARecipeTravelsFromOneBoxToAnother) {
    const std::string title = "Mom's \"Best\" Pie & </textarea>";
    const std::string id = WriteRecipe(title);
    const CliRun posted = Cli({"post", id, "--service", site.Base()});
    ASSERT_EQ(posted.code, 0) << posted.err;
    const std::string number = Trim(posted.out);
    EXPECT_EQ(Column(id, "UniqueID"), number);
    EXPECT_EQ(Column(id, "Color"), "1");

    // A revision goes to the same number; the recipe keeps its own.
    const CliRun revised = Cli({"post", id, "--service", site.Base()});
    ASSERT_EQ(revised.code, 0) << revised.err;
    EXPECT_EQ(Trim(revised.out), number);
    EXPECT_NE(revised.err.find("revision"), std::string::npos);

    // The service of the settings serves when --service is not given.
    const std::vector<std::string> other = {"--data-root", temp.PathOf("other")};
    ASSERT_EQ(Cli({"--data-root", temp.PathOf("other"), "init"}).code, 0);
    {
        std::ofstream settings(temp.PathOf("config/Hearthline/Pantrio.conf"), std::ios::app);
        settings << "ServiceURL=" << site.Base() << "/\n";
    }
    for (const auto& criteria : std::vector<std::vector<std::string>>{
             {"--title", "best\" pie"}, {"--title-begins", "mom's"}, {}}) {
        std::vector<std::string> arguments = other;
        arguments.push_back("service-search");
        arguments.insert(arguments.end(), criteria.begin(), criteria.end());
        const CliRun found = Cli(arguments);
        ASSERT_EQ(found.code, 0) << found.err;
        EXPECT_EQ(found.out, number + "\t" + title + "\n");
    }
    std::vector<std::string> none = other;
    none.insert(none.end(), {"service-search", "--title", "soup"});
    EXPECT_EQ(Cli(none).out, "");

    std::vector<std::string> import = other;
    import.insert(import.end(), {"service-import", number});
    const CliRun imported = Cli(import);
    ASSERT_EQ(imported.code, 0) << imported.err;
    const std::string copy = Trim(imported.out);
    EXPECT_EQ(Column(copy, "UniqueID", other), number);
    EXPECT_EQ(Exported(copy, other), Exported(id)) << "the same recipe, field by field";

    const CliRun again = Cli(import);
    ASSERT_EQ(again.code, 0) << again.err;
    EXPECT_EQ(Trim(again.out), copy);
    EXPECT_NE(again.err.find("already in the box"), std::string::npos);
}

TEST_F(ServiceCliTest, RefusalsStoreNothing) {
    const std::string id = WriteRecipe("Plain Bread");
    const std::string unrated = Trim(Cli({"new-recipe", "Unrated"}).out);
    { std::ofstream(temp.PathOf("right")) << "family secret\n"; }
    { std::ofstream(temp.PathOf("wrong")) << "guess\n"; }
    ServiceProcess guarded({"--post-password-file", temp.PathOf("right")});
    ASSERT_TRUE(guarded.Started()) << guarded.Log();
    LoopbackService numberless;
    numberless.WithholdNumbers(true);
    const std::string closed = "http://127.0.0.1:1";
    const struct {
        std::vector<std::string> arguments;
        int code;
        const char* message;  // part of standard error
    } cases[] = {
        {{"post", id}, 1, "No recipe service is set up; pass --service URL."},
        {{"service-search", "--title", "x"}, 1, "No recipe service is set up"},
        {{"post", id, "--service", guarded.Base()}, 1, "HTTP 403"},
        {{"post", id, "--service", guarded.Base(), "--password-file", temp.PathOf("wrong")},
         1,
         "HTTP 403"},
        {{"post", id, "--service", guarded.Base(), "--password-file", temp.PathOf("gone")},
         1,
         "Could not read the password file"},
        {{"post", id, "--service", closed}, 1, "could not be reached"},
        {{"post", id, "--service", site.Base() + "/nowhere"}, 1, "HTTP 404"},
        {{"post", unrated, "--service", site.Base()}, 1, "Please rate this recipe"},
        {{"post", "99", "--service", site.Base()}, 1, "no recipe 99"},
        {{"service-import", "5", "--service", site.Base()}, 1, "has no recipe 5"},
        {{"service-search", "--service", closed}, 1, "could not be reached"},
        {{"post"}, 2, "one recipe number"},
        {{"post", id, "--colour", "red"}, 2, "Unknown option"},
        {{"service-search", "--keyword", "a", "--keyword", "b", "--keyword", "c", "--keyword", "d"},
         2,
         "up to 3"},
        {{"service-search", "--title", "a", "--title-begins", "b"}, 2, "one --title"},
        {{"service-import", "x"}, 2, "one recipe number"},
    };
    for (const auto& c : cases) {
        const CliRun run = Cli(c.arguments);
        EXPECT_EQ(run.code, c.code) << c.arguments[0] << " " << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    const CliRun unanswered = Cli({"post", id, "--service", numberless.Base()});
    EXPECT_EQ(unanswered.code, 1);
    EXPECT_NE(unanswered.err.find("no recipe number"), std::string::npos) << unanswered.err;
    EXPECT_EQ(Column(id, "UniqueID"), "0");
    EXPECT_EQ(Column(id, "Color"), "0");

    const CliRun allowed =
        Cli({"post", id, "--service", guarded.Base(), "--password-file", temp.PathOf("right")});
    ASSERT_EQ(allowed.code, 0) << allowed.err;
    EXPECT_EQ(Column(id, "UniqueID"), Trim(allowed.out));
    EXPECT_NE(Cli({"--help"}).out.find("service-import NUMBER"), std::string::npos);
}

}  // namespace
}  // namespace pantrio::test
