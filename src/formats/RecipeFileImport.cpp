#include "formats/RecipeFileImport.h"

#include <vector>

#include "base/RowSink.h"
#include "base/Text.h"
#include "formats/ImportProgress.h"
#include "formats/ImportStoring.h"
#include "formats/RecipeDocument.h"
#include "formats/XmlDocument.h"
#include "recipe/Recipe.h"
#include "storage/RecipeDB.h"

namespace pantrio {

namespace {

void ReportDroppedLines(ImportProgress& window, const Recipe& recipe) {
    if (recipe.LinesDropped() == 0) return;
    AddImportMessage(window,
                     Format("More than %d ingredient lines: %s.  Only the first %d were added.",
                            Recipe::kMaxLines, recipe.Title.c_str(), Recipe::kMaxLines));
}

// Stores every RECIPE child of the RXF element the cursor stands on, all in
// one transaction. A recipe that cannot be read is listed with its number in
// the file and its line; the others are stored.
void ImportSeveral(XmlDocument& doc, RecipeDB& db, ImportProgress& window, ImportSummary& counts,
                   const ImportOptions& options) {
    const std::string& text = doc.GetDoc();
    window.Show();
    window.SetPosition(0);
    ImportTransaction transaction(db, window, counts);

    // Line numbers are counted on from the previous recipe, once over the text.
    long line = 1;
    std::size_t counted = 0;
    doc.IntoElem();
    while (doc.FindElem("RECIPE")) {
        if (ImportCancelled(window, counts)) break;
        ++counts.recipesFound;
        const auto offset = static_cast<std::size_t>(doc.GetElemOffset());
        for (; counted < offset; ++counted)
            if (text[counted] == '\n') ++line;

        const std::string recipeText = doc.GetSubDoc();
        Recipe recipe;
        recipe.LongFormUnits = options.longFormUnits;
        std::string reason;
        if (ReadRecipeDocument(recipe, recipeText, &reason) == 0) {
            ReportDroppedLines(window, recipe);
            transaction.Store(recipe);
        } else {
            ++counts.notStored;
            AddImportMessage(window, Format("Recipe %ld (line %ld) could not be read: %s.",
                                            counts.recipesFound, line, reason.c_str()));
        }
        window.Show();
        window.SetStatus("Importing " + recipe.Title);
        const std::size_t done = offset + recipeText.size();
        window.SetPosition(static_cast<int>(done * 100 / text.size()));
    }

    transaction.Finish();
    window.Hide();
}

void ImportOne(const std::string& text, RecipeDB& db, ImportProgress& window, ImportSummary& counts,
               const ImportOptions& options) {
    window.Show();
    window.SetPosition(0);
    Recipe recipe;
    recipe.LongFormUnits = options.longFormUnits;
    const bool read = ReadRecipeDocument(recipe, text) == 0;
    window.SetPosition(75);
    bool stored = false;
    if (read) {
        ++counts.recipesFound;
        ReportDroppedLines(window, recipe);
        stored = StoreImportedRecipe(recipe, db, window, counts);
    } else {
        counts.notices.push_back({kCannotReadRecipeDocument, "", ImportNotice::Kind::Plain});
    }
    window.SetPosition(100);
    window.Hide();
    if (stored) {
        counts.notices.push_back(
            {Format("The recipe '%s' has been successfully imported to your recipe "
                    "box.  You may need to refresh to view it.",
                    recipe.Title.c_str()),
             "", ImportNotice::Kind::Information});
    }
}

}  // namespace

ImportSummary ImportRecipeText(const std::string& text, RecipeDB& db, ImportProgress& window,
                               const ImportOptions& options) {
    ImportSummary counts;
    window.SetCancelled(false);

    const std::string utf8 = EnsureUtf8(text);
    XmlDocument doc;
    if (doc.SetDoc(utf8) && doc.FindElem() && doc.GetTagName() == "RXF") {
        ImportSeveral(doc, db, window, counts, options);
    } else {
        ImportOne(utf8, db, window, counts, options);
    }
    return counts;
}

ImportSummary ImportRecipeFile(const std::string& path, RecipeDB& db, ImportProgress& window,
                               const ImportOptions& options) {
    std::string text;
    std::string reason;
    std::vector<ImportNotice> openFailure;
    if (!ReadWholeFile(path, text, reason))
        openFailure.push_back({path + ": " + reason, "Open", ImportNotice::Kind::Error});
    ImportSummary counts =
        ImportRecipeText(ReplaceAll(std::move(text), "\r\n", "\n"), db, window, options);
    counts.notices.insert(counts.notices.begin(), openFailure.begin(), openFailure.end());
    return counts;
}

}  // namespace pantrio
