// Small text helpers shared by every layer. Texts are UTF-8; letter-case
// helpers fold ASCII letters only, which is what the file formats and unit
// words need.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pantrio {

std::string Trim(std::string_view text);  // blanks, tabs, CR, LF
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);
std::string ToLower(std::string_view text);  // ASCII letters
std::string ToUpper(std::string_view text);  // ASCII letters
// Letter case of whole UTF-8 characters: ASCII, Latin-1, Latin Extended-A,
// basic Greek and Cyrillic. Other characters, and bytes that are not valid
// UTF-8, are kept as they are.
std::string ToLowerUtf8(std::string_view text);
std::string ToUpperUtf8(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWith(std::string_view text, std::string_view prefix);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
bool EndsWithNoCase(std::string_view text, std::string_view suffix);
// Position of `needle` in `text` ignoring ASCII case; npos when absent.
std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from = 0);
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);
std::vector<std::string> Split(std::string_view text, char separator);
// printf-style formatting into a std::string, always in the C locale (a
// decimal point in numbers).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Cuts a UTF-8 text to at most `maxChars` characters without splitting a
// multi-byte character.
std::string CutChars(std::string_view text, std::size_t maxChars);
std::size_t CharCount(std::string_view text);

// Encodings: the program works in UTF-8. Files from other programs may be
// Windows-1252; bytes that are not valid UTF-8 are read that way.
bool IsValidUtf8(std::string_view bytes);
// The five bytes Windows-1252 leaves unassigned (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) become the C1 controls of the same value, as the web's decoders do.
std::string Cp1252ToUtf8(std::string_view bytes);
// Appends code point `cp` in UTF-8; a surrogate or a value past U+10FFFF,
// which UTF-8 cannot carry, becomes U+FFFD.
void AppendUtf8(std::string& out, char32_t cp);
// The text itself when it is valid UTF-8, else its Windows-1252 reading.
std::string EnsureUtf8(std::string_view bytes);

}  // namespace pantrio
