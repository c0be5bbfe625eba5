#include "core/CommandLine.h"

#include "base/Text.h"

namespace pantrio {

CommandLine CommandLine::Parse(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (const std::string& argument : arguments) {
        // A lone "/" is not a switch, but any absolute path would look like
        // one; only short words after "/" are switches ("/dde").
        const bool isSwitch =
            StartsWith(argument, "-") ||
            (StartsWith(argument, "/") && argument.find('/', 1) == std::string::npos &&
             argument.find('.') == std::string::npos);
        if (argument.empty() || isSwitch) continue;
        if (FindNoCase(argument, ".rxf") != std::string::npos) line.ImportFile = argument;
        if (FindNoCase(argument, ".crb") != std::string::npos) line.BoxFile = argument;
        if (FindNoCase(argument, ".sxf") != std::string::npos) line.ShoppingListFile = argument;
        break;
    }
    return line;
}

}  // namespace pantrio
