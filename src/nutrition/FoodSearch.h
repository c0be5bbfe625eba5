// The text search of the food table that the Ingredient Details dialog and
// `pantrio-cli foods` use, and the foods the master list proposes.
#pragma once

#include <string>

namespace pantrio {

class RowSink;
class SupportDB;

// Empties `list` and fills it with the foods whose name holds every word of
// `text` (blank-separated), in name order, followed by those whose name holds
// any of the words and were not listed yet. Each row: the food's name as
// text, its NutrientID as data. The number of rows listed; 0 for a text
// without words.
int SearchFoods(SupportDB& support, const std::string& text, RowSink& list);

// The name of food `nutrientID`; empty when it has no row.
std::string FoodName(SupportDB& support, int nutrientID);

// Teaches the master list: every keyword that is exactly `name` (ignoring
// letter case) now names food `nutrientID`. No keyword is added. RunSQL's
// result.
int UpdateMasterListFood(SupportDB& support, const std::string& name, int nutrientID);

}  // namespace pantrio
