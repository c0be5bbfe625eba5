// The page templates of the running program: one theme template, cached with
// the theme number it was read for, and the nutrition facts template. Both
// live in the themes folder and are data files that ship with the program.
// A template that cannot be read is reported (the caller shows it with the
// "Open" message box) and renders as empty text.
#pragma once

#include <functional>
#include <string>

namespace pantrio {

// Reads a whole text file (bytes that are not UTF-8 are read as
// Windows-1252). On failure returns false with `text` emptied and `error` set
// to path + ": " + the system's reason.
bool ReadTemplateFile(const std::string& path, std::string& text, std::string& error);

class TemplateCache {
public:
    // `reportReadError` is handed the error of every failed read; it may be
    // empty.
    TemplateCache(std::string themesFolder,
                  std::function<void(const std::string& error)> reportReadError = {});

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

    // The path of theme N's file.
    std::string ThemePath(int number) const;

private:
    std::string themesFolder_;
    // Reads a template into `text`, reporting a failure.
    bool Read(const std::string& path, std::string& text);

    std::function<void(const std::string& error)> reportReadError_;
    int themeNumber_ = -1;
    std::string themeText_;
    std::string nutritionText_;
};

}  // namespace pantrio
