// Writing and editing the current recipe: the Edit tab's fields, its entry
// row and ingredient grid, the Notes tab's fields and picture, and the New
// command. Every change is stored at once with its own statements on the
// open box; the current recipe (RecipeController) then takes the new value
// or is reloaded, and the results list and the recipe's pages show it.
//
// Lines are addressed by their 0-based place in the current recipe; their
// LineOrder stays dense (1, 2, 3, ...) through adds and deletes, so the order
// the user sees is the order every reader of the box sees.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/ControllerContext.h"
#include "core/RecipeEditView.h"
#include "recipe/RecipePicture.h"
#include "search/NotesKeywordList.h"

namespace pantrio {

class Recipe;
struct IngredientLine;

// The grid's editable columns.
enum class LineColumn { Quantity, Unit, Ingredient, PrepNotes };

// The entry row above the grid.
struct LineEntry {
    std::string quantity;
    std::string unit;
    std::string ingredient;
    std::string prepNotes;
    bool heading = false;
};

class RecipeEditController {
public:
    RecipeEditController(ControllerContext context, RecipeEditView* view);

    // Makes recipe `id` of the open box the current recipe for editing
    // (without stamping it as viewed); false when the box holds no such
    // recipe.
    bool EditRecipe(int id);

    // ---- fields of the Edit and Notes tabs

    // The fields SetField knows: Title, SubHead, Source, Cuisine,
    // PrimaryIngredient, YieldNumber, YieldUnit, YieldText, Instructions,
    // Notes, PictureFile1, the four ratings, ActiveMinutes, TotalMinutes.
    static const std::vector<std::string>& FieldNames();
    // Stores `value` in field `field` of the current recipe (names as
    // FieldNames, any letter case). Instructions and Notes keep their line
    // breaks as CR LF. A new cuisine or main ingredient goes to the recipes
    // selected in the results list first when `toSelected` is set (the Edit
    // tab). False, with the reason in `error`, for an unknown field, a value
    // out of range, no current recipe or a refused statement; nothing is
    // changed then.
    bool SetField(const std::string& field, const std::string& value, std::string& error,
                  bool toSelected = false);

    // The lists the Edit tab offers: "YieldUnits", "Cuisines" and
    // "PrimaryIngredients" of the support database.
    enum class Choices { YieldUnits, Cuisines, PrimaryIngredients };
    std::vector<std::string> ChoiceList(Choices which);
    // The start-up lists the grid's editors complete from.
    std::vector<std::string> Completions(LineColumn column) const;

    // ---- the New command

    // The toolbar's "New": asks with "Add a New Recipe" and stores the recipe.
    void NewRecipeCommand();
    // Stores a new recipe from the dialog's fields, makes it current, lists
    // it alone and brings the Edit tab to the front. Its RecipeID, -1 when
    // the box refused it.
    int NewRecipe(const NewRecipeFields& fields);

    // ---- lines

    // The entry row's add: nothing for an entry whose texts are all blank (0);
    // without a current recipe asks "Add a new recipe?" first. Stores the line
    // after the last one, links it to a food automatically and reloads the
    // recipe. The new line's IngredientLinesID, 0 when nothing was added, -1
    // when it could not be stored (`error` says why).
    long AddLine(const LineEntry& entry, std::string& error);
    // The same from one typed line ("1 1/2 cups flour, sifted"), split as the
    // screen import splits ingredient text; a heading keeps the text as its
    // name.
    long AddLineText(const std::string& text, bool heading, std::string& error);
    // Writes one cell of line `index`; a quantity, unit or ingredient edit
    // removes the line's food link and links it again. False with `error`
    // for a line that does not exist or a refused statement.
    bool EditCell(int index, LineColumn column, const std::string& text, std::string& error);
    // Appends an empty line after the last (the Insert key and moving past
    // the last row, after their questions); its IngredientLinesID or -1.
    long AppendEmptyLine(std::string& error);
    // The Insert key of the grid: asks "Add a new ingredient?" first.
    long InsertLineAsked();
    // Moving past the grid's last row: asks "Add a new ingredient line?".
    long AddLinePastLastRow();
    // Deletes line `index` with its food link and closes the gap in the
    // line order. False with `error` when there is no such line or the box
    // refused (nothing is deleted then).
    bool DeleteLine(int index, std::string& error);
    // The Delete key of the grid: asks "Delete?" first.
    bool DeleteLineAsked(int index);

    // ---- the Notes tab's keyword list

    // The current recipe's keywords as the Notes tab lists them (newest on top).
    std::vector<std::string> KeywordRows();
    // The Delete key on row `row` of that list: removes the keyword and stores
    // the rest; false when there is no such row or the box refused.
    bool DeleteKeywordRow(int row);

    // ---- the picture

    // "Browse...": the file dialog, then PictureFromFile.
    void BrowsePicture();
    // Reduces the JPEG at `path` into the pictures folder as the current
    // recipe's picture. False, with the reason in `error`, when the file is
    // not a readable JPEG or no recipe is current; nothing is stored then.
    bool PictureFromFile(const std::string& path, std::string& error);
    // The same from JPEG bytes fetched from `source` (an address).
    bool PictureFromJpeg(std::string_view bytes, const std::string& source, std::string& error);
    // "Paste JPG": the same from the clipboard's picture.
    void PastePicture();
    bool PictureFromImage(const RgbImage& image, std::string& error);
    // The full path of the current recipe's picture file; empty when it has
    // none or its name is not a plain file name.
    std::string PicturePath() const;
    // "Clear": asks before deleting the picture file, then empties the name.
    void ClearPictureAsked();
    // Empties the picture name; deletes the file too when `deleteFile`.
    bool ClearPicture(bool deleteFile, std::string& error);

    // The food link of a line just added or edited. It is the nutrition
    // area's automatic link unless a test or front end sets another.
    std::function<long(const IngredientLine& line)> autoLink;

private:
    bool RequireCurrent(std::string& error) const;
    Recipe& Current();
    int CurrentID() const;
    // Reloads the current recipe's lines, puts the line order back in
    // sequence, and shows the change everywhere.
    void ReloadLines();
    bool RenumberLines();
    long InsertLine(const IngredientLine& line, std::string& error);
    void LinkLine(long lineID);
    bool StorePicture(const RgbImage& image, const std::string& source, std::string& error);
    // With a recipe shown: `read` decodes the picture, which is then stored;
    // `source` names it in messages.
    bool ReadAndStorePicture(const std::function<PictureResult(RgbImage&)>& read,
                             const std::string& source, std::string& error);
    void ShowChange(bool titleChanged);

    ControllerContext context_;
    RecipeEditView* view_;
    NotesKeywordList keywords_;
};

}  // namespace pantrio
