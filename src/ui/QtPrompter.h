// The prompter of the desktop program: message boxes with the core's texts,
// captions, buttons and icons, a line-input dialog and the file dialogs, each
// modal over the main window.
#pragma once

#include "base/Prompter.h"

class QWidget;

namespace pantrio {

class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    Answer Message(const std::string& text, const std::string& caption = "",
                   Buttons buttons = Buttons::OK, MessageIcon icon = MessageIcon::None) override;
    std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                       const std::string& initial = "") override;
    std::optional<std::string> OpenFile(const std::string& title, const std::string& filter,
                                        const std::string& startFolder = "") override;
    std::optional<std::string> SaveFile(const std::string& title, const std::string& filter,
                                        const std::string& suggestedName = "") override;

private:
    QWidget* parent_;
};

}  // namespace pantrio
