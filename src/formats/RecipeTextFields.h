// Helpers the text importers share for the fields of a recipe: titles in
// title case, ingredient texts split into name and notes, and text cut from
// fixed character columns.
#pragma once

#include <string>
#include <string_view>

namespace pantrio {

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
