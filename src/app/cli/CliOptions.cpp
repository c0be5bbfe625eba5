#include "app/cli/CliOptions.h"

#include <cstdlib>

namespace pantrio::cli {

namespace {

// Splits "--name=value"; the value is empty and `hasValue` false without "=".
std::string OptionName(const std::string& argument, std::string& value, bool& hasValue) {
    const auto eq = argument.find('=');
    hasValue = eq != std::string::npos;
    value = hasValue ? argument.substr(eq + 1) : std::string();
    return hasValue ? argument.substr(0, eq) : argument;
}

}  // namespace

std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& arguments,
                                          std::string& error) {
    CliOptions options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && argument.rfind("--", 0) == 0) {
            std::string value;
            bool hasValue = false;
            const std::string name = OptionName(argument, value, hasValue);
            if (name == "--data-root" || name == "--box") {
                if (!hasValue) {
                    if (i + 1 >= arguments.size()) {
                        error = name + " needs a value";
                        return std::nullopt;
                    }
                    value = arguments[++i];
                }
                if (value.empty()) {
                    error = name + " needs a value";
                    return std::nullopt;
                }
                (name == "--box" ? options.box : options.dataRoot) = value;
                continue;
            }
            if (name == "--yes" || name == "--help") {
                if (hasValue) {
                    error = name + " takes no value";
                    return std::nullopt;
                }
                (name == "--yes" ? options.yes : options.help) = true;
                continue;
            }
            // Not a global option: it belongs to the command, or is unknown.
            if (options.command.empty()) {
                error = "unknown option " + argument;
                return std::nullopt;
            }
        }
        if (options.command.empty())
            options.command = argument;
        else
            options.arguments.push_back(argument);
    }
    return options;
}

bool ParseNumber(const std::string& text, long low, long high, long& value) {
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && value >= low && value <= high;
}

}  // namespace pantrio::cli
