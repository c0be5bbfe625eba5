// The pages of every marked recipe of the open box, for printing.
#pragma once

#include <string>

#include "render/RecipePageOptions.h"

namespace pantrio {

class RecipeDB;
struct RenderContext;

// Every marked recipe of `box` in title order, loaded with its lines and
// keywords and rendered with `options`; the pages one after the other. Empty
// when the statement fails or nothing is marked.
std::string MarkedRecipesPage(RecipeDB& box, const RecipePageOptions& options,
                              RenderContext& context);

}  // namespace pantrio
