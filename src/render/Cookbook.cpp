#include "render/Cookbook.h"

#include <algorithm>
#include <cctype>

#include "base/Text.h"
#include "formats/XmlEscapes.h"

namespace pantrio {

namespace {

// The styles of every part. Each sheet class starts a new page, so a part
// printed alone and the same part inside the whole take the same pages.
const char* const kHead =
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%s</title><style>"
    "body{margin:0;font-family:Georgia,'Times New Roman',serif;color:#222}"
    ".cb-sheet{break-before:page;page-break-before:always}"
    ".cb-titlepage{text-align:center;padding-top:7cm}"
    ".cb-titlepage h1{font-size:2.4em;margin:0 0 0.6em}"
    ".cb-titlepage p{font-size:1.1em;color:#555}"
    "h2.cb-heading{font-size:1.5em;border-bottom:1px solid #999;margin:0 0 0.8em}"
    "table.cb-list{width:100%%;border-collapse:collapse}"
    "table.cb-list td{padding:0.15em 0;vertical-align:top}"
    "table.cb-list td.cb-page{text-align:right;width:4em}"
    ".cb-keyword{font-weight:bold;margin:0.8em 0 0.2em;break-after:avoid;"
    "page-break-after:avoid}"
    ".cb-index table.cb-list td.cb-entry{padding-left:1.5em}"
    "</style></head><body>";
const char* const kTail = "</body></html>";

std::string ListRow(const std::string& text, const std::string& page, const char* textClass) {
    return std::string("<tr><td class=\"") + textClass + "\">" + EscapeXmlText(text) +
           "</td><td class=\"cb-page\">" + page + "</td></tr>";
}

bool IsWordChar(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

// The value of the number after `key` at `at`, or -1.
long NumberAfter(std::string_view text, std::size_t at) {
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    long value = -1;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at)
        value = (value < 0 ? 0 : value * 10) + (text[at] - '0');
    return value;
}

}  // namespace

Cookbook::Cookbook(std::string title, std::vector<CookbookRecipe> recipes)
    : title_(std::move(title)), recipes_(std::move(recipes)) {}

std::string Cookbook::FrontMatter(bool placeholders) const {
    std::string html =
        "<div class=\"cb-titlepage\"><h1>" + EscapeXmlText(title_) + "</h1><p>" +
        (recipes_.size() == 1 ? std::string("1 recipe") : Format("%zu recipes", recipes_.size())) +
        "</p></div>";
    html +=
        "<div class=\"cb-sheet cb-contents\"><h2 class=\"cb-heading\">Contents</h2>"
        "<table class=\"cb-list\">";
    for (std::size_t i = 0; i < recipes_.size(); ++i) {
        const bool known = !placeholders && i < firstPages_.size();
        html +=
            ListRow(recipes_[i].title, known ? Format("%d", firstPages_[i]) : "000", "cb-title");
    }
    html += ListRow("Index", placeholders || indexPage_ == 0 ? "000" : Format("%d", indexPage_),
                    "cb-title");
    return html + "</table></div>";
}

std::string Cookbook::FrontMatterPart() const {
    return Format(kHead, EscapeXmlText(title_).c_str()) + FrontMatter(true) + kTail;
}

std::string Cookbook::RecipePart(std::size_t recipe) const {
    if (recipe >= recipes_.size()) return "";
    return Format(kHead, EscapeXmlText(title_).c_str()) + "<div class=\"cb-sheet cb-recipe\">" +
           recipes_[recipe].page + "</div>" + kTail;
}

bool Cookbook::SetPageCounts(int frontMatterPages, const std::vector<int>& recipePages) {
    if (recipePages.size() != recipes_.size() || frontMatterPages < 1) return false;
    firstPages_.clear();
    int next = frontMatterPages + 1;
    for (const int pages : recipePages) {
        firstPages_.push_back(next);
        next += std::max(pages, 1);
    }
    indexPage_ = next;
    return true;
}

std::vector<std::pair<std::string, std::vector<CookbookIndexEntry>>> Cookbook::KeywordIndex()
    const {
    // Keywords that differ only in letter case are one entry, written as
    // first met.
    std::vector<std::pair<std::string, std::vector<CookbookIndexEntry>>> index;
    std::vector<std::string> keys;
    for (std::size_t i = 0; i < recipes_.size(); ++i) {
        const int page = i < firstPages_.size() ? firstPages_[i] : 0;
        std::vector<std::string> seen;
        for (const std::string& raw : recipes_[i].keywords) {
            const std::string keyword = Trim(raw);
            const std::string key = ToLowerText(keyword);
            if (keyword.empty() || std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
            seen.push_back(key);
            const auto at = std::find(keys.begin(), keys.end(), key);
            if (at == keys.end()) {
                keys.push_back(key);
                index.push_back({keyword, {}});
                index.back().second.push_back({recipes_[i].title, page});
            } else {
                index[static_cast<std::size_t>(at - keys.begin())].second.push_back(
                    {recipes_[i].title, page});
            }
        }
    }
    std::vector<std::size_t> order(index.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    std::vector<std::pair<std::string, std::vector<CookbookIndexEntry>>> sorted;
    for (const std::size_t i : order) {
        auto entry = std::move(index[i]);
        std::stable_sort(entry.second.begin(), entry.second.end(),
                         [](const CookbookIndexEntry& a, const CookbookIndexEntry& b) {
                             return ToLowerText(a.title) < ToLowerText(b.title);
                         });
        sorted.push_back(std::move(entry));
    }
    return sorted;
}

std::string Cookbook::IndexHtml() const {
    std::string html = "<div class=\"cb-sheet cb-index\"><h2 class=\"cb-heading\">Index</h2>";
    for (const auto& [keyword, entries] : KeywordIndex()) {
        html += "<div class=\"cb-keyword\">" + EscapeXmlText(keyword) +
                "</div><table class=\"cb-list\">";
        for (const CookbookIndexEntry& entry : entries)
            html += ListRow(entry.title, Format("%d", entry.page), "cb-entry");
        html += "</table>";
    }
    return html + "</div>";
}

std::string Cookbook::Document() const {
    std::string html = Format(kHead, EscapeXmlText(title_).c_str()) + FrontMatter(false);
    for (const CookbookRecipe& recipe : recipes_)
        html += "<div class=\"cb-sheet cb-recipe\">" + recipe.page + "</div>";
    return html + IndexHtml() + kTail;
}

int CountPdfPages(std::string_view pdf) {
    if (pdf.substr(0, 5) != "%PDF-") return 0;
    int pages = 0;
    for (std::size_t at = pdf.find("/Type"); at != std::string_view::npos;
         at = pdf.find("/Type", at + 5)) {
        std::size_t i = at + 5;
        while (i < pdf.size() && std::isspace(static_cast<unsigned char>(pdf[i]))) ++i;
        if (pdf.substr(i, 5) == "/Page" && (i + 5 >= pdf.size() || !IsWordChar(pdf[i + 5])))
            ++pages;
    }
    if (pages > 0) return pages;
    // Page objects packed in object streams: the page tree's root counts
    // them all, and no subtree counts more.
    long count = 0;
    for (std::size_t at = pdf.find("/Count"); at != std::string_view::npos;
         at = pdf.find("/Count", at + 6))
        count = std::max(count, NumberAfter(pdf, at + 6));
    return static_cast<int>(count);
}

}  // namespace pantrio
