// How a finished message leaves the program: one connection per message,
// opened, used and closed. Callers hold a MailTransport, so a test can stand
// in for the network; SmtpTransport is the real one.
#pragma once

#include <atomic>
#include <string>

#include "mail/CSMTPConnection.h"

namespace pantrio {

class MailMessage;

struct SmtpSettings {
    std::string server;
    int port = 25;
    MailSecurity security = MailSecurity::None;
    std::string caFile;  // empty: the system's trust store
    int loginMethod = CSMTPConnection::kNoLogin;
    std::string userName;
    std::string password;
    // Only after the user confirmed that the login may travel unencrypted.
    bool allowLoginWithoutEncryption = false;
    int replyTimeoutMs = 60000;
};

struct MailSendResult {
    bool sent = false;       // the server accepted the message
    bool connected = false;  // false: the failure was in reaching or greeting the server
    int error = 0;           // errno, or one of the values of MailStream.h
    std::string response;    // the server's reply to the failing step
    std::string failure;     // the failing step and the reply, for a log or the user
};

class MailTransport {
public:
    virtual ~MailTransport() = default;
    // Sends one message; `cancel`, when given, may be set from another thread.
    virtual MailSendResult Send(const SmtpSettings& settings, const MailMessage& message,
                                const std::atomic<bool>* cancel) = 0;
};

class SmtpTransport : public MailTransport {
public:
    MailSendResult Send(const SmtpSettings& settings, const MailMessage& message,
                        const std::atomic<bool>* cancel) override;
};

}  // namespace pantrio
