// pantrio-cli rate: the rating is stored as the dialog's OK stores it, and a
// recipe from the recipe service sends it there (to a loopback stand-in that
// records what arrived, and to pantrio-service itself).
#include "cli/CliFixture.h"
#include "service/ServiceFixture.h"
#include "support/LoopbackHttpServer.h"

namespace pantrio::test {
namespace {

class RateCliTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        id = Trim(Cli({"new-recipe", "Lasagne"}).out);
        ASSERT_EQ(id, "1");
    }
    // One value of recipe 1, as `sql` prints it.
    std::string Stored(const std::string& expression) {
        const CliRun run =
            Cli({"sql", "Select " + expression + " from Recipes where RecipeID = 1"});
        const std::vector<std::string> lines = Split(run.out, '\n');
        return lines.size() >= 2 ? lines[1] : "<" + run.err + ">";
    }
    std::vector<std::string> Rate(std::vector<std::string> extra) {
        std::vector<std::string> arguments = {"rate", id,       "--taste", "4",      "--appearance",
                                              "3",    "--ease", "5",       "--cost", "2"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return arguments;
    }
    std::string id;
};

TEST_F(RateCliTest, WrongArgumentsAreUsageErrorsAndChangeNothing) {
    const std::vector<std::vector<std::string>> wrong = {
        {"rate", "1", "--taste", "4", "--appearance", "3", "--ease", "5"},
        {"rate", "--taste", "4", "--appearance", "3", "--ease", "5", "--cost", "2"},
        {"rate", "1", "--taste", "6", "--appearance", "3", "--ease", "5", "--cost", "2"},
        {"rate", "1", "--taste", "2.5", "--appearance", "3", "--ease", "5", "--cost", "2"},
        {"rate", "1", "--taste", "-1", "--appearance", "3", "--ease", "5", "--cost", "2"},
        Rate({"--made", "maybe"}),
        Rate({"--active", "ten"}),
        Rate({"--comment"}),
        Rate({"--colour", "red"}),
        Rate({"2"}),
    };
    for (const auto& arguments : wrong) {
        const CliRun run = Cli(arguments);
        std::string line;
        for (const std::string& a : arguments) line += a + " ";
        EXPECT_EQ(run.code, 2) << line << "\n" << run.err;
    }
    EXPECT_EQ(Stored("TasteRating"), "0");
    const CliRun missing =
        Cli({"rate", "9", "--taste", "1", "--appearance", "1", "--ease", "1", "--cost", "1"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("No recipe number 9"), std::string::npos) << missing.err;
}

TEST_F(RateCliTest, ARecipeOfTheServiceSendsItsRatingAndALocalOneDoesNot) {
    LoopbackHttpServer service;
    ASSERT_TRUE(service.Listening());
    const std::string comment = "It's great & #1 \xc3\xa9t\xc3\xa9";

    // A recipe of the box alone: stored, nothing sent.
    CliRun run = Cli(Rate(
        {"--comment", comment, "--made", "yes", "--active", "95", "--service", service.Base()}));
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(service.Requests().empty());
    EXPECT_EQ(Stored("TasteRating || '/' || AppearanceRating || '/' || EffortRating || '/' || "
                     "AffordableRating || '/' || ActiveMinutes || '/' || TotalMinutes"),
              "4.0/3.0/5.0/2.0/95/0");
    EXPECT_EQ(Stored("Notes"), comment);

    // From the service: sent, the values decoded there as typed here.
    ASSERT_EQ(Cli({"sql", "UPDATE Recipes SET UniqueID = 42 WHERE RecipeID = 1"}).code, 0);
    run = Cli(Rate({"--made", "no", "--total", "120", "--service", service.Base()}));
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "Sent to Pantrio Recipe Exchange.\n");
    ASSERT_EQ(service.Requests().size(), 1u);
    const LoopbackHttpServer::Request sent = service.Requests()[0];
    EXPECT_EQ(sent.path, "/private/submitcomments.aspx");
    const std::map<std::string, std::string> expected = {
        {"txtNotes", comment},     {"radioMake", "NO"}, {"tasteRating", "4"},
        {"appearanceRating", "3"}, {"easeRating", "5"}, {"affordabilityRating", "2"},
        {"uniqueID", "42"},        {"am", "95"},        {"tm", "120"}};
    EXPECT_EQ(sent.query, expected);

    // Not shared when asked, and without --made the recipe was not tried.
    run = Cli(Rate({"--no-share", "--service", service.Base()}));
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(service.Requests().size(), 1u);
    run = Cli(Rate({"--service", service.Base()}));
    ASSERT_EQ(service.Requests().size(), 2u);
    EXPECT_EQ(service.Requests()[1].query.at("radioMake"), "DIDNOTMAKE");
    EXPECT_EQ(service.Requests()[1].query.at("txtNotes"), comment) << "the notes stay";
}

TEST_F(RateCliTest, ARatingReachesTheRecipeServiceAndShowsOnItsPage) {
    ServiceProcess service;
    ASSERT_TRUE(service.Started()) << service.Log();
    const ServiceClient client{20};
    const ServiceResponse posted = client.PostForm(service.Url("/private/postrecipe.aspx"),
                                                   PostFields(TitledRecipe("Lasagne")));
    const long number = AssignedNumber(posted.body);
    ASSERT_GT(number, 0) << posted.body;
    ASSERT_EQ(Cli({"sql", "UPDATE Recipes SET UniqueID = " + std::to_string(number)}).code, 0);

    const CliRun run = Cli(Rate({"--comment", "It's great & #1", "--made", "yes", "--active", "15",
                                 "--service", service.Base()}));
    ASSERT_EQ(run.code, 0) << run.err << service.Log();
    EXPECT_EQ(run.out, "Sent to Pantrio Recipe Exchange.\n");
    const std::string page =
        client.Get(service.Url(Format("/private/sec/displayrecipe.aspx?id=%ld", number))).body;
    for (const char* shown :
         {"4.0 of 5", "3.0 of 5", "5.0 of 5", "2.0 of 5", "1 rating; 1 would make it again",
          "It&#39;s great &amp; #1", "Active time 15 min."})
        EXPECT_NE(page.find(shown), std::string::npos) << shown << "\n" << page;

    // A number the service does not know, and an address where nobody
    // listens: told, and the rating stays in the box.
    ASSERT_EQ(Cli({"sql", "UPDATE Recipes SET UniqueID = 999"}).code, 0);
    for (const std::string& base : {service.Base(), std::string("http://127.0.0.1:1")}) {
        const CliRun failed = Cli(Rate({"--taste", "1", "--service", base}));
        EXPECT_EQ(failed.code, 1);
        EXPECT_NE(failed.err.find("The rating is stored in the recipe box."), std::string::npos)
            << failed.err;
        EXPECT_EQ(Stored("TasteRating"), "1");
    }
    EXPECT_NE(Cli(Rate({"--service", service.Base()})).err.find("answered 404"), std::string::npos);
}

}  // namespace
}  // namespace pantrio::test
