// Opens an address in the user's own web browser, outside the program: the
// help pages and the service's forum. The desktop program asks the desktop
// to open it; tests record the addresses.
#pragma once

#include <string>

namespace pantrio {

class ExternalBrowser {
public:
    virtual ~ExternalBrowser() = default;
    // False when no browser could be started.
    virtual bool Open(const std::string& address) = 0;
};

}  // namespace pantrio
