// A cookbook: chosen recipes as one printed document with a title page, a
// table of contents with page numbers, each recipe on pages of its own and
// an index of the recipes by keyword.
//
// The page numbers come from the printer, so the document is made in two
// passes. First every part is printed on its own (FrontMatterPart, each
// RecipePart) with the same page size and styles as the whole, and its pages
// are counted (CountPdfPages). Every part starts on a new sheet, so the
// whole document's pages are exactly the parts' pages one after the other:
// SetPageCounts places each recipe, and Document is printed as the cookbook.
// The front matter of the first pass holds the final contents with
// placeholder numbers of the same width, so it takes as many pages as the
// final one.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace pantrio {

struct CookbookRecipe {
    std::string title;
    std::vector<std::string> keywords;
    // The recipe's printed page (RenderRecipePage for printing).
    std::string page;
};

// One entry of the index: a recipe's title and its first page.
struct CookbookIndexEntry {
    std::string title;
    int page = 0;
};

class Cookbook {
public:
    Cookbook(std::string title, std::vector<CookbookRecipe> recipes);

    const std::string& Title() const { return title_; }
    const std::vector<CookbookRecipe>& Recipes() const { return recipes_; }

    // The parts printed on their own to count their pages.
    std::string FrontMatterPart() const;
    std::string RecipePart(std::size_t recipe) const;

    // Places the recipes after the front matter's pages, each recipe
    // taking its counted pages (at least one). False when the counts do
    // not fit the recipes.
    bool SetPageCounts(int frontMatterPages, const std::vector<int>& recipePages);
    // The first page of each recipe (1-based, the title page is page 1).
    const std::vector<int>& FirstPages() const { return firstPages_; }
    // The page the index starts on.
    int IndexPage() const { return indexPage_; }

    // Keyword (as first written) -> the recipes that carry it, by title;
    // keywords in alphabetical order, letter case ignored.
    std::vector<std::pair<std::string, std::vector<CookbookIndexEntry>>> KeywordIndex() const;

    // The whole document: front matter, recipes and index, with the page
    // numbers of SetPageCounts.
    std::string Document() const;

private:
    std::string FrontMatter(bool placeholders) const;
    std::string IndexHtml() const;

    std::string title_;
    std::vector<CookbookRecipe> recipes_;
    std::vector<int> firstPages_;
    int indexPage_ = 0;
};

// The number of pages of a PDF file's bytes: its page objects ("/Type
// /Page", not "/Pages"), or the page tree's "/Count" when the objects are
// packed in compressed streams. 0 for bytes that are no PDF.
int CountPdfPages(std::string_view pdf);

}  // namespace pantrio
