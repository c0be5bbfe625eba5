// Free-text ingredient handling shared by the importers: the splitter that
// turns typed or pasted ingredient lines into quantity, unit, name and
// preparation notes, and the continuation rule that appends text to the notes
// of the last line. The unit words themselves live in Units.h.
#pragma once

#include <string>

namespace pantrio {

class Recipe;

// Appends one IngredientLine per text line to `recipe` and returns how many
// were added. Lines end at a carriage return, a line feed (a CR LF pair is one
// end) or a vertical tab; the last line needs no end. Each line is read as
// quantity (digits, slash, blank), unit (the next word), name (up to a comma,
// semicolon, "(" or "[") and notes (the rest). A line without a quantity takes
// its first word as the name and the rest as notes.
//
// The recipe holds at most Recipe::kMaxLines lines: text lines beyond that are
// not added, and their number is stored in `linesDropped` when given, so the
// caller can tell the user.
int SplitIngredientText(Recipe& recipe, const std::string& text, int* linesDropped = nullptr);

// Appends one blank and the trimmed `text` to the preparation notes of the
// recipe's last line and returns that line's index; 0 when the recipe has no
// lines, in which case the text is dropped.
int AppendToLastLineNotes(Recipe& recipe, const std::string& text);

}  // namespace pantrio
