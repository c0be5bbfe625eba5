// The dialogs of the mail area as MailController sees them: "Email Recipe",
// "Email Options" and the busy indicator shown while a message travels.
// Each defaults to Cancel (or to running the work at once), so a front end
// without a window needs nothing here.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pantrio {

// The "Email Recipe" dialog's fields.
struct EmailRecipeValues {
    std::string to;  // one or more addresses separated by ";" or ","
    std::string cc;  // collected, not used
    std::string subject;
    std::string message;
};

// The "Email Options" dialog's fields.
struct EmailOptionsValues {
    std::string server;         // "Outgoing Mail Server (SMTP):"
    std::string emailAddress;   // "E-Mail Address:"
    std::string userName;       // "User Name:"
    std::string password;       // "Password:"
    int authMode = 0;           // "Log on using:" (CSMTPConnection::LoginMethod)
    bool keepPassword = false;  // "Remember Password"
    int port = 25;
    int security = 0;    // 0 none, 1 STARTTLS, 2 TLS
    std::string caFile;  // empty: the system's trust store
};

class MailView {
public:
    virtual ~MailView() = default;

    // "Email Recipe", opened with `initial` and the remembered addresses for
    // the To list's completion; the fields on "&Send", nothing on Cancel.
    virtual std::optional<EmailRecipeValues> AskEmailRecipe(
        const EmailRecipeValues& /*initial*/, const std::vector<std::string>& /*remembered*/) {
        return std::nullopt;
    }
    // "Email Options", opened with the current values; nothing on Cancel.
    virtual std::optional<EmailOptionsValues> AskEmailOptions(
        const EmailOptionsValues& /*current*/) {
        return std::nullopt;
    }
    // Runs `work` (which may block for as long as the server takes) while a
    // busy indicator with Cancel is shown, and returns when it has ended.
    // Cancel sets the flag the work was given. A window runs the work on
    // another thread so that it keeps repainting; the default runs it here.
    virtual void RunWhileSending(const std::string& /*text*/,
                                 const std::function<void(const std::atomic<bool>&)>& work) {
        const std::atomic<bool> cancel{false};
        work(cancel);
    }
};

}  // namespace pantrio
