#include "storage/RecipeDB.h"

#include <sqlite3.h>

#include <cctype>
#include <charconv>

#include "base/RowSink.h"
#include "base/Text.h"
#include "recipe/Recipe.h"
#include "recipe/Scaling.h"
#include "recipe/Units.h"
#include "storage/CADORecordset.h"

namespace pantrio {

namespace {

// A number with a fixed count of decimals and a decimal point whatever the
// process locale is, so statements stay well-formed under a UI that sets one.
std::string FixedText(double value, int decimals) {
    char buffer[64];
    auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (error != std::errc()) return "0";
    return std::string(buffer, end);
}

// Column names are put into statements as they stand, so only plain names
// (letters, digits, underscores, an optional table prefix) are accepted.
bool IsPlainName(const std::string& name) {
    if (name.empty()) return false;
    for (unsigned char c : name)
        if (!std::isalnum(c) && c != '_' && c != '.') return false;
    return true;
}

const char* TrueFalse(bool value) {
    return value ? "true" : "false";
}

}  // namespace

bool RecipeDB::Open(const std::string& path, bool readOnly) {
    CookbookPath = path;
    return Store::Open(path, readOnly, SystemDatabasePath);
}

std::string RecipeDB::PicturesFolder() const {
    // A bare file name lies in the current folder; its pictures do too.
    std::size_t slash = CookbookPath.rfind('/');
    if (slash == std::string::npos) return "Pictures";
    return CookbookPath.substr(0, slash) + "/Pictures";
}

int RecipeDB::LoadRecipe(int recipeID, Recipe& recipe) {
    if (!Connected()) return -1;
    CADORecordset rs(*this);
    if (!rs.Run(Format("SELECT RecipeID, Title, Instructions, YieldText, YieldUnit, YieldNumber, "
                       "TasteRating, AppearanceRating, EffortRating, AffordableRating, "
                       "PrimaryIngredient, Cuisine, PictureFile1, ScaleMultiple, SubHead, Notes, "
                       "ActiveMinutes, TotalMinutes, UniqueID, Source, LastViewed, "
                       "AllIngredientsText, AllCategoriesText from Recipes where RecipeID=%d",
                       recipeID)))
        return -1;
    if (rs.AtEnd()) return 0;
    long id = recipeID;
    rs.Read("RecipeID", id);
    recipe.RecipeID = static_cast<int>(id);
    rs.Read("Title", recipe.Title);
    rs.Read("Instructions", recipe.Instructions);
    rs.Read("YieldText", recipe.YieldText);
    rs.Read("YieldUnit", recipe.YieldUnit);
    rs.Read("YieldNumber", recipe.YieldNumber);
    rs.Read("TasteRating", recipe.TasteRating);
    rs.Read("AppearanceRating", recipe.AppearanceRating);
    rs.Read("EffortRating", recipe.EffortRating);
    rs.Read("AffordableRating", recipe.AffordableRating);
    rs.Read("PrimaryIngredient", recipe.PrimaryIngredient);
    rs.Read("Cuisine", recipe.Cuisine);
    rs.Read("PictureFile1", recipe.PictureFile1);
    rs.Read("ScaleMultiple", recipe.ScaleMultiple);
    rs.Read("SubHead", recipe.SubHead);
    rs.Read("Notes", recipe.Notes);
    rs.Read("ActiveMinutes", recipe.ActiveMinutes);
    rs.Read("TotalMinutes", recipe.TotalMinutes);
    long uniqueID = 0;
    if (rs.Read("UniqueID", uniqueID)) recipe.UniqueID = static_cast<int>(uniqueID);
    rs.Read("Source", recipe.Source);
    rs.Read("LastViewed", recipe.LastViewed);
    rs.Read("AllIngredientsText", recipe.AllIngredientsText);
    rs.Read("AllCategoriesText", recipe.AllCategoriesText);
    rs.Release();
    // Recipes stored before scaling existed carry 0, which means unscaled.
    if (recipe.ScaleMultiple == 0) recipe.ScaleMultiple = 1;
    return 1;
}

int RecipeDB::LoadIngredientLines(int recipeID, Recipe& recipe) {
    recipe.Lines.clear();
    CADORecordset rs(*this);
    if (!rs.Run(Format(
            "SELECT IngredientLines.IngredientLinesID,bHeading,TextQty,Measure,Name,RecipeID,"
            "DblQty,PrepNotes,IngredientLinesNutrients.NutrientID, BaseRecipeGramWeight, "
            "LineOrder from IngredientLines  LEFT JOIN IngredientLinesNutrients ON "
            "IngredientLines.IngredientLinesID = IngredientLinesNutrients.IngredientLinesID "
            "where RecipeID=%d order by IngredientLines.LineOrder, "
            "IngredientLines.IngredientLinesID",
            recipeID)))
        return -1;
    long rows = rs.RowCount();
    int metric = 0;
    int other = 0;
    while (!rs.AtEnd() && recipe.Lines.size() < static_cast<std::size_t>(Recipe::kMaxLines)) {
        IngredientLine line;
        rs.Read("Name", line.Name);
        rs.Read("TextQty", line.TextQty);
        long lineID = 0;
        rs.Read("IngredientLinesID", lineID);
        line.IngredientLinesID = static_cast<int>(lineID);
        rs.Read("Measure", line.Measure);
        int heading = 0;
        rs.Read("bHeading", heading);
        line.bHeading = heading != 0;
        // A line without a nutrient link has no joined row: NULL reads as 0.
        long nutrientID = 0;
        rs.Read("NutrientID", nutrientID);
        line.NutrientID = static_cast<int>(nutrientID);
        rs.Read("BaseRecipeGramWeight", line.BaseRecipeGramWeight);
        rs.Read("PrepNotes", line.PrepNotes);
        rs.Read("DblQty", line.DblQty);
        if (IsMetricCode(UnitCode(line.Measure)))
            ++metric;
        else
            ++other;
        int order = 0;
        rs.Read("LineOrder", order);
        // Lines stored without an order keep their place in the list.
        line.LineOrder = order != 0 ? order : static_cast<int>(recipe.Lines.size()) + 1;
        recipe.Lines.push_back(std::move(line));
        rs.NextRow();
    }
    rs.Release();
    recipe.LinesModified = false;
    recipe.Metric = metric > other;
    return static_cast<int>(rows);
}

int RecipeDB::LoadKeywords(int recipeID, std::vector<std::string>& names) {
    names.clear();
    CADORecordset rs(*this);
    if (!rs.Run(Format("SELECT AllCategoriesText from Recipes Where RecipeID = %d", recipeID)))
        return -1;
    std::string text;
    if (!rs.AtEnd()) rs.Read("AllCategoriesText", text);
    rs.Release();

    // The text is "|a|b|c", possibly with a trailing "|". Empty pieces (the
    // one before the leading separator, or between doubled separators) are
    // not names, and a recipe holds at most 50 names: the rest is dropped.
    auto add = [&names](const std::string& piece) {
        if (names.size() < static_cast<std::size_t>(Recipe::kMaxCategoryNames) &&
            !Trim(piece).empty())
            names.push_back(piece);
    };
    std::string piece;
    for (char c : text) {
        if (c == '|') {
            add(piece);
            piece.clear();
        } else {
            piece += c;
        }
    }
    add(piece);
    return static_cast<int>(names.size());
}

int RecipeDB::RecipeIcon(int recipeID) {
    if (!Connected()) return 0;
    CADORecordset rs(*this);
    if (!rs.Run(Format("SELECT RecipeID, Color, Marked from Recipes where RecipeID=%d", recipeID)))
        return -1;
    if (rs.AtEnd()) return -1;
    int color = 0;
    int marked = 0;
    rs.Read("Color", color);
    rs.Read("Marked", marked);
    return marked != 0 ? color + 7 : color;
}

int RecipeDB::FillResults(const std::string& statement, int idColumn, RowSink& list) {
    CADORecordset rs(*this);
    if (!rs.Run(statement)) return -1;
    long count = rs.RowCount();
    list.ClearRows();
    while (!rs.AtEnd()) {
        ListRow row;
        rs.Read("Title", row.text);
        long id = 0;
        rs.ReadAt(idColumn, id);
        int color = 0;
        int marked = 0;
        double rating = 0;
        rs.Read("Color", color);
        rs.Read("Marked", marked);
        rs.Read("TasteRating", rating);
        row.icon = marked != 0 ? color + 7 : color;
        row.columns.push_back(Format("%.0f", rating));
        row.data = id;
        list.AddRow(std::move(row));
        rs.NextRow();
    }
    rs.Release();
    return static_cast<int>(count);
}

int RecipeDB::DeleteRecipe(int recipeID, Store* support) {
    // The box statements run together, so a failure cannot leave lines or
    // nutrient links without their recipe.
    bool boxOk = true;
    Transaction transaction(*this);
    if (Connected() && !transaction.Active()) boxOk = false;

    if (boxOk && RunSQL(Format("Delete from Recipes where RecipeID = %d", recipeID)) != 1)
        boxOk = false;
    // Meal-plan rows point at recipes by number; those of every box go.
    if (support) support->RunSQL(Format("Delete from RecipeList where RecipeID = %d", recipeID));
    if (boxOk && RunSQL(Format("Delete from IngredientLinesNutrients where IngredientLinesID IN "
                               "(Select IngredientLinesID from IngredientLines where RecipeID = "
                               "%d)",
                               recipeID)) != 1)
        boxOk = false;
    if (boxOk && RunSQL(Format("Delete from IngredientLines where RecipeID = %d", recipeID)) != 1)
        boxOk = false;

    if (!boxOk) {
        transaction.Rollback();
        return -1;
    }
    if (transaction.Active() && !transaction.Commit()) return -1;
    return 1;
}

int RecipeDB::SetMarked(bool mark, int recipeID, const std::string& boxPath) {
    std::string statement =
        Format("Update Recipes Set Marked = %s where RecipeID = %d", TrueFalse(mark), recipeID);
    if (Trim(boxPath) == Trim(CookbookPath)) return RunSQL(statement);

    const std::string remembered = CookbookPath;
    const bool wasOpen = Connected();
    auto open = [this](const std::string& path) {
        if (openBox && openBox(path)) return true;
        // No open procedure installed, or it failed: connect directly.
        return Open(path);
    };

    int result = -1;
    // Only run the statement when the other box really is the one connected;
    // otherwise it would mark a recipe of the wrong box.
    if (open(boxPath) && Connected() && Trim(CookbookPath) == Trim(boxPath))
        result = RunSQL(statement);

    if (wasOpen) {
        open(remembered);
    } else {
        Disconnect();
        CookbookPath = remembered;
    }
    return result;
}

int RecipeDB::SetScale(Recipe& current, double factor) {
    current.ScaleMultiple = factor;
    return RunSQL("Update Recipes Set ScaleMultiple = " + FixedText(factor, 6) +
                  Format(" where RecipeID = %d", current.RecipeID));
}

int RecipeDB::UpdateConvertedLines(const std::vector<ConvertedLine>& lines) {
    Transaction transaction(*this);
    if (Connected() && !transaction.Active()) return -1;
    for (const ConvertedLine& line : lines) {
        if (RunSQL(Format("UPDATE IngredientLines Set DblQty = %.2f, Measure='%s', TextQty='%s' "
                          "WHERE INGREDIENTLINESID=%d",
                          line.DblQty, QuoteSql(line.Measure).c_str(),
                          QuoteSql(line.TextQty).c_str(), line.IngredientLinesID)) != 1)
            return -1;
    }
    if (transaction.Active() && !transaction.Commit()) return -1;
    return 1;
}

int RecipeDB::UpdateIngredientLine(int lineID, const std::string& textQty,
                                   const std::string& measure, const std::string& name,
                                   bool heading, double qty, const std::string& notes) {
    return RunSQL(
        Format("Update IngredientLines SET bHeading=%s, TextQty='%s', Measure='%s', "
               "Name='%s', DblQty=",
               TrueFalse(heading), QuoteSql(textQty).c_str(), QuoteSql(measure).c_str(),
               QuoteSql(name).c_str()) +
        FixedText(qty, 6) +
        Format(", PrepNotes='%s' where IngredientLinesID=%d", QuoteSql(notes).c_str(), lineID));
}

int RecipeDB::UnlinkLine(int lineID) {
    return RunSQL(
        Format("Delete from IngredientLinesNutrients where IngredientLinesID = %d", lineID));
}

int RecipeDB::SetFieldOfSelected(const std::string& column, const std::string& value,
                                 const std::vector<int>& recipeIDs) {
    if (!IsPlainName(column)) return -1;
    if (!Connected() || recipeIDs.empty()) return 1;
    const std::string quoted = QuoteSql(value);
    Transaction transaction(*this);
    if (!transaction.Active()) return -1;
    for (int id : recipeIDs) {
        if (RunSQL(Format("Update Recipes Set %s = '%s' where RecipeID = %d", column.c_str(),
                          quoted.c_str(), id)) != 1)
            return -1;  // the transaction rolls back
    }
    return transaction.Commit() ? 1 : -1;
}

int RecipeDB::DistinctValues(const std::string& column, std::vector<std::string>& out) {
    if (!IsPlainName(column)) return -1;
    CADORecordset rs(*this);
    if (!rs.Run(Format("Select %s from Recipes GROUP BY %s", column.c_str(), column.c_str())))
        return -1;
    int count = 0;
    while (!rs.AtEnd()) {
        std::string value;
        rs.ReadAt(0, value);
        out.push_back(std::move(value));
        ++count;
        rs.NextRow();
    }
    rs.Release();
    return count;
}

long RecipeDB::CountRecipes() {
    sqlite3* db = Handle();
    if (db == nullptr) return QueryNumber("Select count(RecipeID) from recipes");
    // Inside a transaction a rollback could take back changes the count saw
    // without changing either mark, so such counts are not kept.
    const bool keep = sqlite3_get_autocommit(db) != 0;
    RecipeCount now;
    now.connection = ConnectionSerial();
    sqlite3_stmt* version = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA data_version", -1, &version, nullptr) == SQLITE_OK &&
        sqlite3_step(version) == SQLITE_ROW)
        now.dataVersion = sqlite3_column_int64(version, 0);
    sqlite3_finalize(version);
    now.changes = sqlite3_total_changes64(db);
    if (keep && recipeCount_.count >= 0 && now.connection == recipeCount_.connection &&
        now.dataVersion == recipeCount_.dataVersion && now.changes == recipeCount_.changes)
        return recipeCount_.count;
    now.count = QueryNumber("Select count(RecipeID) from recipes");
    recipeCount_ = keep && now.count >= 0 ? now : RecipeCount{};
    return now.count;
}

}  // namespace pantrio
