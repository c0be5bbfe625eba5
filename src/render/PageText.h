// Small text operations shared by the page renderers.
#pragma once

#include <string>
#include <string_view>

namespace pantrio {

// Every occurrence of `placeholder` in `page` replaced by `value`, scanning
// left to right; text that a replacement brings in is not scanned again.
std::string ReplacePlaceholder(const std::string& page, std::string_view placeholder,
                               std::string_view value);

// Writes `text` to `path`, creating the file or replacing its whole content.
// False when the file cannot be written.
bool WriteWholeFile(const std::string& path, const std::string& text);

}  // namespace pantrio
