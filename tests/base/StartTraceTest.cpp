// The start-up trace writes its steps, in order and with growing times, only
// when asked to through the environment.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/StartTrace.h"

namespace pantrio {
namespace {

// The lines written by two steps with the variable set to `value` (unset
// when null).
std::vector<std::string> TwoSteps(const char* value) {
    if (value)
        setenv("PANTRIO_TRACE_START", value, 1);
    else
        unsetenv("PANTRIO_TRACE_START");
    std::FILE* out = std::tmpfile();
    TraceStartStep("first step", out);
    TraceStartStep("second step", out);
    std::rewind(out);
    std::vector<std::string> lines;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, out)) lines.emplace_back(buffer);
    std::fclose(out);
    unsetenv("PANTRIO_TRACE_START");
    return lines;
}

TEST(StartTrace, WritesTimedStepsOnlyWhenAskedTo) {
    for (const char* off : {static_cast<const char*>(nullptr), "0", "", "yes"})
        EXPECT_TRUE(TwoSteps(off).empty()) << (off ? off : "unset");

    const std::vector<std::string> lines = TwoSteps("1");
    ASSERT_EQ(lines.size(), 2u);
    double times[2] = {-1, -1};
    char steps[2][64] = {};
    for (int i = 0; i < 2; ++i)
        ASSERT_EQ(std::sscanf(lines[static_cast<std::size_t>(i)].c_str(),
                              "pantrio start: %lf ms  %63[^\n]", &times[i], steps[i]),
                  2)
            << lines[static_cast<std::size_t>(i)];
    EXPECT_EQ(std::string(steps[0]), "first step");
    EXPECT_EQ(std::string(steps[1]), "second step");
    EXPECT_GE(times[0], 0);
    EXPECT_GE(times[1], times[0]);
}

}  // namespace
}  // namespace pantrio
