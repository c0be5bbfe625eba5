// The global options of pantrio-cli and the command they precede.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pantrio::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct CliOptions {
    std::string dataRoot;  // --data-root DIR
    std::string box;       // --box FILE
    bool yes = false;      // --yes
    bool help = false;     // --help
    std::string command;
    std::vector<std::string> arguments;  // what follows the command
};

// A whole decimal number within [low, high]; false for anything else.
bool ParseNumber(const std::string& text, long low, long high, long& value);

// Reads the arguments after the program name. Global options may stand before
// or after the command; "--" ends option reading. Options that are not global
// are left to the command. Nothing, with `error` set, on a malformed option.
std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& arguments,
                                          std::string& error);

}  // namespace pantrio::cli
