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

// The transaction an import stores its recipes in, committed every
// `perCommit` recipes (0: once, by Finish). A batch that is not kept, because
// its commit failed or because a failed save could not be undone and rolled
// it back, is rolled back whole: the failure is listed, its recipes are
// counted as not stored, and the import goes on in a new transaction. A
// transaction left unfinished (an exception) is rolled back.
class ImportTransaction {
public:
    ImportTransaction(RecipeDB& db, ImportProgress& window, ImportSummary& counts,
                      long perCommit = 0);
    ~ImportTransaction();
    ImportTransaction(const ImportTransaction&) = delete;
    ImportTransaction& operator=(const ImportTransaction&) = delete;

    // StoreImportedRecipe in the transaction; true when the recipe was stored.
    bool Store(Recipe& recipe, const RecipeRows* rows = nullptr);
    // Commits the last batch.
    void Finish();

private:
    // Commits the batch, or when it was lost or its commit fails, rolls it
    // back and counts it; `failure` begins the message.
    void EndBatch(const char* failure, bool lost);

    RecipeDB& db_;
    ImportProgress& window_;
    ImportSummary& counts_;
    const long perCommit_;
    long sinceCommit_ = 0;
    long batchStart_ = 0;  // counts_.stored when the open transaction began
    bool open_;
};

}  // namespace pantrio
