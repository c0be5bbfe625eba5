// The base of the readers of line-based recipe text formats (MealMaster,
// MasterCook MXP). A parser turns lines into finished Recipe records and
// messages; RunLineImport (LineImport.h) feeds it and stores what it emits.
// The base holds the state every such reader keeps for the recipe it is
// reading, gathers its directions and words the reports the formats share.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "recipe/Recipe.h"

namespace pantrio {

// Each finished recipe goes to onRecipe; each recipe that cannot be stored,
// and each change made to one, is described to onMessage (with its line
// number and why); onTitle gets the title of every recipe begun.
class RecipeTextParser {
public:
    virtual ~RecipeTextParser() = default;

    // One line of the file, without its line end, with its 1-based number.
    virtual void Feed(const std::string& line, long lineNumber) = 0;
    // The end of the input: at the end of the file, or on cancel right after the
    // line `lastLine`. A recipe not finished when cancelled is never stored: a
    // cancel reports only the recipe RecipeOpen() names, with CancelledText.
    virtual void Finish(bool cancelled, long lastLine) = 0;

    // The recipe begun and not yet finished (whose title may still be empty),
    // which a cancel now would report as not added, and the line it began at.
    bool RecipeOpen() const { return phase_ > 0; }
    const std::string& OpenTitle() const { return recipe_.Title; }
    long OpenLine() const { return recipeLine_; }
    // The report of a recipe begun at `recipeLine` and cut off by a cancel
    // after the line `lastLine`.
    static std::string CancelledText(long lastLine, const std::string& title, long recipeLine);

    std::function<void(Recipe&)> onRecipe;
    // `dropped` is true when the message is about a recipe that was not stored.
    std::function<void(const std::string& message, bool dropped)> onMessage;
    std::function<void(const std::string& title)> onTitle;

    // Whether lines get their unit words in long form ("Display units in long form").
    bool longFormUnits = false;

    // Directions longer than this are damage (a recipe that swallowed the
    // rest of a broken file); such a recipe is not stored.
    static constexpr std::size_t kMaxDirectionsBytes = 1024 * 1024;

protected:
    void Tell(const std::string& message, bool dropped) {
        if (onMessage) onMessage(message, dropped);
    }
    void Began(const std::string& title) {
        if (onTitle) onTitle(title);
    }

    // Lines of blanks and TABs count as empty lines: writers of these formats pad them.
    static bool IsBlank(const std::string& line) {
        return line.find_first_not_of(" \t") == std::string::npos;
    }

    // Forgets the recipe being read and returns to phase 0.
    void Reset();
    // Appends a line of directions: a line break between lines, an empty line
    // where the file had one (unless the directions already end in a break).
    void AddDirections(const std::string& line);
    // When the directions grew too long: reports the recipe as not added,
    // forgets it and returns true.
    bool DropIfDirectionsTooLong();
    // Reports a recipe whose ingredient lines did not all fit.
    void ReportDroppedLines();
    // Hands the finished recipe on as a new recipe and forgets it.
    void EmitRecipe();
    // The reports of a recipe without a title, and of the open one cut off by
    // a cancel after the line `lastLine`.
    void ReportNoTitle(long lineNumber);
    void ReportCancelled(long lastLine);

    int phase_ = 0;  // the format's own steps; 0 is "between recipes"
    Recipe recipe_;
    std::string directions_;
    bool paragraphPending_ = false;
    bool directionsTooLong_ = false;
    long recipeLine_ = 0;  // line where the recipe being read began
    bool anyRecipe_ = false;
};

}  // namespace pantrio
