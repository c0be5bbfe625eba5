// Where the per-user settings live: named number and text values of one
// application key. The program keeps them in an INI-style file
// (IniSettingsStore); tests may use the same file in a temporary folder.
// Writes change the store in memory; Flush makes them permanent.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pantrio {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // Nothing when the value is missing or is not a 32-bit number.
    virtual std::optional<std::int32_t> ReadNumber(const std::string& name) const = 0;
    // Nothing when the value is missing.
    virtual std::optional<std::string> ReadText(const std::string& name) const = 0;

    virtual void WriteNumber(const std::string& name, std::int32_t value) = 0;
    virtual void WriteText(const std::string& name, const std::string& value) = 0;

    // Stores every value permanently; false when that failed (the previous
    // permanent state is then kept whole).
    virtual bool Flush() = 0;

    // Where the values are kept, for messages ("~/.config/Hearthline/Pantrio.conf").
    virtual std::string Location() const = 0;
};

}  // namespace pantrio
