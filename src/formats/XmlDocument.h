// The program's XML-like document: a non-validating reader and writer for the
// recipe exchange file and the shopping-list file. The whole document is one
// text; parsing indexes every element once in a table of positions, and a
// cursor (parent, main and child entry) walks that table without scanning the
// text again. Elements, element text, CDATA sections, comments, processing
// instructions and a document type declaration are understood; attributes
// are read on request and never written. Adding elements edits the text and keeps the table
// up to date. Nothing here throws; failures are results, and a failed parse
// leaves its reason in GetError().
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pantrio {

class XmlDocument {
public:
    XmlDocument();

    // Replaces the text, parses it and resets the cursor. True when a root
    // element was parsed; anything after the first complete element is
    // ignored. On false the table holds no element and GetError() says why.
    bool SetDoc(std::string text);
    const std::string& GetDoc() const { return doc_; }
    // Why the last parse failed; empty when it did not.
    const std::string& GetError() const { return error_; }

    // Moves the main entry forward to the next sibling element called `name`
    // (any element when `name` is empty). On failure the cursor stays.
    bool FindElem(std::string_view name = {});
    // Moves the child entry forward to the next child element of the main
    // entry called `name` (any child when empty). Finds a main entry first
    // when there is none.
    bool FindChildElem(std::string_view name = {});
    // The main entry becomes the parent and its current child the main entry.
    bool IntoElem();
    // The parent becomes the main entry and the old main entry its child.
    bool OutOfElem();
    // Parent, main and child entries back to none: the next FindElem finds
    // the root.
    void ResetPos();

    // The text of the main element with the five entities decoded, or the raw
    // content of a CDATA section that makes up its text. Empty for an element
    // with child elements, an empty-element tag, or when there is no main
    // entry.
    std::string GetData() const;
    // The same for the child entry.
    std::string GetChildData() const;
    // Names of the main and the child element; empty when there is none.
    std::string GetTagName() const;
    std::string GetChildTagName() const;
    // The value of the attribute `name` of the main (child) element, quotes
    // removed and the five entities decoded; empty when the element has no
    // such attribute or there is no such entry. Names match case-sensitively.
    std::string GetAttrib(std::string_view name) const;
    std::string GetChildAttrib(std::string_view name) const;
    // The markup of the main element from the "<" of its start tag through the
    // ">" of its end tag; empty when there is no main entry.
    std::string GetSubDoc() const;
    // Offset of the main element's start tag in the text; -1 when none.
    int GetElemOffset() const;

    // Adds the element `name` with `text` (escaped as element text; an empty
    // text gives an empty-element tag) as the next sibling after the main
    // entry, or as the last child of the parent when there is no main entry;
    // it becomes the main entry. At the top level this fails once the
    // document has a root element. Fails for a name that is not one word.
    bool AddElem(std::string_view name, std::string_view text = {});
    // Adds a child of the main entry after the child entry, or as its last
    // child when there is no child entry; it becomes the child entry.
    bool AddChildElem(std::string_view name, std::string_view text = {});

    // Whether `name` can be written as a tag name: one token, no blanks and
    // none of the characters the reader treats as delimiters.
    static bool IsValidName(std::string_view name);

private:
    // One element of the position table (entry 0 is the document itself).
    // Offsets index the text; 0 in a link field means none.
    struct ElemPos {
        std::int32_t startL = 0;  // "<" of the start tag
        std::int32_t startR = 0;  // ">" of the start tag
        std::int32_t endL = 0;    // "<" of the end tag; startR - 1 for <a/>
        std::int32_t endR = 0;    // ">" of the end tag; startR for <a/>
        std::int32_t reserved = 0;
        std::int32_t parent = 0;
        std::int32_t child = 0;  // first child
        std::int32_t next = 0;   // next sibling
    };

    bool Parse();
    int NewEntry();
    void ClearTable();
    bool Fail(std::string message);

    bool IsEmptyTag(int entry) const;
    std::string_view NameOf(int entry) const;
    bool NameMatches(int entry, std::string_view name) const;
    int FindSibling(int first, std::string_view name) const;
    std::string DataOf(int entry) const;
    std::string AttribOf(int entry, std::string_view name) const;
    bool Insert(int parentEntry, int afterEntry, std::string_view name, std::string_view text,
                int& newEntry);
    void ShiftFrom(std::int32_t offset, std::int32_t delta);

    std::string doc_;
    std::string error_;
    std::vector<ElemPos> table_;  // its size is the number of entries in use

    int parent_ = 0;
    int main_ = 0;
    int child_ = 0;
    int nodeKind_ = 0;  // 1 when the main entry is an element, 0 when none
};

}  // namespace pantrio
