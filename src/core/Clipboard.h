// The system clipboard, as text. The desktop program implements it with the
// toolkit's clipboard; tests keep the text in memory.
#pragma once

#include <string>

#include "recipe/RecipePicture.h"

namespace pantrio {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The clipboard's text; empty when it holds none.
    virtual std::string Text() = 0;
    virtual void SetText(const std::string& text) = 0;
    // The clipboard's picture as RGB; false when it holds none.
    virtual bool Picture(RgbImage& /*image*/) { return false; }
};

}  // namespace pantrio
