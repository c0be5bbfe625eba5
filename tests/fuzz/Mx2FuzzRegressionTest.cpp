// Runs every input kept under tests/data/fuzz/mx2 through the mx2 fuzz
// target, which stops the program when one of its checks fails.
#define LLVMFuzzerTestOneInput Mx2FuzzInput
#include "../../fuzz/mx2_fuzz.cpp"
#undef LLVMFuzzerTestOneInput

#include <gtest/gtest.h>

#include "fuzz/FuzzInputs.h"

TEST(Mx2FuzzRegression, EveryKeptInputPasses) {
    const auto inputs = pantrio::test::FuzzInputs("mx2");
    ASSERT_FALSE(inputs.empty()) << "no inputs in tests/data/fuzz/mx2";
    for (const auto& [name, bytes] : inputs) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Mx2FuzzInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                  0);
    }
}
