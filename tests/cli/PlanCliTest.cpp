// The meal plan and the printed pages through pantrio-cli on a fresh data
// root: what a script plans persists for the next run, and bad input
// changes nothing.
#include "cli/CliFixture.h"

namespace pantrio::test {
namespace {

class PlanCli : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        const std::string file = temp.PathOf("two.mmf");
        std::ofstream(file, std::ios::binary)
            << "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Bean Chili\n"
               "      Yield: 4 servings\n\n      2 c  Kidney beans\n\n  Simmer.\n\nMMMMM\n\n"
               "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n      Title: Apple Pie\n"
               "      Yield: 8 servings\n\n      6    Apples\n\n  Bake.\n\nMMMMM\n";
        ASSERT_EQ(Cli({"import", file}).code, 0);
    }
    std::string Show() { return Cli({"plan", "show", "2026-01-01", "2026-12-31"}).out; }
};

TEST_F(PlanCli, PlansMovesAndClearsAcrossRuns) {
    CliRun run = Cli({"plan", "add", "2026-12-10", "dinner", "1"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "1\n");
    ASSERT_EQ(Cli({"plan", "add", "2026-12-10", "Breakfast", "2"}).code, 0);
    ASSERT_EQ(Cli({"plan", "add", "2026-12-12", "Snack", "2"}).code, 0);
    const std::string box = Root() + "/Rbox/standard.crb";
    EXPECT_EQ(Show(), "2\t2026-12-10\tBreakfast\t2\tApple Pie\t[8 servings]\t\t" + box +
                          "\n1\t2026-12-10\tDinner\t1\tBean Chili\t[4 servings]\t\t" + box +
                          "\n3\t2026-12-12\tSnack\t2\tApple Pie\t[8 servings]\t\t" + box + "\n");
    EXPECT_EQ(Cli({"plan", "show", "2026-12-12"}).out.substr(0, 2), "3\t");

    // Bad input: a clear message, exit 1 (2 for usage), nothing changed.
    const std::string before = Show();
    const struct {
        std::vector<std::string> arguments;
        int code;
        const char* message;
    } bad[] = {
        {{"plan", "add", "2026-02-30", "Dinner", "1"}, 1, "Not a date (YYYY-MM-DD): 2026-02-30"},
        {{"plan", "add", "12/10/2026", "Dinner", "1"}, 1, "Not a date"},
        {{"plan", "add", "2026-12-10", "Brunch", "1"}, 1, "Not a meal"},
        {{"plan", "add", "2026-12-10", "Dinner", "9"}, 1, "No recipe number 9"},
        {{"plan", "add", "2026-12-10", "Dinner"}, 2, ""},
        {{"plan", "move", "7", "--meal", "Lunch"}, 1, "No meal-plan entry number 7."},
        {{"plan", "move", "1"}, 2, ""},
        {{"plan", "move", "1", "--date", "tomorrow"}, 1, "Not a date"},
        {{"plan", "remove", "1", "8"}, 1, "No meal-plan entry number 8."},
        {{"plan", "clear"}, 1, "Nothing was removed."},
        {{"plan", "clear", "--after", "2026-01-01"}, 2, ""},
        {{"plan", "show"}, 2, ""},
        {{"plan"}, 2, "unknown command plan"},
    };
    for (const auto& c : bad) {
        SCOPED_TRACE(c.arguments.back());
        run = Cli(c.arguments);
        EXPECT_EQ(run.code, c.code);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(Show(), before);
    }

    ASSERT_EQ(Cli({"plan", "move", "1", "--date", "2026-12-11", "--meal", "lunch"}).code, 0);
    EXPECT_NE(Show().find("1\t2026-12-11\tLunch\t1\tBean Chili"), std::string::npos);
    ASSERT_EQ(Cli({"--yes", "plan", "clear", "--before", "2026-12-12"}).code, 0);
    EXPECT_EQ(Show().substr(0, 2), "3\t");
    ASSERT_EQ(Cli({"plan", "remove", "3"}).code, 0);
    EXPECT_EQ(Show(), "");
}

TEST_F(PlanCli, PrintsRecipesThePlanAndTheShoppingList) {
    ASSERT_EQ(Cli({"plan", "add", "2026-12-10", "Lunch", "2"}).code, 0);
    const std::string out = temp.PathOf("page.htm");
    CliRun run = Cli({"print", "plan", "2026-12-01", "2026-12-31", "--out", out});
    ASSERT_EQ(run.code, 0) << run.err;
    std::string page = ReadFile(out);
    EXPECT_NE(page.find("<H4>Meal Plan</H4>"), std::string::npos);
    EXPECT_NE(page.find("Thursday, December 10, 2026 </H4>Lunch: Apple Pie<BR>"),
              std::string::npos);

    ASSERT_EQ(Cli({"print", "recipes", "1", "2", "--out", out}).code, 0);
    page = ReadFile(out);
    EXPECT_LT(page.find("Bean Chili"), page.find("Apple Pie"));
    EXPECT_NE(page.find("<DIV class=sheet>"), std::string::npos);

    ASSERT_EQ(Cli({"print", "shopping", "--out", out}).code, 0);
    EXPECT_NE(ReadFile(out).find("<H4>Shopping List</H4><table"), std::string::npos);

    EXPECT_EQ(Cli({"print", "recipes", "1", "5", "--out", out}).code, 1);
    EXPECT_EQ(Cli({"print", "plan", "2026-12-01", "soon", "--out", out}).code, 1);
    EXPECT_EQ(Cli({"print", "recipes", "1"}).code, 2) << "--out is required";
    EXPECT_EQ(Cli({"print", "recipes", "1", "--out", temp.PathOf("no/such/dir.htm")}).code, 1);
}

}  // namespace
}  // namespace pantrio::test
