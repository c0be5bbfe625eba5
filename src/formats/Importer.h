// The one shape every importer has, so that the importer table can hold
// them side by side: it reads the file at a path into the open box, reports
// to a progress window, honours the caller's options and returns what it did.
// Importers ask no questions; whatever the user must see in a box of its own
// comes back as a notice in the summary.
#pragma once

#include <functional>
#include <string>

#include "formats/ImportSummary.h"

namespace pantrio {

class ImportProgress;
class RecipeDB;

struct ImportOptions {
    // Unit words in long form ("Display units in long form").
    bool longFormUnits = false;
};

using Importer =
    std::function<ImportSummary(const std::string& path, RecipeDB& box, ImportProgress& progress,
                                const ImportOptions& options)>;

}  // namespace pantrio
