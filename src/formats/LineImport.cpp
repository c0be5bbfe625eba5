#include "formats/LineImport.h"

#include <deque>
#include <exception>

#include "base/Text.h"
#include "formats/ImportProgress.h"
#include "formats/ImportQueue.h"
#include "formats/ImportStoring.h"
#include "formats/LineParseThread.h"
#include "formats/LineReader.h"
#include "formats/RecipeTextParser.h"
#include "storage/RecipeDB.h"

namespace pantrio {

namespace {

// Recipes stored between two commits of a bulk import: few enough that a
// crash loses little work, many enough that disk syncs do not limit speed.
constexpr long kRecipesPerCommit = 5000;

// Finished recipes the reading thread may hold ahead of the store.
constexpr std::size_t kQueuedRecipes = 64;

// The storing half of the import, on the calling thread: acts on the reading
// thread's events in order, the only one to touch the window and the box.
class ImportStorer {
public:
    ImportStorer(RecipeDB& db, ImportProgress& window, ImportSummary& counts)
        : window_(window), counts_(counts), transaction_(db, window, counts, kRecipesPerCommit) {}

    void Handle(ImportEvent& event);
    bool Ended() const { return ended_; }
    // After the reading thread ended: the reports of a cancel, then the
    // commit; a parser's exception is thrown on from here.
    void Finish();

private:
    // Lets the window breathe once before each line up to `line` that had no
    // breath yet, testing the cancel flag each time; false once cancelled.
    bool BreatheUpTo(long line);
    void ReportReadFailure(long line);

    ImportProgress& window_;
    ImportSummary& counts_;
    ImportTransaction transaction_;
    long breathed_ = 0;    // the lines the window breathed before
    long cancelLine_ = 0;  // the line not read because of the cancel
    long readFailedFrom_ = 0;
    bool open_ = false;  // the recipe a cancel cuts off, as of line `breathed_`
    std::string openTitle_;
    long openLine_ = 0;
    std::exception_ptr failure_;
    bool ended_ = false;
};

bool ImportStorer::BreatheUpTo(long line) {
    if (counts_.cancelled) return false;
    while (breathed_ < line) {
        window_.Breathe();
        if (window_.Cancelled()) {
            counts_.cancelled = true;
            cancelLine_ = breathed_ + 1;
            return false;
        }
        ++breathed_;
    }
    return true;
}

void ImportStorer::Handle(ImportEvent& event) {
    using Kind = ImportEvent::Kind;
    if (event.kind == Kind::End) {
        ended_ = true;
        return;
    }
    if (event.kind == Kind::ReadFailed) {
        readFailedFrom_ = event.line;
        return;
    }
    // Whatever arose at a line the cancel came before is dropped.
    if (!BreatheUpTo(event.line)) return;
    switch (event.kind) {
        case Kind::Title:
            ++counts_.recipesFound;
            window_.SetStatus(event.text);
            break;
        case Kind::Message:
            if (event.flag) ++counts_.notStored;
            AddImportMessage(window_, event.text);
            break;
        case Kind::LineCut:
            AddImportMessage(window_, Format("Line %ld is longer than %zu characters; the rest of "
                                             "it was skipped.",
                                             event.line, LineReader::kMaxLineBytes));
            break;
        case Kind::Recipe:
            transaction_.Store(*event.recipe, event.rows.get());
            break;
        case Kind::Percent:
            window_.SetPosition(static_cast<int>(event.number));
            break;
        case Kind::OpenRecipe:
            open_ = event.flag;
            openTitle_ = std::move(event.text);
            openLine_ = event.number;
            break;
        case Kind::LinesDone:
            counts_.linesRead = event.line;
            if (readFailedFrom_ > 0) ReportReadFailure(event.line);
            break;
        case Kind::Failed:
            if (!failure_) failure_ = event.failure;
            break;
        default:
            break;
    }
}

void ImportStorer::ReportReadFailure(long line) {
    AddImportMessage(window_, Format("The file could not be read after line %ld.", line));
}

void ImportStorer::Finish() {
    if (failure_) std::rethrow_exception(failure_);
    if (counts_.cancelled) {
        counts_.linesRead = cancelLine_;
        if (readFailedFrom_ > 0 && readFailedFrom_ <= cancelLine_) ReportReadFailure(cancelLine_);
        if (open_) {
            ++counts_.notStored;
            AddImportMessage(
                window_, RecipeTextParser::CancelledText(cancelLine_ - 1, openTitle_, openLine_));
        }
    }
    transaction_.Finish();
}

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

    // Every page of the growing box is written once: mapping them for reading
    // would only count them as the program's memory.
    ReadMapPause unmapped(db);
    ImportStorer storer(db, window, counts);
    {
        ImportQueue queue(kQueuedRecipes);
        LineParseThread reading(reader, std::move(line), parser, queue);
        std::deque<ImportEvent> batch;
        while (!storer.Ended() && queue.TakeAll(batch)) {
            for (ImportEvent& event : batch) {
                if (storer.Ended()) break;
                storer.Handle(event);
                if (counts.cancelled) reading.Stop();
            }
            queue.GiveBack(batch);
        }
        reading.Join();
    }
    reader.Close();
    storer.Finish();
    window.Hide();
    return counts;
}

}  // namespace pantrio
