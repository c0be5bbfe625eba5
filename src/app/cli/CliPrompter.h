// The prompter of the command line: every message goes to standard error, and
// questions take the default answer (No or Cancel) unless --yes asked for
// Yes or OK. There are no file dialogs or text prompts; they answer Cancel.
#pragma once

#include <ostream>

#include "base/Prompter.h"

namespace pantrio::cli {

class CliPrompter : public Prompter {
public:
    CliPrompter(std::ostream& err, bool answerYes) : err_(err), answerYes_(answerYes) {}

    Answer Message(const std::string& text, const std::string& caption, Buttons buttons,
                   MessageIcon icon) override;
    std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                       const std::string& initial) override;
    std::optional<std::string> OpenFile(const std::string& title, const std::string& filter,
                                        const std::string& startFolder) override;
    std::optional<std::string> SaveFile(const std::string& title, const std::string& filter,
                                        const std::string& suggestedName) override;

private:
    std::ostream& err_;
    bool answerYes_;
};

}  // namespace pantrio::cli
