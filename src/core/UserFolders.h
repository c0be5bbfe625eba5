// The user's standard folders as the XDG base-directory convention names
// them. A relative or empty XDG variable is ignored, as the convention asks.
#pragma once

#include <string>

namespace pantrio {

// $HOME, else the home folder of the user's account entry; "/tmp" as a last resort.
std::string HomeFolder();
// $XDG_CONFIG_HOME, else ~/.config.
std::string ConfigHome();
// $XDG_DATA_HOME, else ~/.local/share.
std::string DataHome();
// $TMPDIR, else /tmp.
std::string TempFolder();

}  // namespace pantrio
