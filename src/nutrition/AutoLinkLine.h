// Links between ingredient lines and foods. A line of a recipe box may be
// linked to one food of the support database's Nutrients table together
// with the edible grams of that food the line stands for at the recipe's own
// yield; the nutrition totals add up those grams times the food's amounts.
//
// LinkLine replaces a line's link. AutoLinkLine links a line without asking
// after it was added or its quantity, unit or name was edited: the name is
// looked up among the master list's keywords and, when the line's unit
// matches one of the food's household measures (MeasureRules.h), the line is
// linked with the grams worked out from that measure.
#pragma once

#include <string>

namespace pantrio {

class RecipeDB;
class SupportDB;
struct IngredientLine;

// The food the master list gives the ingredient `name`: a whole-name match
// without regard to letter case (apostrophes in the name are fine). 0 when
// no keyword matches, it names no food or the statement fails.
long MasterListFood(SupportDB& support, const std::string& name);

// The two household measures of a food, as its row stores them.
struct FoodMeasures {
    double grams1 = 0, grams2 = 0;
    std::string description1, description2;
};

// Reads the measures of food `nutrientID`; false when the food has no row.
bool ReadFoodMeasures(SupportDB& support, int nutrientID, FoodMeasures& measures);

// Replaces the link of line `lineID` with one to food `nutrientID` of
// `grams` grams, in one transaction. 1, or -1 when a statement failed (the
// old link then stays).
int LinkLine(RecipeDB& box, int lineID, int nutrientID, double grams);

// The grams AutoLinkLine would link `line` with to a food of `measures`:
// the link table's multiplier for the line's Measure against the first
// measure, else against the second, times DblQty times that measure's grams.
// Negative when no rule applies or the result is not a sound weight.
double AutoLinkGrams(const IngredientLine& line, const FoodMeasures& measures);

// Links a stored line by its name and unit as described above; a line whose
// name or unit is not known stays as it is. The caller has removed the old
// link (an edit invalidates it whether or not a new one is found). The
// linked food's number, 0 when the line stays unlinked (a heading, an
// unknown name or unit), -1 when storing the link failed.
long AutoLinkLine(RecipeDB& box, SupportDB& support, const IngredientLine& line);

}  // namespace pantrio
