// Reading and changing the window's open box in the window tests. The
// statements run through the box controller, on the connection the window
// itself reads with, so a list that is still reading never locks them out.
#pragma once

#include <cstdlib>
#include <string>

#include "core/MainDialog.h"

namespace pantrio::test {

// The first value of `statement` as a number; 0 when it yields no row, -1
// when it cannot be run.
inline long BoxNumber(MainDialog& main, const std::string& statement) {
    StatementRows result;
    std::string error;
    if (!main.Boxes().RunStatement(statement, false, result, error)) return -1;
    if (result.rows.empty() || result.rows[0].empty()) return 0;
    return std::atol(result.rows[0][0].c_str());
}

// Runs a statement that changes the box; false when it failed.
inline bool RunOnBox(MainDialog& main, const std::string& statement) {
    StatementRows result;
    std::string error;
    return main.Boxes().RunStatement(statement, false, result, error);
}

}  // namespace pantrio::test
