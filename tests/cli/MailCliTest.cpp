// pantrio-cli mail against a real SMTP server on loopback: the exit code
// says whether the server took the message, and a refusal names the step
// and the reply on standard error.
#include <filesystem>
#include <fstream>

#include "cli/CliFixture.h"
#include "mail/MailServer.h"

namespace pantrio::test {
namespace {

struct MailCliCase {
    const char* name;
    const char* to;
    int code;
    const char* out;  // standard output
    const char* err;  // found in standard error ("" for none)
    bool stored;      // whether the server stored a message
};

class MailCliTest : public CliTest, public ::testing::WithParamInterface<MailCliCase> {};

TEST_P(MailCliTest, ExitsZeroOnlyWhenTheServerTookTheMessage) {
    if (const std::string reason = MailServer::SkipReason(); !reason.empty())
        GTEST_SKIP() << reason;
    const std::string store = temp.PathOf("store");
    std::filesystem::create_directories(store);
    MailServer server;
    MailServerOptions options;
    options.refuseRecipients = {"nobody@pantrio.test"};
    std::string error;
    ASSERT_TRUE(server.Start(options, store, "", error)) << error;
    const std::string file = temp.PathOf("soup.mmf");
    std::ofstream(file) << "MMMMM----- Recipe via Meal-Master (tm) v8.05\n\n"
                           "      Title: Tomato Soup\n      Yield: 4 servings\n\n"
                           "      2 c  Milk\n\n  Warm the milk.\n\nMMMMM\n";
    ASSERT_EQ(Cli({"import", file}).code, 0);

    const CliRun run =
        Cli({"mail", "1", "--to", GetParam().to, "--from", "Ann <ann@pantrio.test>", "--server",
             "127.0.0.1", "--port", std::to_string(server.Port()), "--subject", "Soup"});
    EXPECT_EQ(run.code, GetParam().code) << run.err;
    EXPECT_EQ(run.out, GetParam().out);
    if (*GetParam().err == '\0')
        EXPECT_EQ(run.err, "");
    else
        EXPECT_NE(run.err.find(GetParam().err), std::string::npos) << run.err;
    EXPECT_EQ(std::filesystem::exists(store + "/message-1.eml"), GetParam().stored);
    if (GetParam().stored) {
        const std::string message = ReadWholeFile(store + "/message-1.eml");
        EXPECT_NE(message.find("Subject: Soup"), std::string::npos);
        EXPECT_NE(message.find("Pantrio_Recipe.rxf"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Mail, MailCliTest,
    ::testing::Values(MailCliCase{"Accepted", "bob@pantrio.test", 0,
                                  "Sent recipe 1 to bob@pantrio.test\n", "", true},
                      MailCliCase{"RefusedRecipient", "nobody@pantrio.test", 1, "",
                                  "Couldn't send message!\nResponse:550 5.1.1 Mailbox unavailable\n"
                                  "CSMTPConnection::SendRCPTForRecipient",
                                  false},
                      MailCliCase{"NoRecipient", " ", 2, "",
                                  "needs at least one recipe number and --to", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pantrio::test
