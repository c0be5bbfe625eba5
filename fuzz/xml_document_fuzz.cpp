// Feeds arbitrary bytes to the document reader, walks every element it
// indexed, and adds an element to check that the table stays in step with
// the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/XmlDocument.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

// Visits every element below the main entry, depth first, without recursion.
void Walk(pantrio::XmlDocument& doc) {
    int depth = 0;
    for (;;) {
        if (doc.FindChildElem()) {
            (void)doc.GetChildData();
            (void)doc.GetChildTagName();
            doc.IntoElem();
            (void)doc.GetData();
            (void)doc.GetSubDoc();
            ++depth;
            continue;
        }
        if (depth == 0) break;
        doc.OutOfElem();
        --depth;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    pantrio::XmlDocument doc;
    if (!doc.SetDoc(text)) {
        Check(!doc.FindElem());
        return 0;
    }
    Check(doc.FindElem());
    Walk(doc);

    // Adding a child to the root keeps the document readable, and a fresh
    // parse finds the new element where the table says it is.
    doc.ResetPos();
    Check(doc.FindElem());
    const std::string root = doc.GetTagName();
    Check(doc.AddChildElem("FUZZ", "a<b&c>d"));
    Check(doc.GetChildData() == "a<b&c>d");
    pantrio::XmlDocument again;
    Check(again.SetDoc(doc.GetDoc()));
    Check(again.FindElem() && again.GetTagName() == root);
    std::string last;
    while (again.FindChildElem()) last = again.GetChildTagName();
    Check(last == "FUZZ");
    Check(again.GetChildData() == "a<b&c>d");
    return 0;
}
