// Mailing the current recipe from the main window's logic to a real SMTP
// server on loopback: what arrives, what the user is told, and the mail
// settings that "Email Options" edits.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/CommandsFixture.h"
#include "core/MainCommands.h"
#include "formats/ImportProgress.h"
#include "formats/ImporterTable.h"
#include "mail/MailServer.h"

namespace pantrio::test {
namespace {

namespace fs = std::filesystem;

class MailCommands : public CommandsFixture {
protected:
    void SetUp() override {
        CommandsFixture::SetUp();
        if (const std::string reason = MailServer::SkipReason(); !reason.empty())
            GTEST_SKIP() << reason;
        store_ = temp.PathOf("mailstore");
        fs::create_directories(store_);
        // The attachment's folder goes under a temporary folder of the test's
        // own, so that what stays behind can be seen.
        tmp_ = temp.PathOf("tmp");
        fs::create_directories(tmp_);
        const char* old = std::getenv("TMPDIR");
        oldTmp_ = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
        setenv("TMPDIR", tmp_.c_str(), 1);
    }
    void TearDown() override {
        if (oldTmp_)
            setenv("TMPDIR", oldTmp_->c_str(), 1);
        else
            unsetenv("TMPDIR");
    }

    // The server and a started window whose settings point at it; recipe 1
    // "Onion Soup" with a line, a picture and taste rating 4 is current.
    // `port`, when given, replaces the server's in the settings.
    MainDialog& StartWithServer(const MailServerOptions& options, int port = 0) {
        std::string error;
        EXPECT_TRUE(server_.Start(options, store_, "", error)) << error;
        AddRecipes(StandardBox(), {"Onion Soup"});
        EXPECT_TRUE(TempDataRoot::Exec(
            StandardBox(),
            "UPDATE Recipes SET TasteRating = 4, PictureFile1 = ' soup.jpg ' WHERE RecipeID = 1"));
        EXPECT_TRUE(TempDataRoot::Exec(
            StandardBox(),
            "INSERT INTO IngredientLines (RecipeID, LineOrder, TextQty, Measure, "
            "Name) VALUES (1, 0, '2', 'cups', 'onions')"));
        fs::create_directories(dataRoot + "/Rbox/Pictures");
        std::ofstream(dataRoot + "/Rbox/Pictures/soup.jpg", std::ios::binary) << "\xFF\xD8jpeg";
        MainDialog& d = Start();
        EmailOptionsValues values = d.Mail().EmailOptions();
        values.server = "127.0.0.1";
        values.emailAddress = "Ann <ann@pantrio.test>";
        values.port = port != 0 ? port : server_.Port();
        EXPECT_TRUE(d.Mail().ApplyEmailOptions(values));
        d.Recipes().SelectRecipe(1);
        EXPECT_TRUE(d.Recipes().HasCurrent());
        return d;
    }

    static EmailRecipeValues Answer(const std::string& to) {
        return {to, "", "Pantrio Recipe: Onion Soup", "Try this"};
    }

    // Mail folders left in the temporary folder (the View tab's page may
    // be there too).
    int MailFoldersLeft() const {
        int left = 0;
        for (const auto& entry : fs::directory_iterator(tmp_))
            left += entry.path().filename().string().rfind("pantrio-mail-", 0) == 0;
        return left;
    }

    std::string Tree(int number) {
        const std::string out = temp.PathOf("parts");
        fs::create_directories(out);
        std::string error;
        std::string tree =
            MimeTree(store_ + "/message-" + std::to_string(number) + ".eml", out, error);
        EXPECT_EQ(error, "");
        return tree;
    }

    MailServer server_;
    std::string store_, tmp_;
    std::optional<std::string> oldTmp_;
};

TEST_F(MailCommands, ARatedRecipeWithAPictureArrivesAndItsAttachmentImportsAsTheSameRecipe) {
    MainDialog& d = StartWithServer({});
    const Recipe sent = d.Recipes().Current();
    view.emailAnswer = Answer("bob@pantrio.test; carl@pantrio.test");
    ASSERT_TRUE(d.RunCommand(command::kSend));

    EXPECT_EQ(prompter.Messages(), std::vector<std::string>{});
    EXPECT_EQ(view.statusTexts.back(), "The recipe was sent.");
    ASSERT_EQ(view.emailOpenedWith.size(), 1u);
    EXPECT_EQ(view.emailOpenedWith[0].subject, "Pantrio Recipe: Onion Soup");
    // The To line is remembered whole, once, and offered the next time.
    ASSERT_TRUE(d.RunCommand(command::kSendContext));
    EXPECT_EQ(view.rememberedOffered,
              std::vector<std::string>{"bob@pantrio.test; carl@pantrio.test"});
    // Nothing of the attachment stays in the temporary folder.
    EXPECT_EQ(MailFoldersLeft(), 0);

    const std::string tree = Tree(1);
    EXPECT_NE(tree.find("header To: bob@pantrio.test, carl@pantrio.test\n"), std::string::npos)
        << tree;
    EXPECT_NE(tree.find("image/jpeg id=<RecipeImage> file=soup.jpg"), std::string::npos) << tree;
    EXPECT_NE(tree.find("image/gif id=<RatingImg> file=star4.gif"), std::string::npos) << tree;
    const auto at = tree.find("file=Pantrio_Recipe.rxf body=");
    ASSERT_NE(at, std::string::npos) << tree;
    const std::string part = tree.substr(at + 29, tree.find('\n', at) - at - 29);
    const std::string rxf = temp.PathOf("arrived.rxf");
    fs::copy_file(temp.PathOf("parts") + "/" + part, rxf);

    // The receiver imports the attachment into a box of their own.
    const std::string other = dataRoot + "/Rbox/friend.crb";
    ASSERT_TRUE(temp.CreateDatabase(other, "recipebox.sql"));
    RecipeDB box;
    ASSERT_TRUE(box.Open(other));
    const ImporterTable table = ImporterTable::Standard();
    const ImporterRow* row = table.ForFile(rxf);
    ASSERT_NE(row, nullptr);
    RecordingProgress progress;
    const ImportSummary summary = row->import(rxf, box, progress, {});
    ASSERT_EQ(summary.stored, 1);
    box.Disconnect();
    ASSERT_EQ(d.Recipes().ShowRecipe(summary.newRecipeIDs[0], other, false), 0);
    const Recipe& arrived = d.Recipes().Current();
    EXPECT_EQ(arrived.Title, sent.Title);
    EXPECT_EQ(arrived.TasteRating, 4);
    EXPECT_EQ(arrived.Instructions, sent.Instructions);
    ASSERT_EQ(arrived.Lines.size(), 1u);
    EXPECT_EQ(arrived.Lines[0].Name, "onions");
    EXPECT_EQ(arrived.Lines[0].Measure, "cups");
}

struct FailureCase {
    const char* name;
    const char* to;
    int port;  // 0: the server's
    const char* message;
};

class MailFailures : public MailCommands, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(MailFailures, NameTheFailingStepAndTheServersAnswer) {
    MailServerOptions options;
    options.refuseRecipients = {"nobody@pantrio.test"};
    MainDialog& d = StartWithServer(options, GetParam().port);
    view.emailAnswer = Answer(GetParam().to);
    d.RunCommand(command::kSend);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].icon, MessageIcon::Error);
    EXPECT_EQ(prompter.shown[0].text.substr(0, std::string(GetParam().message).size()),
              GetParam().message)
        << prompter.shown[0].text;
    EXPECT_EQ(MailFoldersLeft(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Mail, MailFailures,
    ::testing::Values(FailureCase{"RefusedRecipient", "nobody@pantrio.test", 0,
                                  "Couldn't send message!\nResponse:550"},
                      FailureCase{"NoRecipient", " ; ,", 0, "Couldn't send message!\nResponse:5"},
                      FailureCase{"ClosedPort", "bob@pantrio.test", 1,
                                  "Couldn't connect to server: 127.0.0.1 , Error:111\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MailCommands, MissingSettingsOpenTheEmailSetupPage) {
    MainDialog& d = Start();
    AddRecipes(StandardBox(), {"Stew"});
    d.Recipes().SelectRecipe(1);
    std::string page;
    view.onOptions = [&](OptionsSheet& sheet) {
        page = sheet.startPage;
        return false;
    };
    d.RunCommand(command::kSend);
    EXPECT_TRUE(prompter.ShowedStartingWith("Email settings not yet initialized."));
    EXPECT_EQ(page, "Email Setup");
    EXPECT_TRUE(view.emailOpenedWith.empty());
}

TEST_F(MailCommands, ALoginWithoutEncryptionIsStoredOnlyAfterTheWarning) {
    MainDialog& d = Start();
    EmailOptionsValues values = d.Mail().EmailOptions();
    values.server = " smtp.pantrio.test ";
    values.emailAddress = "ann@pantrio.test";
    values.userName = "ann";
    values.password = "secret";
    values.authMode = 3;
    prompter.answers = {Answer::No};
    EXPECT_FALSE(d.Mail().ApplyEmailOptions(values));
    EXPECT_EQ(d.CurrentSettings().AuthMode, 0);
    EXPECT_EQ(d.CurrentSettings().SMTPMailServer, "");

    prompter.answers = {Answer::Yes};
    ASSERT_TRUE(d.Mail().ApplyEmailOptions(values));
    const SmtpSettings server = d.Mail().ServerSettings();
    EXPECT_EQ(server.server, "smtp.pantrio.test");
    EXPECT_TRUE(server.allowLoginWithoutEncryption);
    // Asked once: the same choice again needs no second warning.
    EXPECT_TRUE(d.Mail().ApplyEmailOptions(values));
    EXPECT_EQ(prompter.shown.size(), 2u);

    // The password is kept out of the settings file unless remembered.
    ASSERT_TRUE(d.SaveSettings());
    EXPECT_EQ(StoredSettings()->ReadText("UserInfo").value_or("?"), "");
    EXPECT_EQ(StoredSettings()->ReadNumber("AuthMode").value_or(-1), 3);
}

}  // namespace
}  // namespace pantrio::test
