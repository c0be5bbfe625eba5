#include "core/IniSettingsStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/Text.h"
#include "core/UserFolders.h"

namespace pantrio {

namespace fs = std::filesystem;

namespace {

// Settings files are small; anything larger is not ours and reads as empty.
constexpr std::uintmax_t kMaxFileSize = 1 << 20;

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool EqualsName(const std::string& a, const std::string& b) {
    return EqualsNoCase(a, b);
}

}  // namespace

IniSettingsStore::IniSettingsStore(std::string path, std::string section)
    : path_(std::move(path)), section_(std::move(section)) {}

std::string IniSettingsStore::DefaultPath() {
    return (fs::path(ConfigHome()) / "Hearthline" / "Pantrio.conf").string();
}

std::string IniSettingsStore::EscapeValue(const std::string& value) {
    const bool utf8 = IsValidUtf8(value);
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(value[i]);
        const bool edgeBlank = (c == ' ') && (i == 0 || i + 1 == value.size());
        const bool escape = c < 0x20 || c == 0x7F || c == '%' || edgeBlank || (c >= 0x80 && !utf8);
        if (escape) {
            out.push_back('%');
            out.push_back(hex[c >> 4]);
            out.push_back(hex[c & 0x0F]);
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

std::string IniSettingsStore::UnescapeValue(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int hi = HexDigit(text[i + 1]);
            const int lo = HexDigit(text[i + 2]);
            if (hi >= 0 && lo >= 0 && (hi | lo) != 0) {
                out.push_back(static_cast<char>(hi * 16 + lo));
                i += 2;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

bool IniSettingsStore::Load() {
    sections_.clear();
    unreadable_ = !LoadFile();
    return !unreadable_;
}

bool IniSettingsStore::LoadFile() {
    std::error_code ec;
    const auto status = fs::status(path_, ec);
    if (ec || !fs::exists(status)) return true;  // a first start: no settings yet
    if (!fs::is_regular_file(status)) return false;
    const auto size = fs::file_size(path_, ec);
    if (ec || size > kMaxFileSize) return false;
    std::ifstream in(path_, std::ios::binary);
    if (!in) return false;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return false;
    Parse(text.str());
    return true;
}

void IniSettingsStore::Parse(const std::string& text) {
    Section* current = nullptr;
    for (std::string line : Split(text, '\n')) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // A line with a NUL byte or broken UTF-8 was not written by us: skip it.
        if (line.find('\0') != std::string::npos || !IsValidUtf8(line)) continue;
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#') continue;
        if (trimmed.front() == '[') {
            if (trimmed.back() != ']') {
                current = nullptr;
                continue;
            }
            sections_.push_back(Section{Trim(trimmed.substr(1, trimmed.size() - 2)), {}});
            current = &sections_.back();
            continue;
        }
        const auto eq = line.find('=');
        if (current == nullptr || eq == std::string::npos) continue;
        std::string name = Trim(line.substr(0, eq));
        if (name.empty()) continue;
        // Blanks around "=" are layout; blanks that belong to the value are escaped.
        std::string value = UnescapeValue(Trim(line.substr(eq + 1)));
        bool replaced = false;
        for (auto& [n, v] : current->values) {
            if (EqualsName(n, name)) {
                v = value;  // the last line of a name wins
                replaced = true;
            }
        }
        if (!replaced) current->values.emplace_back(std::move(name), std::move(value));
    }
}

const IniSettingsStore::Section* IniSettingsStore::FindOwn() const {
    for (const auto& s : sections_)
        if (EqualsName(s.name, section_)) return &s;
    return nullptr;
}

IniSettingsStore::Section& IniSettingsStore::Own() {
    for (auto& s : sections_)
        if (EqualsName(s.name, section_)) return s;
    sections_.insert(sections_.begin(), Section{section_, {}});
    return sections_.front();
}

std::optional<std::string> IniSettingsStore::ReadText(const std::string& name) const {
    const Section* own = FindOwn();
    if (own == nullptr) return std::nullopt;
    for (const auto& [n, v] : own->values)
        if (EqualsName(n, name)) return v;
    return std::nullopt;
}

std::optional<std::int32_t> IniSettingsStore::ReadNumber(const std::string& name) const {
    const auto text = ReadText(name);
    if (!text) return std::nullopt;
    const std::string t = Trim(*text);
    if (t.empty()) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(t.c_str(), &end, 10);
    if (errno != 0 || end == nullptr || *end != '\0') return std::nullopt;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

void IniSettingsStore::WriteText(const std::string& name, const std::string& value) {
    Section& own = Own();
    for (auto& [n, v] : own.values) {
        if (EqualsName(n, name)) {
            v = value;
            return;
        }
    }
    own.values.emplace_back(name, value);
}

void IniSettingsStore::WriteNumber(const std::string& name, std::int32_t value) {
    WriteText(name, std::to_string(value));
}

bool IniSettingsStore::Flush() {
    if (unreadable_) return false;
    std::string text;
    for (const auto& s : sections_) {
        if (!text.empty()) text += "\n";
        text += "[" + s.name + "]\n";
        for (const auto& [n, v] : s.values) text += n + "=" + EscapeValue(v) + "\n";
    }

    const fs::path target(path_);
    std::error_code ec;
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);

    // Write a sibling temporary file, sync it, then rename it over the old
    // file: rename replaces atomically, so readers see the old or the new
    // file, never a part of one.
    std::string temp = path_ + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
        } else {
            done += static_cast<std::size_t>(n);
        }
    }
    if (ok && fsync(fd) != 0) ok = false;
    fchmod(fd, 0600);  // mail settings live here
    if (close(fd) != 0) ok = false;
    if (ok && std::rename(temp.c_str(), path_.c_str()) != 0) ok = false;
    if (!ok) unlink(temp.c_str());
    return ok;
}

}  // namespace pantrio
