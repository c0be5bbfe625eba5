// pantrio-cli shop: the shopping list kept between runs, its sums, its file
// and the answers to bad input.
#include <filesystem>

#include "cli/CliFixture.h"

namespace pantrio::test {
namespace {

const std::string kTwoRecipes =
    "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n"
    "      Title: Bean Chili\n Categories: Main Dish\n      Yield: 4 servings\n\n"
    "      2 c  Kidney beans\n      1 T  Olive oil\n      8 oz Ground beef\n\n"
    "  Simmer the beans.\n\nMMMMM\n\n"
    "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n"
    "      Title: Bean Soup\n Categories: Soups\n      Yield: 2 servings\n\n"
    "      2 t  Olive oil\n      1 lb Ground beef\n      1 lb Kidney beans\n\n"
    "  Simmer.\n\nMMMMM\n";

class ShoppingCli : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        const std::string file = temp.PathOf("two.mmf");
        std::ofstream(file, std::ios::binary) << kTwoRecipes;
        ASSERT_EQ(Cli({"import", file}).code, 0);
    }
    std::string Show(std::vector<std::string> options = {}) {
        options.insert(options.begin(), {"shop", "show"});
        const CliRun run = Cli(options);
        EXPECT_EQ(run.code, 0) << run.err;
        return run.out;
    }
};

TEST_F(ShoppingCli, RecipesSumsFileAndPlan) {
    CliRun run = Cli({"shop", "add", "1"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "3 items added.\n");
    ASSERT_EQ(Cli({"shop", "add", "2", "--scale", "1/2"}).code, 0);
    ASSERT_EQ(Cli({"shop", "item", "Mom's <best> @milk", "--qty", "2", "--unit", "qt"}).code, 0);
    const std::string detailed = Show();
    EXPECT_NE(detailed.find("Meat\t1/2\tlb\tGround beef\tBean Soup\n"), std::string::npos)
        << detailed;
    EXPECT_NE(detailed.find("\t2\tqt\tMom's <best> @milk\t- Added Manually -\n"),
              std::string::npos);

    // Ounces and pounds add up; tablespoons ("T") and teaspoons ("t") are
    // never one unit, and cups and pounds stay apart.
    const std::string combined = Show({"--combined"});
    EXPECT_NE(combined.find("Meat\t1\tlb\tGround beef\t\tconverted\n"), std::string::npos)
        << combined;
    EXPECT_NE(combined.find("\t4\tt\tOlive oil\t\tconverted\n"), std::string::npos);
    EXPECT_NE(combined.find("\t2\tc\tKidney beans\t\t\n"), std::string::npos);
    const std::string exact = Show({"--combined", "--exact-units"});
    EXPECT_NE(exact.find("\t1\tT\tOlive oil\t\t\n"), std::string::npos) << exact;
    EXPECT_NE(exact.find("\t1\tt\tOlive oil\t\t\n"), std::string::npos);
    EXPECT_EQ(exact.find("converted"), std::string::npos);

    const std::string file = temp.PathOf("week.sxf");
    ASSERT_EQ(Cli({"shop", "save", file}).code, 0);
    ASSERT_EQ(Cli({"shop", "clear"}).code, 0);
    EXPECT_EQ(Show(), "");
    ASSERT_EQ(Cli({"shop", "open", file}).code, 0);
    EXPECT_EQ(Show(), detailed);
    ASSERT_EQ(Cli({"shop", "remove", "1"}).code, 0);
    EXPECT_EQ(Cli({"--yes", "shop", "open", file}).code, 0) << "replaces the list";
    EXPECT_EQ(Show(), detailed);

    ASSERT_EQ(Cli({"shop", "clear"}).code, 0);
    ASSERT_EQ(Cli({"sql", "--support",
                   "Insert Into RecipeList(RecipeListID, RecipeDate, MealNumber, RecipeID, "
                   "CookbookFile, Title, ScaleToMake) Values(1, #2024-03-05#, 5, 2, '" +
                       Root() + "/Rbox/standard.crb', 'Bean Soup', 2)"})
                  .code,
              0);
    run = Cli({"shop", "from-plan", "2024-03-01", "2024-03-05"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "3 items added from 1 planned recipe.\n");
    EXPECT_NE(Show().find("Meat\t2\tlb\tGround beef\tBean Soup\n"), std::string::npos);
}

TEST_F(ShoppingCli, BadInputChangesNothing) {
    ASSERT_EQ(Cli({"shop", "item", "salt"}).code, 0);
    const std::string before = Show();
    const std::string garbage = temp.PathOf("garbage.sxf");
    std::ofstream(garbage) << "<RECIPE>not a list</RECIPE>";
    const struct {
        std::vector<std::string> arguments;
        int code;
        const char* message;  // start of the first line on standard error
    } cases[] = {
        {{"shop", "add", "99"}, 1, "No recipe number 99"},
        {{"shop", "add", "1", "--scale", "-2"}, 1, "Not a scale above 0"},
        {{"shop", "from-plan", "2024-02-30", "2024-03-01"},
         1,
         "Not a date (YYYY-MM-DD): 2024-02-30"},
        {{"shop", "from-plan", "2024-03-09", "2024-03-01"}, 1, "The start date"},
        {{"--yes", "shop", "open", garbage}, 1, "Could not read Pantrio Shopping List."},
        {{"shop", "open", temp.PathOf("missing.sxf")}, 1, "Shopping list not found"},
        {{"shop", "save", temp.PathOf("no/such/folder/list.sxf")}, 1, "Could not create file in "},
        {{"shop", "remove", "5"}, 1, "The shopping list has no item 5"},
        {{"shop", "remove", "0"}, 2, "pantrio-cli: wrong arguments for shop"},
        {{"shop", "show", "--exact-units"}, 2, "pantrio-cli: wrong arguments for shop"},
        {{"shop"}, 2, "pantrio-cli: wrong arguments for shop"},
    };
    for (const auto& c : cases) {
        const CliRun run = Cli(c.arguments);
        EXPECT_EQ(run.code, c.code) << c.arguments.back();
        EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << run.err;
        EXPECT_EQ(Show(), before) << c.arguments.back();
    }
}

}  // namespace
}  // namespace pantrio::test
