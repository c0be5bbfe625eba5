// A recipe mail as a mail reader sees it after a real server took it: the
// tree of parts, the images by content id and the attachment's text.
#include <filesystem>
#include <fstream>

#include "mail/MailServerFixture.h"
#include "mail/MailTransport.h"
#include "mail/RecipeMail.h"

namespace pantrio::test {
namespace {

struct RecipeMailCase {
    const char* name;
    bool picture;
    bool rating;
    const char* related;  // the tree lines below the related part
};

class RecipeMailTest : public MailServerFixture,
                       public ::testing::WithParamInterface<RecipeMailCase> {
protected:
    std::string WriteFile(const std::string& name, const std::string& bytes) {
        const std::string path = folder_.PathOf(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    RecipeMailContent Content() {
        RecipeMailContent content;
        content.personalNote = "Try this <b>tonight</b>";
        content.recipeText = "Onion Soup\n\n.5 cup butter\n";
        content.mailPage = "<P>Onion Soup</P><IMG SRC='cid:RecipeImage'>";
        content.siteAddress = "http://recipes.pantrio.test";
        content.logoFile = WriteFile("recipefrompantrio.gif", std::string("GIF89a\0\x01", 8));
        if (GetParam().picture)
            content.pictureFile = "  " + WriteFile("soup.jpg", "\xFF\xD8jpeg") + " ";
        if (GetParam().rating) content.ratingFile = WriteFile("star4.gif", "GIF89a4");
        content.exchangeDocument = "<?xml version=\"1.0\"?>\n<Recipe>\n.Crème\n</Recipe>\n";
        content.attachmentFolder = folder_.PathOf("temp");
        std::filesystem::create_directories(content.attachmentFolder);
        return content;
    }
};

TEST_P(RecipeMailTest, ArrivesAsHtmlWithImagesTextAndAttachment) {
    StartServer({});
    const RecipeMailContent content = Content();
    MailMessage message;
    message.from = ParseMailAddress("Ann <ann@pantrio.test>");
    for (const auto& to : SplitMailAddresses("bob@pantrio.test; carl@pantrio.test"))
        message.AddRecipient(to, MailMessage::RecipientKind::To);
    message.subject = std::string(kRecipeMailSubjectPrefix) + " Onion Soup";
    const RecipeMailResult built = BuildRecipeMail(content, message);
    ASSERT_TRUE(built.ok) << built.error;
    EXPECT_EQ(built.attachmentPath, content.attachmentFolder + "/Pantrio_Recipe.rxf");

    SmtpSettings settings;
    settings.server = "127.0.0.1";
    settings.port = server_.Port();
    SmtpTransport transport;
    const MailSendResult result = transport.Send(settings, message, nullptr);
    ASSERT_TRUE(result.sent) << result.failure;

    const std::string tree = Tree(1);
    const int attachment = GetParam().picture + GetParam().rating + 4;
    EXPECT_EQ(tree.substr(tree.find("\n0 ") + 1),
              std::string("0 multipart/mixed\n"
                          "1 multipart/related location=http://localhost\n"
                          "2 multipart/alternative\n"
                          "3 text/html charset=utf-8 body=part-1\n"
                          "3 text/plain charset=utf-8 body=part-2\n"
                          "2 image/gif id=<FTR> file=recipefrompantrio.gif body=part-3\n") +
                  GetParam().related +
                  "1 application/octet-stream file=Pantrio_Recipe.rxf body=part-" +
                  std::to_string(attachment) + "\n");
    EXPECT_NE(tree.find("header Subject: Pantrio Recipe: Onion Soup\n"), std::string::npos);
    EXPECT_NE(tree.find("header To: bob@pantrio.test, carl@pantrio.test\n"), std::string::npos)
        << tree;

    EXPECT_EQ(Body(attachment), content.exchangeDocument);
    EXPECT_EQ(Body(3), std::string("GIF89a\0\x01", 8));
    if (GetParam().picture) {
        EXPECT_EQ(Body(4), "\xFF\xD8jpeg");
    }
    const std::string html = Body(1);
    EXPECT_EQ(html.find("Try this &lt;b&gt;tonight&lt;/b&gt;<BR><BR><FONT SIZE=-1><P>Onion Soup"),
              0u)
        << html;
    EXPECT_NE(html.find("<IMG SRC='cid:FTR' ALT='Pantrio' BORDER=0>"), std::string::npos);
    EXPECT_NE(html.find("http://recipes.pantrio.test/index.htm?refer=htmleml"), std::string::npos);
    const std::string text = Body(2);
    EXPECT_EQ(text.find("Try this <b>tonight</b>\nOnion Soup\n\n.5 cup butter\n"), 0u) << text;
    EXPECT_NE(text.find("http://recipes.pantrio.test/index.htm?refer=txteml"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Images, RecipeMailTest,
    ::testing::Values(RecipeMailCase{"PictureAndRating", true, true,
                                     "2 image/jpeg id=<RecipeImage> file=soup.jpg body=part-4\n"
                                     "2 image/gif id=<RatingImg> file=star4.gif body=part-5\n"},
                      RecipeMailCase{"LogoOnly", false, false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecipeMailBuildTest, UnwritableAttachmentFolderLeavesTheMessageAlone) {
    RecipeMailContent content;
    content.attachmentFolder = "/nonexistent/folder";
    MailMessage message;
    const RecipeMailResult built = BuildRecipeMail(content, message);
    EXPECT_FALSE(built.ok);
    EXPECT_EQ(built.error, "Could not create temporary file in /nonexistent/folder");
    EXPECT_EQ(message.BodyPartCount(), 0u);
    EXPECT_FALSE(message.Mime());
}

}  // namespace
}  // namespace pantrio::test
