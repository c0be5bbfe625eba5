// The switches of the desktop program itself, read before the window starts:
// "--help", "--data-root DIR", "--screenshot FILE" and "--cookbook-pdf OUT
// [--theme N] [--title T] ID...". Everything else is
// left for the start-up items of CommandLine. A switch the program does not
// know is refused, as Linux programs do, instead of being ignored silently.
#pragma once

#include <string>
#include <vector>

namespace pantrio {

struct DesktopArguments {
    bool help = false;       // "--help" or "-h": print the usage and end
    std::string error;       // why the arguments were refused; empty when they were not
    std::string dataRoot;    // "--data-root DIR"
    std::string screenshot;  // "--screenshot FILE"
    // "--cookbook-pdf OUT": write recipes IDs of the box as a cookbook to OUT
    // and end. The arguments that follow the switches are the recipe
    // numbers (a ".crb" among them names the box to open).
    std::string cookbookPdf;
    int cookbookTheme = -1;     // "--theme N" (0 to 7); -1: the View tab's theme
    std::string cookbookTitle;  // "--title T"; empty: the box's name
    std::vector<int> cookbookRecipes;
    std::vector<std::string> rest;  // the arguments for CommandLine::Parse

    // Reads the arguments after the program name (toolkit switches already
    // taken out). Switches written with "/" ("/dde") are passed on: absolute
    // paths look like them, and CommandLine skips the short ones.
    static DesktopArguments Parse(const std::vector<std::string>& arguments);
};

// `arguments` without the switches the toolkit takes for itself ("-platform
// NAME", "--style NAME", "-reverse" ...), so the program's own switches can be
// checked before the toolkit starts, which needs a display.
std::vector<std::string> WithoutToolkitSwitches(const std::vector<std::string>& arguments);

// The usage text of the desktop program, ending in a new line.
std::string DesktopUsage(const std::string& program);

}  // namespace pantrio
