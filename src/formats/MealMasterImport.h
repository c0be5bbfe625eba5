// MealMaster import: reads a MealMaster text export (.mmf) line by line and
// stores every recipe in the open recipe box with SaveAsNew.
//
// The file is streamed (LineReader), so memory does not grow with it. Parsing
// and storing are separate: a RecipeTextParser turns lines into finished
// Recipe records and messages, and RunLineImport stores the records in one
// bulk transaction, reports progress and honours the cancel flag between
// lines. The MasterCook importer (MxpImport.h) shares that machinery and the
// ingredient-text helpers below.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "recipe/Recipe.h"

namespace pantrio {

class ImportProgress;
class Prompter;
class RecipeDB;

// What an import did, for callers that want numbers (the command line, tests).
struct ImportSummary {
    long linesRead = 0;
    long recipesFound = 0;  // recipes the file began, stored or not
    long stored = 0;        // stored with SaveAsNew
    long notStored = 0;     // duplicates, failed saves and recipes the parser dropped
    bool cancelled = false;
};

// Turns the lines of one recipe file format into Recipe records. Each
// finished recipe goes to onRecipe; each recipe that cannot be stored, and
// each change made to one, is described to onMessage (with its line number
// and why); onTitle gets the title of every recipe begun.
class RecipeTextParser {
public:
    virtual ~RecipeTextParser() = default;

    // One line of the file, without its line end, with its 1-based number.
    virtual void Feed(const std::string& line, long lineNumber) = 0;
    // The end of the input: at the end of the file, or on cancel right after the
    // line `lastLine`. A recipe not finished when cancelled is never stored.
    virtual void Finish(bool cancelled, long lastLine) = 0;

    std::function<void(Recipe&)> onRecipe;
    // `dropped` is true when the message is about a recipe that was not stored.
    std::function<void(const std::string& message, bool dropped)> onMessage;
    std::function<void(const std::string& title)> onTitle;

    // Whether lines get their unit words in long form ("Display units in long form").
    bool longFormUnits = false;

protected:
    void Emit(Recipe& recipe) {
        if (onRecipe) onRecipe(recipe);
    }
    void Tell(const std::string& message, bool dropped) {
        if (onMessage) onMessage(message, dropped);
    }
    void Began(const std::string& title) {
        if (onTitle) onTitle(title);
    }
};

// Reads `path` line by line into `parser` and stores what it produces in
// `db`: the cancel flag of `window` is cleared first and tested before every
// line; the window's status shows each title, its bar the share of the file
// read, and its message list every duplicate and every recipe not stored.
// All recipes go in one transaction, committed every few thousand recipes and
// at the end (also on cancel), so each recipe is stored whole or not at all.
// Returns 0, or -1 when the file is empty. A file that cannot be opened gives
// "Failed to open %s" through `prompter` (when given) and 0.
int RunLineImport(const std::string& path, RecipeTextParser& parser, RecipeDB& db,
                  ImportProgress& window, Prompter* prompter = nullptr,
                  ImportSummary* summary = nullptr);

// The MealMaster reader.
class MealMasterParser : public RecipeTextParser {
public:
    MealMasterParser();
    void Feed(const std::string& line, long lineNumber) override;
    void Finish(bool cancelled, long lastLine) override;

    // Directions longer than this are damage (a recipe that swallowed the
    // rest of a broken file); such a recipe is not stored.
    static constexpr std::size_t kMaxDirectionsBytes = 1024 * 1024;

private:
    void Begin(const std::string& title, long lineNumber);
    void HandleBody(const std::string& line, long lineNumber);
    bool HandleIngredient(const std::string& line);
    void AddDirections(const std::string& line);
    void EndRecipe(long lineNumber);
    void Reset();

    int phase_ = 0;  // 0 title, 1 categories, 2 yield, 3 body
    Recipe recipe_;
    std::string directions_;
    bool paragraphPending_ = false;
    bool directionsTooLong_ = false;
    long recipeLine_ = 0;          // line of the title of the recipe being read
    long headerWithoutTitle_ = 0;  // line of a header not yet followed by a title
    bool anyRecipe_ = false;
};

// ImportMealMaster(path, window): the MealMaster import as the menu command
// runs it. Returns 0, or -1 when the file is empty.
int ImportMealMaster(const std::string& path, RecipeDB& db, ImportProgress& window,
                     Prompter* prompter = nullptr, ImportSummary* summary = nullptr,
                     bool longFormUnits = false);

// Helpers shared by the text importers.

// The first character and every character after a blank upper-cased, all
// others lower-cased ("APPLE PIE deluxe" gives "Apple Pie Deluxe").
std::string TitleCase(std::string_view text);

// Splits an ingredient text into name and preparation notes: "--" counts as
// ";", the name ends at the first comma, semicolon or "(", and the notes are
// the rest without parentheses, commas and semicolons. A text with only notes
// ("(optional)") gives them as the name.
void SplitNameAndNotes(const std::string& text, std::string& name, std::string& notes);

// The characters (not bytes) of a UTF-8 line from index `from` up to but not
// including `to` (npos: to the end); empty when `from` is past the end.
std::string ColumnText(std::string_view line, std::size_t from,
                       std::size_t to = std::string_view::npos);

}  // namespace pantrio
