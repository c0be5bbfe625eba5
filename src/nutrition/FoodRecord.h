// Reading and writing one food of the support database's Nutrients table as
// a NutrientValues record (the nutrient editor's load and save).
#pragma once

namespace pantrio {

class SupportDB;
struct NutrientValues;

// Reads the food's row into `food`: every amount, the name, the two household
// measures and the refuse; NutrientID becomes the number. 0, or -1 when the
// food has no row or the statement fails (then `food` is unchanged). Columns
// that hold no value read as 0 or empty text.
int ReadFood(SupportDB& support, int nutrientID, NutrientValues& food);

// Writes every amount, the name, the measures and the refuse of `food` into
// the food's row. 0, or -1 when the food has no row or the statement fails.
// Numbers that are not finite are stored as 0.
int WriteFood(SupportDB& support, int nutrientID, const NutrientValues& food);

}  // namespace pantrio
