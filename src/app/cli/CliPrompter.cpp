#include "app/cli/CliPrompter.h"

namespace pantrio::cli {

Answer CliPrompter::Message(const std::string& text, const std::string& caption, Buttons buttons,
                            MessageIcon) {
    if (!caption.empty()) err_ << caption << ": ";
    err_ << text;
    Answer answer = Answer::OK;
    switch (buttons) {
        case Buttons::OK:
            break;
        case Buttons::OKCancel:
            answer = answerYes_ ? Answer::OK : Answer::Cancel;
            err_ << (answerYes_ ? "\n  -> OK" : "\n  -> Cancel (--yes answers OK)");
            break;
        case Buttons::YesNo:
        case Buttons::YesNoCancel:
            answer = answerYes_ ? Answer::Yes : Answer::No;
            err_ << (answerYes_ ? "\n  -> Yes" : "\n  -> No (--yes answers Yes)");
            break;
    }
    err_ << "\n";
    err_.flush();
    return answer;
}

std::optional<std::string> CliPrompter::AskText(const std::string& caption,
                                                const std::string& prompt, const std::string&) {
    err_ << caption << ": " << prompt << "\n  -> Cancel (no text input on the command line)\n";
    return std::nullopt;
}

std::optional<std::string> CliPrompter::OpenFile(const std::string& title, const std::string&,
                                                 const std::string&) {
    err_ << title << "\n  -> Cancel (no file dialog on the command line)\n";
    return std::nullopt;
}

std::optional<std::string> CliPrompter::SaveFile(const std::string& title, const std::string&,
                                                 const std::string&) {
    err_ << title << "\n  -> Cancel (no file dialog on the command line)\n";
    return std::nullopt;
}

}  // namespace pantrio::cli
