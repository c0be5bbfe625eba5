// The program's SMTP client (RFC 5321): one connection to a mail server,
// greeted with HELO, or with EHLO and a login, over which one MailMessage is
// sent. Calls block the calling thread; every wait is bounded by the reply
// timeout, and a cancel flag set from another thread ends a send within a
// quarter of a second.
//
// Failures return false. The caller then reads FailureText() (the failing
// step and the server's reply), LastError() (errno values, or the fixed
// values of MailStream.h) and LastResponse(). Passwords never appear in
// any of them.
#pragma once

#include <atomic>
#include <string>
#include <string_view>

#include "mail/MailStream.h"

namespace pantrio {

class MailBodyPart;
class MailMessage;

// How the connection is protected: not at all, by STARTTLS after the
// greeting (RFC 3207), or by TLS from the first byte (RFC 8314).
enum class MailSecurity { None, StartTls, Tls };

class CSMTPConnection {
public:
    // The login methods, numbered as the settings store them.
    enum LoginMethod { kNoLogin = 0, kCramMd5 = 1, kAuthLogin = 2, kAuthPlain = 3 };

    CSMTPConnection();
    // Disconnects with QUIT when still connected.
    virtual ~CSMTPConnection();
    CSMTPConnection(const CSMTPConnection&) = delete;
    CSMTPConnection& operator=(const CSMTPConnection&) = delete;

    // Settings for the next Connect. Without a CA file the system's trust
    // store verifies the server's certificate.
    void SetSecurity(MailSecurity security, std::string caFile = {});
    // A login is refused over an unencrypted connection unless allowed here.
    void AllowLoginWithoutEncryption(bool allow) { allowPlainLogin_ = allow; }
    void SetReplyTimeout(int milliseconds);
    int ReplyTimeout() const { return replyTimeoutMs_; }
    // "auto" (the default) sends the local host name.
    void SetGreetingName(std::string name) { greetingName_ = std::move(name); }
    const std::string& GreetingName() const { return greetingName_; }
    // The flag outlives the connection; setting it ends the current call.
    void SetCancelFlag(const std::atomic<bool>* cancel);

    bool Connect(const std::string& server, int loginMethod, const std::string& userName,
                 const std::string& password, int port = 25, const std::string& localAddress = {});
    bool SendMessage(const MailMessage& message);
    bool Disconnect(bool sendQuit);

    bool IsConnected() const { return connected_; }
    bool IsEncrypted() const { return stream_.Encrypted(); }
    const std::string& LastResponse() const { return lastResponse_; }
    int LastReplyCode() const { return lastReplyCode_; }
    int LastError() const { return lastError_; }
    // The first failure of the last Connect or SendMessage: the step's
    // diagnostic and, when the server had answered, its reply.
    std::string FailureText() const;

protected:
    // Receives every diagnostic text; the default keeps nothing more.
    virtual void OnError(const std::string& diagnostic);

private:
    bool ConnectSMTP();
    bool ConnectESMTP(int loginMethod, const std::string& userName, const std::string& password);
    bool SendEhlo();
    bool StartTlsCommand();
    bool Login(int loginMethod, const std::string& userName, const std::string& password);
    bool AuthLogin(const std::string& userName, const std::string& password);
    bool AuthPlain(const std::string& userName, const std::string& password);
    bool CramLogin(const std::string& userName, const std::string& password);
    bool SendRCPTForRecipient(const std::string& address);
    bool SendBodyPart(const MailBodyPart& part, bool root);
    bool ReadResponse(int expectedCode);

    bool SendCommand(std::string_view command);
    // Message content between DATA and the end marker, dot-stuffed across
    // pieces (RFC 5321 section 4.5.2). `failure` is the diagnostic, "%d"
    // standing for the error value.
    bool SendData(std::string_view text, const std::string& failure);
    // Sends a command and reads its reply. A refusal of the commands that
    // carry the message sets the error value 22 (bad command).
    bool Exchange(std::string_view command, int expectedCode, const std::string& sendDiagnostic,
                  const std::string& replyDiagnostic, bool refusalIsBadCommand = true);
    // Records a diagnostic; the first one of an operation is its failure.
    bool Error(const std::string& diagnostic);
    void BeginOperation();
    // Records the failure of a message (an empty text when the failing step
    // recorded its own); closes the connection when the
    // server cannot take another command.
    bool FailMessage(const std::string& diagnostic);
    // Ends a failed operation: QUIT when the server can still take one,
    // otherwise just closing, keeping the failure's reply and error value.
    void Abandon();

    MailStream stream_;
    bool connected_ = false;
    bool inData_ = false;
    bool atLineStart_ = true;
    bool streamBroken_ = false;
    std::string pending_;
    std::string lastResponse_;
    int lastReplyCode_ = 0;
    int lastError_ = 0;
    int replyTimeoutMs_ = 60000;
    std::string greetingName_ = "auto";
    MailSecurity security_ = MailSecurity::None;
    std::string caFile_;
    std::string server_;  // the name its certificate must carry
    bool allowPlainLogin_ = false;
    const std::atomic<bool>* cancel_ = nullptr;
    std::string failure_;
    std::string failureResponse_;
};

}  // namespace pantrio
