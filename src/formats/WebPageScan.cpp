#include "formats/WebPageScan.h"

#include <gumbo.h>

#include <utility>

#include "base/Text.h"

namespace pantrio {

namespace {

// Owns one parse tree of the HTML5 parser.
class ParsedHtml {
public:
    explicit ParsedHtml(std::string_view text)
        : output_(gumbo_parse_with_options(&kGumboDefaultOptions, text.data(), text.size())) {}
    ~ParsedHtml() {
        if (output_) gumbo_destroy_output(&kGumboDefaultOptions, output_);
    }
    ParsedHtml(const ParsedHtml&) = delete;
    ParsedHtml& operator=(const ParsedHtml&) = delete;

    const GumboNode* Root() const { return output_ ? output_->root : nullptr; }

private:
    GumboOutput* output_;
};

const GumboVector* ChildrenOf(const GumboNode* node) {
    if (node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE)
        return &node->v.element.children;
    if (node->type == GUMBO_NODE_DOCUMENT) return &node->v.document.children;
    return nullptr;
}

bool IsJsonLdScript(const GumboNode* node) {
    if (node->type != GUMBO_NODE_ELEMENT || node->v.element.tag != GUMBO_TAG_SCRIPT) return false;
    const GumboAttribute* type = gumbo_get_attribute(&node->v.element.attributes, "type");
    if (!type) return false;
    // A media type may carry parameters ("application/ld+json; charset=utf-8").
    const std::string value =
        Trim(std::string_view(type->value).substr(0, std::string_view(type->value).find(';')));
    return EqualsNoCase(value, "application/ld+json");
}

bool EndsLine(GumboTag tag) {
    switch (tag) {
        case GUMBO_TAG_BR:
        case GUMBO_TAG_P:
        case GUMBO_TAG_DIV:
        case GUMBO_TAG_LI:
        case GUMBO_TAG_TR:
        case GUMBO_TAG_H1:
        case GUMBO_TAG_H2:
        case GUMBO_TAG_H3:
        case GUMBO_TAG_H4:
        case GUMBO_TAG_H5:
        case GUMBO_TAG_H6:
        case GUMBO_TAG_UL:
        case GUMBO_TAG_OL:
        case GUMBO_TAG_BLOCKQUOTE:
            return true;
        default:
            return false;
    }
}

bool HidesText(GumboTag tag) {
    return tag == GUMBO_TAG_SCRIPT || tag == GUMBO_TAG_STYLE || tag == GUMBO_TAG_TEMPLATE ||
           tag == GUMBO_TAG_NOSCRIPT;
}

// Each line trimmed, runs of blanks and tabs made one blank, empty lines
// dropped.
std::string TidyLines(std::string_view text) {
    std::string out;
    for (const std::string& rawLine : Split(text, '\n')) {
        std::string line;
        bool blank = false;
        for (char c : rawLine) {
            if (c == ' ' || c == '\t' || c == '\r' || c == '\f') {
                blank = true;
                continue;
            }
            if (blank && !line.empty()) line += ' ';
            blank = false;
            line += c;
        }
        if (line.empty()) continue;
        if (!out.empty()) out += '\n';
        out += line;
    }
    return out;
}

// The no-break space (U+00A0) that "&nbsp;" gives reads as a plain blank.
std::string PlainBlanks(std::string text) {
    return ReplaceAll(std::move(text), "\xC2\xA0", " ");
}

}  // namespace

PageScripts JsonLdScripts(std::string_view page) {
    PageScripts found;
    if (page.size() > kMaxWebPageBytes) return found;
    ParsedHtml html(page);
    // Depth first in page order, with an explicit stack: pages may nest
    // elements far deeper than the call stack could follow.
    std::vector<const GumboNode*> stack;
    if (html.Root()) stack.push_back(html.Root());
    while (!stack.empty()) {
        const GumboNode* node = stack.back();
        stack.pop_back();
        if (IsJsonLdScript(node)) {
            std::string content;
            const GumboVector& children = node->v.element.children;
            for (unsigned i = 0; i < children.length; ++i) {
                const auto* child = static_cast<const GumboNode*>(children.data[i]);
                if (child->type == GUMBO_NODE_TEXT || child->type == GUMBO_NODE_WHITESPACE ||
                    child->type == GUMBO_NODE_CDATA)
                    content += child->v.text.text;
            }
            if (content.size() > kMaxJsonLdScriptBytes)
                ++found.skippedTooLarge;
            else
                found.scripts.push_back(std::move(content));
            continue;
        }
        if (const GumboVector* children = ChildrenOf(node)) {
            for (unsigned i = children->length; i > 0; --i)
                stack.push_back(static_cast<const GumboNode*>(children->data[i - 1]));
        }
    }
    return found;
}

std::string PlainTextOfMarkup(std::string_view markup) {
    if (markup.find('<') == std::string_view::npos && markup.find('&') == std::string_view::npos)
        return TidyLines(PlainBlanks(std::string(markup)));
    // In markup a line end is only a blank; text that merely carries
    // character references keeps its lines.
    const bool hasTags = markup.find('<') != std::string_view::npos;
    ParsedHtml html(markup);
    std::string text;
    // A null entry marks the end of an element whose end breaks the line.
    std::vector<const GumboNode*> stack;
    if (html.Root()) stack.push_back(html.Root());
    while (!stack.empty()) {
        const GumboNode* node = stack.back();
        stack.pop_back();
        if (!node) {
            text += '\n';
            continue;
        }
        switch (node->type) {
            case GUMBO_NODE_TEXT:
            case GUMBO_NODE_WHITESPACE:
            case GUMBO_NODE_CDATA: {
                const std::size_t from = text.size();
                text += node->v.text.text;
                if (hasTags)
                    for (std::size_t i = from; i < text.size(); ++i)
                        if (text[i] == '\n') text[i] = ' ';
                continue;
            }
            case GUMBO_NODE_ELEMENT:
                if (HidesText(node->v.element.tag)) continue;
                if (EndsLine(node->v.element.tag)) stack.push_back(nullptr);
                break;
            default:
                break;
        }
        if (const GumboVector* children = ChildrenOf(node)) {
            for (unsigned i = children->length; i > 0; --i)
                stack.push_back(static_cast<const GumboNode*>(children->data[i - 1]));
        }
    }
    return TidyLines(PlainBlanks(std::move(text)));
}

}  // namespace pantrio
