// Prints a cookbook to a PDF file through the web engine, in the two passes
// the Cookbook describes: every part on its own to count its pages, then
// the whole with the page numbers filled in.
#pragma once

#include <string>

namespace pantrio {

class Cookbook;

// Writes `cookbook` to `path` as A4 pages; sets its page numbers. Empty when
// written, otherwise why not. `pages` receives the page count of the file.
std::string PrintCookbookPdf(Cookbook& cookbook, const std::string& path, int* pages = nullptr);

}  // namespace pantrio
