// Runs every input kept under tests/data/fuzz/jsonld through the jsonld fuzz
// target, which stops the program when one of its checks fails.
#define LLVMFuzzerTestOneInput JsonLdFuzzInput
#include "../../fuzz/jsonld_fuzz.cpp"
#undef LLVMFuzzerTestOneInput

#include <gtest/gtest.h>

#include "fuzz/FuzzInputs.h"

TEST(JsonLdFuzzRegression, EveryKeptInputPasses) {
    const auto inputs = pantrio::test::FuzzInputs("jsonld");
    ASSERT_FALSE(inputs.empty()) << "no inputs in tests/data/fuzz/jsonld";
    for (const auto& [name, bytes] : inputs) {
        SCOPED_TRACE(name);
        EXPECT_EQ(
            JsonLdFuzzInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0);
    }
}
