#include "formats/ImportStoring.h"

#include "base/RowSink.h"
#include "base/Text.h"
#include "formats/ImportProgress.h"
#include "formats/ImportSummary.h"
#include "recipe/Recipe.h"
#include "storage/RecipeDB.h"

namespace pantrio {

namespace {

// Passes SaveAsNew's messages on to the window's list and notes whether one
// of them was the duplicate report, which is how SaveAsNew tells a duplicate
// from a failed save.
class DuplicateWatch : public RowSink {
public:
    explicit DuplicateWatch(RowSink& target) : target_(target) {}
    void AddRow(ListRow row) override {
        if (StartsWith(row.text, "Duplicate found:")) duplicate = true;
        target_.AddRow(std::move(row));
    }
    void ClearRows() override { target_.ClearRows(); }
    void Redraw() override { target_.Redraw(); }

    bool duplicate = false;

private:
    RowSink& target_;
};

}  // namespace

void AddImportMessage(ImportProgress& window, const std::string& text) {
    ListRow row;
    row.text = text;
    window.Messages().AddRow(std::move(row));
    window.Messages().Redraw();
}

bool StoreImportedRecipe(Recipe& recipe, RecipeDB& db, ImportProgress& window,
                         ImportSummary& counts) {
    DuplicateWatch watch(window.Messages());
    if (db.SaveAsNew(recipe, &watch) == 0) {
        ++counts.stored;
        counts.newRecipeIDs.push_back(recipe.RecipeID);
        return true;
    }
    ++counts.notStored;
    if (watch.duplicate) ++counts.duplicates;
    return false;
}

void FinishImportTransaction(bool inTransaction, RecipeDB& db, ImportProgress& window,
                             ImportSummary& counts) {
    if (!inTransaction || db.CommitTransaction()) return;
    AddImportMessage(window, "Could not store the recipes read: " + db.ErrorReport());
    db.RollbackTransaction();
    counts.notStored += counts.stored;
    counts.stored = 0;
    counts.newRecipeIDs.clear();
}

}  // namespace pantrio
