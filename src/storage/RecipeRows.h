// A recipe's values as a bulk import stores them, worked out from the record
// alone: line ends in the stored convention, texts cut to their columns,
// numbers rounded as SaveAsNew's statement text writes them, the key of the
// duplicate test and the keyword text. Needing no box, an import works them
// out on its reading thread, leaving the storing thread only the statements.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace pantrio {

class Recipe;

// Widths of the IngredientLines text columns; longer values are cut when a
// recipe is stored.
constexpr std::size_t kStoredMeasureWidth = 10;
constexpr std::size_t kStoredNameWidth = 50;
constexpr std::size_t kStoredPrepNotesWidth = 64;

struct RecipeRows {
    struct Line {
        std::string measure;
        std::string name;
        std::string prepNotes;
        double quantity = 0;
    };
    std::string instructions;
    std::string notes;
    std::string duplicateKey;
    std::string categories;
    double yieldNumber = 0;
    double taste = 0;
    double effort = 0;
    double appearance = 0;
    double affordable = 0;
    double scale = 0;
    std::vector<Line> lines;  // one for each of the recipe's lines, in order
};

RecipeRows PrepareRecipeRows(const Recipe& recipe);

}  // namespace pantrio
