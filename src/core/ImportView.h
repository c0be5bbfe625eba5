// The dialogs of the import commands as BoxController sees them. The
// progress window is a separate interface (ProgressWindow), shared with the
// page import.
#pragma once

#include <optional>
#include <vector>

#include "base/RowSink.h"

namespace pantrio {

class ImportView {
public:
    virtual ~ImportView() = default;

    // The list of another box's recipes with a check box per row (the
    // import from a recipe box); the numbers of the ticked rows in list
    // order, nothing on Cancel.
    virtual std::optional<std::vector<long>> ChooseRecipesToImport(
        const std::vector<ListRow>& /*rows*/) {
        return std::nullopt;
    }
};

}  // namespace pantrio
