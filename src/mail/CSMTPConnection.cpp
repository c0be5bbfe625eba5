#include "mail/CSMTPConnection.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <vector>

#include "base/Text.h"
#include "mail/MailEncoding.h"
#include "mail/MailMessage.h"

namespace pantrio {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPollSliceMs = 250;

// The end of the first complete reply in `text` (the position of its final
// "\r\n"), or npos. A reply ends with the first line whose code is not
// followed by "-" (RFC 5321 section 4.2.1).
std::size_t FindReplyEnd(const std::string& text) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) return end;
        if (end - start < 4 || text[start + 3] != '-') return end;
        start = end + 2;
    }
}

int ReplyCode(std::string_view line) {
    if (line.size() < 3) return 0;
    int code = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        if (line[i] < '0' || line[i] > '9') return 0;
        code = code * 10 + (line[i] - '0');
    }
    return code;
}

// An address goes between "<" and ">" of a command line; anything that could
// end that line or the brackets early is refused rather than sent.
bool FitsInCommand(const std::string& address) {
    for (char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte == 127 || c == '<' || c == '>') return false;
    }
    return true;
}

bool AttachmentsReadable(const MailBodyPart& part, std::string& unreadable) {
    if (!part.FilePath().empty() && !std::ifstream(part.FilePath(), std::ios::binary)) {
        unreadable = part.FilePath();
        return false;
    }
    for (std::size_t i = 0; i < part.ChildCount(); ++i) {
        if (!AttachmentsReadable(part.Child(i), unreadable)) return false;
    }
    return true;
}

// RFC 2195: the user name, a blank and the HMAC-MD5 (RFC 2104) of the
// challenge keyed with the password, as 32 lower-case hexadecimal digits.
// HMAC replaces a key longer than 64 bytes by its MD5 itself.
std::string CramMd5Response(const std::string& userName, const std::string& password,
                            const std::string& challenge) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    HMAC(EVP_md5(), password.data(), static_cast<int>(password.size()),
         reinterpret_cast<const unsigned char*>(challenge.data()), challenge.size(), digest, &size);
    std::string response = userName + " ";
    for (unsigned int i = 0; i < size; ++i) response += Format("%02x", digest[i]);
    return response;
}

}  // namespace

CSMTPConnection::CSMTPConnection() {
    stream_.SetTimeout(replyTimeoutMs_);
}

CSMTPConnection::~CSMTPConnection() {
    if (connected_) Disconnect(true);
}

void CSMTPConnection::SetSecurity(MailSecurity security, std::string caFile) {
    security_ = security;
    caFile_ = std::move(caFile);
}

void CSMTPConnection::SetReplyTimeout(int milliseconds) {
    replyTimeoutMs_ = milliseconds;
    stream_.SetTimeout(milliseconds);
}

void CSMTPConnection::SetCancelFlag(const std::atomic<bool>* cancel) {
    cancel_ = cancel;
    stream_.SetCancelFlag(cancel);
}

void CSMTPConnection::OnError(const std::string&) {}

std::string CSMTPConnection::FailureText() const {
    if (failure_.empty()) return {};
    if (failureResponse_.empty()) return failure_;
    return failure_ + "\nResponse: " + failureResponse_;
}

bool CSMTPConnection::Error(const std::string& diagnostic) {
    if (failure_.empty()) {
        failure_ = diagnostic;
        failureResponse_ = lastResponse_;
    }
    OnError(diagnostic);
    return false;
}

void CSMTPConnection::BeginOperation() {
    failure_.clear();
    failureResponse_.clear();
}

void CSMTPConnection::Abandon() {
    const std::string response = lastResponse_;
    const int code = lastReplyCode_;
    const int error = lastError_;
    if (connected_) Disconnect(true);
    lastResponse_ = response;
    lastReplyCode_ = code;
    lastError_ = error;
}

bool CSMTPConnection::SendCommand(std::string_view command) {
    if (stream_.Send(command)) return true;
    lastError_ = stream_.LastError();
    streamBroken_ = true;
    return false;
}

bool CSMTPConnection::SendData(std::string_view text, const std::string& failure) {
    if (text.empty()) return true;
    const bool sent = SendCommand(DotStuff(text, atLineStart_));
    atLineStart_ = text.back() == '\n';
    return sent || Error(ReplaceAll(failure, "%d", std::to_string(lastError_)));
}

bool CSMTPConnection::Exchange(std::string_view command, int expectedCode,
                               const std::string& sendDiagnostic,
                               const std::string& replyDiagnostic, bool refusalIsBadCommand) {
    if (!SendCommand(command))
        return Error(ReplaceAll(sendDiagnostic, "%d", std::to_string(lastError_)));
    if (ReadResponse(expectedCode)) return true;
    if (refusalIsBadCommand && lastError_ == kMailErrorUnexpectedReply)
        lastError_ = kMailErrorBadCommand;
    return Error(replyDiagnostic);
}

bool CSMTPConnection::ReadResponse(int expectedCode) {
    auto lastData = Clock::now();
    for (;;) {
        const std::size_t end = FindReplyEnd(pending_);
        if (end != std::string::npos) {
            lastResponse_ = pending_.substr(0, end);
            pending_.erase(0, end + 2);
            const std::size_t lastLine = lastResponse_.rfind("\r\n");
            lastReplyCode_ = ReplyCode(lastLine == std::string::npos
                                           ? std::string_view(lastResponse_)
                                           : std::string_view(lastResponse_).substr(lastLine + 2));
            if (lastReplyCode_ == expectedCode) return true;
            lastError_ = kMailErrorUnexpectedReply;
            return false;
        }
        if (stream_.Cancelled()) {
            lastError_ = ECANCELED;
            lastResponse_ = pending_;
            streamBroken_ = true;
            return Error("CSMTPConnection::ReadResponse, Sending was cancelled");
        }
        const auto silent =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - lastData).count();
        if (silent > replyTimeoutMs_) {
            lastError_ = kMailErrorTimedOut;
            lastResponse_ = pending_;
            streamBroken_ = true;
            return Error(
                "CSMTPConnection::ReadResponse, Timed Out waiting for response from SMTP server");
        }
        const int wait =
            static_cast<int>(std::min<long long>(kPollSliceMs, replyTimeoutMs_ - silent + 1));
        switch (stream_.Read(pending_, wait)) {
            case MailStream::ReadResult::Data:
                lastData = Clock::now();
                break;
            case MailStream::ReadResult::Nothing:
                break;
            case MailStream::ReadResult::Closed:
                lastError_ = stream_.LastError();
                lastResponse_ = pending_;
                streamBroken_ = true;
                return Error(
                    "CSMTPConnection::ReadResponse, The connection to the SMTP server "
                    "was lost: " +
                    stream_.ErrorText());
        }
    }
}

bool CSMTPConnection::Connect(const std::string& server, int loginMethod,
                              const std::string& userName, const std::string& password, int port,
                              const std::string& localAddress) {
    BeginOperation();
    lastResponse_.clear();
    lastReplyCode_ = 0;
    if (connected_) {
        lastError_ = EISCONN;
        return Error("CSMTPConnection::Connect, Already connected to an SMTP server");
    }
    server_ = server;
    if (!stream_.Connect(server, port, localAddress)) {
        lastError_ = stream_.LastError();
        if (localAddress.empty()) {
            return Error(
                Format("CSMTPConnection::Connect, Could not connect to the SMTP server %s "
                       "on port %d, GetLastError returns: %d",
                       server.c_str(), port, lastError_));
        }
        return Error(
            Format("CSMTPConnection::Connect, Could not connect to the SMTP server %s on "
                   "port %d from LocalAddress:%s, GetLastError returns: %d",
                   server.c_str(), port, localAddress.c_str(), lastError_));
    }
    if (security_ == MailSecurity::Tls && !stream_.StartTls(server, caFile_)) {
        lastError_ = stream_.LastError();
        const std::string why = stream_.ErrorText();
        stream_.Close();
        return Error(
            Format("CSMTPConnection::Connect, Could not make a secure connection to %s: %s",
                   server.c_str(), why.c_str()));
    }
    connected_ = true;
    streamBroken_ = false;
    inData_ = false;
    pending_.clear();

    if (!ReadResponse(220)) {
        Error("CSMTPConnection::Connect, An unexpected SMTP login response was received");
        Abandon();
        return false;
    }
    if (greetingName_ == "auto") {
        char host[256] = {};
        if (gethostname(host, sizeof host - 1) == 0 && host[0]) greetingName_ = host;
    }

    bool greeted = false;
    if (security_ == MailSecurity::StartTls) {
        // RFC 3207 section 4.2: everything learnt before the handshake is
        // forgotten, so the greeting is repeated over the secure channel.
        greeted =
            SendEhlo() && StartTlsCommand() &&
            (loginMethod == kNoLogin ? SendEhlo() : ConnectESMTP(loginMethod, userName, password));
    } else if (loginMethod == kNoLogin) {
        greeted = ConnectSMTP();
    } else if (!stream_.Encrypted() && !allowPlainLogin_) {
        lastError_ = EACCES;
        Error(
            "CSMTPConnection::Connect, The login is not sent over an unencrypted connection; "
            "choose STARTTLS or TLS");
    } else {
        greeted = ConnectESMTP(loginMethod, userName, password);
    }
    if (!greeted) {
        Error("CSMTPConnection::Connect, An unexpected HELO/EHLO response was received");
        Abandon();
        return false;
    }
    return true;
}

bool CSMTPConnection::ConnectSMTP() {
    return Exchange(Format("HELO %s\r\n", greetingName_.c_str()), 250,
                    "CSMTPConnection::ConnectSMTP, An unexpected error occurred while sending the "
                    "HELO command",
                    "CSMTPConnection::ConnectSMTP, An unexpected HELO response was received",
                    false);
}

bool CSMTPConnection::SendEhlo() {
    return Exchange(Format("EHLO %s\r\n", greetingName_.c_str()), 250,
                    "CSMTPConnection::ConnectESMTP, An unexpected error occurred while sending the "
                    "EHLO command",
                    "CSMTPConnection::ConnectESMTP, An unexpected response was received occurred "
                    "while sending the EHLO command",
                    false);
}

bool CSMTPConnection::StartTlsCommand() {
    if (!SendCommand("STARTTLS\r\n") || !ReadResponse(220))
        return Error("CSMTPConnection::ConnectESMTP, The server does not support STARTTLS");
    if (!stream_.StartTls(server_, caFile_)) {
        lastError_ = stream_.LastError();
        streamBroken_ = true;
        return Error("CSMTPConnection::ConnectESMTP, Could not make a secure connection: " +
                     stream_.ErrorText());
    }
    return true;
}

bool CSMTPConnection::ConnectESMTP(int loginMethod, const std::string& userName,
                                   const std::string& password) {
    return SendEhlo() && Login(loginMethod, userName, password);
}

bool CSMTPConnection::Login(int loginMethod, const std::string& userName,
                            const std::string& password) {
    switch (loginMethod) {
        case kCramMd5:
            return CramLogin(userName, password);
        case kAuthLogin:
            return AuthLogin(userName, password);
        case kAuthPlain:
            return AuthPlain(userName, password);
        default:
            lastError_ = kMailErrorInvalidArgument;
            return Error(
                Format("CSMTPConnection::ConnectESMTP, Unknown login method %d", loginMethod));
    }
}

bool CSMTPConnection::AuthLogin(const std::string& userName, const std::string& password) {
    // The wording of the two prompts differs between servers; what they ask
    // for is fixed by their order (RFC 4954 section 4), so it is not checked.
    return Exchange("AUTH LOGIN\r\n", 334,
                    "CSMTPConnection::AuthLogin, An unexpected error occurred while sending the "
                    "AUTH command",
                    "CSMTPConnection::AuthLogin, Server does not support AUTH LOGIN", false) &&
           Exchange(Base64Encode(userName) + "\r\n", 334,
                    "CSMTPConnection::AuthLogin, An unexpected error occurred while sending the "
                    "username",
                    "CSMTPConnection::AuthLogin, Server did not respond correctly to AUTH LOGIN "
                    "username field",
                    false) &&
           Exchange(Base64Encode(password) + "\r\n", 235,
                    "CSMTPConnection::AuthLogin, An unexpected error occurred while sending the "
                    "password",
                    "CSMTPConnection::AuthLogin, AUTH LOGIN authentication was unsuccessful",
                    false);
}

bool CSMTPConnection::AuthPlain(const std::string& userName, const std::string& password) {
    // RFC 4616: no authorization identity, the user name and the password,
    // each preceded by a zero byte, sent as the initial response (RFC 4954).
    std::string credentials;
    credentials += '\0';
    credentials += userName;
    credentials += '\0';
    credentials += password;
    return Exchange("AUTH PLAIN " + Base64Encode(credentials) + "\r\n", 235,
                    "CSMTPConnection::AuthLoginPlain, An unexpected error occurred while sending "
                    "the AUTH command",
                    "CSMTPConnection::AuthLoginPlain, AUTH PLAIN authentication was unsuccessful",
                    false);
}

bool CSMTPConnection::CramLogin(const std::string& userName, const std::string& password) {
    if (!Exchange("AUTH CRAM-MD5\r\n", 334,
                  "CSMTPConnection::CramLogin, An unexpected error occurred while sending the AUTH "
                  "command",
                  "CSMTPConnection::CramLogin, Server does not support AUTH CRAM-MD5", false))
        return false;
    std::string challenge = Base64Decode(lastResponse_.size() > 4 ? lastResponse_.substr(4) : "");
    challenge = challenge.substr(0, challenge.find('\0'));
    return Exchange(Base64Encode(CramMd5Response(userName, password, challenge)) + "\r\n", 235,
                    "CSMTPConnection::CramLogin, An unexpected error occurred while sending the "
                    "username",
                    "CSMTPConnection::CramLogin, AUTH CRAM-MD5 authentication was unsuccessful",
                    false);
}

bool CSMTPConnection::FailMessage(const std::string& diagnostic) {
    if (!diagnostic.empty()) Error(diagnostic);
    // A server in the middle of a message, or one that stopped answering,
    // cannot take another command: the connection is closed, which makes the
    // server drop the unfinished message (RFC 5321 section 4.1.1.4).
    if (inData_ || streamBroken_) Abandon();
    return false;
}

bool CSMTPConnection::SendMessage(const MailMessage& message) {
    BeginOperation();
    if (!connected_) {
        lastError_ = ENOTCONN;
        return Error("CSMTPConnection::SendMessage, Not connected to an SMTP server");
    }
    std::vector<const MailAddress*> recipients;
    for (const auto* list : {&message.to, &message.cc, &message.bcc}) {
        for (const MailAddress& address : *list) recipients.push_back(&address);
    }
    for (const MailAddress* address : recipients) {
        if (!FitsInCommand(address->address)) {
            lastError_ = kMailErrorInvalidArgument;
            return Error(
                "CSMTPConnection::SendMessage, A recipient address holds characters a "
                "mail command cannot carry: " +
                CleanHeaderValue(address->address));
        }
    }
    if (!FitsInCommand(message.from.address)) {
        lastError_ = kMailErrorInvalidArgument;
        return Error(
            "CSMTPConnection::SendMessage, The sender address holds characters a mail "
            "command cannot carry: " +
            CleanHeaderValue(message.from.address));
    }
    // Files are checked before the server hears of the message, so that a
    // missing picture never leaves half a message behind.
    std::string unreadable;
    if (!AttachmentsReadable(message.Root(), unreadable)) {
        lastError_ = ENOENT;
        return Error("CSMTPConnection::SendMessage, The attached file cannot be read: " +
                     unreadable);
    }

    const std::string mail = Format("MAIL FROM:<%s>\r\n", message.from.address.c_str());
    if (!Exchange(mail, 250,
                  "CSMTPConnection::SendMessage, Failed in call to send MAIL command, "
                  "GetLastError returns: %d",
                  "CSMTPConnection::SendMessage, An unexpected MAIL response was received"))
        return FailMessage({});
    for (const MailAddress* address : recipients) {
        if (!SendRCPTForRecipient(address->address)) return FailMessage({});
    }
    if (!Exchange("DATA\r\n", 354,
                  "CSMTPConnection::SendMessage, Failed in call to send MAIL command, "
                  "GetLastError returns: %d",
                  "CSMTPConnection::SendMessage, An unexpected DATA response was received"))
        return FailMessage({});

    inData_ = true;
    atLineStart_ = true;
    const char* const headerFailure =
        "CSMTPConnection::SendMessage, Failed in call to send the header, GetLastError returns: %d";
    bool sent = SendData(message.HeaderText(), headerFailure) &&
                SendData("\r\n",
                         "CSMTPConnection::SendMessage, Failed in call to send the header / body "
                         "separator, GetLastError returns: %d");
    if (sent) {
        sent = message.HasPartTree() ? SendBodyPart(message.Root(), true)
                                     : SendData(message.Root().Text(), headerFailure);
    }
    if (!sent) return FailMessage({});
    // The end marker itself is never stuffed; after it the server is out of
    // the message, whatever it answers.
    const bool ended = Exchange(
        "\r\n.\r\n", 250,
        "CSMTPConnection::SendMessage, Failed in call to send end of message indicator, "
        "GetLastError returns: %d",
        "CSMTPConnection::SendMessage, An unexpected end of message response was received");
    inData_ = false;
    return ended || FailMessage({});
}

bool CSMTPConnection::SendRCPTForRecipient(const std::string& address) {
    return Exchange(Format("RCPT TO:<%s>\r\n", address.c_str()), 250,
                    "CSMTPConnection::SendRCPTForRecipient, Failed in call to send RCPT command, "
                    "GetLastError returns: %d",
                    "CSMTPConnection::SendRCPTForRecipient, An unexpected RCPT response was "
                    "received");
}

bool CSMTPConnection::SendBodyPart(const MailBodyPart& part, bool root) {
    const char* const bodyFailure =
        "CSMTPConnection::SendBodyPart, Failed in call to send body parts body, GetLastError "
        "returns: %d";
    if (!root && !SendData(part.PartHeader(),
                           "CSMTPConnection::SendBodyPart, Failed in call to send body parts "
                           "header, GetLastError returns: %d"))
        return false;
    std::string body;
    if (!part.PartBody(body)) {
        lastError_ = EIO;
        return Error(ReplaceAll(bodyFailure, "%d", std::to_string(lastError_)));
    }
    if (!SendData(body, bodyFailure)) return false;
    for (std::size_t i = 0; i < part.ChildCount(); ++i) {
        if (!SendBodyPart(part.Child(i), false)) return false;
    }
    return part.ChildCount() == 0 ||
           SendData(part.PartFooter(),
                    "CSMTPConnection::SendBodyPart, Failed in call to send body parts footer, "
                    "GetLastError returns: %d");
}

bool CSMTPConnection::Disconnect(bool sendQuit) {
    if (!connected_) {
        stream_.Close();
        OnError(
            "CSMTPConnection::Disconnect, Already disconnected from SMTP server, doing nothing");
        return false;
    }
    bool result = false;
    // QUIT in the middle of a message would become part of it, and a server
    // that stopped answering would make the user wait once more.
    if (sendQuit && !inData_ && !streamBroken_) {
        result = Exchange(
            "QUIT\r\n", 221,
            "CSMTPConnection::Disconnect, Failed in call to send QUIT command, GetLastError "
            "returns: %d",
            "CSMTPConnection::Disconnect, An unexpected QUIT response was received");
    }
    connected_ = false;
    inData_ = false;
    streamBroken_ = false;
    pending_.clear();
    stream_.Close();
    return result;
}

}  // namespace pantrio
