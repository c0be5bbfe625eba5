// A timestamped log of the program's start-up steps, for finding what holds
// the first window back: with PANTRIO_TRACE_START=1 in the environment each
// step is written as "pantrio start: <ms since the program began> ms  <step>".
// Without it nothing is written.
#pragma once

#include <cstdio>

namespace pantrio {

// True when PANTRIO_TRACE_START is set to 1.
bool StartTraceEnabled();

// Writes `step` with the milliseconds since the program began to `out`
// (standard error unless given), when the trace is enabled.
void TraceStartStep(const char* step, std::FILE* out = nullptr);

}  // namespace pantrio
