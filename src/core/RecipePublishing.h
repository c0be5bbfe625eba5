// The "Publish" command's conversation with the user around writing the
// site: the nutrition-box question, the failures and where the site is.
#pragma once

#include <vector>

namespace pantrio {

class Prompter;
struct PublishEnvironment;

// Publishes the recipes `recipeIDs` (the selected rows, in list order): asks
// whether a nutrition box goes with them, writes the site, shows every file
// that could not be written and tells the user where the site is. The number
// of pages written; -1 when nothing was selected or the publish folder could
// not be made (after the message).
int PublishRecipes(const std::vector<int>& recipeIDs, PublishEnvironment& environment,
                   Prompter& prompter);

}  // namespace pantrio
