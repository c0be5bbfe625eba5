#include "support/FakePrompter.h"

namespace pantrio::test {

namespace {

Answer DefaultAnswer(Buttons buttons) {
    switch (buttons) {
        case Buttons::OK:
            return Answer::OK;
        case Buttons::OKCancel:
            return Answer::Cancel;
        case Buttons::YesNo:
        case Buttons::YesNoCancel:
            return Answer::No;
    }
    return Answer::Cancel;
}

template <typename T>
std::optional<std::string> Next(std::deque<T>& queue) {
    if (queue.empty()) return std::nullopt;
    auto value = queue.front();
    queue.pop_front();
    return value;
}

}  // namespace

Answer FakePrompter::Message(const std::string& text, const std::string& caption, Buttons buttons,
                             MessageIcon icon) {
    shown.push_back({"message", text, caption, buttons, icon});
    if (answers.empty()) return DefaultAnswer(buttons);
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> FakePrompter::AskText(const std::string& caption,
                                                 const std::string& prompt, const std::string&) {
    shown.push_back({"text", prompt, caption});
    return Next(texts);
}

std::optional<std::string> FakePrompter::OpenFile(const std::string& title,
                                                  const std::string& filter, const std::string&) {
    shown.push_back({"open", title, filter});
    return Next(fileNames);
}

std::optional<std::string> FakePrompter::SaveFile(const std::string& title,
                                                  const std::string& filter, const std::string&) {
    shown.push_back({"save", title, filter});
    return Next(fileNames);
}

std::vector<std::string> FakePrompter::Messages() const {
    std::vector<std::string> out;
    for (const auto& s : shown)
        if (s.kind == "message") out.push_back(s.text);
    return out;
}

bool FakePrompter::Showed(const std::string& text) const {
    for (const auto& s : shown)
        if (s.kind == "message" && s.text == text) return true;
    return false;
}

bool FakePrompter::ShowedStartingWith(const std::string& prefix) const {
    for (const auto& s : shown)
        if (s.kind == "message" && s.text.rfind(prefix, 0) == 0) return true;
    return false;
}

}  // namespace pantrio::test
