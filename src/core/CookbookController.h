// "Export cookbook...": the marked recipes of the open box, or the recipes of
// the results list when none is marked (of several boxes after a search of
// every box), as one PDF with a title page, contents, the recipe pages in a
// theme and an index by keyword. This side chooses and renders the recipes
// (a Cookbook); the front end prints it (PrintView::PrintCookbook).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/ControllerContext.h"
#include "core/PrintView.h"
#include "render/Cookbook.h"

namespace pantrio {

// One recipe of a cookbook: its number in the box at `box` (empty: the open
// box).
struct CookbookItem {
    std::string box;
    int recipeID = 0;
};

class CookbookController {
public:
    CookbookController(ControllerContext context, PrintView* view);

    // File "Export cookbook...": the recipes, the dialog, the PDF and a word
    // on how it went.
    void ExportCookbookCommand();

    // The recipes the command puts in the book: the marked ones of the open
    // box by title, else every row of the results list in list order.
    std::vector<CookbookItem> RecipesToExport();
    // What the dialog opens with: the open box's name as title and file
    // name (in the home folder), and the View tab's theme.
    CookbookChoices InitialChoices() const;
    // The recipes loaded and rendered for printing in `theme`; nothing, with
    // `error` set, when a recipe cannot be read or the theme does not exist.
    std::optional<Cookbook> MakeCookbook(const std::vector<CookbookItem>& items,
                                         const std::string& title, int theme, std::string& error);

private:
    ControllerContext context_;
    PrintView* view_;
};

}  // namespace pantrio
