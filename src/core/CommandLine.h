// The start-up items named on the program's command line: a recipe exchange
// file to import, a recipe box to open, a shopping list to open.
#pragma once

#include <string>
#include <vector>

namespace pantrio {

struct CommandLine {
    std::string ImportFile;        // a ".rxf" file: import it, then close
    std::string BoxFile;           // a ".crb" box: open it instead of CookbookPath
    std::string ShoppingListFile;  // a ".sxf" list: open it once the window is up

    // Reads the arguments after the program name. The first argument that is
    // not a switch (switches begin with "-" or "/") is searched, ignoring
    // letter case, for ".rxf", ".crb" and ".sxf" anywhere in it; each text
    // found sets its own item to that argument, so one argument can set more
    // than one. The path itself keeps its letter case: file names are
    // case-sensitive here.
    static CommandLine Parse(const std::vector<std::string>& arguments);
};

}  // namespace pantrio
