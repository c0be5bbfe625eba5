// The steps every importer takes with what it has read: a line in the
// progress window's message list, storing one recipe with SaveAsNew while
// counting the outcome, and closing the import's transaction.
#pragma once

#include <string>

namespace pantrio {

class ImportProgress;
class Recipe;
class RecipeDB;
struct ImportSummary;

// Appends `text` to the progress window's message list.
void AddImportMessage(ImportProgress& window, const std::string& text);

// Stores `recipe` as a new recipe of `db`; SaveAsNew's messages go to the
// window's list. Counts the recipe as stored (with its new number) or not
// stored (and whether it was a duplicate). True when it was stored.
bool StoreImportedRecipe(Recipe& recipe, RecipeDB& db, ImportProgress& window,
                         ImportSummary& counts);

// Commits the import's transaction when one is open. When the commit fails
// nothing of it stays: the transaction is rolled back, the failure is listed
// and every recipe counted as stored is counted as not stored instead.
void FinishImportTransaction(bool inTransaction, RecipeDB& db, ImportProgress& window,
                             ImportSummary& counts);

}  // namespace pantrio
