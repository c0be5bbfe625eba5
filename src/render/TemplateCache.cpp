#include "render/TemplateCache.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "base/Prompter.h"
#include "base/Text.h"

namespace pantrio {

bool ReadTemplateFile(const std::string& path, Prompter* prompter, std::string& text) {
    text.clear();
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const int error = errno != 0 ? errno : ENOENT;
        if (prompter)
            prompter->Message(path + ": " + std::strerror(error), "Open", Buttons::OK,
                              MessageIcon::Error);
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = EnsureUtf8(buffer.str());
    return true;
}

TemplateCache::TemplateCache(std::string themesFolder, Prompter* prompter)
    : themesFolder_(std::move(themesFolder)), prompter_(prompter) {}

std::string TemplateCache::ThemePath(int number) const {
    return themesFolder_ + Format("/recipetheme%d.htm", number);
}

const std::string& TemplateCache::Theme(int number) {
    if (number < 0) number = 0;
    if (number == themeNumber_) return themeText_;
    std::string text;
    if (ReadTemplateFile(ThemePath(number), prompter_, text)) themeText_ = std::move(text);
    themeNumber_ = number;
    return themeText_;
}

const std::string& TemplateCache::NutritionFacts() {
    if (Trim(nutritionText_).empty())
        ReadTemplateFile(themesFolder_ + "/nutritionfacts.htm", prompter_, nutritionText_);
    return nutritionText_;
}

}  // namespace pantrio
