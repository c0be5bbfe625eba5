// Mailing recipes: the "Email Recipe" and "Email Options" dialogs, the mail
// settings they edit, the remembered addresses, and the message that carries
// a recipe (its page, its text and its exchange document) to the mail
// server. The window sends through the busy indicator of its MailView, so it
// keeps repainting while the server talks; the command line sends directly.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "core/ControllerContext.h"
#include "core/MailView.h"
#include "mail/MailMessage.h"
#include "mail/MailTransport.h"

namespace pantrio {

class Recipe;

// A recipe mail ready to go, with the private temporary folder that holds
// its attachment; the folder goes when the mail does.
class PreparedMail {
public:
    explicit PreparedMail(std::string folder) : folder_(std::move(folder)) {}
    ~PreparedMail();
    PreparedMail(const PreparedMail&) = delete;
    PreparedMail& operator=(const PreparedMail&) = delete;

    MailMessage message;
    const std::string& Folder() const { return folder_; }

private:
    std::string folder_;
};

class MailController {
public:
    MailController(ControllerContext context, MailView* view);

    // "Send" and "&Send via email": asks for the addresses and a note in
    // "Email Recipe" and mails the current recipe; every outcome is shown.
    void SendRecipeByMail();
    // Tools "&Email Options...": the dialog; OK stores and saves the values.
    void EmailOptionsCommand();

    // The mail settings as the "Email Options" dialog shows them.
    EmailOptionsValues EmailOptions() const;
    // Stores `values` in the settings (saved with the others). A login over
    // an unencrypted connection is stored only after the user confirmed the
    // warning; false, with nothing changed, when they declined.
    bool ApplyEmailOptions(const EmailOptionsValues& values);
    // The warning before a password travels unencrypted; true on Yes.
    bool ConfirmLoginWithoutEncryption();

    // The addresses mail went to, in order, for the To list's completion.
    std::vector<std::string> RememberedAddresses();
    // Remembers the To text as typed, unless it is remembered already.
    void RememberAddress(const std::string& toText);

    // The server, port, protection and login of the settings.
    SmtpSettings ServerSettings() const;

    // The mail of `recipe` from the settings' address to the addresses of
    // `values.to`, with `values.message` as the note above the recipe.
    // Nothing, with `error` set, when the attachment cannot be written.
    std::unique_ptr<PreparedMail> PrepareRecipeMail(const Recipe& recipe,
                                                    const EmailRecipeValues& values,
                                                    bool includeNutrition, std::string& error);
    // Sends a prepared mail; `cancel` may be set from another thread.
    MailSendResult Send(const PreparedMail& mail, const SmtpSettings& server,
                        const std::atomic<bool>* cancel);

    // What the user is told when a send failed: the step and the server's
    // answer.
    static std::string FailureMessage(const MailSendResult& result, const std::string& server);

private:
    ControllerContext context_;
    MailView* view_;
    SmtpTransport transport_;
};

}  // namespace pantrio
