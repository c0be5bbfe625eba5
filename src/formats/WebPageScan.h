// Reading saved web pages with an HTML5 parser, so that a page is understood
// the way a browser understands it: the structured recipe data a page embeds
// in its script elements, and the plain text of a field that carries markup
// or character references. Pages are hostile input; the limits below bound
// what one page can make the reader hold.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pantrio {

// Pages larger than this are not read at all.
constexpr std::size_t kMaxWebPageBytes = 16 * 1024 * 1024;
// Script elements larger than this are skipped.
constexpr std::size_t kMaxJsonLdScriptBytes = 4 * 1024 * 1024;

struct PageScripts {
    std::vector<std::string> scripts;  // the content of each JSON-LD script element, in page order
    int skippedTooLarge = 0;           // JSON-LD script elements over the size limit
};

// The content of every <script type="application/ld+json"> element of `page`.
PageScripts JsonLdScripts(std::string_view page);

// The text a browser would show for `markup`: character references decoded,
// tags dropped with the content of script, style and template elements, and a
// line break for <br> and at the end of each paragraph, list item, heading and
// block. Runs of blanks become one blank and each line is trimmed. Text
// without "<" or "&" is only tidied.
std::string PlainTextOfMarkup(std::string_view markup);

// The microdata items of `page` (elements with itemscope, their itemprop
// properties and nested items) as a JSON array in the shape of JSON-LD, so
// that one reader serves both: {"@type": itemtype, "name": "...", ...}, a
// property given more than once as a list. Nesting and the number of items
// and properties are bounded; what lies beyond is left out.
std::string MicrodataAsJson(std::string_view page);

}  // namespace pantrio
