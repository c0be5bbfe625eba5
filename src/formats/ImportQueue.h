// The hand-over between the two threads of a line import: the reading
// thread (LineParseThread) pushes what the parser reports, in order, and the
// storing thread takes it out in batches. The queue is bounded, so the reader
// never runs more than a few dozen recipes ahead of the store.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "recipe/Recipe.h"
#include "storage/RecipeRows.h"

namespace pantrio {

// One thing the reading thread reports, with the input line it arose at:
// the storing thread lets the window breathe once for every line up to it
// before acting on it, as if it had read the lines itself.
struct ImportEvent {
    enum class Kind {
        Title,       // a recipe begun: `text` is its title
        Message,     // `text` for the list; `flag`: about a recipe not stored
        LineCut,     // the line was longer than LineReader::kMaxLineBytes
        Recipe,      // a finished recipe in `recipe`
        Percent,     // the share of the file read changed to `number`
        OpenRecipe,  // the recipe a cancel would cut off: `flag` whether there is
                     // one, `text` its title, `number` the line it began at
        ReadFailed,  // reading failed after the line `line`; not tied to a breath
        LinesDone,   // the last line was read; `line` is the number of lines
        Failed,      // the parser threw `failure`
        End,         // nothing follows
    };
    Kind kind = Kind::End;
    long line = 0;
    std::string text;
    bool flag = false;
    long number = 0;
    std::unique_ptr<Recipe> recipe;
    std::unique_ptr<RecipeRows> rows;  // the recipe's values as they are stored
    std::exception_ptr failure;
};

class ImportQueue {
public:
    // Holds at most `maxRecipes` recipes and `maxEvents` events at a time.
    explicit ImportQueue(std::size_t maxRecipes = 64, std::size_t maxEvents = 4096);
    ImportQueue(const ImportQueue&) = delete;
    ImportQueue& operator=(const ImportQueue&) = delete;

    // Appends `event`, waiting while the queue is full. False (and the event is
    // dropped) once the queue was closed.
    bool Push(ImportEvent event);
    // Waits until there are events and moves all of them, oldest first, to the
    // end of `out`. False when the queue was closed and nothing is left.
    bool TakeAll(std::deque<ImportEvent>& out);
    // Hands events that were taken and acted on back, emptying `spent`: the
    // pushing thread frees them, as it made them. Memory freed on another
    // thread than the one that took it costs the allocator a lock it shares
    // with the maker, which showed as a large part of the storing time.
    void GiveBack(std::deque<ImportEvent>& spent);
    // Refuses further events and wakes both sides; events queued before stay
    // to be taken.
    void Close();

private:
    bool Full() const;

    std::mutex mutex_;
    std::condition_variable notEmpty_;
    std::condition_variable notFull_;
    std::deque<ImportEvent> events_;
    std::vector<std::deque<ImportEvent>> spent_;  // to be freed by the next Push
    std::size_t recipes_ = 0;
    const std::size_t maxRecipes_;
    const std::size_t maxEvents_;
    bool closed_ = false;
    bool takerWaiting_ = false;
    bool pusherWaiting_ = false;
};

}  // namespace pantrio
