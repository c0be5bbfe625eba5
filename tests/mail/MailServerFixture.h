// A temporary folder, a running mail server and the messages it stored, for
// the tests that send through a real server.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "mail/CSMTPConnection.h"
#include "mail/MailMessage.h"
#include "mail/MailServer.h"
#include "support/TestDatabases.h"

namespace pantrio::test {

class MailServerFixture : public ::testing::Test {
protected:
    void SetUp() override {
        if (const std::string reason = MailServer::SkipReason(); !reason.empty())
            GTEST_SKIP() << reason;
        ASSERT_TRUE(folder_.Ok()) << folder_.Error();
        store_ = folder_.PathOf("store");
        certs_ = folder_.PathOf("certs");
        std::filesystem::create_directories(store_);
        std::filesystem::create_directories(certs_);
    }

    // Starts the server; a server that speaks TLS gets a fresh certificate,
    // which `TrustedCa()` names.
    void StartServer(const MailServerOptions& options) {
        if (options.tls || options.startTls) {
            std::string error;
            ASSERT_TRUE(MakeSelfSignedCertificate(certs_, error)) << error;
        }
        std::string error;
        ASSERT_TRUE(server_.Start(options, store_, certs_, error)) << error;
    }
    std::string TrustedCa() const { return certs_ + "/cert.pem"; }

    // A message from ann to bob with one text part.
    static MailMessage TextMessage(const std::string& text) {
        MailMessage message;
        message.from = {"Ann", "ann@pantrio.test"};
        message.AddRecipient({"", "bob@pantrio.test"}, MailMessage::RecipientKind::To);
        message.subject = "Test";
        MailBodyPart part;
        part.SetText(text);
        message.AddBodyPart(part);
        return message;
    }

    std::string Stored(int number, const char* extension) const {
        return ReadWholeFile(store_ + "/message-" + std::to_string(number) + extension);
    }
    bool HasStored(int number) const {
        return std::filesystem::exists(store_ + "/message-" + std::to_string(number) + ".eml");
    }
    // The MIME tree of a stored message; decoded bodies land in Body(n).
    std::string Tree(int number) {
        const std::string out = folder_.PathOf("parts");
        std::filesystem::create_directories(out);
        std::string error;
        std::string tree =
            MimeTree(store_ + "/message-" + std::to_string(number) + ".eml", out, error);
        EXPECT_EQ(error, "");
        return tree;
    }
    std::string Body(int part) const {
        return ReadWholeFile(folder_.PathOf("parts") + "/part-" + std::to_string(part));
    }

    TempDataRoot folder_{false};
    MailServer server_;
    std::string store_;
    std::string certs_;
};

}  // namespace pantrio::test
