#include "core/ShiftedText.h"

namespace pantrio {

namespace {

std::string ShiftBytes(std::string_view text, int amount) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        int c = static_cast<unsigned char>(ch);
        int shifted = c + amount;
        if (shifted >= 256) shifted -= 255;
        out.push_back(static_cast<char>(shifted));
    }
    return out;
}

}  // namespace

std::string ShiftText(std::string_view plain) {
    return ShiftBytes(plain, kTextShift);
}

std::string UnshiftText(std::string_view shifted) {
    return ShiftBytes(shifted, 255 - kTextShift);
}

}  // namespace pantrio
