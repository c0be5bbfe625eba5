// What the tests of the whole-file importers share: an open box, a recording
// progress window, the standard importer table, and helpers to write an
// input file, import it through its row and load what was stored.
#pragma once

#include <fstream>
#include <string>

#include "formats/ImportProgress.h"
#include "formats/ImporterTable.h"
#include "recipe/Recipe.h"
#include "support/BoxFixture.h"

namespace pantrio::test {

class ImportFixture : public BoxFixture {
protected:
    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = root.PathOf(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    // Imports `path` through the row the table picks, which must be `rowId`.
    ImportSummary ImportAs(const std::string& rowId, const std::string& path) {
        const ImporterRow* row = table.ForFile(path);
        EXPECT_TRUE(row != nullptr && row->id == rowId) << path;
        return row ? row->import(path, box, progress, {}) : ImportSummary{};
    }
    Recipe Load(int id) {
        Recipe recipe;
        EXPECT_EQ(box.LoadRecipe(id, recipe), 1);
        box.LoadIngredientLines(id, recipe);
        return recipe;
    }
    // The progress window's message list, one message a line.
    std::string Messages() const {
        std::string all;
        for (const ListRow& row : progress.messages.rows) all += row.text + "\n";
        return all;
    }

    RecordingProgress progress;
    ImporterTable table = ImporterTable::Standard();
};

}  // namespace pantrio::test
