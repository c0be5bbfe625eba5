// mail: sends recipes of the box to a mail server, one message per recipe,
// as the window's "Send" does. Options not given come from the settings
// that "Email Options" edits.
#include <fstream>
#include <iterator>
#include <ostream>

#include "app/cli/CliContext.h"
#include "app/cli/Command.h"
#include "base/Text.h"
#include "mail/MailAddress.h"
#include "mail/RecipeMail.h"

namespace pantrio::cli {

namespace {

struct MailArguments {
    std::vector<int> ids;
    std::string to;
    std::optional<std::string> from, subject, server, caFile, user, passwordFile;
    std::optional<long> port;
    std::optional<MailSecurity> security;
    std::optional<int> login;
    bool nutrition = false;
};

std::optional<MailSecurity> SecurityNamed(const std::string& name) {
    if (name == "none") return MailSecurity::None;
    if (name == "starttls") return MailSecurity::StartTls;
    if (name == "tls") return MailSecurity::Tls;
    return std::nullopt;
}

std::optional<int> LoginNamed(const std::string& name) {
    if (name == "none") return CSMTPConnection::kNoLogin;
    if (name == "login") return CSMTPConnection::kAuthLogin;
    if (name == "plain") return CSMTPConnection::kAuthPlain;
    if (name == "cram-md5") return CSMTPConnection::kCramMd5;
    return std::nullopt;
}

// False on anything the command does not take.
bool ParseMailArguments(const std::vector<std::string>& arguments, MailArguments& out,
                        std::ostream& err) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        long number = 0;
        if (a == "--nutrition") {
            out.nutrition = true;
            continue;
        }
        if (!StartsWith(a, "--")) {
            if (!ParseNumber(a, 1, 0x7fffffff, number)) {
                err << "Not a recipe number: " << a << "\n";
                return false;
            }
            out.ids.push_back(static_cast<int>(number));
            continue;
        }
        if (i + 1 >= arguments.size()) {
            err << a << " needs a value.\n";
            return false;
        }
        const std::string& value = arguments[++i];
        if (a == "--to") {
            out.to = value;
        } else if (a == "--from") {
            out.from = value;
        } else if (a == "--subject") {
            out.subject = value;
        } else if (a == "--server") {
            out.server = value;
        } else if (a == "--ca-file") {
            out.caFile = value;
        } else if (a == "--user") {
            out.user = value;
        } else if (a == "--password-file") {
            out.passwordFile = value;
        } else if (a == "--port" && ParseNumber(value, 1, 65535, number)) {
            out.port = number;
        } else if (a == "--security" && SecurityNamed(value)) {
            out.security = SecurityNamed(value);
        } else if (a == "--login" && LoginNamed(value)) {
            out.login = LoginNamed(value);
        } else {
            err << "Unknown option or bad value: " << a << " " << value << "\n";
            return false;
        }
    }
    if (out.ids.empty() || Trim(out.to).empty()) {
        err << "mail needs at least one recipe number and --to.\n";
        return false;
    }
    return true;
}

// The first line of the file, without its line end.
bool ReadPassword(const std::string& path, std::string& password) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::getline(file, password);
    if (!password.empty() && password.back() == '\r') password.pop_back();
    return !file.bad();
}

int RunMail(CliContext& context, const std::vector<std::string>& arguments) {
    MailArguments args;
    if (!ParseMailArguments(arguments, args, context.err())) return kExitUsage;
    if (!context.LoadSettings() || !context.OpenBox()) return kExitFailure;
    if (args.nutrition && !context.OpenSupport()) return kExitFailure;
    MailController& mail = context.dialog().Mail();

    // The settings' server, then what the command line says.
    const SmtpSettings stored = mail.ServerSettings();
    SmtpSettings server = stored;
    if (args.server) server.server = Trim(*args.server);
    if (args.port) server.port = static_cast<int>(*args.port);
    if (args.security) server.security = *args.security;
    if (args.caFile) server.caFile = *args.caFile;
    if (args.login) server.loginMethod = *args.login;
    if (args.user) server.userName = *args.user;
    if (args.passwordFile && !ReadPassword(*args.passwordFile, server.password)) {
        context.err() << "Could not read the password file " << *args.passwordFile << ".\n";
        return kExitUsage;
    }
    const std::string from = args.from ? *args.from : mail.EmailOptions().emailAddress;
    if (server.server.empty() || Trim(from).empty()) {
        context.err() << "No mail server or sender address: give --server and --from, or set "
                         "them in Email Options.\n";
        return kExitUsage;
    }
    // A password travels unencrypted only by a choice made for it: the one
    // confirmed in Email Options for this login, or --security none with the
    // warning confirmed (--yes).
    server.allowLoginWithoutEncryption = false;
    if (server.security == MailSecurity::None && server.loginMethod != CSMTPConnection::kNoLogin) {
        const bool confirmedBefore = stored.allowLoginWithoutEncryption &&
                                     stored.security == MailSecurity::None &&
                                     stored.loginMethod == server.loginMethod;
        server.allowLoginWithoutEncryption =
            confirmedBefore || (args.security && mail.ConfirmLoginWithoutEncryption());
        if (!server.allowLoginWithoutEncryption) {
            context.err() << "The login would travel unencrypted: use --security starttls or "
                             "tls, or --security none --yes to send it anyway.\n";
            return kExitUsage;
        }
    }

    for (const int id : args.ids) {
        Recipe recipe;
        if (!context.dialog().Recipes().LoadRecipe(id, recipe)) {
            context.err() << "No recipe number " << id << " in "
                          << context.dialog().Boxes().CookbookPath() << ".\n";
            return kExitFailure;
        }
        EmailRecipeValues values;
        values.to = args.to;
        values.subject = args.subject ? *args.subject
                                      : std::string(kRecipeMailSubjectPrefix) + " " + recipe.Title;
        values.message = kRecipeMailDefaultNote;
        std::string error;
        const std::unique_ptr<PreparedMail> prepared =
            mail.PrepareRecipeMail(recipe, values, args.nutrition, error);
        if (!prepared) {
            context.err() << error << "\n";
            return kExitFailure;
        }
        prepared->message.from = ParseMailAddress(from);
        const MailSendResult result = mail.Send(*prepared, server, nullptr);
        if (!result.sent) {
            context.err() << "Recipe " << id << ": "
                          << MailController::FailureMessage(result, server.server) << "\n";
            return kExitFailure;
        }
        context.out() << "Sent recipe " << id << " to " << args.to << "\n";
    }
    return kExitOk;
}

}  // namespace

void AddMailCommands(std::vector<Command>& table) {
    table.push_back({"mail", "ID... --to ADDR [options]",
                     "mail recipes (--from --subject --server --port --security "
                     "none|starttls|tls --login none|login|plain|cram-md5 --user "
                     "--password-file --ca-file --nutrition)",
                     RunMail});
}

}  // namespace pantrio::cli
