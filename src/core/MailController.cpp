#include "core/MailController.h"

#include <stdlib.h>

#include <filesystem>

#include "base/Prompter.h"
#include "base/RowSink.h"
#include "base/Text.h"
#include "core/AppSettings.h"
#include "core/MainDialog.h"
#include "core/UserFolders.h"
#include "formats/RecipeDocument.h"
#include "mail/MailAddress.h"
#include "mail/RecipeMail.h"
#include "render/RenderRecipePage.h"
#include "render/RenderRecipeText.h"
#include "storage/SupportDB.h"

namespace pantrio {

namespace {

const char* const kSettingsMissing =
    "Email settings not yet initialized.  Please enter your email name and your outgoing email "
    "(SMTP) server in the Tools/Options dialog.";
const char* const kPlainLoginWarning =
    "Your mail server connection is not encrypted, so your user name and password would travel "
    "over the network where others can read them.\n\nLog on without encryption anyway?";
const char* const kLogoFile = "recipefrompantrio.gif";

MailSecurity SecurityOf(int number) {
    switch (number) {
        case 1:
            return MailSecurity::StartTls;
        case 2:
            return MailSecurity::Tls;
        default:
            return MailSecurity::None;
    }
}

// A folder of its own under the temporary folder, so that no other user
// can plant or read the attachment under its fixed name; empty on failure.
std::string MakePrivateFolder() {
    std::string pattern = TempFolder() + "/pantrio-mail-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) return {};
    return pattern;
}

std::string WithoutFinalSlash(std::string address) {
    while (!address.empty() && address.back() == '/') address.pop_back();
    return address;
}

}  // namespace

PreparedMail::~PreparedMail() {
    std::error_code ec;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ec);
}

MailController::MailController(ControllerContext context, MailView* view)
    : context_(context), view_(view) {}

void MailController::SendRecipeByMail() {
    AppSettings& settings = context_.settings;
    if (Trim(settings.SMTPMailServer).empty() || Trim(settings.EmailAddr).empty()) {
        context_.prompter.Message(kSettingsMissing);
        context_.main.ShowOptionsSheet(OptionsSheet::kEmailPage);
        return;
    }
    RecipeController& recipes = context_.main.Recipes();
    if (!recipes.HasCurrent()) return;
    const Recipe& recipe = recipes.Current();

    EmailRecipeValues initial;
    initial.subject = std::string(kRecipeMailSubjectPrefix) + " " + recipe.Title;
    initial.message = kRecipeMailDefaultNote;
    if (view_ == nullptr) return;
    const std::optional<EmailRecipeValues> values =
        view_->AskEmailRecipe(initial, RememberedAddresses());
    if (!values) return;
    RememberAddress(values->to);

    // A login whose password was not remembered needs it typed again.
    if (settings.AuthMode != CSMTPConnection::kNoLogin && settings.UserInfo.empty()) {
        EmailOptionsCommand();
        if (settings.UserInfo.empty()) return;
    }

    std::string error;
    const std::unique_ptr<PreparedMail> mail = PrepareRecipeMail(recipe, *values, true, error);
    if (!mail) {
        context_.prompter.Message(error, "", Buttons::OK, MessageIcon::Error);
        return;
    }
    const SmtpSettings server = ServerSettings();
    MailSendResult result;
    bool cancelled = false;
    view_->RunWhileSending("Sending the recipe to " + server.server + "...",
                           [&](const std::atomic<bool>& cancel) {
                               result = Send(*mail, server, &cancel);
                               cancelled = cancel.load();
                           });
    if (result.sent) {
        context_.main.SetStatusText("The recipe was sent.");
    } else if (cancelled) {
        context_.main.SetStatusText("Sending was cancelled; the recipe was not sent.");
    } else {
        context_.prompter.Message(FailureMessage(result, server.server), "", Buttons::OK,
                                  MessageIcon::Error);
    }
}

std::string MailController::FailureMessage(const MailSendResult& result,
                                           const std::string& server) {
    std::string text = result.connected ? "Couldn't send message!\nResponse:" + result.response
                                        : "Couldn't connect to server: " + server +
                                              " , Error:" + std::to_string(result.error);
    // The failing step; the server's reply is already on the line above.
    const std::string step = result.failure.substr(0, result.failure.find("\nResponse:"));
    if (!step.empty()) text += "\n" + step;
    return text;
}

void MailController::EmailOptionsCommand() {
    if (view_ == nullptr) return;
    const std::optional<EmailOptionsValues> values = view_->AskEmailOptions(EmailOptions());
    if (values && ApplyEmailOptions(*values)) context_.main.SaveSettings();
}

EmailOptionsValues MailController::EmailOptions() const {
    const AppSettings& s = context_.settings;
    EmailOptionsValues values;
    values.server = s.SMTPMailServer;
    values.emailAddress = s.EmailAddr;
    values.userName = s.UserName;
    values.password = s.UserInfo;
    values.authMode = s.AuthMode;
    values.keepPassword = s.KeepPW != 0;
    values.port = s.SMTPPort;
    values.security = s.SMTPSecurity;
    values.caFile = s.SMTPCAFile;
    return values;
}

bool MailController::ApplyEmailOptions(const EmailOptionsValues& values) {
    AppSettings& s = context_.settings;
    const bool plainLogin = values.security == 0 && values.authMode != CSMTPConnection::kNoLogin;
    // Asked once per choice: a confirmed plain login stays confirmed until
    // the protection or the login changes.
    const bool confirmed =
        s.SMTPPlainLogin != 0 && s.SMTPSecurity == 0 && s.AuthMode == values.authMode;
    if (plainLogin && !confirmed && !ConfirmLoginWithoutEncryption()) return false;
    s.SMTPMailServer = Trim(values.server);
    s.EmailAddr = Trim(values.emailAddress);
    s.UserName = values.userName;
    s.UserInfo = values.password;
    s.AuthMode = values.authMode;
    s.KeepPW = values.keepPassword ? 1 : 0;
    s.SMTPPort = values.port > 0 && values.port < 65536 ? values.port : 25;
    s.SMTPSecurity = values.security >= 0 && values.security <= 2 ? values.security : 0;
    s.SMTPCAFile = Trim(values.caFile);
    s.SMTPPlainLogin = plainLogin ? 1 : 0;
    return true;
}

bool MailController::ConfirmLoginWithoutEncryption() {
    return context_.prompter.Message(kPlainLoginWarning, "Email Options", Buttons::YesNo,
                                     MessageIcon::Warning) == Answer::Yes;
}

std::vector<std::string> MailController::RememberedAddresses() {
    VectorRowSink rows;
    context_.support.FillCombo("EmailAddresses", "Email", "ID", rows, "Email");
    return rows.Texts();
}

void MailController::RememberAddress(const std::string& toText) {
    if (Trim(toText).empty()) return;
    // Compared with "=" rather than "like", so that "%" and "_" in what the
    // user typed are not wildcards that match another entry.
    const std::string quoted = QuoteSql(toText);
    if (context_.support.QueryNumber("Select Count(ID) from EmailAddresses where Email = '" +
                                     quoted + "'") < 1)
        context_.support.RunSQL("INSERT INTO EmailAddresses (Email) VALUES ('" + quoted + "')");
}

SmtpSettings MailController::ServerSettings() const {
    const AppSettings& s = context_.settings;
    SmtpSettings server;
    server.server = Trim(s.SMTPMailServer);
    server.port = s.SMTPPort;
    server.security = SecurityOf(s.SMTPSecurity);
    server.caFile = s.SMTPCAFile;
    server.loginMethod = s.AuthMode;
    server.userName = s.UserName;
    server.password = s.UserInfo;
    server.allowLoginWithoutEncryption =
        s.SMTPPlainLogin != 0 && server.security == MailSecurity::None;
    return server;
}

std::unique_ptr<PreparedMail> MailController::PrepareRecipeMail(const Recipe& recipe,
                                                                const EmailRecipeValues& values,
                                                                bool includeNutrition,
                                                                std::string& error) {
    const std::string folder = MakePrivateFolder();
    if (folder.empty()) {
        error = "Could not create temporary file in " + TempFolder();
        return nullptr;
    }
    auto mail = std::make_unique<PreparedMail>(folder);

    RecipeController& recipes = context_.main.Recipes();
    RenderContext render = recipes.MakeRenderContext();
    const MailPage page = RenderMailPage(recipe, recipes.ViewTheme(), includeNutrition, render);

    RecipeMailContent content;
    content.personalNote = values.message;
    content.recipeText = RenderRecipeText(recipe, 10000);
    content.mailPage = page.html;
    content.siteAddress = WithoutFinalSlash(context_.settings.ServiceURL);
    content.logoFile = context_.main.ImagesFolder() + "/" + kLogoFile;
    if (page.usesPicture) content.pictureFile = page.pictureFile;
    if (page.usesRatingImage) content.ratingFile = page.ratingImageFile;
    content.exchangeDocument = WriteRecipeDocument(recipe);
    content.attachmentFolder = folder;

    MailMessage& message = mail->message;
    message.from = ParseMailAddress(context_.settings.EmailAddr);
    for (const MailAddress& to : SplitMailAddresses(values.to))
        message.AddRecipient(to, MailMessage::RecipientKind::To);
    message.subject = values.subject;
    const RecipeMailResult built = BuildRecipeMail(content, message);
    if (!built.ok) {
        error = built.error;
        return nullptr;
    }
    return mail;
}

MailSendResult MailController::Send(const PreparedMail& mail, const SmtpSettings& server,
                                    const std::atomic<bool>* cancel) {
    return transport_.Send(server, mail.message, cancel);
}

}  // namespace pantrio
