#include "core/UserFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace pantrio {

namespace {

std::string AbsoluteFromEnv(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/') return {};
    return value;
}

}  // namespace

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return home;
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr)
        return found->pw_dir;
    return "/tmp";
}

std::string ConfigHome() {
    std::string dir = AbsoluteFromEnv("XDG_CONFIG_HOME");
    return dir.empty() ? HomeFolder() + "/.config" : dir;
}

std::string DataHome() {
    std::string dir = AbsoluteFromEnv("XDG_DATA_HOME");
    return dir.empty() ? HomeFolder() + "/.local/share" : dir;
}

std::string TempFolder() {
    std::string dir = AbsoluteFromEnv("TMPDIR");
    return dir.empty() ? "/tmp" : dir;
}

}  // namespace pantrio
