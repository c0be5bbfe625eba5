// The two text operations of the plain-text recipe: padding a label to a
// column and breaking a long text into lines of a fixed width.
#pragma once

#include <string>

namespace pantrio {

// The label with width - length + 1 blanks before it (right-aligned) or
// after it; no blanks when that count is below 1. A width above 1000 gives
// the label unchanged. Length counts characters, not bytes.
std::string PadLabel(const std::string& label, int width, bool rightAligned);

// Breaks the text by count alone: after a character that arrives while more
// than `width` characters stand in the current line, a line feed is added.
// The first line thus holds width + 2 characters and every later one
// width + 1. Line feeds already in the text do not reset the count, and
// words are split wherever the count falls; a multi-byte character is never
// split.
std::string WrapText(const std::string& text, int width);

}  // namespace pantrio
