#include "formats/XmlDocument.h"

#include <limits>

#include "formats/XmlEscapes.h"

namespace pantrio {

namespace {

constexpr std::size_t kNone = std::string_view::npos;
// Offsets are kept in 32-bit fields; a larger text is refused.
constexpr std::size_t kMaxDocSize = static_cast<std::size_t>(std::numeric_limits<int32_t>::max());

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsDelimiter(char c) {
    switch (c) {
        case '<':
        case '>':
        case '=':
        case '\\':
        case '/':
        case '?':
        case '!':
            return true;
        default:
            return IsBlank(c);
    }
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

// One token of a tag: a quoted string, a single delimiter character, or the
// longest run of other characters. `end` is one past its last character.
struct Token {
    std::size_t start = 0;
    std::size_t end = 0;
    bool quoted = false;

    std::string_view In(std::string_view text) const { return text.substr(start, end - start); }
    bool Is(std::string_view text, char c) const {
        return !quoted && end == start + 1 && text[start] == c;
    }
};

// Reads the token that starts at or after `pos` (blanks skipped); false when
// only blanks remain. An unterminated quote runs to the end of the text.
bool ReadToken(std::string_view text, std::size_t pos, Token& token) {
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    if (pos >= text.size()) return false;
    token.start = pos;
    token.quoted = false;
    char c = text[pos];
    if (IsQuote(c)) {
        std::size_t close = text.find(c, pos + 1);
        token.end = close == kNone ? text.size() : close + 1;
        token.quoted = true;
    } else if (IsDelimiter(c)) {
        token.end = pos + 1;
    } else {
        std::size_t end = pos + 1;
        while (end < text.size() && !IsDelimiter(text[end])) ++end;
        token.end = end;
    }
    return true;
}

// Steps over a node that is not an element: `from` is just past the "?" or
// "!" that follows its "<". Returns the offset after the node, or kNone when
// the node is never closed.
std::size_t SkipNode(std::string_view text, std::size_t from, char kind) {
    if (kind == '?') {  // processing instruction
        std::size_t close = text.find("?>", from);
        return close == kNone ? kNone : close + 2;
    }
    if (from < text.size() && text[from] == '[') {  // CDATA section
        std::size_t close = text.find("]]>", from + 1);
        return close == kNone ? kNone : close + 3;
    }
    if (from < text.size() && text[from] == '-') {  // comment
        std::size_t close = text.find("-->", from + 1);
        return close == kNone ? kNone : close + 3;
    }
    // Document type declaration: the first ">" outside square brackets, so an
    // internal subset with its own declarations is stepped over whole.
    std::size_t depth = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
        char c = text[i];
        if (c == '[') {
            ++depth;
        } else if (c == ']') {
            if (depth > 0) --depth;
        } else if (c == '>' && depth == 0) {
            return i + 1;
        }
    }
    return kNone;
}

}  // namespace

XmlDocument::XmlDocument() {
    ClearTable();
}

void XmlDocument::ClearTable() {
    table_.clear();
    table_.shrink_to_fit();
    table_.reserve(doc_.size() / 64 + 8);
    table_.emplace_back();  // entry 0: the document
    ResetPos();
}

void XmlDocument::ResetPos() {
    parent_ = 0;
    main_ = 0;
    child_ = 0;
    nodeKind_ = 0;
}

int XmlDocument::NewEntry() {
    // Grow by half of the current room when full, as the table always has.
    if (table_.size() == table_.capacity()) table_.reserve(table_.capacity() * 3 / 2 + 1);
    table_.emplace_back();
    return static_cast<int>(table_.size() - 1);
}

bool XmlDocument::Fail(std::string message) {
    error_ = std::move(message);
    ClearTable();
    return false;
}

bool XmlDocument::SetDoc(std::string text) {
    doc_ = std::move(text);
    error_.clear();
    ClearTable();
    if (doc_.empty()) return false;
    if (doc_.size() > kMaxDocSize) return Fail("Document too large");
    return Parse();
}

// Reads the first element of the text and everything inside it. Open
// elements are kept on an explicit stack rather than by recursion, so deep
// nesting cannot exhaust the call stack.
bool XmlDocument::Parse() {
    const std::string_view text = doc_;
    struct Open {
        int entry;
        int lastChild;
    };
    std::vector<Open> open;
    std::size_t pos = 0;

    for (;;) {
        std::size_t lt = text.find('<', pos);
        if (lt == kNone) {
            if (open.empty()) return Fail("Element tag not found");
            return Fail("End tag of " + std::string(NameOf(open.back().entry)) +
                        " element not found");
        }
        Token token;
        if (!ReadToken(text, lt + 1, token)) return Fail("Abrupt end within tag");
        if (token.quoted) return Fail("Tag starts with quote");

        if (token.Is(text, '!') || token.Is(text, '?')) {
            std::size_t after = SkipNode(text, token.end, text[token.start]);
            if (after == kNone) return Fail("Invalid node");
            pos = after;
            continue;
        }

        if (token.Is(text, '/')) {
            // An end tag: it must close the innermost open element.
            if (open.empty()) return Fail("End tag found before any element");
            const int entry = open.back().entry;
            const std::string name(NameOf(entry));
            Token nameToken;
            if (!ReadToken(text, token.end, nameToken) || nameToken.quoted ||
                nameToken.In(text) != name)
                return Fail("End tag does not correspond to " + name);
            Token close;
            if (!ReadToken(text, nameToken.end, close) || !close.Is(text, '>'))
                return Fail("End tag not completed for element " + name);
            table_[entry].endL = static_cast<int32_t>(lt);
            table_[entry].endR = static_cast<int32_t>(close.start);
            pos = close.end;
            open.pop_back();
            if (open.empty()) return true;  // the root is complete
            continue;
        }

        // A single delimiter cannot be an element name ("<>", "<=").
        if (token.end == token.start + 1 && IsDelimiter(text[token.start]))
            return Fail("Invalid tag name");

        std::size_t gt = text.find('>', token.end);
        if (gt == kNone) return Fail("End of tag not found");

        const int parent = open.empty() ? 0 : open.back().entry;
        const int entry = NewEntry();
        ElemPos& p = table_[entry];
        p.startL = static_cast<int32_t>(lt);
        p.startR = static_cast<int32_t>(gt);
        p.parent = parent;
        if (open.empty()) {
            table_[0].child = entry;
        } else {
            Open& o = open.back();
            if (o.lastChild)
                table_[o.lastChild].next = entry;
            else
                table_[o.entry].child = entry;
            o.lastChild = entry;
        }
        pos = gt + 1;

        if (text[gt - 1] == '/') {  // <name/>: empty and complete
            table_[entry].endL = static_cast<int32_t>(gt - 1);
            table_[entry].endR = static_cast<int32_t>(gt);
            if (open.empty()) return true;
            continue;
        }
        open.push_back({entry, 0});
    }
}

bool XmlDocument::IsEmptyTag(int entry) const {
    return entry > 0 && table_[entry].endL < table_[entry].startR;
}

std::string_view XmlDocument::NameOf(int entry) const {
    if (entry <= 0) return {};
    Token token;
    if (!ReadToken(doc_, static_cast<std::size_t>(table_[entry].startL) + 1, token)) return {};
    return token.In(doc_);
}

bool XmlDocument::NameMatches(int entry, std::string_view name) const {
    return name.empty() || NameOf(entry) == name;
}

int XmlDocument::FindSibling(int first, std::string_view name) const {
    for (int e = first; e != 0; e = table_[e].next)
        if (NameMatches(e, name)) return e;
    return 0;
}

bool XmlDocument::FindElem(std::string_view name) {
    if (table_.size() <= 1) return false;
    int first = main_ ? table_[main_].next : table_[parent_].child;
    int found = FindSibling(first, name);
    if (!found) return false;
    main_ = found;
    parent_ = table_[found].parent;
    child_ = 0;
    nodeKind_ = 1;
    return true;
}

bool XmlDocument::FindChildElem(std::string_view name) {
    if (!main_ && !FindElem()) return false;
    int first = child_ ? table_[child_].next : table_[main_].child;
    int found = FindSibling(first, name);
    if (!found) return false;
    child_ = found;
    return true;
}

bool XmlDocument::IntoElem() {
    if (!main_ || nodeKind_ != 1) return false;
    parent_ = main_;
    main_ = child_;
    child_ = 0;
    nodeKind_ = main_ ? 1 : 0;
    return true;
}

bool XmlDocument::OutOfElem() {
    if (!parent_) return false;
    child_ = main_;
    main_ = parent_;
    parent_ = table_[main_].parent;
    nodeKind_ = 1;
    return true;
}

std::string XmlDocument::DataOf(int entry) const {
    if (entry <= 0) return {};
    const ElemPos& p = table_[entry];
    if (p.child != 0 || IsEmptyTag(entry)) return {};
    const std::size_t begin = static_cast<std::size_t>(p.startR) + 1;
    const std::size_t end = static_cast<std::size_t>(p.endL);
    std::size_t i = begin;
    while (i < end && IsBlank(doc_[i])) ++i;
    constexpr std::string_view kOpen = "<![CDATA[";
    if (end - i >= kOpen.size() + 3 && std::string_view(doc_).substr(i, kOpen.size()) == kOpen) {
        std::size_t close = doc_.find("]]>", i + kOpen.size());
        if (close != kNone && close + 3 <= end)
            return doc_.substr(i + kOpen.size(), close - (i + kOpen.size()));
    }
    return UnescapeXml(std::string_view(doc_).substr(begin, end - begin));
}

// Steps over the start tag's tokens after its name: a name, optionally "="
// and a value (quoted or not), until the ">" or "/" that ends the tag.
std::string XmlDocument::AttribOf(int entry, std::string_view name) const {
    if (entry <= 0 || name.empty()) return {};
    const std::string_view text = doc_;
    const auto tagEnd = static_cast<std::size_t>(table_[entry].startR);
    Token token;
    if (!ReadToken(text, static_cast<std::size_t>(table_[entry].startL) + 1, token)) return {};
    std::size_t pos = token.end;
    while (pos < tagEnd && ReadToken(text.substr(0, tagEnd), pos, token)) {
        if (token.quoted || IsDelimiter(text[token.start])) {
            pos = token.end;
            continue;
        }
        const std::string_view attribute = token.In(text);
        pos = token.end;
        Token equals;
        if (!ReadToken(text.substr(0, tagEnd), pos, equals) || !equals.Is(text, '=')) continue;
        Token value;
        if (!ReadToken(text.substr(0, tagEnd), equals.end, value)) return {};
        pos = value.end;
        if (attribute != name) continue;
        std::string_view raw = value.In(text);
        if (value.quoted) {
            raw.remove_prefix(1);
            if (!raw.empty() && raw.back() == text[value.start]) raw.remove_suffix(1);
        }
        return UnescapeXml(raw);
    }
    return {};
}

std::string XmlDocument::GetAttrib(std::string_view name) const {
    return AttribOf(main_, name);
}
std::string XmlDocument::GetChildAttrib(std::string_view name) const {
    return AttribOf(child_, name);
}

std::string XmlDocument::GetData() const {
    return DataOf(main_);
}
std::string XmlDocument::GetChildData() const {
    return DataOf(child_);
}
std::string XmlDocument::GetTagName() const {
    return std::string(NameOf(main_));
}
std::string XmlDocument::GetChildTagName() const {
    return std::string(NameOf(child_));
}

std::string XmlDocument::GetSubDoc() const {
    if (!main_) return {};
    const ElemPos& p = table_[main_];
    return doc_.substr(p.startL, p.endR - p.startL + 1);
}

int XmlDocument::GetElemOffset() const {
    return main_ ? table_[main_].startL : -1;
}

bool XmlDocument::IsValidName(std::string_view name) {
    if (name.empty()) return false;
    for (char c : name)
        if (IsDelimiter(c) || IsQuote(c)) return false;
    return true;
}

bool XmlDocument::AddElem(std::string_view name, std::string_view text) {
    if (parent_ == 0 && table_[0].child != 0) return false;  // one root only
    int entry = 0;
    if (!Insert(parent_, main_, name, text, entry)) return false;
    main_ = entry;
    child_ = 0;
    nodeKind_ = 1;
    return true;
}

bool XmlDocument::AddChildElem(std::string_view name, std::string_view text) {
    if (!main_) return false;
    int entry = 0;
    if (!Insert(main_, child_, name, text, entry)) return false;
    child_ = entry;
    return true;
}

void XmlDocument::ShiftFrom(int32_t offset, int32_t delta) {
    for (std::size_t i = 1; i < table_.size(); ++i) {
        ElemPos& p = table_[i];
        for (int32_t* field : {&p.startL, &p.startR, &p.endL, &p.endR})
            if (*field >= offset) *field += delta;
    }
}

// Writes the element into the text as a child of `parentEntry`, after
// `afterEntry` (and the line break that follows it) or at the end of the
// parent's content, and links it into the table.
bool XmlDocument::Insert(int parentEntry, int afterEntry, std::string_view name,
                         std::string_view text, int& newEntry) {
    if (!IsValidName(name)) return false;
    const std::string escaped = EscapeXmlText(text);
    std::string elem = "<";
    elem += name;
    if (escaped.empty()) {
        elem += "/>\r\n";
    } else {
        elem += ">";
        elem += escaped;
        elem += "</";
        elem += name;
        elem += ">\r\n";
    }

    std::size_t at = 0;          // where the text changes
    std::size_t removed = 0;     // characters replaced there
    std::string inserted;        // what goes in
    std::size_t elemOffset = 0;  // the new element's place in `inserted`
    std::string parentName;      // set when the parent was <name/>

    if (afterEntry) {
        at = static_cast<std::size_t>(table_[afterEntry].endR) + 1;
        if (doc_.compare(at, 2, "\r\n") == 0)
            at += 2;
        else if (at < doc_.size() && doc_[at] == '\n')
            at += 1;
        inserted = elem;
    } else if (parentEntry == 0) {
        at = doc_.size();
        inserted = elem;
    } else if (IsEmptyTag(parentEntry)) {
        // <P/> turns into <P>, a line break, the new element and </P>. Every
        // slash before the ">" goes, or "<P//>" would stay an empty tag.
        parentName = std::string(NameOf(parentEntry));
        const auto gt = static_cast<std::size_t>(table_[parentEntry].startR);
        at = gt;
        while (at > static_cast<std::size_t>(table_[parentEntry].startL) + 1 && doc_[at - 1] == '/')
            --at;
        removed = gt + 1 - at;
        inserted = ">\r\n" + elem + "</" + parentName + ">";
        elemOffset = 3;
    } else {
        const ElemPos& p = table_[parentEntry];
        at = static_cast<std::size_t>(p.endL);
        if (p.endL == p.startR + 1) {  // empty content: start on a new line
            inserted = "\r\n" + elem;
            elemOffset = 2;
        } else {
            inserted = elem;
        }
    }
    if (doc_.size() - removed + inserted.size() > kMaxDocSize) return false;

    doc_.replace(at, removed, inserted);
    const auto delta = static_cast<int32_t>(inserted.size()) - static_cast<int32_t>(removed);
    ShiftFrom(static_cast<int32_t>(at + removed), delta);

    const auto start = static_cast<int32_t>(at + elemOffset);
    const auto nameLen = static_cast<int32_t>(name.size());
    if (!parentName.empty()) {
        ElemPos& p = table_[parentEntry];
        p.startR = static_cast<int32_t>(at);
        p.endL = start + static_cast<int32_t>(elem.size());
        p.endR = p.endL + static_cast<int32_t>(parentName.size()) + 2;
    }

    const int entry = NewEntry();
    ElemPos& e = table_[entry];
    e.startL = start;
    if (escaped.empty()) {
        e.startR = start + nameLen + 2;
        e.endL = e.startR - 1;
        e.endR = e.startR;
    } else {
        e.startR = start + nameLen + 1;
        e.endL = e.startR + 1 + static_cast<int32_t>(escaped.size());
        e.endR = e.endL + nameLen + 2;
    }
    e.parent = parentEntry;
    if (afterEntry) {
        e.next = table_[afterEntry].next;
        table_[afterEntry].next = entry;
    } else if (table_[parentEntry].child == 0) {
        table_[parentEntry].child = entry;
    } else {
        int last = table_[parentEntry].child;
        while (table_[last].next) last = table_[last].next;
        table_[last].next = entry;
    }
    newEntry = entry;
    return true;
}

}  // namespace pantrio
