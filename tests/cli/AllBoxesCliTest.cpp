// "pantrio-cli find --all-boxes": every box of the Rbox folder, one row a
// line as box TAB number TAB title TAB rating, by title; boxes that cannot
// be read are named on stderr.
#include <fstream>

#include "cli/CliFixture.h"

namespace pantrio::test {
namespace {

TEST_F(CliTest, FindInAllBoxesPrintsTheBoxOfEveryRow) {
    ASSERT_EQ(Cli({"new-box", "family"}).code, 0);
    ASSERT_EQ(Cli({"sql",
                   "INSERT INTO Recipes (RecipeID, Title, TasteRating) VALUES (1, 'Plum "
                   "Pie', 4), (2, 'Apple Pie', 0), (3, 'Lentil Soup', 2)"})
                  .code,
              0);
    const std::string standard = Root() + "/Rbox/standard.crb";
    ASSERT_EQ(Cli({"--box", standard, "sql",
                   "INSERT INTO Recipes (RecipeID, Title, TasteRating) VALUES (7, 'Pecan Pie', 5)"})
                  .code,
              0);
    std::ofstream(Root() + "/Rbox/old.crb") << "scratch notes, no recipe box\n";

    const CliRun run = Cli({"find", "--all-boxes", "--contains", "--title", "Pie"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out,
              "family\t2\tApple Pie\t0\n"
              "standard\t7\tPecan Pie\t5\n"
              "family\t1\tPlum Pie\t4\n");
    EXPECT_EQ(run.err.rfind("Skipped the recipe box old (", 0), 0u) << run.err;

    // The same criteria without the switch search the open box only.
    EXPECT_EQ(Cli({"find", "--contains", "--title", "Pie"}).out,
              "2\tApple Pie\t0\n1\tPlum Pie\t4\n");
    EXPECT_EQ(Cli({"find", "--all-boxes", "--title"}).code, 2);
}

}  // namespace
}  // namespace pantrio::test
