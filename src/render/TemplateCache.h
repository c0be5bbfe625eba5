// The page templates of the running program: one theme template, cached with
// the theme number it was read for, and the nutrition facts template. Both
// live in the themes folder and are data files that ship with the program.
// A template that cannot be read is reported once per request with the "Open"
// message box and renders as empty text.
#pragma once

#include <string>

namespace pantrio {

class Prompter;

// Reads a whole text file (bytes that are not UTF-8 are read as
// Windows-1252). On failure shows path + ": " + the system's reason in a box
// captioned "Open" with the error icon (when a prompter is given) and returns
// false with `text` emptied.
bool ReadTemplateFile(const std::string& path, Prompter* prompter, std::string& text);

class TemplateCache {
public:
    TemplateCache(std::string themesFolder, Prompter* prompter);

    // The text of "recipetheme<N>.htm". A request for the cached number uses
    // the cached text; another number reads its file and caches it with the
    // number, also when the read failed (the text is then left as it was),
    // so a missing file is reported once until another theme is asked for.
    // A negative number means theme 0.
    const std::string& Theme(int number);
    // The text of "nutritionfacts.htm", read on the first request that finds
    // the cache blank; a missing file is reported on every request.
    const std::string& NutritionFacts();

    int CachedTheme() const { return themeNumber_; }
    const std::string& ThemesFolder() const { return themesFolder_; }
    Prompter* prompter() const { return prompter_; }

    // The path of theme N's file.
    std::string ThemePath(int number) const;

private:
    std::string themesFolder_;
    Prompter* prompter_;
    int themeNumber_ = -1;
    std::string themeText_;
    std::string nutritionText_;
};

}  // namespace pantrio
