#include "mail/MailTransport.h"

#include "mail/MailMessage.h"

namespace pantrio {

MailSendResult SmtpTransport::Send(const SmtpSettings& settings, const MailMessage& message,
                                   const std::atomic<bool>* cancel) {
    CSMTPConnection connection;
    connection.SetSecurity(settings.security, settings.caFile);
    connection.AllowLoginWithoutEncryption(settings.allowLoginWithoutEncryption);
    connection.SetReplyTimeout(settings.replyTimeoutMs);
    connection.SetCancelFlag(cancel);

    MailSendResult result;
    result.connected = connection.Connect(settings.server, settings.loginMethod, settings.userName,
                                          settings.password, settings.port);
    if (result.connected) result.sent = connection.SendMessage(message);
    if (!result.sent) {
        result.error = connection.LastError();
        result.response = connection.LastResponse();
        result.failure = connection.FailureText();
    }
    // A message the server took stays sent whatever QUIT brings.
    if (connection.IsConnected()) connection.Disconnect(true);
    return result;
}

}  // namespace pantrio
