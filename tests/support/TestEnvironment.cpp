// Settings that hold for the whole test run, applied before any test starts.
#include <gtest/gtest.h>

#include "storage/CADODatabase.h"

namespace {

class TestEnvironment : public ::testing::Environment {
public:
    // Test databases are thrown away: commits need not wait for the disk.
    void SetUp() override { pantrio::CADODatabase::SetDiskSync(pantrio::DiskSync::Off); }
};

// gtest takes ownership of the environment.
[[maybe_unused]] const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new TestEnvironment);

}  // namespace
