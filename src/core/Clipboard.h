// The system clipboard, as text. The desktop program implements it with the
// toolkit's clipboard; tests keep the text in memory.
#pragma once

#include <string>

namespace pantrio {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The clipboard's text; empty when it holds none.
    virtual std::string Text() = 0;
    virtual void SetText(const std::string& text) = 0;
};

}  // namespace pantrio
