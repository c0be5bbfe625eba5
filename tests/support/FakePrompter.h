// A scripted prompter for tests: it records every message, question and
// dialog with its caption and buttons, and answers from queues the test
// fills. With an empty queue a question gets its default answer (No, Cancel
// or OK) and a dialog is cancelled.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "base/Prompter.h"

namespace pantrio::test {

class FakePrompter : public Prompter {
public:
    struct Shown {
        std::string kind;     // "message", "text", "open", "save"
        std::string text;     // message text, prompt or dialog title
        std::string caption;  // caption, or the filter of a file dialog
        Buttons buttons = Buttons::OK;
        MessageIcon icon = MessageIcon::None;
    };

    Answer Message(const std::string& text, const std::string& caption, Buttons buttons,
                   MessageIcon icon) override;
    std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                       const std::string& initial) override;
    std::optional<std::string> OpenFile(const std::string& title, const std::string& filter,
                                        const std::string& startFolder) override;
    std::optional<std::string> SaveFile(const std::string& title, const std::string& filter,
                                        const std::string& suggestedName) override;

    // Answers to give, in order.
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> texts;      // for AskText
    std::deque<std::optional<std::string>> fileNames;  // for OpenFile and SaveFile

    std::vector<Shown> shown;

    // The texts of the messages (kind "message"), in order.
    std::vector<std::string> Messages() const;
    // Whether a message with exactly this text was shown.
    bool Showed(const std::string& text) const;
    // Whether a message starting with this text was shown.
    bool ShowedStartingWith(const std::string& prefix) const;
};

}  // namespace pantrio::test
