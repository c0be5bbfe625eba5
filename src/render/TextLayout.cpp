#include "render/TextLayout.h"

#include "base/Text.h"

namespace pantrio {

std::string PadLabel(const std::string& label, int width, bool rightAligned) {
    if (width > 1000) return label;
    const long count = static_cast<long>(width) - static_cast<long>(CharCount(label)) + 1;
    const std::string blanks(count < 1 ? 0 : static_cast<std::size_t>(count), ' ');
    return rightAligned ? blanks + label : label + blanks;
}

std::string WrapText(const std::string& text, int width) {
    std::string out;
    out.reserve(text.size() + text.size() / (width > 0 ? width : 1) + 1);
    long counter = 0;
    for (std::size_t i = 0; i < text.size();) {
        // One character: a lead byte with its continuation bytes.
        std::size_t next = i + 1;
        while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80)
            ++next;
        out.append(text, i, next - i);
        if (counter > width) {
            out += '\n';
            counter = 0;
        }
        ++counter;
        i = next;
    }
    return out;
}

}  // namespace pantrio
