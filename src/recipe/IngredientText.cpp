#include "recipe/IngredientText.h"

#include "base/Text.h"
#include "recipe/Quantity.h"
#include "recipe/Recipe.h"

namespace pantrio {

namespace {

// Widths of the fields a split line fills; longer texts are cut, then trimmed.
constexpr std::size_t kQuantityWidth = 10;
constexpr std::size_t kMeasureWidth = 10;
constexpr std::size_t kNameWidth = 50;
constexpr std::size_t kNotesWidth = 64;

enum class Phase { Quantity, Unit, Name, Notes };

struct LineBuffers {
    std::string quantity;
    std::string unit;
    std::string name;
    std::string notes;
    Phase phase = Phase::Quantity;

    void Clear() {
        quantity.clear();
        unit.clear();
        name.clear();
        notes.clear();
        phase = Phase::Quantity;
    }

    // `next` is the character after `c` (0 at the end of the text).
    void Take(char c, char next) {
        if (phase == Phase::Quantity) {
            if ((c >= '0' && c <= '9') || c == '/' || c == ' ') {
                quantity += c;
                return;
            }
            // A decimal point between digits belongs to the number ("1.5 cups").
            if (c == '.' && !quantity.empty() && quantity.back() >= '0' && quantity.back() <= '9' &&
                next >= '0' && next <= '9') {
                quantity += c;
                return;
            }
            phase = Phase::Unit;
        }
        if (phase == Phase::Unit) {
            if (c == ',' || c == ';') {
                phase = Phase::Notes;  // "2 onions, diced": the word ends at the separator
                return;
            }
            if (c != ' ') {
                unit += c;
                return;
            }
            phase = Phase::Name;
        }
        if (phase == Phase::Name) {
            if (c == ',' || c == ';') {
                phase = Phase::Notes;
                return;  // the separator itself is dropped
            }
            if (c == '(' || c == '[') {
                phase = Phase::Notes;  // a bracket opens the notes and stays in them
            } else {
                name += c;
                return;
            }
        }
        notes += c;
    }

    IngredientLine Finish(int position) const {
        IngredientLine line;
        line.IngredientLinesID = -1;
        line.TextQty = Trim(CutChars(quantity, kQuantityWidth));
        line.Measure = Trim(CutChars(unit, kMeasureWidth));
        line.Name = Trim(CutChars(name, kNameWidth));
        line.PrepNotes = Trim(CutChars(notes, kNotesWidth));
        line.DblQty = ParseQuantity(line.TextQty);
        line.LineOrder = position;
        // Without a quantity the first word is the ingredient and everything
        // after it is its notes ("salt and pepper to taste").
        if (line.TextQty.empty() && !line.Measure.empty()) {
            line.PrepNotes = line.Name;
            line.Name = line.Measure;
            line.Measure.clear();
            line.DblQty = 0;
        }
        // A counted ingredient has no unit: in "3 eggs" or "2 onions, diced"
        // the only word after the number is the ingredient itself.
        if (!line.TextQty.empty() && !line.Measure.empty() && line.Name.empty()) {
            line.Name = line.Measure;
            line.Measure.clear();
        }
        return line;
    }
};

}  // namespace

int SplitIngredientText(Recipe& recipe, const std::string& text, int* linesDropped) {
    int added = 0;
    int dropped = 0;
    LineBuffers buffers;
    auto finishLine = [&] {
        if (recipe.LineCount() < Recipe::kMaxLines) {
            recipe.Lines.push_back(buffers.Finish(recipe.LineCount() + 1));
            ++added;
        } else {
            ++dropped;
        }
        buffers.Clear();
    };

    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n' || c == '\v') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            finishLine();
            continue;
        }
        buffers.Take(c, i + 1 < text.size() ? text[i + 1] : '\0');
        if (i + 1 == text.size()) finishLine();  // the last line needs no end
    }
    if (added > 0) recipe.LinesModified = true;
    if (linesDropped) *linesDropped = dropped;
    return added;
}

int AppendToLastLineNotes(Recipe& recipe, const std::string& text) {
    if (recipe.Lines.empty()) return 0;
    IngredientLine& last = recipe.Lines.back();
    // No leading blank when the line had no notes yet.
    if (!last.PrepNotes.empty()) last.PrepNotes += ' ';
    last.PrepNotes += Trim(text);
    return recipe.LineCount() - 1;
}

}  // namespace pantrio
