#include "formats/WebPageScan.h"

#include <gumbo.h>

#include <nlohmann/json.hpp>
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

// Appends the text a browser shows for `node`: character references are
// already decoded by the parser; script, style and template content is left
// out; elements that end a line add a line break. With `blankLineEnds`, line
// ends inside text are blanks, as in markup. Stops after `limit` bytes.
void AppendTextOf(const GumboNode* root, bool blankLineEnds, std::size_t limit, std::string& text) {
    // A null entry marks the end of an element whose end breaks the line.
    std::vector<const GumboNode*> stack{root};
    while (!stack.empty() && text.size() < limit) {
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
                if (blankLineEnds)
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
    if (text.size() > limit) text = CutChars(text, limit / 4);
}

// Bounds on what the microdata of one page can make the reader build.
constexpr int kMaxMicrodataDepth = 16;
constexpr std::size_t kMaxMicrodataItems = 2000;
constexpr int kMaxMicrodataProperties = 20000;
constexpr std::size_t kMaxMicrodataValueBytes = 64 * 1024;

struct MicrodataProperty {
    std::string name;
    std::string value;
    int item = -1;  // a nested item instead of a value
};

struct MicrodataItem {
    std::string type;
    std::vector<MicrodataProperty> properties;
    int depth = 0;
};

// A property's value as the microdata rules take it: an attribute for the
// elements that carry their value in one, the element's text otherwise.
std::string PropertyValue(const GumboNode* node) {
    const GumboVector& attributes = node->v.element.attributes;
    const char* attribute = nullptr;
    switch (node->v.element.tag) {
        case GUMBO_TAG_META:
            attribute = "content";
            break;
        case GUMBO_TAG_A:
        case GUMBO_TAG_LINK:
        case GUMBO_TAG_AREA:
            attribute = "href";
            break;
        case GUMBO_TAG_IMG:
        case GUMBO_TAG_AUDIO:
        case GUMBO_TAG_VIDEO:
        case GUMBO_TAG_SOURCE:
        case GUMBO_TAG_IFRAME:
        case GUMBO_TAG_EMBED:
            attribute = "src";
            break;
        case GUMBO_TAG_TIME:
            if (gumbo_get_attribute(&attributes, "datetime")) attribute = "datetime";
            break;
        case GUMBO_TAG_DATA:
        case GUMBO_TAG_METER:
            attribute = "value";
            break;
        default:
            break;
    }
    if (attribute) {
        const GumboAttribute* found = gumbo_get_attribute(&attributes, attribute);
        return found ? std::string(found->value).substr(0, kMaxMicrodataValueBytes) : std::string();
    }
    std::string text;
    AppendTextOf(node, true, kMaxMicrodataValueBytes, text);
    return TidyLines(PlainBlanks(std::move(text)));
}

// The items as a JSON array of objects in the shape of JSON-LD: "@type" from
// the item type, each property a value or a list of values. Nested items
// come after their owner, so building from the last item back finds every
// nested object already built.
std::string ItemsAsJson(const std::vector<MicrodataItem>& items) {
    std::vector<nlohmann::json> built(items.size());
    for (std::size_t i = items.size(); i > 0; --i) {
        const MicrodataItem& item = items[i - 1];
        nlohmann::json object = nlohmann::json::object();
        if (!item.type.empty()) object["@type"] = item.type;
        for (const MicrodataProperty& property : item.properties) {
            nlohmann::json value = property.item >= 0 ? std::move(built[property.item])
                                                      : nlohmann::json(property.value);
            nlohmann::json& slot = object[property.name];
            if (slot.is_null()) {
                slot = std::move(value);
            } else {
                if (!slot.is_array()) slot = nlohmann::json::array({std::move(slot)});
                slot.push_back(std::move(value));
            }
        }
        built[i - 1] = std::move(object);
    }
    nlohmann::json top = nlohmann::json::array();
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].depth == 0) top.push_back(std::move(built[i]));
    // Invalid UTF-8 cannot reach here (pages are made UTF-8 first), but a
    // replacement character is safer than an exception if one did.
    return top.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
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
    if (html.Root()) AppendTextOf(html.Root(), hasTags, std::string::npos, text);
    return TidyLines(PlainBlanks(std::move(text)));
}

std::string MicrodataAsJson(std::string_view page) {
    if (page.size() > kMaxWebPageBytes) return "[]";
    ParsedHtml html(page);
    std::vector<MicrodataItem> items;
    struct Pending {
        const GumboNode* node;
        int owner;  // the item whose properties this element may give; -1 for none
    };
    std::vector<Pending> stack;
    if (html.Root()) stack.push_back({html.Root(), -1});
    int properties = 0;
    while (!stack.empty()) {
        const Pending pending = stack.back();
        stack.pop_back();
        const GumboNode* node = pending.node;
        int owner = pending.owner;
        if (node->type == GUMBO_NODE_ELEMENT) {
            const GumboVector& attributes = node->v.element.attributes;
            const GumboAttribute* itemprop = gumbo_get_attribute(&attributes, "itemprop");
            const bool scope = gumbo_get_attribute(&attributes, "itemscope") != nullptr;
            const bool property = itemprop && owner >= 0 && properties < kMaxMicrodataProperties;
            if (scope && (itemprop == nullptr || property)) {
                const int depth = owner >= 0 ? items[owner].depth + 1 : 0;
                if (depth <= kMaxMicrodataDepth && items.size() < kMaxMicrodataItems) {
                    MicrodataItem item;
                    item.depth = depth;
                    if (const GumboAttribute* type = gumbo_get_attribute(&attributes, "itemtype"))
                        item.type = Trim(type->value);
                    items.push_back(std::move(item));
                    const int added = static_cast<int>(items.size()) - 1;
                    if (property) {
                        for (const std::string& name : Split(itemprop->value, ' '))
                            if (!Trim(name).empty())
                                items[owner].properties.push_back({Trim(name), {}, added});
                        ++properties;
                    }
                    owner = added;
                }
            } else if (property) {
                const std::string value = PropertyValue(node);
                for (const std::string& name : Split(itemprop->value, ' '))
                    if (!Trim(name).empty())
                        items[owner].properties.push_back({Trim(name), value, -1});
                ++properties;
            }
        }
        if (const GumboVector* children = ChildrenOf(node)) {
            for (unsigned i = children->length; i > 0; --i)
                stack.push_back({static_cast<const GumboNode*>(children->data[i - 1]), owner});
        }
    }
    return ItemsAsJson(items);
}

}  // namespace pantrio
