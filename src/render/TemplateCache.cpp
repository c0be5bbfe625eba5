#include "render/TemplateCache.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "base/Text.h"

namespace pantrio {

bool ReadTemplateFile(const std::string& path, std::string& text, std::string& error) {
    text.clear();
    error.clear();
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const int reason = errno != 0 ? errno : ENOENT;
        error = path + ": " + std::strerror(reason);
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = EnsureUtf8(buffer.str());
    return true;
}

TemplateCache::TemplateCache(std::string themesFolder,
                             std::function<void(const std::string& error)> reportReadError)
    : themesFolder_(std::move(themesFolder)), reportReadError_(std::move(reportReadError)) {}

bool TemplateCache::Read(const std::string& path, std::string& text) {
    std::string error;
    if (ReadTemplateFile(path, text, error)) return true;
    if (reportReadError_) reportReadError_(error);
    return false;
}

std::string TemplateCache::ThemePath(int number) const {
    return themesFolder_ + Format("/recipetheme%d.htm", number);
}

const std::string& TemplateCache::Theme(int number) {
    if (number < 0) number = 0;
    if (number == themeNumber_) return themeText_;
    std::string text;
    if (Read(ThemePath(number), text)) themeText_ = std::move(text);
    themeNumber_ = number;
    return themeText_;
}

const std::string& TemplateCache::NutritionFacts() {
    if (Trim(nutritionText_).empty()) Read(themesFolder_ + "/nutritionfacts.htm", nutritionText_);
    return nutritionText_;
}

}  // namespace pantrio
