// The nutrition commands of pantrio-cli on a fresh data root with the
// shipped food table: search, link, the table and its completeness, unlink.
#include <fstream>

#include "cli/CliFixture.h"

namespace pantrio::test {
namespace {

class NutritionCli : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        const std::string file = temp.PathOf("chili.mmf");
        std::ofstream(file, std::ios::binary)
            << "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n"
               "      Title: Bean Chili\n      Yield: 4 servings\n\n"
               "    200 g  Kidney beans\n      1    Onion, chopped\n\n"
               "  Simmer.\n\nMMMMM\n";
        ASSERT_EQ(Cli({"import", file}).code, 0);
    }
};

TEST_F(NutritionCli, LinkShowAndUnlink) {
    CliRun run = Cli({"foods", "beans kidney raw"});
    ASSERT_EQ(run.code, 0) << run.err;
    ASSERT_FALSE(run.out.empty());
    const std::string food = run.out.substr(0, run.out.find('\t'));

    run = Cli({"nutrition", "1"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("Calories (kcal)\t0\t0\t2000\t0.0\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("0 of 2 lines counted; not linked: Kidney beans, Onion"),
              std::string::npos)
        << run.out;

    // "g" matches no household measure: the number of measures is given.
    run = Cli({"link", "1", "1", food});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("give --count"), std::string::npos) << run.err;
    run = Cli({"link", "1", "1", food, "--measure", "1", "--count", "2"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out.rfind("1\t" + food + "\t", 0), 0u) << run.out;

    run = Cli({"nutrition", "1"});
    EXPECT_NE(run.out.find("1 of 2 lines counted; not linked: Onion"), std::string::npos)
        << run.out;
    EXPECT_EQ(run.out.find("Calories (kcal)\t0\t"), std::string::npos) << run.out;

    ASSERT_EQ(Cli({"unlink", "1", "1"}).code, 0);
    EXPECT_EQ(Cli({"unlink", "1", "1"}).code, 1);

    struct Usage {
        std::vector<std::string> arguments;
        int code;
    };
    const Usage usages[] = {
        {{"link", "1", "1"}, 2},
        {{"link", "1", "1", food, "--measure", "3"}, 2},
        {{"link", "1", "1", food, "--count", "-1"}, 2},
        {{"link", "x", "1", food}, 2},
        {{"link", "9", "1", food}, 1},
        {{"link", "1", "9", food}, 1},
        {{"unlink", "1"}, 2},
        {{"foods", " "}, 2},
        {{"nutrition", "9"}, 1},
    };
    for (const Usage& u : usages) EXPECT_EQ(Cli(u.arguments).code, u.code) << u.arguments[0];
    EXPECT_NE(Cli({"--help"}).out.find("nutrition ID"), std::string::npos);
}

}  // namespace
}  // namespace pantrio::test
