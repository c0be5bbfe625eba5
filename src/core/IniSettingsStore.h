// The settings file: UTF-8 text in INI form with one section ("[Pantrio]")
// holding "Name=value" lines under the value names of the settings. It is
// written whole to a temporary file that then replaces the old one, so a
// crash never leaves half a settings file. A file that cannot be read, or
// lines that make no sense, read as missing values: the settings fall back to
// their defaults.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/SettingsStore.h"

namespace pantrio {

class IniSettingsStore : public SettingsStore {
public:
    explicit IniSettingsStore(std::string path, std::string section = "Pantrio");

    // Reads the file. A missing file gives an empty store and true; a file
    // that exists but cannot be read gives an empty store and false, and
    // Flush then refuses to replace that file, so settings the program could
    // not read are never overwritten with defaults.
    bool Load();

    std::optional<std::int32_t> ReadNumber(const std::string& name) const override;
    std::optional<std::string> ReadText(const std::string& name) const override;
    void WriteNumber(const std::string& name, std::int32_t value) override;
    void WriteText(const std::string& name, const std::string& value) override;
    bool Flush() override;
    std::string Location() const override { return path_; }

    const std::string& Path() const { return path_; }

    // $XDG_CONFIG_HOME/Hearthline/Pantrio.conf, else ~/.config/Hearthline/Pantrio.conf.
    static std::string DefaultPath();

    // The escaping of values in the file. Values may hold bytes that are not
    // valid UTF-8 or are control characters (the shifted mail settings do), so
    // such bytes are written as "%XX" with two hexadecimal digits, as are "%"
    // itself and blanks at either end of a value. Plain UTF-8 text stays
    // readable. Decoding leaves a "%" that starts no valid escape as it is,
    // and never produces a NUL byte.
    static std::string EscapeValue(const std::string& value);
    static std::string UnescapeValue(const std::string& text);

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> values;  // name, decoded value
    };
    Section& Own();
    const Section* FindOwn() const;
    bool LoadFile();
    void Parse(const std::string& text);

    std::string path_;
    std::string section_;
    bool unreadable_ = false;        // the file exists but could not be read
    std::vector<Section> sections_;  // in file order; other sections are kept as read
};

}  // namespace pantrio
