// A real SMTP server on 127.0.0.1 for the mail tests (tests/mail/smtp_server.py
// on Debian's aiosmtpd), the certificates it presents, and the MIME tree of
// what it stored as Python's email package reads it.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace pantrio::test {

struct MailServerOptions {
    bool tls = false;       // TLS from the first byte
    bool startTls = false;  // offers STARTTLS
    bool allowPlainAuth = false;
    std::string user;  // with a user, AUTH LOGIN, PLAIN and CRAM-MD5 check these
    std::string password;
    std::vector<std::string> refuseRecipients;
};

class MailServer {
public:
    // Empty when python3 with aiosmtpd is there, else why the tests skip.
    static std::string SkipReason();

    MailServer() = default;
    ~MailServer();
    MailServer(const MailServer&) = delete;
    MailServer& operator=(const MailServer&) = delete;

    // Starts the server storing into `storeDir`, presenting `certDir`'s
    // cert.pem and key.pem when it speaks TLS. False with `error` set when
    // it did not come up.
    bool Start(const MailServerOptions& options, const std::string& storeDir,
               const std::string& certDir, std::string& error);
    int Port() const { return port_; }

private:
    pid_t pid_ = -1;
    int port_ = 0;
};

// The Python that has aiosmtpd: Debian's, unless PANTRIO_TEST_PYTHON names one.
std::string TestPython();

// A self-signed certificate for "localhost" and 127.0.0.1, as cert.pem and
// key.pem in `dir`, made with the openssl command. False with `error` set.
bool MakeSelfSignedCertificate(const std::string& dir, std::string& error);

// Runs a program, waiting for it; its standard output, or empty with
// `error` set when it failed.
std::string RunProgram(const std::vector<std::string>& arguments, std::string& error);

// The MIME tree of a stored message (see tests/mail/mime_tree.py); decoded
// leaf bodies are written into `outDir`.
std::string MimeTree(const std::string& messageFile, const std::string& outDir, std::string& error);

std::string ReadWholeFile(const std::string& path);

}  // namespace pantrio::test
