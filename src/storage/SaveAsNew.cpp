// Storing a record as a new recipe of the open box, and the duplicate test
// that decides whether it is new.
#include "base/RowSink.h"
#include "base/Text.h"
#include "recipe/Quantity.h"
#include "recipe/Recipe.h"
#include "storage/CADORecordset.h"
#include "storage/RecipeDB.h"

namespace pantrio {

namespace {

// Field widths of IngredientLines; longer values are cut when a recipe is
// stored.
constexpr std::size_t kMeasureWidth = 10;
constexpr std::size_t kNameWidth = 50;
constexpr std::size_t kPrepNotesWidth = 64;

// Instructions that begin alike over this many characters, under the same
// title, make a recipe a duplicate.
constexpr std::size_t kDuplicatePrefixChars = 30;

// Makes the wild cards of a LIKE pattern literal with the escape character
// "\", so a prefix such as "Mix 50% of" matches only itself.
std::string LiteralLikePattern(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\\' || c == '%' || c == '_') out += '\\';
        out += c;
    }
    return out;
}

void Report(RowSink* status, std::string text) {
    if (!status) return;
    ListRow row;
    row.text = std::move(text);
    status->AddRow(std::move(row));
    status->Redraw();
}

std::string Quoted(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '\'';
    out += QuoteSql(text);
    out += '\'';
    return out;
}

}  // namespace

long RecipeDB::FindDuplicate(const std::string& title, const std::string& instructions) {
    if (!Connected()) return -1;
    // Same title, and instructions that begin with the same characters. The
    // prefix's wild cards are made literal so that instructions such as
    // "Use 50% rye" do not match unrelated text; the title test uses the index.
    std::string prefix;
    if (CharCount(instructions) > kDuplicatePrefixChars)
        prefix = LiteralLikePattern(CutChars(instructions, kDuplicatePrefixChars));
    CADORecordset rs(*this);
    if (!rs.Run("Select RecipeID from Recipes where Title = " + Quoted(title) +
                " and Instructions LIKE '" + QuoteSql(prefix) + "%' ESCAPE '\\'")) {
        SetError(rs.ErrorCode(), rs.ErrorReport());
        return -1;
    }
    if (rs.AtEnd()) return 0;
    long id = 0;
    if (!rs.ReadAt(0, id)) return -1;
    return id;
}

int RecipeDB::SaveAsNew(Recipe& recipe, RowSink* status) {
    const int previousID = recipe.RecipeID;
    auto fail = [&]() {
        recipe.RecipeID = previousID;
        Report(status, Format("Could not store recipe: %s.", recipe.Title.c_str()));
        return -1;
    };
    // A closed box would accept every statement without storing anything.
    if (!Connected()) return fail();

    // Everything of one recipe is stored or nothing is. Inside a bulk import
    // this is a savepoint of the import's transaction.
    Transaction transaction(*this);
    if (!transaction.Active()) return fail();

    long maxID = MaxOf("Recipes", "RecipeID");
    if (maxID < 0) return fail();
    recipe.RecipeID = static_cast<int>(maxID + 1);

    const long duplicate = FindDuplicate(recipe.Title, recipe.Instructions);
    if (duplicate < 0) return fail();
    if (duplicate > 0) {
        Report(status, Format("Duplicate found: %s.  Not added.", recipe.Title.c_str()));
        return -1;
    }

    const int color = recipe.UniqueID > 0 ? 1 : 0;
    const DateTime viewed = recipe.LastViewed.null ? DateTime::Now() : recipe.LastViewed;
    std::string insert =
        "INSERT INTO RECIPES(RecipeID, Title, Instructions, YieldText, YieldUnit, YieldNumber, "
        "SubHead, Notes, PrimaryIngredient, Cuisine, UniqueID, Color, Source, TasteRating, "
        "EffortRating, AppearanceRating, AffordableRating, ActiveMinutes, TotalMinutes, "
        "AllIngredientsText, AllCategoriesText, LastViewed, ScaleMultiple, PictureFile1) VALUES(";
    insert += std::to_string(recipe.RecipeID) + "," + Quoted(recipe.Title) + ", " +
              Quoted(recipe.Instructions) + ", " + Quoted(recipe.YieldText) + ", " +
              Quoted(recipe.YieldUnit) + ", " + DecimalText(recipe.YieldNumber, 1) + "," +
              Quoted(recipe.SubHead) + "," + Quoted(recipe.Notes) + "," +
              Quoted(recipe.PrimaryIngredient) + "," + Quoted(recipe.Cuisine) + "," +
              std::to_string(recipe.UniqueID) + "," + std::to_string(color) + "," +
              Quoted(recipe.Source) + "," + DecimalText(recipe.TasteRating, 4) + "," +
              DecimalText(recipe.EffortRating, 4) + "," + DecimalText(recipe.AppearanceRating, 4) +
              "," + DecimalText(recipe.AffordableRating, 4) + "," +
              std::to_string(recipe.ActiveMinutes) + "," + std::to_string(recipe.TotalMinutes) +
              "," + Quoted(recipe.AllIngredientsText) + "," + Quoted(recipe.AllCategoriesText) +
              ",#" + viewed.IsoText() + "#," + DecimalText(recipe.ScaleMultiple, 4) + "," +
              Quoted(recipe.PictureFile1) + ")";
    if (RunSQL(insert) != 1) return fail();

    // The keyword text is always derived from the names.
    if (RunSQL("Update Recipes Set AllCategoriesText = " + Quoted(recipe.CategoryText()) +
               " where RecipeID=" + std::to_string(recipe.RecipeID)) != 1)
        return fail();

    if (RunSQL("Delete from IngredientLines where RecipeID = " + std::to_string(recipe.RecipeID)) !=
        1)
        return fail();
    long maxLineID = MaxOf("IngredientLines", "IngredientLinesID");
    if (maxLineID < 0) return fail();
    long lineID = maxLineID + 1;
    for (const IngredientLine& line : recipe.Lines) {
        // Cut before quoting, so a doubled apostrophe is never split in half.
        std::string statement =
            "INSERT INTO INGREDIENTLINES(IngredientLinesID, bHeading, TextQty, Measure, Name, "
            "RecipeID, DblQty, PrepNotes, LineOrder) VALUES(";
        statement += std::to_string(lineID) + ", " + (line.bHeading ? "true" : "false") + ", " +
                     Quoted(line.TextQty) + ", " + Quoted(CutChars(line.Measure, kMeasureWidth)) +
                     ", " + Quoted(CutChars(line.Name, kNameWidth)) + ", " +
                     std::to_string(recipe.RecipeID) + ", " + DecimalText(line.DblQty, 9) + ", " +
                     Quoted(CutChars(line.PrepNotes, kPrepNotesWidth)) + ", " +
                     std::to_string(line.LineOrder) + ")";
        if (RunSQL(statement) != 1) return fail();
        ++lineID;
    }

    if (!transaction.Commit()) return fail();
    return 0;
}

}  // namespace pantrio
