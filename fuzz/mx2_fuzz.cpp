// Feeds arbitrary bytes to the MasterCook MX2 reader: every RcpE element of
// the document is read into a record, which must stay within its limits.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/Text.h"
#include "formats/Mx2Import.h"
#include "formats/XmlDocument.h"
#include "recipe/Recipe.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pantrio::XmlDocument doc;
    if (!doc.SetDoc(pantrio::EnsureUtf8(std::string(reinterpret_cast<const char*>(data), size))))
        return 0;
    if (!doc.FindElem()) return 0;
    doc.IntoElem();
    while (doc.FindElem("RcpE")) {
        const int offset = doc.GetElemOffset();
        pantrio::Recipe recipe;
        pantrio::ReadMx2Recipe(doc, recipe);
        // Reading leaves the cursor on the recipe it read.
        Check(doc.GetElemOffset() == offset && doc.GetTagName() == "RcpE");
        Check(recipe.LineCount() <= pantrio::Recipe::kMaxLines);
        Check(pantrio::CharCount(recipe.Title) <= 255);
        Check(pantrio::IsValidUtf8(recipe.Title) && pantrio::IsValidUtf8(recipe.Notes) &&
              pantrio::IsValidUtf8(recipe.Instructions));
    }
    return 0;
}
