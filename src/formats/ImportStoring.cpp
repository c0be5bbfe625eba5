#include "formats/ImportStoring.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

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

bool ReadWholeFile(const std::string& path, std::string& text, std::string& reason,
                   std::size_t maxBytes) {
    text.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        reason = std::strerror(errno);
        return false;
    }
    char buffer[1 << 16];
    std::size_t got = 0;
    bool tooLarge = false;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        if (text.size() + got > maxBytes) {
            tooLarge = true;
            break;
        }
        text.append(buffer, got);
    }
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (tooLarge) {
        text.clear();
        reason = Format("larger than %zu bytes", maxBytes);
        return false;
    }
    if (failed) {
        text.clear();
        reason = std::strerror(error);
        return false;
    }
    return true;
}

bool ReadImportFile(const std::string& path, std::size_t maxBytes, ImportProgress& window,
                    std::string& text, ImportSummary& counts) {
    window.SetCancelled(false);
    std::string reason;
    if (!ReadWholeFile(path, text, reason, maxBytes)) {
        counts.notices.push_back({path + ": " + reason, "Open", ImportNotice::Kind::Error});
        return false;
    }
    if (Trim(text).empty()) {
        counts.emptyFile = true;
        return false;
    }
    return true;
}

bool ImportCancelled(ImportProgress& window, ImportSummary& counts) {
    window.Breathe();
    if (!window.Cancelled()) return false;
    counts.cancelled = true;
    AddImportMessage(window, "Import cancelled.");
    return true;
}

void AddImportMessage(ImportProgress& window, const std::string& text) {
    ListRow row;
    row.text = text;
    window.Messages().AddRow(std::move(row));
    window.Messages().Redraw();
}

bool StoreImportedRecipe(Recipe& recipe, RecipeDB& db, ImportProgress& window,
                         ImportSummary& counts, const RecipeRows* rows) {
    DuplicateWatch watch(window.Messages());
    const int saved =
        rows ? db.SaveAsNewBulk(recipe, *rows, &watch) : db.SaveAsNewBulk(recipe, &watch);
    if (saved == 0) {
        ++counts.stored;
        counts.newRecipeIDs.push_back(recipe.RecipeID);
        return true;
    }
    ++counts.notStored;
    if (watch.duplicate) ++counts.duplicates;
    return false;
}

ImportTransaction::ImportTransaction(RecipeDB& db, ImportProgress& window, ImportSummary& counts,
                                     long perCommit)
    : db_(db),
      window_(window),
      counts_(counts),
      perCommit_(perCommit),
      batchStart_(counts.stored),
      open_(db.BeginTransaction()) {}

ImportTransaction::~ImportTransaction() {
    if (open_ && db_.TransactionDepth() > 0) db_.RollbackTransaction();
}

bool ImportTransaction::Store(Recipe& recipe, const RecipeRows* rows) {
    const bool stored = StoreImportedRecipe(recipe, db_, window_, counts_, rows);
    // A failed save that could not be undone rolled the batch back.
    const bool lost = open_ && db_.TransactionDepth() == 0;
    if (lost || (open_ && perCommit_ > 0 && ++sinceCommit_ >= perCommit_)) {
        EndBatch("Could not store the recipes read so far: ", lost);
        open_ = db_.BeginTransaction();
    }
    return stored;
}

void ImportTransaction::Finish() {
    if (open_) EndBatch("Could not store the recipes read: ", db_.TransactionDepth() == 0);
    open_ = false;
}

void ImportTransaction::EndBatch(const char* failure, bool lost) {
    if (lost || !db_.CommitTransaction()) {
        AddImportMessage(window_, failure + db_.ErrorReport());
        if (db_.TransactionDepth() > 0) db_.RollbackTransaction();
        const long dropped = counts_.stored - batchStart_;
        counts_.notStored += dropped;
        counts_.stored = batchStart_;
        const std::size_t ids = counts_.newRecipeIDs.size();
        counts_.newRecipeIDs.resize(ids - std::min(ids, static_cast<std::size_t>(dropped)));
    }
    sinceCommit_ = 0;
    batchStart_ = counts_.stored;
}

}  // namespace pantrio
