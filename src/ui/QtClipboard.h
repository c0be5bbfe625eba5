// The system clipboard as text, through the toolkit.
#pragma once

#include "core/Clipboard.h"

namespace pantrio {

class QtClipboard : public Clipboard {
public:
    std::string Text() override;
    void SetText(const std::string& text) override;
    bool Picture(RgbImage& image) override;
};

}  // namespace pantrio
