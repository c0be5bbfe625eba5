// How the core talks to the user: message boxes with fixed texts, captions and
// buttons, questions, text input and file dialogs. The desktop program
// implements it with Qt, the command line with standard error and default
// answers, and tests with scripted fakes that record every message.
#pragma once

#include <optional>
#include <string>

namespace pantrio {

enum class Buttons { OK, OKCancel, YesNo, YesNoCancel };
enum class Answer { OK, Cancel, Yes, No };
enum class MessageIcon { None, Information, Warning, Error, Question };

class Prompter {
public:
    virtual ~Prompter() = default;

    // Shows `text` with `caption` and the given buttons; returns the button
    // pressed. An empty caption means the program's name.
    virtual Answer Message(const std::string& text, const std::string& caption = "",
                           Buttons buttons = Buttons::OK, MessageIcon icon = MessageIcon::None) = 0;

    // Asks for a line of text; nothing on Cancel.
    virtual std::optional<std::string> AskText(const std::string& caption,
                                               const std::string& prompt,
                                               const std::string& initial = "") = 0;

    // File dialogs. `filter` is a description with its pattern, for example
    // "Pantrio Recipe Box (*.CRB)". Nothing on Cancel.
    virtual std::optional<std::string> OpenFile(const std::string& title, const std::string& filter,
                                                const std::string& startFolder = "") = 0;
    virtual std::optional<std::string> SaveFile(const std::string& title, const std::string& filter,
                                                const std::string& suggestedName = "") = 0;
};

}  // namespace pantrio
