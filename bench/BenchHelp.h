// --help for the benchmark programs.
#pragma once

#include <cstdio>
#include <cstring>

namespace pantrio::bench {

// When --help or -h is among the arguments, prints `usage` on standard
// output and returns true: the program then ends with 0.
inline bool AnswerHelp(int argc, char** argv, const char* usage) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(usage, stdout);
            return true;
        }
    }
    return false;
}

}  // namespace pantrio::bench
