// The criteria of a recipe search, as the Find Recipes dialog and the
// Leftover Wizard hand them over, and the two statements built from them: the
// search of the open recipe box and the variant shown while the same search
// goes to the recipe service. The statement texts are fixed; callers and
// stored habits (the service page reads the same criteria) rely on them.
#pragma once

#include <array>
#include <string>

namespace pantrio {

class CADODatabase;

struct FindCriteria {
    // Words to look for in the title; may be empty.
    std::string titleText;
    // True: the title must begin with the text; false: contain it.
    bool titleBeginsWith = true;
    // Keywords that must all occur in AllCategoriesText; empty = not used.
    std::array<std::string, 5> keywords;
    // Exact PrimaryIngredient and Cuisine; empty = any.
    std::string mainIngredient;
    std::string cuisine;
    // Texts that must each occur in an ingredient name; "%" marks an empty
    // slot (kEmptyIngredient).
    std::array<std::string, 5> ingredients{"%", "%", "%", "%", "%"};
    // Minimum ratings; 0 = any.
    double minimumTaste = 0;
    double minimumEffort = 0;
    double minimumAppearance = 0;
    double minimumAffordability = 0;
};

// The marker of an unused ingredient slot.
inline constexpr const char* kEmptyIngredient = "%";

// How the search of the open box finds ingredients: by reading every line,
// or through the box's trigram index of names by recipe (HasIngredientIndex
// tells which the box allows).
enum class IngredientLookup { Scan, TrigramIndex };

// The search of the open box, ordered marked first, then colour, then title.
// With no criteria at all it lists every recipe that has a title. With the
// trigram index the ingredient texts without wild cards (three characters or
// more) are answered by the index together, a text with wild cards takes its
// candidates from it and keeps its own test, and the rating minimums are
// tested on each row instead of through a subquery of the same table; the
// rows and their order are the same as by scanning.
std::string FindRecipesQuery(const FindCriteria& criteria,
                             IngredientLookup lookup = IngredientLookup::Scan);

// The lookup the open box allows: the index when it holds one in step. Lines
// stored since the index was last brought up to date are indexed first.
IngredientLookup IngredientLookupOf(CADODatabase& box);

// The variant listed while the criteria go to the recipe service: ingredients
// are looked up in AllIngredientsText and there is no ORDER BY.
std::string ServiceFindQuery(const FindCriteria& criteria);

// The criteria of the Leftover Wizard: up to three ingredients as typed. The
// two remaining slots hold empty texts, not "%", so their clauses stay in the
// statement and require some named ingredient line.
FindCriteria LeftoverWizardCriteria(const std::string& first, const std::string& second,
                                    const std::string& third);

}  // namespace pantrio
