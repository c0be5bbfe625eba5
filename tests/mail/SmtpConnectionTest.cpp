// The SMTP client against a real server on loopback: plain sending, the
// three logins, STARTTLS and TLS with trusted and untrusted certificates,
// refusals, a silent server and cancelling.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <thread>

#include "mail/MailServerFixture.h"
#include "mail/MailTransport.h"

namespace pantrio::test {
namespace {

using Clock = std::chrono::steady_clock;

class SmtpConnectionTest : public MailServerFixture {};

MailServerOptions Secured(MailSecurity security) {
    MailServerOptions options;
    options.tls = security == MailSecurity::Tls;
    options.startTls = security == MailSecurity::StartTls;
    return options;
}

TEST_F(SmtpConnectionTest, SendsTheMessageWithDotsAndEncodedHeadersIntact) {
    StartServer({});
    MailMessage message = TextMessage("a\n.b\n..c\n.\nCrème brûlée");
    message.subject = "Crème brûlée for two";
    message.to[0].name = "Smith, Bob";
    message.AddRecipient({"", "carl@pantrio.test"}, MailMessage::RecipientKind::Cc);
    message.AddRecipient({"", "dora@pantrio.test"}, MailMessage::RecipientKind::Bcc);

    CSMTPConnection connection;
    ASSERT_TRUE(connection.Connect("127.0.0.1", CSMTPConnection::kNoLogin, "", "", server_.Port()))
        << connection.FailureText();
    ASSERT_TRUE(connection.SendMessage(message)) << connection.FailureText();
    EXPECT_EQ(connection.LastReplyCode(), 250);
    EXPECT_TRUE(connection.Disconnect(true));

    EXPECT_EQ(Stored(1, ".envelope"),
              "from ann@pantrio.test\nto bob@pantrio.test\nto carl@pantrio.test\n"
              "to dora@pantrio.test\nlogin None\nencrypted False\n");
    const std::string tree = Tree(1);
    EXPECT_NE(tree.find("header Subject: Crème brûlée for two\n"), std::string::npos) << tree;
    EXPECT_NE(tree.find("header To: \"Smith, Bob\" <bob@pantrio.test>\n"), std::string::npos)
        << tree;
    EXPECT_NE(tree.find("header Cc: carl@pantrio.test\n"), std::string::npos) << tree;
    EXPECT_EQ(tree.find("dora"), std::string::npos) << "Bcc must not be a header";
    EXPECT_EQ(tree.find("defect"), std::string::npos) << tree;
    EXPECT_NE(tree.find("0 multipart/mixed\n1 text/plain charset=utf-8 body=part-1\n"),
              std::string::npos)
        << tree;
    // Python's reader gives the decoded lines with "\n" ends.
    EXPECT_EQ(Body(1), "a\n.b\n..c\n.\nCrème brûlée");
}

struct LoginCase {
    const char* name;
    int method;
    MailSecurity security;
    const char* password;
    bool accepted;
};

class SmtpLoginTest : public MailServerFixture, public ::testing::WithParamInterface<LoginCase> {};

TEST_P(SmtpLoginTest, LogsInOnlyWithTheRightPassword) {
    const LoginCase& c = GetParam();
    MailServerOptions options = Secured(c.security);
    options.user = "chef";
    options.password = "s3cret pass";
    StartServer(options);
    CSMTPConnection connection;
    connection.SetReplyTimeout(10000);
    connection.SetSecurity(c.security, TrustedCa());
    const bool connected =
        connection.Connect("127.0.0.1", c.method, "chef", c.password, server_.Port());
    ASSERT_EQ(connected, c.accepted) << connection.FailureText();
    if (!c.accepted) {
        EXPECT_NE(connection.FailureText().find("authentication was unsuccessful"),
                  std::string::npos)
            << connection.FailureText();
        EXPECT_NE(connection.FailureText().find("535"), std::string::npos);
        EXPECT_EQ(connection.FailureText().find(c.password), std::string::npos);
        EXPECT_FALSE(connection.IsConnected());
        return;
    }
    EXPECT_TRUE(connection.IsEncrypted());
    ASSERT_TRUE(connection.SendMessage(TextMessage("hello"))) << connection.FailureText();
    EXPECT_NE(Stored(1, ".envelope").find("login chef\nencrypted True\n"), std::string::npos)
        << Stored(1, ".envelope");
}

INSTANTIATE_TEST_SUITE_P(Methods, SmtpLoginTest,
                         ::testing::Values(LoginCase{"AuthLogin", CSMTPConnection::kAuthLogin,
                                                     MailSecurity::StartTls, "s3cret pass", true},
                                           LoginCase{"AuthLoginWrong", CSMTPConnection::kAuthLogin,
                                                     MailSecurity::StartTls, "wrong", false},
                                           LoginCase{"Plain", CSMTPConnection::kAuthPlain,
                                                     MailSecurity::Tls, "s3cret pass", true},
                                           LoginCase{"PlainWrong", CSMTPConnection::kAuthPlain,
                                                     MailSecurity::Tls, "wrong", false},
                                           LoginCase{"CramMd5", CSMTPConnection::kCramMd5,
                                                     MailSecurity::StartTls, "s3cret pass", true},
                                           LoginCase{"CramMd5Wrong", CSMTPConnection::kCramMd5,
                                                     MailSecurity::Tls, "wrong", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SmtpConnectionTest, LoginOverPlainConnectionOnlyWhenAllowed) {
    MailServerOptions options;
    options.allowPlainAuth = true;
    options.user = "chef";
    options.password = "pw";
    StartServer(options);
    CSMTPConnection refused;
    EXPECT_FALSE(
        refused.Connect("127.0.0.1", CSMTPConnection::kAuthLogin, "chef", "pw", server_.Port()));
    EXPECT_NE(refused.FailureText().find("unencrypted"), std::string::npos)
        << refused.FailureText();

    CSMTPConnection allowed;
    allowed.AllowLoginWithoutEncryption(true);
    EXPECT_TRUE(
        allowed.Connect("127.0.0.1", CSMTPConnection::kAuthLogin, "chef", "pw", server_.Port()))
        << allowed.FailureText();
}

struct TrustCase {
    const char* name;
    MailSecurity security;
    bool trusted;
};

class SmtpTrustTest : public MailServerFixture, public ::testing::WithParamInterface<TrustCase> {};

TEST_P(SmtpTrustTest, VerifiesTheServerCertificate) {
    const TrustCase& c = GetParam();
    StartServer(Secured(c.security));
    // An untrusted server presents a certificate made apart from the CA
    // file the client is given.
    std::string otherCa = TrustedCa();
    if (!c.trusted) {
        const std::string other = folder_.PathOf("other");
        std::filesystem::create_directories(other);
        std::string error;
        ASSERT_TRUE(MakeSelfSignedCertificate(other, error)) << error;
        otherCa = other + "/cert.pem";
    }
    CSMTPConnection connection;
    connection.SetSecurity(c.security, otherCa);
    const bool connected =
        connection.Connect("127.0.0.1", CSMTPConnection::kNoLogin, "", "", server_.Port());
    ASSERT_EQ(connected, c.trusted) << connection.FailureText();
    if (c.trusted) {
        EXPECT_TRUE(connection.IsEncrypted());
        ASSERT_TRUE(connection.SendMessage(TextMessage("hello"))) << connection.FailureText();
        EXPECT_NE(Stored(1, ".envelope").find("encrypted True"), std::string::npos);
    } else {
        EXPECT_NE(connection.FailureText().find("not trusted"), std::string::npos)
            << connection.FailureText();
        EXPECT_FALSE(HasStored(1));
    }
}

INSTANTIATE_TEST_SUITE_P(Security, SmtpTrustTest,
                         ::testing::Values(TrustCase{"StartTls", MailSecurity::StartTls, true},
                                           TrustCase{"StartTlsUntrusted", MailSecurity::StartTls,
                                                     false},
                                           TrustCase{"Tls", MailSecurity::Tls, true},
                                           TrustCase{"TlsUntrusted", MailSecurity::Tls, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SmtpConnectionTest, RefusedRecipientFailsTheMessage) {
    MailServerOptions options;
    options.refuseRecipients = {"nobody@pantrio.test"};
    StartServer(options);
    MailMessage message = TextMessage("hello");
    message.AddRecipient({"", "nobody@pantrio.test"}, MailMessage::RecipientKind::To);
    SmtpSettings settings;
    settings.server = "127.0.0.1";
    settings.port = server_.Port();
    const MailSendResult result = SmtpTransport().Send(settings, message, nullptr);
    EXPECT_FALSE(result.sent);
    EXPECT_TRUE(result.connected);
    EXPECT_EQ(result.error, kMailErrorBadCommand);
    EXPECT_EQ(result.response, "550 5.1.1 Mailbox unavailable");
    EXPECT_NE(result.failure.find("unexpected RCPT response"), std::string::npos) << result.failure;
    EXPECT_FALSE(HasStored(1));
}

TEST_F(SmtpConnectionTest, UnreadableAttachmentStopsBeforeTheServerHearsOfIt) {
    StartServer({});
    const std::string file = folder_.PathOf("picture.jpg");
    { std::ofstream(file) << "jpeg"; }
    MailMessage message = TextMessage("hello");
    MailBodyPart picture;
    ASSERT_TRUE(picture.SetAttachmentFile(file));
    message.AddBodyPart(picture);
    std::filesystem::remove(file);

    CSMTPConnection connection;
    ASSERT_TRUE(connection.Connect("127.0.0.1", 0, "", "", server_.Port()));
    EXPECT_FALSE(connection.SendMessage(message));
    EXPECT_NE(connection.FailureText().find("picture.jpg"), std::string::npos);
    // The connection is still good for the next message.
    EXPECT_TRUE(connection.SendMessage(TextMessage("second"))) << connection.FailureText();
    EXPECT_TRUE(HasStored(1));
    EXPECT_FALSE(HasStored(2));
}

// A server that accepts connections (the kernel does, from its backlog) but
// never says a word.
class SilentServer {
public:
    SilentServer() {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        bind(fd_, reinterpret_cast<sockaddr*>(&address), size);
        listen(fd_, 4);
        getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
    }
    ~SilentServer() { close(fd_); }
    int Port() const { return port_; }

private:
    int fd_ = -1;
    int port_ = 0;
};

TEST(SmtpSilentServerTest, GivesUpAfterTheReplyTimeout) {
    SilentServer server;
    CSMTPConnection connection;
    connection.SetReplyTimeout(600);
    const auto start = Clock::now();
    EXPECT_FALSE(connection.Connect("127.0.0.1", 0, "", "", server.Port()));
    const auto took = Clock::now() - start;
    EXPECT_EQ(connection.LastError(), kMailErrorTimedOut);
    EXPECT_NE(connection.FailureText().find("Timed Out"), std::string::npos);
    EXPECT_GE(took, std::chrono::milliseconds(600));
    EXPECT_LT(took, std::chrono::seconds(3)) << "no second wait for a QUIT reply";
    EXPECT_FALSE(connection.IsConnected());
}

TEST(SmtpSilentServerTest, CancelEndsTheWaitPromptly) {
    SilentServer server;
    std::atomic<bool> cancel{false};
    CSMTPConnection connection;
    connection.SetCancelFlag(&cancel);
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        cancel = true;
    });
    const auto start = Clock::now();
    EXPECT_FALSE(connection.Connect("127.0.0.1", 0, "", "", server.Port()));
    canceller.join();
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(connection.LastError(), ECANCELED);
}

TEST(SmtpUnreachableTest, NamesTheServerAndTheError) {
    int port = 0;
    {
        // A port that was just free, and is closed again.
        SilentServer closed;
        port = closed.Port();
    }
    CSMTPConnection connection;
    EXPECT_FALSE(connection.Connect("127.0.0.1", 0, "", "", port));
    EXPECT_EQ(connection.LastError(), ECONNREFUSED);
    EXPECT_NE(connection.FailureText().find("Could not connect to the SMTP server 127.0.0.1"),
              std::string::npos);

    CSMTPConnection unknown;
    EXPECT_FALSE(unknown.Connect("no-such-host.invalid", 0, "", ""));
    EXPECT_EQ(unknown.LastError(), kMailErrorInvalidArgument);
}

}  // namespace
}  // namespace pantrio::test
