// Opens an address in the user's own web browser through the desktop.
#pragma once

#include "core/ExternalBrowser.h"

namespace pantrio {

class DesktopBrowser : public ExternalBrowser {
public:
    bool Open(const std::string& address) override;
};

}  // namespace pantrio
