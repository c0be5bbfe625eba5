// Letter case of whole UTF-8 characters, as titles and published file names
// need it.
#include <gtest/gtest.h>

#include "base/Text.h"

namespace pantrio {
namespace {

TEST(LetterCase, WholeCharactersChangeCaseAndEverythingElseStays) {
    const struct {
        const char* upper;
        const char* lower;
    } pairs[] = {
        {"CRÈME BRÛLÉE À L'ORANGE", "crème brûlée à l'orange"},
        {"ÑAM ÇA ÆØÅ Ÿ", "ñam ça æøå ÿ"},
        {"ŁÓDŹ ŠŽČ ĞŐŰ", "łódź šžč ğőű"},
        {"ΣΟΥΠΑ БОРЩ", "σουπα борщ"},
        {"1/2 × 3 ÷ 4 €", "1/2 × 3 ÷ 4 €"},  // signs and three-byte characters
    };
    for (const auto& p : pairs) {
        EXPECT_EQ(ToLowerText(p.upper), p.lower);
        EXPECT_EQ(ToUpperText(p.lower), p.upper);
    }
    // Letters with one case only, and bytes that are not UTF-8, stay.
    EXPECT_EQ(ToUpperText("straße"), "STRAßE");
    EXPECT_EQ(ToLowerText("A\xC9\xFF"
                          "B"),
              "a\xC9\xFF"
              "b");
    EXPECT_EQ(ToLowerText("\xC1\x81"), "\xC1\x81") << "an overlong form is not a letter";
}

}  // namespace
}  // namespace pantrio
