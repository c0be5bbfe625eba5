#include "render/PageText.h"

#include <fstream>

namespace pantrio {

std::string ReplacePlaceholder(const std::string& page, std::string_view placeholder,
                               std::string_view value) {
    std::size_t at = page.find(placeholder);
    if (at == std::string::npos || placeholder.empty()) return page;
    std::string out;
    out.reserve(page.size() + value.size());
    std::size_t from = 0;
    while (at != std::string::npos) {
        out.append(page, from, at - from);
        out.append(value);
        from = at + placeholder.size();
        at = page.find(placeholder, from);
    }
    out.append(page, from, std::string::npos);
    return out;
}

bool WriteWholeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace pantrio
