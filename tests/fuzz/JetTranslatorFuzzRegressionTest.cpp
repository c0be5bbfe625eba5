// Runs every input kept under tests/data/fuzz/jet_translator through the
// statement translator's fuzz target, which stops the program when one of its
// checks fails.
#define LLVMFuzzerTestOneInput JetTranslatorFuzzInput
#include "../../fuzz/jet_translator_fuzz.cpp"
#undef LLVMFuzzerTestOneInput

#include <gtest/gtest.h>

#include "fuzz/FuzzInputs.h"

TEST(JetTranslatorFuzzRegression, EveryKeptInputPasses) {
    const auto inputs = pantrio::test::FuzzInputs("jet_translator");
    ASSERT_FALSE(inputs.empty()) << "no inputs in tests/data/fuzz/jet_translator";
    for (const auto& [name, bytes] : inputs) {
        SCOPED_TRACE(name);
        EXPECT_EQ(JetTranslatorFuzzInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                         bytes.size()),
                  0);
    }
}
