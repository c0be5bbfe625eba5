// The five character entities of the program's XML-like documents. Element
// text escapes "<", "&" and ">"; attribute values also the apostrophe and the
// double quote. Decoding knows exactly those five entities and leaves every
// other ampersand in the text as it stands.
#pragma once

#include <string>
#include <string_view>

namespace pantrio {

// "<" -> "&lt;", "&" -> "&amp;", ">" -> "&gt;".
std::string EscapeXmlText(std::string_view text);
// As EscapeXmlText, and also "'" -> "&apos;", "\"" -> "&quot;".
std::string EscapeXmlAttribute(std::string_view text);
// Decodes "&lt;", "&amp;", "&gt;", "&apos;" and "&quot;"; an ampersand that
// starts none of them stays unchanged.
std::string UnescapeXml(std::string_view text);

}  // namespace pantrio
