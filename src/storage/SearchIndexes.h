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

// The index by line, kept in step with IngredientLines: it answers a text
// anywhere in one name, wild cards included.
inline constexpr const char* kIngredientIndexTable = "IngredientNameTrigrams";

// The index by recipe: one row per recipe (its rowid is the RecipeID) with
// the recipe's names, one per line, their ASCII letters in lower case. A
// plain text (no wild card, no line break) is in one of a recipe's names,
// as LIKE '%text%' compares, exactly when its lower-case form is in the row;
// so the index names the recipes without reading their lines.
inline constexpr const char* kRecipeIngredientIndexTable = "RecipeIngredientTrigrams";

// A subquery (in parentheses) of the recipes whose row in the index by
// recipe may be out of date: those with lines stored since the indexes were
// last brought up to date, and those whose indexed lines were renamed, moved
// or removed since. Searches test their lines directly.
extern const char* const kPendingRecipes;

// True when the box holds both indexes, their tables of pending lines and
// recipes and of the last line indexed, and the triggers (of their current
// shape) that keep them in step as lines are renamed, renumbered, moved or
// removed; an index without its triggers could be stale and is not used.
bool HasIngredientIndex(CADODatabase& box);

// Adds the lines stored since the last call (numbered above the mark, or
// listed as pending because they took the number of a removed line) to the
// index by line and writes the rows of the pending recipes anew, in one
// transaction. Does nothing while a transaction is open or when the box is
// read-only: searches read pending lines directly, so this only makes them
// faster.
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
