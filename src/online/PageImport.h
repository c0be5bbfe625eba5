// Importing the recipe embedded in a page shown in the View tab: a published
// page (or a page of the recipe service) carries the recipe's exchange
// document between "<!--@PXBEGIN--" and "@PXEND-->". The Import button (and
// the Rate button on such a page) stores it as a new recipe of the open box,
// or finds the copy already stored, lists it alone and makes it current.
#pragma once

#include <string>

namespace pantrio {

class MainDialog;

// The exchange document embedded in `source`: the text from 12 characters
// after the start of "<!--@PXBEGIN" (letter case ignored) up to "@PXEND-->",
// so it begins with the "--" that closes the begin marker. Empty with
// `error` set to the message to show when a marker is missing.
std::string EmbeddedRecipeText(const std::string& source, std::string& error);

struct PageImportResult {
    int recipeID = -1;       // the recipe made current; -1 when nothing was imported
    bool newRecipe = false;  // false for a duplicate already in the box
};

// Imports the recipe embedded in the page `source` into the open box with
// the main window's progress window, then lists and shows it (the web view
// returns to its normal size). A new recipe plays the web-import sound and
// counts in ImportedRec. Messages go to the main window's prompter.
PageImportResult ImportFromPage(MainDialog& main, const std::string& source);

}  // namespace pantrio
