#include "SeedFile.h"

#include <fstream>

#include "base/Text.h"

namespace pantrio::tools {

std::string LineError(const std::filesystem::path& path, int line, const std::string& why) {
    return path.string() + ":" + std::to_string(line) + ": " + why;
}

std::string TrimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string LowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool ReadSeedFile(const std::filesystem::path& path, size_t fieldCount,
                  std::vector<SeedLine>& lines, std::string& error) {
    lines.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path.string() + ": cannot read the seed file";
        return false;
    }
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (!IsValidUtf8(text)) {
            error = LineError(path, number, "the line is not valid UTF-8");
            return false;
        }
        if (TrimBlanks(text).empty() || text.front() == '#') continue;

        SeedLine line;
        line.number = number;
        size_t start = 0;
        while (true) {
            const auto tab = text.find('\t', start);
            line.fields.push_back(TrimBlanks(text.substr(start, tab - start)));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        if (line.fields.size() != fieldCount) {
            error = LineError(path, number,
                              "expected " + std::to_string(fieldCount) +
                                  (fieldCount == 1 ? " field" : " tab-separated fields") +
                                  ", found " + std::to_string(line.fields.size()));
            return false;
        }
        lines.push_back(std::move(line));
    }
    return true;
}

}  // namespace pantrio::tools
