// Keeps active content out of the recipe pages. Recipe text may carry markup
// and the pages keep it, but script elements, event-handler attributes and
// script addresses never reach a page. The tokenizing follows the way
// browsers read HTML closely enough that nothing the browser would run can
// hide from it: comments end where a browser ends them, raw-text elements
// are skipped whole, and a construct that is not closed is shown as text.
#pragma once

#include <string>
#include <string_view>

namespace pantrio {

// `markup` with script elements (and their content), event-handler
// attributes (on...), srcdoc attributes, attributes whose value is a
// javascript:/vbscript: address (also when written with character
// references or embedded blanks), frames, plug-in objects, <base> and
// refreshing <meta> removed. A "<" that does not open a complete tag,
// comment or declaration becomes "&lt;", so a field can never leave a tag,
// an attribute value or a comment open for the text that follows it.
// Everything else is kept byte for byte.
std::string SanitizeMarkup(std::string_view markup);

// A field's text for a page: control characters other than tab, line feed,
// form feed and carriage return removed, then SanitizeMarkup.
std::string SanitizeField(std::string_view text);

}  // namespace pantrio
