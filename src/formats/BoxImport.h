// Copying recipes from another recipe box into the open one. The other box is
// opened read-only as a second connection; its recipes are listed in title
// order and the chosen ones are stored in the open box as new recipes (new
// numbers, duplicates skipped without a message). Nutrient links and picture
// files stay behind; the picture's file name travels as text.
#pragma once

#include <string>
#include <vector>

#include "base/RowSink.h"
#include "storage/RecipeDB.h"

namespace pantrio {

class ImportProgress;

// Whether two box paths name the same box: compared after trimming and
// lowering, as the import command does.
bool IsSameBoxPath(const std::string& a, const std::string& b);

class BoxImport {
public:
    // Opens `path` as the source box. When it cannot, `failure` gets the
    // message for the user: a missing file and a file that is not a box each
    // have their own.
    bool Open(const std::string& path, const std::string& systemDatabasePath, std::string& failure);
    bool IsOpen() { return source_.Connected(); }
    void Close() { source_.Disconnect(); }

    // One row per recipe of the source box in title order: text the title,
    // data the recipe number.
    int FillList(RowSink& list);

    // Copies the recipes with these numbers, in the order given, into
    // `target` as new recipes; returns how many were stored. Runs in one
    // transaction of the target box, so a failure leaves no half recipe.
    int Copy(const std::vector<int>& recipeIDs, RecipeDB& target,
             ImportProgress* progress = nullptr);

private:
    RecipeDB source_;
};

}  // namespace pantrio
