// Reading the seed files in data/seed: UTF-8 text, one record per line, the
// fields of a record separated by tabs. Blank lines and lines that begin with
// '#' are comments. Every failure names the file and the line.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace pantrio::tools {

struct SeedLine {
    int number = 0;                   // 1-based line number in the file
    std::vector<std::string> fields;  // trimmed of blanks
};

// Reads `path`, requiring exactly `fieldCount` fields on every record line.
// On failure returns false and sets `error` to "<path>:<line>: <why>".
bool ReadSeedFile(const std::filesystem::path& path, size_t fieldCount,
                  std::vector<SeedLine>& lines, std::string& error);

// "<path>:<line>: <why>", the form of every seed and food-file error.
std::string LineError(const std::filesystem::path& path, int line, const std::string& why);

// Blanks and tabs removed from both ends.
std::string TrimBlanks(const std::string& text);

// ASCII lower case, for duplicate checks that ignore letter case as the
// database's NOCASE collation does.
std::string LowerAscii(std::string text);

}  // namespace pantrio::tools
