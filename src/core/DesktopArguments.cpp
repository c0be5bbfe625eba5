#include "core/DesktopArguments.h"

#include <optional>

namespace pantrio {

namespace {

// A whole decimal number from `low` to `high`, or nothing.
std::optional<int> WholeNumber(const std::string& text, long low, long high) {
    if (text.empty() || text.size() > 10) return std::nullopt;
    long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace

DesktopArguments DesktopArguments::Parse(const std::vector<std::string>& arguments) {
    DesktopArguments parsed;
    bool themeGiven = false, titleGiven = false;
    std::vector<std::string> numbers;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (arg == "--help" || arg == "-h") {
            parsed.help = true;
        } else if (arg == "--data-root" || arg == "--screenshot" || arg == "--cookbook-pdf" ||
                   arg == "--theme" || arg == "--title") {
            if (i + 1 >= arguments.size()) {
                parsed.error = "option '" + arg + "' needs a value";
                return parsed;
            }
            const std::string& value = arguments[++i];
            if (arg == "--data-root") {
                parsed.dataRoot = value;
            } else if (arg == "--screenshot") {
                parsed.screenshot = value;
            } else if (arg == "--cookbook-pdf") {
                parsed.cookbookPdf = value;
            } else if (arg == "--title") {
                parsed.cookbookTitle = value;
                titleGiven = true;
            } else {
                const std::optional<int> theme = WholeNumber(value, 0, 7);
                if (!theme) {
                    parsed.error = "the theme must be a number from 0 to 7, not '" + value + "'";
                    return parsed;
                }
                parsed.cookbookTheme = *theme;
                themeGiven = true;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            parsed.error = "unknown option '" + arg + "'";
            return parsed;
        } else {
            numbers.push_back(arg);
        }
    }
    if (parsed.cookbookPdf.empty()) {
        if (themeGiven || titleGiven) {
            parsed.error = std::string("option '") + (themeGiven ? "--theme" : "--title") +
                           "' belongs to '--cookbook-pdf'";
            return parsed;
        }
        parsed.rest = std::move(numbers);
        return parsed;
    }
    for (const std::string& number : numbers) {
        if (number.size() > 4 && number.compare(number.size() - 4, 4, ".crb") == 0) {
            parsed.rest.push_back(number);
        } else if (const std::optional<int> id = WholeNumber(number, 1, 0x7fffffff)) {
            parsed.cookbookRecipes.push_back(*id);
        } else {
            parsed.error = "'" + number + "' is not a recipe number";
            return parsed;
        }
    }
    if (parsed.cookbookRecipes.empty()) parsed.error = "'--cookbook-pdf' needs recipe numbers";
    return parsed;
}

std::vector<std::string> WithoutToolkitSwitches(const std::vector<std::string>& arguments) {
    // The toolkit's switches, written with one dash or two; those in the first
    // list take the next argument as their value.
    static const char* const kWithValue[] = {
        "platform",    "platformpluginpath", "platformtheme", "plugin",     "qwindowgeometry",
        "qwindowicon", "qwindowtitle",       "style",         "stylesheet", "session",
        "display",     "geometry",           "title",         "name",       "visual"};
    static const char* const kAlone[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        std::string name;
        if (arg.size() > 2 && arg[0] == '-' && arg[1] == '-')
            name = arg.substr(2);
        else if (arg.size() > 1 && arg[0] == '-')
            name = arg.substr(1);
        const std::size_t equals = name.find('=');
        const bool inlineValue = equals != std::string::npos;
        if (inlineValue) name.erase(equals);
        bool toolkit = false;
        for (const char* alone : kAlone) toolkit = toolkit || name == alone;
        bool takesValue = false;
        for (const char* withValue : kWithValue) takesValue = takesValue || name == withValue;
        // "--title" is the cookbook's own switch; the toolkit's is "-title".
        if (takesValue && name == "title" && arg[1] == '-') takesValue = false;
        if (toolkit || takesValue) {
            if (takesValue && !inlineValue) ++i;
            continue;
        }
        kept.push_back(arg);
    }
    return kept;
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
           "  --cookbook-pdf OUT [--theme N] [--title T] ID...\n"
           "                      write recipes ID... of the box as a cookbook (title\n"
           "                      page, contents, recipes in theme N (0-7), index by\n"
           "                      keyword) to the PDF file OUT and end; a BOX.crb among\n"
           "                      the numbers names the box; exit 0 done, 1 failed,\n"
           "                      2 wrong arguments\n"
           "  -h, --help          show this text and end\n";
}

}  // namespace pantrio
