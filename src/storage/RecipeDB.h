// The connection to the open recipe box with the operations on it: loading a
// recipe with its lines and keywords, filling the results list, deleting,
// marking and scaling recipes, and small scalar queries. The main window owns
// one for the whole run and reconnects it when the user changes box.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "storage/Store.h"

namespace pantrio {

class Recipe;
class RowSink;
struct ConvertedLine;
struct IngredientLine;
struct RecipeRows;

class RecipeDB : public Store {
public:
    // The settings the connection string is built from.
    std::string CookbookPath;
    std::string SystemDatabasePath;

    // Reopens another box for SetMarked when a recipe of another box is
    // marked; the main window installs its open procedure here. It connects
    // this store and leaves the opened path in CookbookPath. When unset or
    // when it fails, the store connects directly.
    std::function<bool(const std::string& path)> openBox;

    // Opens the box at `path` and remembers it as CookbookPath, whether or
    // not the file could be opened, so the caller can name it in a message.
    bool Open(const std::string& path, bool readOnly = false);
    // The folder of CookbookPath + "/Pictures".
    std::string PicturesFolder() const;

    // Reads the Recipes row into `recipe` (not its lines or keywords): 1; 0
    // when the number has no row; -1 when the box is not open or the
    // statement fails. A stored ScaleMultiple of 0 reads as 1.
    int LoadRecipe(int recipeID, Recipe& recipe);
    // Replaces recipe.Lines with the first 100 lines in LineOrder, then line
    // number; sets Metric and clears LinesModified. Yields the number of
    // stored lines (which may exceed the 100 loaded), -1 on failure.
    int LoadIngredientLines(int recipeID, Recipe& recipe);
    // Replaces `names` with the keywords of AllCategoriesText ("|a|b|c"); empty
    // pieces are skipped and at most 50 names are read. The count, -1 on failure.
    int LoadKeywords(int recipeID, std::vector<std::string>& names);
    // Color, plus 7 when marked; 0 when the box is not open, -1 when the
    // recipe has no row.
    int RecipeIcon(int recipeID);
    // Refills `list` from a results statement whose recipe number stands at
    // column position `idColumn`: the title as text, the icon, the rating
    // ("%.0f") as column 1 and the recipe number as data. The row count, -1 on
    // failure (the list is then left as it was).
    int FillResults(const std::string& statement, int idColumn, RowSink& list);
    // Removes the recipe, its lines and their nutrient links from the box in
    // one transaction, and its meal-plan rows (of that number in any box) from
    // `support` when given. The picture file stays. 1, or -1 when the box part
    // failed and was rolled back.
    int DeleteRecipe(int recipeID, Store* support);
    // Marks or unmarks a recipe of the open box or, through `openBox`, of
    // another box; the open box is open again afterwards. 1, or -1 when the
    // other box could not be opened or the statement failed.
    int SetMarked(bool mark, int recipeID, const std::string& boxPath);
    // Sets the current recipe's ScaleMultiple and stores it; RunSQL's result.
    int SetScale(Recipe& current, double factor);
    // Writes converted quantities and measures to their lines, all in one
    // transaction. 1, or -1 when a statement failed (nothing is changed).
    int UpdateConvertedLines(const std::vector<ConvertedLine>& lines);
    int UpdateIngredientLine(int lineID, const std::string& textQty, const std::string& measure,
                             const std::string& name, bool heading, double qty,
                             const std::string& notes);
    int UnlinkLine(int lineID);
    // For every recipe number given (the selected rows), sets the text column
    // `column` to `value`, all in one transaction. 1, or -1 when the column
    // name is not a plain name or a statement failed (nothing is changed).
    int SetFieldOfSelected(const std::string& column, const std::string& value,
                           const std::vector<int>& recipeIDs);
    // Appends the distinct values of a Recipes column as text; the number
    // appended, -1 on failure or for a column name that is not a plain name.
    int DistinctValues(const std::string& column, std::vector<std::string>& out);
    // The number of recipes in the box. Counting reads a whole index, so the
    // count is kept until the box changes: through this connection, or by a
    // commit of another.
    long CountRecipes();

    // Stores `recipe` as a new recipe of this box and sets its RecipeID: 0
    // when stored, -1 for a duplicate (the message goes to `status` when
    // given) or a failure. Atomic: a failure stores nothing of the recipe.
    int SaveAsNew(Recipe& recipe, RowSink* status = nullptr);
    // The same for imports, which store many recipes in a row: the same rows,
    // duplicate test and messages, with the values bound to statements that
    // are prepared once instead of written into statement texts. Inside an
    // open transaction a failure removes what the recipe wrote, or rolls that
    // transaction back when it cannot; no half recipe is kept either way.
    int SaveAsNewBulk(Recipe& recipe, RowSink* status = nullptr);
    // The same with the values worked out ahead (PrepareRecipeRows of this
    // recipe).
    int SaveAsNewBulk(Recipe& recipe, const RecipeRows& rows, RowSink* status = nullptr);
    // The duplicate test of SaveAsNew: the number of a stored recipe with
    // this title whose instructions begin with the same 30 characters; 0 when
    // there is none, -1 when the box is not open or the statement fails.
    long FindDuplicate(const std::string& title, const std::string& instructions);

private:
    // Removes the rows a failed SaveAsNewBulk wrote inside an open
    // transaction; rolls that transaction back when they cannot be removed.
    // The error of the failure is kept.
    void UndoNewRecipe(int recipeID);
    // Makes bulkKeys_ current: kept while the box is as the last bulk save
    // left it, read from the box otherwise. False when they cannot be read.
    bool TakeBulkKeys();

    // The numbers the next bulk save gives, and the state of the box they
    // hold for.
    struct BulkKeys {
        std::uint64_t epoch = 0;  // WriteEpoch() after the last save
        long long changes = -1;   // the connection's changed rows by then
        long nextRecipe = 0;
        long nextLine = 0;
        bool orphans = true;  // lines may carry nextRecipe or a higher number
    };
    BulkKeys bulkKeys_;

    // The last count of recipes and the state of the box it was taken in.
    struct RecipeCount {
        std::uint64_t connection = 0;
        long long dataVersion = -1;
        long long changes = -1;
        long count = -1;
    };
    RecipeCount recipeCount_;
};

// The part of the instructions the duplicate test compares: the first 30
// characters with line ends normalised and ASCII letters folded; empty for
// shorter instructions, which match any recipe of the same title.
std::string DuplicateKey(const std::string& instructions);

}  // namespace pantrio
