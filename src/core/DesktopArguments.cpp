#include "core/DesktopArguments.h"

namespace pantrio {

DesktopArguments DesktopArguments::Parse(const std::vector<std::string>& arguments) {
    DesktopArguments parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (arg == "--help" || arg == "-h") {
            parsed.help = true;
        } else if (arg == "--data-root" || arg == "--screenshot") {
            if (i + 1 >= arguments.size()) {
                parsed.error = "option '" + arg + "' needs a value";
                return parsed;
            }
            (arg == "--data-root" ? parsed.dataRoot : parsed.screenshot) = arguments[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            parsed.error = "unknown option '" + arg + "'";
            return parsed;
        } else {
            parsed.rest.push_back(arg);
        }
    }
    return parsed;
}

std::string DesktopUsage(const std::string& program) {
    return "Usage: " + program +
           " [options] [FILE]\n"
           "\n"
           "Pantrio, the recipe manager. FILE may name a recipe exchange file (.rxf) to\n"
           "import (the program closes afterwards), a recipe box (.crb) to open instead\n"
           "of the last one used, or a shopping list (.sxf) to open once the window is up.\n"
           "\n"
           "Options:\n"
           "  --data-root DIR     keep the program's data folders under DIR\n"
           "  --screenshot FILE   show the first recipe, save a picture of the window\n"
           "                      to FILE and end\n"
           "  -h, --help          show this text and end\n";
}

}  // namespace pantrio
