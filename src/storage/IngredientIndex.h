// The trigram index over ingredient names (IngredientNameTrigrams), which
// answers searches for a text anywhere in a name without reading every line.
// Boxes made from the current schema carry it; boxes made before gain it the
// first time they are opened for writing. A box without it (read-only media)
// is searched line by line, with the same results.
#pragma once

#include <functional>
#include <string>

namespace pantrio {

class CADODatabase;

// The table the triggers keep in step with IngredientLines.
inline constexpr const char* kIngredientIndexTable = "IngredientNameTrigrams";

// True when the box holds the index table and all three triggers that keep it
// in step; an index without its triggers could be stale and is not used.
bool HasIngredientIndex(CADODatabase& box);

enum class IngredientIndexUpgrade {
    Present,    // the box had it already
    Built,      // it was added now
    ReadOnly,   // the box is open read-only: it is searched without the index
    Cancelled,  // the progress callback asked to stop; nothing was changed
    Failed,     // SQLite refused; nothing was changed (ErrorReport() says why)
};

// Called while the index is filled, with the share done from 0 to 100;
// returning false stops the work and leaves the box as it was.
using IndexProgress = std::function<bool(int percent)>;

// Adds the index to a box that lacks it, in one transaction, filling it from
// the stored lines. A leftover index table without its triggers is replaced.
IngredientIndexUpgrade EnsureIngredientIndex(CADODatabase& box,
                                             const IndexProgress& progress = nullptr);

}  // namespace pantrio
