// The text rules of a mail: encoders, addresses, parts and the header block.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "mail/MailAddress.h"
#include "mail/MailEncoding.h"
#include "mail/MailMessage.h"

namespace pantrio {
namespace {

struct Encoded {
    const char* name;
    std::string in;
    std::string out;
};

class QuotedPrintableTest : public ::testing::TestWithParam<Encoded> {};

TEST_P(QuotedPrintableTest, Encodes) {
    const std::string encoded = EncodeQuotedPrintable(GetParam().in);
    EXPECT_EQ(encoded, GetParam().out);
    std::size_t start = 0;
    for (std::size_t end; (end = encoded.find("\r\n", start)) != std::string::npos; start = end + 2)
        EXPECT_LE(end - start, 76u) << "line at " << start;
}

const std::string kLetters100(100, 'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, QuotedPrintableTest,
    ::testing::Values(Encoded{"Plain", "Salt, pepper & thyme.", "Salt, pepper & thyme."},
                      Encoded{"EqualsAndUtf8", "1 = 2 Crème", "1 =3D 2 Cr=C3=A8me"},
                      Encoded{"HardBreaksKept", "a\r\n.b", "a\r\n.b"},
                      Encoded{"BlankBeforeLineEnd", "a \r\nb\t", "a=20\r\nb=09"},
                      Encoded{"LoneLineEndsEscaped", "a\rb\nc", "a=0Db=0Ac"},
                      Encoded{"LongWordCutAt75", kLetters100,
                              std::string(75, 'x') + "=\r\n" + std::string(25, 'x')},
                      Encoded{"CutAfterBlank", std::string(70, 'a') + " " + std::string(10, 'b'),
                              std::string(70, 'a') + " =\r\n" + std::string(10, 'b')},
                      Encoded{"EscapeNeverSplit", std::string(74, 'a') + "\xC3\xA8",
                              std::string(74, 'a') + "=\r\n=C3=A8"},
                      Encoded{"FullLastLine", std::string(76, 'a'), std::string(76, 'a')}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MailEncodingTest, DotStuffDoublesDotsThatStartALine) {
    EXPECT_EQ(DotStuff("a\r\n.b\r\n..c"), "a\r\n..b\r\n...c");
    EXPECT_EQ(DotStuff(".x"), ".x");
    EXPECT_EQ(DotStuff(".x", true), "..x");
    EXPECT_EQ(DotStuff("a.b\r\n"), "a.b\r\n");
}

TEST(MailEncodingTest, Base64FollowsRfc4648AndCutsLinesOf76) {
    const std::pair<std::string, std::string> vectors[] = {
        {"", ""},        {"f", "Zg=="},          {"fo", "Zm8="},
        {"foo", "Zm9v"}, {"foobar", "Zm9vYmFy"}, {std::string("\0\xFF", 2), "AP8="}};
    for (const auto& [plain, encoded] : vectors) {
        EXPECT_EQ(Base64Encode(plain), encoded);
        bool ok = false;
        EXPECT_EQ(Base64Decode(encoded, &ok), plain);
        EXPECT_TRUE(ok);
    }
    bool ok = true;
    EXPECT_EQ(Base64Decode("Zm9v!", &ok), "");
    EXPECT_FALSE(ok);
    EXPECT_EQ(Base64Lines(""), "");
    EXPECT_EQ(Base64Lines(std::string(57, 'a')), Base64Encode(std::string(57, 'a')) + "\r\n");
    const std::string twoLines = Base64Lines(std::string(58, 'a'));
    EXPECT_EQ(twoLines.find("\r\n"), 76u);
    EXPECT_EQ(twoLines.size(), 76u + 2 + 4 + 2);
}

TEST(MailEncodingTest, HeaderWordsEncodeOnlyNonAsciiText) {
    EXPECT_EQ(EncodeHeaderWord("Apple pie", "UTF-8"), "Apple pie");
    EXPECT_EQ(EncodeHeaderWord("Crème brûlée", "UTF-8"), "=?UTF-8?q?Cr=C3=A8me_br=C3=BBl=C3=A9e?=");
    EXPECT_EQ(EncodeHeaderWord("a?b=c_d", "UTF-8"), "a?b=c_d");
    EXPECT_EQ(EncodeHeaderWord("é?=_", "UTF-8"), "=?UTF-8?q?=C3=A9=3F=3D=5F?=");

    // A long text becomes several words of whole characters, each within 75.
    std::string longText;
    for (int i = 0; i < 40; ++i) longText += "é ";
    const std::string encoded = EncodeHeaderWord(longText, "UTF-8");
    std::size_t start = 0;
    int words = 0;
    for (;;) {
        const std::size_t end = encoded.find("\r\n ", start);
        const std::string word = encoded.substr(start, end - start);
        EXPECT_LE(word.size(), 75u);
        EXPECT_EQ(word.substr(word.size() - 2), "?=");
        EXPECT_EQ(word.find("=C3?="), std::string::npos) << "character split in " << word;
        ++words;
        if (end == std::string::npos) break;
        start = end + 3;
    }
    EXPECT_GT(words, 2);
}

TEST(MailEncodingTest, ZoneText) {
    const std::pair<long, const char*> zones[] = {
        {330, "+0530"}, {-210, "-0330"}, {0, "+0000"}, {-30, "-0030"}, {600, "+1000"}};
    for (const auto& [minutes, text] : zones) EXPECT_EQ(MailZoneText(minutes), text) << minutes;
}

TEST(MailAddressTest, ParsesAndSplitsWhatTheUserTyped) {
    const struct {
        const char* typed;
        const char* name;
        const char* address;
    } cases[] = {{"  ann@x.test ", "", "ann@x.test"},
                 {"Ann Smith <ann@x.test>", "Ann Smith", "ann@x.test"},
                 {"<ann@x.test>", "", "ann@x.test"},
                 {"Ann <>", "", "Ann <>"},
                 {"Ann > x <", "", "Ann > x <"}};
    for (const auto& c : cases) {
        const MailAddress parsed = ParseMailAddress(c.typed);
        EXPECT_EQ(parsed.name, c.name) << c.typed;
        EXPECT_EQ(parsed.address, c.address) << c.typed;
    }
    const auto split = SplitMailAddresses("a@x.test; Bo <b@y.test>, ;  ");
    ASSERT_EQ(split.size(), 2u);
    EXPECT_EQ(split[1].name, "Bo");
    EXPECT_EQ(split[1].address, "b@y.test");
    EXPECT_TRUE(SplitMailAddresses(" ; , ").empty());
}

TEST(MailAddressTest, RendersForAHeader) {
    EXPECT_EQ(RenderMailAddress({"", "a@x.test"}, "UTF-8"), "a@x.test");
    EXPECT_EQ(RenderMailAddress({"Ann", "a@x.test"}, "UTF-8"), "Ann <a@x.test>");
    EXPECT_EQ(RenderMailAddress({"Smith, \"Ann\"", "a@x.test"}, "UTF-8"),
              "\"Smith, \\\"Ann\\\"\" <a@x.test>");
    EXPECT_EQ(RenderMailAddress({"Zoë", "z@x.test"}, "UTF-8"), "=?UTF-8?q?Zo=C3=AB?= <z@x.test>");
}

TEST(MailBodyPartTest, TextLineEndsAndExclusiveIds) {
    MailBodyPart part;
    part.SetContentType("text/html");
    part.SetText("a\rb\nc\r\nd\n\re");
    EXPECT_EQ(part.Text(), "a\r\nb\r\nc\r\nd\r\n\r\ne");
    EXPECT_EQ(part.ContentType(), "text/plain");
    part.SetContentId("FTR");
    part.SetContentLocation("http://localhost");
    EXPECT_EQ(part.ContentId(), "");
    part.SetContentId("FTR");
    EXPECT_EQ(part.ContentLocation(), "");
    EXPECT_FALSE(part.SetAttachmentFile("/nonexistent/file.gif"));
    EXPECT_EQ(part.FilePath(), "");
}

TEST(MailBodyPartTest, ChildrenAreDeepCopiesWithTheirBoundaries) {
    MailBodyPart leaf;
    leaf.SetText("x");
    MailBodyPart parent;
    parent.SetContentType("multipart/alternative");
    parent.AddChild(leaf);
    EXPECT_NE(leaf.Boundary(), parent.Boundary());
    EXPECT_EQ(parent.Child(0).Boundary(), leaf.Boundary());
    EXPECT_EQ(parent.Child(0).Parent(), &parent);
    EXPECT_EQ(leaf.Parent(), nullptr);

    MailBodyPart copy = parent;
    EXPECT_EQ(copy.Boundary(), parent.Boundary());
    EXPECT_EQ(copy.Child(0).Parent(), &copy);
    EXPECT_THROW(copy.Child(1), std::out_of_range);
    EXPECT_EQ(copy.Child(0).PartHeader(),
              "\r\n--" + parent.Boundary() +
                  "\r\nContent-Type: text/plain; charset=UTF-8\r\n"
                  "Content-Transfer-Encoding: quoted-printable\r\n\r\n");
    EXPECT_EQ(copy.PartFooter(), "\r\n--" + parent.Boundary() + "--");
    EXPECT_EQ(copy.Boundary().size(), 36u);
}

class MailHeaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* zone = std::getenv("TZ");
        if (zone) oldZone_ = zone;
        hadZone_ = zone != nullptr;
        setenv("TZ", "UTC", 1);
        tzset();
    }
    void TearDown() override {
        if (hadZone_) {
            setenv("TZ", oldZone_.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

private:
    std::string oldZone_;
    bool hadZone_ = false;
};

TEST_F(MailHeaderTest, HeaderBlockInItsOrder) {
    MailMessage message;
    message.from = {"Ann", "ann@x.test"};
    message.AddRecipient({"", "b@x.test"}, MailMessage::RecipientKind::To);
    message.AddRecipient({"", "c@x.test"}, MailMessage::RecipientKind::To);
    message.AddRecipient({"", "d@x.test"}, MailMessage::RecipientKind::Cc);
    message.AddRecipient({"", "hidden@x.test"}, MailMessage::RecipientKind::Bcc);
    message.subject = "Soup\r\nBcc: injected@x.test";
    message.replyTo = {"", "r@x.test"};
    message.extraHeaders.push_back("X-Extra: 1");
    message.Root().SetText("hello");
    message.AddBodyPart(MailBodyPart());

    const std::string boundary = message.Root().Boundary();
    EXPECT_EQ(message.HeaderText(86400 * 3 + 3661),
              "From: Ann <ann@x.test>\r\nTo: b@x.test,c@x.test\r\nCc: d@x.test\r\n"
              "Subject: Soup  Bcc: injected@x.test\r\nX-Mailer: CSMTPConnection v2.32\r\n"
              "MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"" +
                  boundary +
                  "\"\r\nReply-To: r@x.test\r\nDate: Sun, 04 Jan 1970 01:01:01 +0000\r\n"
                  "X-Extra: 1\r\n");
    // Switching to multipart moved the text into a first part of its own.
    ASSERT_EQ(message.BodyPartCount(), 2u);
    EXPECT_EQ(message.BodyPart(0).Text(), "hello");
    EXPECT_EQ(message.Root().Text(), "This is a multi-part message in MIME format");
}

}  // namespace
}  // namespace pantrio
