// Settings that hold for the whole test run, applied before any test starts.
#include <cstdlib>

namespace {

struct TestEnvironment {
    TestEnvironment() {
        // Test databases are thrown away: commits need not wait for the disk.
        setenv("PANTRIO_SQLITE_SYNCHRONOUS", "OFF", 0);
    }
};

const TestEnvironment environment;

}  // namespace
