// Reading the recipe embedded in a page shown in the View tab: a published
// page (or a page of the recipe service) carries the recipe's exchange
// document between "<!--@PXBEGIN--" and "@PXEND-->". WebView::ImportPage
// stores it, or, on a recipe site's page, the schema.org recipes it holds.
#pragma once

#include <string>

namespace pantrio {

// The exchange document embedded in `source`: the text from 12 characters
// after the start of "<!--@PXBEGIN" (letter case ignored) up to "@PXEND-->",
// so it begins with the "--" that closes the begin marker. Empty with
// `error` set to the message to show when a marker is missing.
std::string EmbeddedRecipeText(const std::string& source, std::string& error);

}  // namespace pantrio
