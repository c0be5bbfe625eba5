#include "formats/RecipeTextFields.h"

#include "base/Text.h"

namespace pantrio {

std::string TitleCase(std::string_view text) {
    std::string out(text);
    bool startOfWord = true;
    for (char& c : out) {
        if (startOfWord) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        startOfWord = c == ' ';
    }
    return out;
}

void SplitNameAndNotes(const std::string& text, std::string& name, std::string& notes) {
    const std::string cleaned = Trim(ReplaceAll(text, "--", ";"));
    const std::size_t cut = cleaned.find_first_of(",;(");
    name = Trim(std::string_view(cleaned).substr(0, cut));
    notes.clear();
    if (cut != std::string::npos) {
        for (std::size_t i = cut; i < cleaned.size(); ++i) {
            const char c = cleaned[i];
            if (c != ')' && c != ',' && c != ';' && c != '(') notes += c;
        }
        notes = Trim(notes);
    }
    if (name.empty() && !notes.empty()) name.swap(notes);
}

std::string ColumnText(std::string_view line, std::size_t from, std::size_t to) {
    std::size_t index = 0;  // character index of the byte at i
    std::size_t begin = std::string_view::npos;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if ((static_cast<unsigned char>(line[i]) & 0xC0) == 0x80) continue;  // continuation
        if (index == from) begin = i;
        if (index == to)
            return begin == std::string_view::npos ? std::string()
                                                   : std::string(line.substr(begin, i - begin));
        ++index;
    }
    if (begin == std::string_view::npos) return {};
    return std::string(line.substr(begin));
}

}  // namespace pantrio
