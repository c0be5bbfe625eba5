// The indexes the searches and views of the results list rest on: the trigram
// index over ingredient names (IngredientNameTrigrams), which answers searches
// for a text anywhere in a name without reading every line, the title index
// that holds every column the title-ordered lists show or test, and the date
// index that holds the same for the dated views. Boxes made from the current
// schema carry them; boxes made before gain them the first time they are
// opened for writing. A box without them (read-only
// media) answers the same searches more slowly, with the same results.
#pragma once

#include <functional>
#include <string>

namespace pantrio {

class CADODatabase;

// The table the triggers keep in step with IngredientLines.
inline constexpr const char* kIngredientIndexTable = "IngredientNameTrigrams";

// True when the box holds the index, its tables of pending lines and of the
// last line indexed, and the triggers that keep them in step as lines are
// renamed, renumbered or removed; an index without its triggers could be
// stale and is not used.
bool HasIngredientIndex(CADODatabase& box);

// Adds the lines stored since the last call (numbered above the mark, or
// listed as pending because they took the number of a removed line) to the index, in one
// transaction. Does nothing while a transaction is open or when the box is read-only: searches read
// pending lines directly, so this only makes them faster.
void IndexPendingIngredientNames(CADODatabase& box);

enum class SearchIndexUpgrade {
    Present,    // the box had them already
    Built,      // they were added now
    ReadOnly,   // the box is open read-only: it is searched without the index
    Cancelled,  // the progress callback asked to stop; nothing was changed
    Failed,     // SQLite refused; nothing was changed (ErrorReport() says why)
};

// Called while the index is filled, with the share done from 0 to 100;
// returning false stops the work and leaves the box as it was.
using IndexProgress = std::function<bool(int percent)>;

// Adds what a box lacks, in one transaction, filling the trigram index from
// the stored lines, and indexes the pending lines of a box that has it. A
// leftover trigram table without its triggers is replaced, and so is a title
// or date index of an earlier shape; the triggers of an earlier shape of the index
// are replaced without filling it again.
SearchIndexUpgrade EnsureSearchIndexes(CADODatabase& box, const IndexProgress& progress = nullptr);

}  // namespace pantrio
