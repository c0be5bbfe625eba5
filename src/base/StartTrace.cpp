#include "base/StartTrace.h"

#include <chrono>
#include <cstdlib>
#include <cstring>

namespace pantrio {

namespace {

// Set while the program's static objects are made, before main() runs.
const std::chrono::steady_clock::time_point kProgramBegan = std::chrono::steady_clock::now();

}  // namespace

bool StartTraceEnabled() {
    const char* value = std::getenv("PANTRIO_TRACE_START");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

void TraceStartStep(const char* step, std::FILE* out) {
    if (!StartTraceEnabled()) return;
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - kProgramBegan)
            .count();
    std::fprintf(out ? out : stderr, "pantrio start: %8.1f ms  %s\n", ms, step);
    std::fflush(out ? out : stderr);
}

}  // namespace pantrio
