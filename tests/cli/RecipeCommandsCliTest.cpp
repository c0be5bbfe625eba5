// The listing, marking, keyword and page commands of pantrio-cli on a real
// data root with imported recipes.
#include <filesystem>

#include "cli/CliFixture.h"

namespace pantrio::test {
namespace {

const std::string kTwoRecipes =
    "MMMMM----- Recipe via Meal-Master (tm) v8.05\n"
    "\n"
    "      Title: Bean Chili\n"
    " Categories: Main Dish\n"
    "      Yield: 4 servings\n"
    "\n"
    "      2 c  Kidney beans\n"
    "      1    Onion, chopped\n"
    "\n"
    "  Simmer the beans & onion.\n"
    "\n"
    "MMMMM\n"
    "\n"
    "MMMMM----- Recipe via Meal-Master (tm) v8.05\n"
    "\n"
    "      Title: Apple Pie\n"
    " Categories: Desserts\n"
    "      Yield: 8 servings\n"
    "\n"
    "      6    Apples\n"
    "\n"
    "  Bake until golden.\n"
    "\n"
    "MMMMM\n";

class RecipeCommandsCli : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        const std::string file = temp.PathOf("two.mmf");
        std::ofstream(file, std::ios::binary) << kTwoRecipes;
        const CliRun run = Cli({"import", file});
        ASSERT_EQ(run.code, 0) << run.err;
    }
};

TEST_F(RecipeCommandsCli, FindViewMarkAndKeyword) {
    CliRun run = Cli({"find", "--title", "pie", "--contains"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "2\tApple Pie\t0\n");
    run = Cli({"find", "--ingredient", "beans"});
    EXPECT_EQ(run.out, "1\tBean Chili\t0\n");
    run = Cli({"find", "--keyword", "a", "--keyword", "b", "--keyword", "c", "--keyword", "d",
               "--keyword", "e", "--keyword", "f"});
    EXPECT_EQ(run.code, 2);

    run = Cli({"view", "all"});
    EXPECT_EQ(run.out, "2\tApple Pie\t0\n1\tBean Chili\t0\n");
    run = Cli({"view", "all", "--keyword", "Desserts"});
    EXPECT_EQ(run.out, "2\tApple Pie\t0\n");
    EXPECT_EQ(Cli({"view", "all", "--keyword", "x' OR 1=1 --"}).code, 2);
    EXPECT_EQ(Cli({"view", "someday"}).code, 2);

    EXPECT_EQ(Cli({"view", "marked"}).out, "");
    ASSERT_EQ(Cli({"mark", "1"}).code, 0);
    ASSERT_EQ(Cli({"mark", "1"}).code, 0) << "marking a marked recipe keeps it marked";
    EXPECT_EQ(Cli({"view", "marked"}).out, "1\tBean Chili\t0\n");
    ASSERT_EQ(Cli({"unmark", "1"}).code, 0);
    EXPECT_EQ(Cli({"view", "marked"}).out, "");
    EXPECT_EQ(Cli({"mark", "99"}).code, 1);

    ASSERT_EQ(Cli({"keyword", "1", "Low Fat"}).code, 0);
    EXPECT_EQ(Cli({"view", "all", "--keyword", "Low Fat"}).out, "1\tBean Chili\t0\n");
    EXPECT_EQ(Cli({"find", "--keyword", "Low Fat"}).out, "1\tBean Chili\t0\n");
}

TEST_F(RecipeCommandsCli, RenderTextAndPublish) {
    CliRun run = Cli({"render", "2"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("Apple Pie"), std::string::npos);
    EXPECT_NE(run.out.find("<!--@PXLOCAL-->"), std::string::npos);
    EXPECT_EQ(run.out.find("<!--@PXBEGIN"), std::string::npos);
    run = Cli({"render", "2", "--published", "--theme", "3"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("<!--@PXBEGIN--"), std::string::npos);
    EXPECT_EQ(Cli({"render", "2", "--theme", "9"}).code, 2);
    EXPECT_EQ(Cli({"render", "42"}).code, 1);

    run = Cli({"text", "1", "--width", "40"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Bean Chili\n", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("Kidney beans"), std::string::npos);

    run = Cli({"publish", "1", "2"});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string index = Root() + "/Publish/recipe_index.htm";
    EXPECT_EQ(run.out, index + "\n");
    EXPECT_TRUE(std::filesystem::exists(index));
    EXPECT_NE(ReadFile(index).find("Apple Pie"), std::string::npos);
}

}  // namespace
}  // namespace pantrio::test
