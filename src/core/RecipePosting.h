// What a recipe carries to the recipe service when it is posted: its title,
// its page as the service shows it, and its exchange document. The View tab
// fills the posting form ("postrecipe.htm" in the Data folder) with them and
// lets the browser submit it; pantrio-cli sends the same fields itself. The
// service answers with "<!--@CRFASSIGNUNIQUEID=N-->", the number it gave the
// recipe.
#pragma once

#include <optional>
#include <string>

namespace pantrio {

class Recipe;
struct RenderContext;

struct PostingFields {
    std::string title;
    std::string recipehtml;  // the page rendered for the service
    std::string recipexml;   // the exchange document, quotes as tilde markers
};

// The exchange document for the form: every apostrophe becomes "~quote",
// then every double quote "~doublequote".
std::string PostingDocument(const std::string& exchangeDocument);

// The three fields of `recipe`, its page rendered in `theme` with the
// options of the page posted to the service.
PostingFields MakePostingFields(const Recipe& recipe, int theme, RenderContext& context);

// Fills the posting form `page`: "@RECIPETITLE", "@RECIPEHTML" and
// "@RECIPEXML" take the fields, "@SERVICEURL" the service's base address.
// The values stand in form fields of an HTML page, so each is HTML-escaped
// ("&" inside the document, "</textarea>" inside a title stay text). The
// page is filled in one pass: a placeholder's name inside a value is not
// filled again.
std::string FillPostingPage(const std::string& page, const PostingFields& fields,
                            const std::string& serviceURL);

// The number text of "<!--@CRFASSIGNUNIQUEID=" (letter case ignored) in
// `source`: what stands between the marker and the first "-->" after it
// (to the end of the page when there is none). Nothing when the marker is
// absent.
std::optional<std::string> AssignedNumberText(const std::string& source);

}  // namespace pantrio
