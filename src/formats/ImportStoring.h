// The steps every importer takes with what it has read: a line in the
// progress window's message list, storing one recipe with SaveAsNew while
// counting the outcome, and closing the import's transaction; and reading
// a whole file for the importers that parse a file at once.
#pragma once

#include <cstddef>
#include <string>

namespace pantrio {

class ImportProgress;
class Recipe;
class RecipeDB;
struct ImportSummary;
struct RecipeRows;

// Reads the whole file at `path` into `text`; false with the system's reason
// when it cannot be read or is larger than `maxBytes`.
bool ReadWholeFile(const std::string& path, std::string& text, std::string& reason,
                   std::size_t maxBytes = static_cast<std::size_t>(-1));

// The first step of the importers that read a whole file at once: clears
// the cancel flag and reads `path` into `text`. False when there is nothing
// to import: the file cannot be read (a notice says why) or holds only
// blanks (`emptyFile`).
bool ReadImportFile(const std::string& path, std::size_t maxBytes, ImportProgress& window,
                    std::string& text, ImportSummary& counts);

// Lets the window breathe and tests its cancel flag between recipes; when it
// is set, the import is counted as cancelled and says so in the list.
bool ImportCancelled(ImportProgress& window, ImportSummary& counts);

// Appends `text` to the progress window's message list.
void AddImportMessage(ImportProgress& window, const std::string& text);

// Stores `recipe` as a new recipe of `db`; SaveAsNew's messages go to the
// window's list. Counts the recipe as stored (with its new number) or not
// stored (and whether it was a duplicate). True when it was stored. `rows`,
// when given, are the recipe's values worked out ahead (PrepareRecipeRows).
bool StoreImportedRecipe(Recipe& recipe, RecipeDB& db, ImportProgress& window,
                         ImportSummary& counts, const RecipeRows* rows = nullptr);

// Commits the import's transaction when one is open. When the commit fails
// nothing of it stays: the transaction is rolled back, the failure is listed
// and every recipe counted as stored is counted as not stored instead.
void FinishImportTransaction(bool inTransaction, RecipeDB& db, ImportProgress& window,
                             ImportSummary& counts);

}  // namespace pantrio
