#include "formats/LineImport.h"

#include "base/Text.h"
#include "formats/ImportProgress.h"
#include "formats/ImportStoring.h"
#include "formats/LineReader.h"
#include "formats/RecipeTextParser.h"
#include "storage/RecipeDB.h"

namespace pantrio {

namespace {

// Recipes stored between two commits of a bulk import: few enough that a
// crash loses little work, many enough that disk syncs do not limit speed.
constexpr long kRecipesPerCommit = 5000;

}  // namespace

ImportSummary RunLineImport(const std::string& path, RecipeTextParser& parser, RecipeDB& db,
                            ImportProgress& window, const ImportOptions& options) {
    ImportSummary counts;
    parser.longFormUnits = options.longFormUnits;
    window.SetCancelled(false);
    LineReader reader;
    if (!reader.Open(path)) {
        window.Hide();
        counts.notices.push_back(
            {Format("Failed to open %s", path.c_str()), "", ImportNotice::Kind::Plain});
        return counts;
    }
    std::string line;
    if (!reader.Next(line)) {
        counts.emptyFile = true;
        return counts;
    }
    window.SetPosition(0);
    int shownPercent = 0;

    bool inTransaction = db.BeginTransaction();
    long sinceCommit = 0;
    parser.onTitle = [&](const std::string& title) {
        ++counts.recipesFound;
        window.SetStatus(title);
    };
    parser.onMessage = [&](const std::string& message, bool dropped) {
        if (dropped) ++counts.notStored;
        AddImportMessage(window, message);
    };
    parser.onRecipe = [&](Recipe& recipe) {
        StoreImportedRecipe(recipe, db, window, counts);
        if (++sinceCommit >= kRecipesPerCommit && inTransaction) {
            sinceCommit = 0;
            if (!db.CommitTransaction()) {
                AddImportMessage(window,
                                 "Could not store the recipes read so far: " + db.ErrorReport());
            }
            inTransaction = db.BeginTransaction();
        }
    };

    bool more = true;
    while (more) {
        window.Breathe();
        if (window.Cancelled()) {
            counts.cancelled = true;
            break;
        }
        if (reader.LastLineCut()) {
            AddImportMessage(window, Format("Line %ld is longer than %zu characters; the rest of "
                                            "it was skipped.",
                                            reader.LineNumber(), LineReader::kMaxLineBytes));
        }
        parser.Feed(line, reader.LineNumber());
        const int percent = reader.Percent();
        if (percent != shownPercent) {
            shownPercent = percent;
            window.SetPosition(percent);
        }
        more = reader.Next(line);
    }
    counts.linesRead = reader.LineNumber();
    if (reader.ReadError()) {
        AddImportMessage(window,
                         Format("The file could not be read after line %ld.", reader.LineNumber()));
    }
    parser.Finish(counts.cancelled,
                  counts.cancelled ? reader.LineNumber() - 1 : reader.LineNumber());
    reader.Close();

    FinishImportTransaction(inTransaction, db, window, counts);
    parser.onRecipe = nullptr;
    parser.onMessage = nullptr;
    parser.onTitle = nullptr;
    window.Hide();
    return counts;
}

}  // namespace pantrio
