#include "recipe/Recipe.h"

#include "base/RowSink.h"
#include "base/Text.h"
#include "recipe/Quantity.h"
#include "recipe/Units.h"
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

Recipe::Recipe() : LastViewed(DateTime::Now()) {}

void Recipe::Clear() {
    Title.clear();
    RecipeID = -1;
    Lines.clear();
    CategoryNames.clear();
    Instructions.clear();
    YieldText = "1 Serving";
    NutritionLog.clear();
    YieldNumber = 1.0;
    YieldUnit = "Serving";
    TasteRating = 0;
    AppearanceRating = 0;
    EffortRating = 0;
    AffordableRating = 0;
    PrimaryIngredient.clear();
    Cuisine.clear();
    PictureFile1.clear();
    Source.clear();
    // The line flags describe the lines, which are gone.
    Metric = false;
    LinesModified = false;
    linesDropped_ = 0;
}

int Recipe::AddLine(bool bHeading, const std::string& /*textQty*/, const std::string& measure,
                    const std::string& name, const std::string& prepNotes, double dblQty,
                    int ingredientLinesID, double gramWeight, int nutrientID) {
    if (LineCount() >= kMaxLines) {
        ++linesDropped_;
        return LineCount();
    }
    IngredientLine line;
    // The quantity text always follows the number, whatever text came along.
    line.TextQty = dblQty == 0 ? std::string() : FractionText(dblQty, 32);
    line.Measure = LongFormUnits ? LongFormUnit(measure, dblQty) : measure;
    line.Name = name;
    line.PrepNotes = prepNotes;
    line.bHeading = bHeading;
    line.DblQty = dblQty;
    line.IngredientLinesID = ingredientLinesID;
    line.BaseRecipeGramWeight = gramWeight;
    line.NutrientID = nutrientID;
    line.LineOrder = LineCount() + 1;
    Lines.push_back(std::move(line));
    return LineCount();
}

int Recipe::AddCategoryName(const std::string& name) {
    std::string trimmed = Trim(name);
    if (trimmed.empty()) return 0;
    for (const std::string& existing : CategoryNames)
        if (EqualsNoCase(existing, trimmed)) return 0;
    if (static_cast<int>(CategoryNames.size()) >= kMaxCategoryNames)
        return static_cast<int>(CategoryNames.size());
    CategoryNames.push_back(std::move(trimmed));
    return static_cast<int>(CategoryNames.size());
}

std::string Recipe::CategoryText() const {
    std::string text;
    for (const std::string& name : CategoryNames) text += "|" + name;
    return text;
}

int Recipe::SaveAsNew(RecipeDB& db, RowSink* status) {
    const int previousID = RecipeID;
    auto fail = [&]() {
        RecipeID = previousID;
        Report(status, Format("Could not store recipe: %s.", Title.c_str()));
        return -1;
    };
    // A closed box would accept every statement without storing anything.
    if (!db.Connected()) return fail();

    // Everything of one recipe is stored or nothing is. Inside a bulk import
    // this is a savepoint of the import's transaction.
    Transaction transaction(db);
    if (!transaction.Active()) return fail();

    long maxID = db.MaxOf("Recipes", "RecipeID");
    if (maxID < 0) return fail();
    RecipeID = static_cast<int>(maxID + 1);

    // Same title, and instructions that begin with the same characters. The
    // prefix's wild cards are made literal so that instructions such as
    // "Use 50% rye" do not match unrelated text; the title test uses the index.
    std::string prefix;
    if (CharCount(Instructions) > kDuplicatePrefixChars)
        prefix = LiteralLikePattern(CutChars(Instructions, kDuplicatePrefixChars));
    long count =
        db.QueryNumber("Select Count(RecipeID) from Recipes where Title = " + Quoted(Title) +
                       " and Instructions LIKE '" + QuoteSql(prefix) + "%' ESCAPE '\\'");
    if (count < 0) return fail();
    if (count > 0) {
        Report(status, Format("Duplicate found: %s.  Not added.", Title.c_str()));
        return -1;
    }

    const int color = UniqueID > 0 ? 1 : 0;
    const DateTime viewed = LastViewed.null ? DateTime::Now() : LastViewed;
    std::string insert =
        "INSERT INTO RECIPES(RecipeID, Title, Instructions, YieldText, YieldUnit, YieldNumber, "
        "SubHead, Notes, PrimaryIngredient, Cuisine, UniqueID, Color, Source, TasteRating, "
        "EffortRating, AppearanceRating, AffordableRating, ActiveMinutes, TotalMinutes, "
        "AllIngredientsText, AllCategoriesText, LastViewed, ScaleMultiple, PictureFile1) VALUES(";
    insert += std::to_string(RecipeID) + "," + Quoted(Title) + ", " + Quoted(Instructions) + ", " +
              Quoted(YieldText) + ", " + Quoted(YieldUnit) + ", " + DecimalText(YieldNumber, 1) +
              "," + Quoted(SubHead) + "," + Quoted(Notes) + "," + Quoted(PrimaryIngredient) + "," +
              Quoted(Cuisine) + "," + std::to_string(UniqueID) + "," + std::to_string(color) + "," +
              Quoted(Source) + "," + DecimalText(TasteRating, 4) + "," +
              DecimalText(EffortRating, 4) + "," + DecimalText(AppearanceRating, 4) + "," +
              DecimalText(AffordableRating, 4) + "," + std::to_string(ActiveMinutes) + "," +
              std::to_string(TotalMinutes) + "," + Quoted(AllIngredientsText) + "," +
              Quoted(AllCategoriesText) + ",#" + viewed.IsoText() + "#," +
              DecimalText(ScaleMultiple, 4) + "," + Quoted(PictureFile1) + ")";
    if (db.RunSQL(insert) != 1) return fail();

    // The keyword text is always derived from the names.
    if (db.RunSQL("Update Recipes Set AllCategoriesText = " + Quoted(CategoryText()) +
                  " where RecipeID=" + std::to_string(RecipeID)) != 1)
        return fail();

    if (db.RunSQL("Delete from IngredientLines where RecipeID = " + std::to_string(RecipeID)) != 1)
        return fail();
    long maxLineID = db.MaxOf("IngredientLines", "IngredientLinesID");
    if (maxLineID < 0) return fail();
    long lineID = maxLineID + 1;
    for (const IngredientLine& line : Lines) {
        // Cut before quoting, so a doubled apostrophe is never split in half.
        std::string statement =
            "INSERT INTO INGREDIENTLINES(IngredientLinesID, bHeading, TextQty, Measure, Name, "
            "RecipeID, DblQty, PrepNotes, LineOrder) VALUES(";
        statement += std::to_string(lineID) + ", " + (line.bHeading ? "true" : "false") + ", " +
                     Quoted(line.TextQty) + ", " + Quoted(CutChars(line.Measure, kMeasureWidth)) +
                     ", " + Quoted(CutChars(line.Name, kNameWidth)) + ", " +
                     std::to_string(RecipeID) + ", " + DecimalText(line.DblQty, 9) + ", " +
                     Quoted(CutChars(line.PrepNotes, kPrepNotesWidth)) + ", " +
                     std::to_string(line.LineOrder) + ")";
        if (db.RunSQL(statement) != 1) return fail();
        ++lineID;
    }

    if (!transaction.Commit()) return fail();
    return 0;
}

std::string EscapeMarkers(const std::string& text) {
    std::string out = ReplaceAll(text, "'", "~quote");
    out = ReplaceAll(std::move(out), "\"", "~doublequote");
    out = ReplaceAll(std::move(out), "@", "~~at;");
    return ReplaceAll(std::move(out), "<", "~~lt");
}

std::string UnescapeMarkers(const std::string& text) {
    if (text.empty()) return text;
    std::string out = ReplaceAll(text, "~quote", "'");
    out = ReplaceAll(std::move(out), "~doublequote", "\"");
    out = ReplaceAll(std::move(out), "~~at;", "@");
    out = ReplaceAll(std::move(out), "~~lt", "<");
    // Text that went through statement quoting comes back with one apostrophe.
    return ReplaceAll(std::move(out), "''", "'");
}

std::string WholeNumberText(double value) {
    return Format("%.f", value);
}

}  // namespace pantrio
