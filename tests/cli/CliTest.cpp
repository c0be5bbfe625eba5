// Runs the built pantrio-cli as a user would, with its own configuration,
// data and home folders.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/Text.h"
#include "cli/CliFixture.h"

namespace pantrio::test {
namespace {

namespace fs = std::filesystem;

TEST_F(CliTest, InitCreatesTheDataRootFromTheShippedData) {
    const CliRun run = Cli({"init"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, Root() + "\n");
    EXPECT_TRUE(fs::is_regular_file(Root() + "/Data/support.csy"));
    EXPECT_TRUE(fs::is_regular_file(Root() + "/Rbox/standard.crb"));
    EXPECT_TRUE(fs::is_directory(Root() + "/Publish/Images"));
    const std::string settings = ReadFile(temp.PathOf("config/Hearthline/Pantrio.conf"));
    EXPECT_NE(settings.find("CookbookPath=" + Root() + "/Rbox/standard.crb"), std::string::npos);
    EXPECT_EQ(Cli({"init"}).code, 0) << "an existing root is fine";
}

TEST_F(CliTest, DataRootOptionIsHonoured) {
    const std::string other = temp.PathOf("elsewhere/root");
    const CliRun run = Cli({"--data-root", other, "init"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, other + "\n");
    EXPECT_TRUE(fs::is_regular_file(other + "/Data/support.csy"));
    EXPECT_FALSE(fs::exists(Root()));
}

TEST_F(CliTest, NewBoxBecomesTheCurrentBox) {
    const CliRun run = Cli({"new-box", "Family.CRB"});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string box = Root() + "/Rbox/family/family.crb";
    EXPECT_EQ(run.out, box + "\n");
    EXPECT_TRUE(fs::is_directory(Root() + "/Rbox/family/Pictures"));
    ASSERT_EQ(Cli({"sql", "INSERT INTO Recipes (RecipeID, Title) VALUES (4, 'Plum cake')"}).code,
              0);
    EXPECT_EQ(Cli({"list"}).out, "4\tPlum cake\n");
    EXPECT_EQ(Cli({"--box", Root() + "/Rbox/standard.crb", "list"}).out, "");

    const CliRun again = Cli({"new-box", "family"});
    EXPECT_EQ(again.code, 1) << "an existing box is replaced only with --yes";
    EXPECT_NE(again.err.find("already exists"), std::string::npos);
    EXPECT_EQ(Cli({"list"}).out, "4\tPlum cake\n");
    EXPECT_EQ(Cli({"--yes", "new-box", "family"}).code, 0);
    EXPECT_EQ(Cli({"list"}).out, "");
}

TEST_F(CliTest, SqlOnTheSupportDatabaseAndTheBox) {
    const CliRun nutrients = Cli({"sql", "--support", "Select count(*) from Nutrients"});
    ASSERT_EQ(nutrients.code, 0) << nutrients.err;
    const auto lines = Split(Trim(nutrients.out), '\n');
    ASSERT_EQ(lines.size(), 2u) << nutrients.out;
    EXPECT_GT(std::atol(lines[1].c_str()), 1000);

    const CliRun insert = Cli({"sql",
                               "Insert into Recipes (RecipeID, Title, Notes) values (2, "
                               "'Zucchini bread', 'one\ttab'), (1, 'apple pie', null)"});
    EXPECT_EQ(insert.code, 0) << insert.err;
    EXPECT_EQ(insert.out, "") << "a statement without rows prints nothing";
    EXPECT_EQ(Cli({"sql", "Select RecipeID, Title, Notes from Recipes order by RecipeID"}).out,
              "RecipeID\tTitle\tNotes\n1\tapple pie\t\n2\tZucchini bread\tone\\ttab\n");
    EXPECT_EQ(Cli({"list"}).out, "1\tapple pie\n2\tZucchini bread\n") << "title order, any case";
    EXPECT_EQ(Cli({"sql", "Select Title from Recipes where RecipeID = 99"}).out, "Title\n");
}

TEST_F(CliTest, FailingStatementPrintsTheReportAndExitsOne) {
    const CliRun run = Cli({"sql", "Select Nothing from NoSuchTable"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("Query = Select Nothing from NoSuchTable\nCADORecordset Error\n", 0),
              0u)
        << run.err;
}

TEST_F(CliTest, MissingBoxFailsWithTheMessagesOnStandardError) {
    const CliRun run = Cli({"--box", temp.PathOf("gone.crb"), "list"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("Please choose a recipe box to open"), std::string::npos);
    EXPECT_NE(run.err.find("Sorry, could not open recipe box."), std::string::npos);
}

TEST_F(CliTest, BackupCopiesIntoTheHomeFolder) {
    const CliRun run = Cli({"backup"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.err.find("Success!"), std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(temp.PathOf("home/backup_pantrio/Rbox/standard.crb")));
    EXPECT_TRUE(fs::is_regular_file(temp.PathOf("home/backup_pantrio/Data/support.csy")));
}

TEST_F(CliTest, UsageErrorsExitTwoWithTheUsageText) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{{},
                                                                       {"frobnicate"},
                                                                       {"new-box"},
                                                                       {"sql"},
                                                                       {"--box"},
                                                                       {"--bogus", "list"},
                                                                       {"list", "extra"}}) {
        const CliRun run = Cli(arguments);
        EXPECT_EQ(run.code, 2) << (arguments.empty() ? "" : arguments[0]);
        EXPECT_NE(run.err.find("Usage: pantrio-cli"), std::string::npos);
    }
    const CliRun help = Cli({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("new-box NAME"), std::string::npos);
}

}  // namespace
}  // namespace pantrio::test
