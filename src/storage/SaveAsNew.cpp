// Storing a record as a new recipe of the open box, and the duplicate test
// that decides whether it is new: by statement text for single saves, and
// with the values bound to prepared statements for bulk imports.
#include <sqlite3.h>

#include <optional>
#include <string_view>

#include "base/RowSink.h"
#include "base/Text.h"
#include "recipe/Quantity.h"
#include "recipe/Recipe.h"
#include "storage/CADORecordset.h"
#include "storage/ErrorReport.h"
#include "storage/JetTranslator.h"
#include "storage/RecipeDB.h"
#include "storage/RecipeRows.h"
#include "storage/StatementCache.h"

namespace pantrio {

namespace {

// Instructions that begin alike over this many characters, under the same
// title, make a recipe a duplicate.
constexpr std::size_t kDuplicatePrefixChars = 30;

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

// The statements of the bulk path, in the program's dialect with a `?` for
// each value: the same keys the statements of SaveAsNew read into, so both
// paths run the same translated statements.
const char kMaxRecipeKey[] = "SELECT max(RecipeID) from Recipes";
const char kMaxLineKey[] = "SELECT max(IngredientLinesID) from IngredientLines";
const char kMaxLineRecipeKey[] = "SELECT max(RecipeID) from IngredientLines";
const char kDuplicateKey[] =
    "Select RecipeID, Instructions from Recipes where Title = ? order by RecipeID";
const char kInsertRecipeKey[] =
    "INSERT INTO RECIPES(RecipeID, Title, Instructions, YieldText, YieldUnit, YieldNumber, "
    "SubHead, Notes, PrimaryIngredient, Cuisine, UniqueID, Color, Source, TasteRating, "
    "EffortRating, AppearanceRating, AffordableRating, ActiveMinutes, TotalMinutes, "
    "AllIngredientsText, AllCategoriesText, LastViewed, ScaleMultiple, PictureFile1) VALUES(?,?, "
    "?, ?, ?, ?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
const char kDeleteLinesKey[] = "Delete from IngredientLines where RecipeID = ?";
const char kDeleteRecipeKey[] = "Delete from Recipes where RecipeID = ?";
const char kInsertLineKey[] =
    "INSERT INTO INGREDIENTLINES(IngredientLinesID, bHeading, TextQty, Measure, Name, "
    "RecipeID, DblQty, PrepNotes, LineOrder) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)";

// One prepared statement of the connection's cache, leased for a scope.
// Texts are bound without a copy: they must outlive Run() or Step().
class BoundStatement {
public:
    BoundStatement(CADODatabase& db, const char* key) : db_(db), key_(key) {
        int rc = SQLITE_OK;
        std::string error;
        lease_ = db.Cache().Acquire(key, rc, error);
        if (!lease_.stmt)
            Fail(error.empty() ? SqliteError(db.Handle(), rc) : LayerError(SQLITE_ERROR, error));
    }
    ~BoundStatement() {
        if (lease_.stmt) db_.Cache().Return(lease_);
    }
    BoundStatement(const BoundStatement&) = delete;
    BoundStatement& operator=(const BoundStatement&) = delete;

    bool Ok() const { return lease_.stmt != nullptr && ok_; }
    BoundStatement& Integer(std::int64_t value) {
        Check(sqlite3_bind_int64(lease_.stmt, ++at_, value));
        return *this;
    }
    BoundStatement& Real(double value) {
        Check(sqlite3_bind_double(lease_.stmt, ++at_, value));
        return *this;
    }
    BoundStatement& Text(std::string_view value) {
        Check(sqlite3_bind_text(lease_.stmt, ++at_, value.data(), static_cast<int>(value.size()),
                                SQLITE_STATIC));
        return *this;
    }
    // SQLITE_ROW, SQLITE_DONE, or another code once the failure is recorded.
    int Step() {
        if (!Ok()) return SQLITE_ERROR;
        const int rc = sqlite3_step(lease_.stmt);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            Fail(SqliteError(db_.Handle(), sqlite3_extended_errcode(db_.Handle())));
        return rc;
    }
    // Runs a statement that changes data to its end.
    bool Run() { return Step() == SQLITE_DONE; }
    // Makes the statement ready to run again, with every value bound anew.
    void Rebind() {
        if (lease_.stmt) sqlite3_reset(lease_.stmt);
        at_ = 0;
    }
    // The first column as a whole number; 0 when NULL, -1 on failure.
    long Number() {
        const int rc = Step();
        if (rc == SQLITE_DONE) return 0;
        return rc == SQLITE_ROW ? static_cast<long>(sqlite3_column_int64(lease_.stmt, 0)) : -1;
    }
    sqlite3_stmt* Handle() const { return lease_.stmt; }

private:
    void Check(int rc) {
        if (rc != SQLITE_OK && ok_) Fail(SqliteError(db_.Handle(), rc));
    }
    void Fail(const ErrorDetails& error) {
        ok_ = false;
        db_.SetError(error.code, RecordsetErrorReport(key_, error));
    }

    CADODatabase& db_;
    const char* key_;
    StatementLease lease_;
    int at_ = 0;
    bool ok_ = true;
};

}  // namespace

// Line ends in the stored convention and ASCII letters folded, so a recipe
// that went out to a file with other line ends (or another letter case) is
// still recognised.
std::string DuplicateKey(const std::string& instructions) {
    std::string normal = NormaliseLineBreaks(instructions);
    if (CharCount(normal) <= kDuplicatePrefixChars) return {};
    return ToLower(CutChars(normal, kDuplicatePrefixChars));
}

long RecipeDB::FindDuplicate(const std::string& title, const std::string& instructions) {
    if (!Connected()) return -1;
    // Same title (the index finds the candidates), and instructions that
    // begin with the same characters once their line ends are normalised.
    // Short instructions compare as an empty prefix, which every recipe of
    // the same title has.
    CADORecordset rs(*this);
    if (!rs.Run("Select RecipeID, Instructions from Recipes where Title = " + Quoted(title) +
                " order by RecipeID")) {
        SetError(rs.ErrorCode(), rs.ErrorReport());
        return -1;
    }
    const std::string key = DuplicateKey(instructions);
    for (; !rs.AtEnd(); rs.NextRow()) {
        long id = 0;
        std::string stored;
        if (!rs.ReadAt(0, id) || !rs.ReadAt(1, stored)) return -1;
        if (key.empty() || StartsWith(ToLower(NormaliseLineBreaks(stored)), key)) return id;
    }
    return 0;
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

    // Multi-line fields are stored with CR LF line ends, whatever the reader.
    const std::string instructions = NormaliseLineBreaks(recipe.Instructions);
    const std::string notes = NormaliseLineBreaks(recipe.Notes);
    const long duplicate = FindDuplicate(recipe.Title, instructions);
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
    insert +=
        std::to_string(recipe.RecipeID) + "," + Quoted(recipe.Title) + ", " + Quoted(instructions) +
        ", " + Quoted(recipe.YieldText) + ", " + Quoted(recipe.YieldUnit) + ", " +
        DecimalText(recipe.YieldNumber, 1) + "," + Quoted(recipe.SubHead) + "," + Quoted(notes) +
        "," + Quoted(recipe.PrimaryIngredient) + "," + Quoted(recipe.Cuisine) + "," +
        std::to_string(recipe.UniqueID) + "," + std::to_string(color) + "," +
        Quoted(recipe.Source) + "," + DecimalText(recipe.TasteRating, 4) + "," +
        DecimalText(recipe.EffortRating, 4) + "," + DecimalText(recipe.AppearanceRating, 4) + "," +
        DecimalText(recipe.AffordableRating, 4) + "," + std::to_string(recipe.ActiveMinutes) + "," +
        std::to_string(recipe.TotalMinutes) + "," + Quoted(recipe.AllIngredientsText) + "," +
        Quoted(recipe.AllCategoriesText) + ",#" + viewed.IsoText() + "#," +
        DecimalText(recipe.ScaleMultiple, 4) + "," + Quoted(recipe.PictureFile1) + ")";
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
                     Quoted(line.TextQty) + ", " +
                     Quoted(CutChars(line.Measure, kStoredMeasureWidth)) + ", " +
                     Quoted(CutChars(line.Name, kStoredNameWidth)) + ", " +
                     std::to_string(recipe.RecipeID) + ", " + DecimalText(line.DblQty, 9) + ", " +
                     Quoted(CutChars(line.PrepNotes, kStoredPrepNotesWidth)) + ", " +
                     std::to_string(line.LineOrder) + ")";
        if (RunSQL(statement) != 1) return fail();
        ++lineID;
    }

    if (!transaction.Commit()) return fail();
    return 0;
}

int RecipeDB::SaveAsNewBulk(Recipe& recipe, RowSink* status) {
    return SaveAsNewBulk(recipe, PrepareRecipeRows(recipe), status);
}

bool RecipeDB::TakeBulkKeys() {
    sqlite3* db = Handle();
    if (bulkKeys_.epoch == WriteEpoch() && bulkKeys_.changes == sqlite3_total_changes64(db) &&
        !sqlite3_get_autocommit(db))
        return true;
    bulkKeys_ = BulkKeys{};
    const long maxRecipe = BoundStatement(*this, kMaxRecipeKey).Number();
    const long maxLine = BoundStatement(*this, kMaxLineKey).Number();
    const long maxLineRecipe = BoundStatement(*this, kMaxLineRecipeKey).Number();
    if (maxRecipe < 0 || maxLine < 0 || maxLineRecipe < 0) return false;
    bulkKeys_.nextRecipe = maxRecipe + 1;
    bulkKeys_.nextLine = maxLine + 1;
    bulkKeys_.orphans = maxLineRecipe >= bulkKeys_.nextRecipe;
    return true;
}

int RecipeDB::SaveAsNewBulk(Recipe& recipe, const RecipeRows& rows, RowSink* status) {
    const int previousID = recipe.RecipeID;
    // Alone, the recipe is stored in a transaction of its own. Inside an
    // import's transaction a savepoint per recipe would copy every page the
    // recipe touches to a journal of its own, a tenth of the import's time:
    // a failure there removes the rows written so far instead, and when even
    // that fails the open transaction is rolled back, so that no half recipe
    // is ever kept.
    std::optional<Transaction> own;
    bool written = false;  // rows of the recipe are in the box
    auto fail = [&]() {
        bulkKeys_ = BulkKeys{};
        if (written && !own) UndoNewRecipe(recipe.RecipeID);
        recipe.RecipeID = previousID;
        Report(status, Format("Could not store recipe: %s.", recipe.Title.c_str()));
        return -1;
    };
    if (!Connected() || rows.lines.size() != recipe.Lines.size()) return fail();
    if (TransactionDepth() == 0) {
        own.emplace(*this);
        if (!own->Active()) return fail();
    }
    // Reads open on the connection take their remaining rows before it writes.
    Cache().SnapshotOpenResults();

    // The next numbers are read from the box once per transaction: while
    // only these saves change it, each recipe and line takes the number after
    // the last one stored.
    if (!TakeBulkKeys()) return fail();
    recipe.RecipeID = static_cast<int>(bulkKeys_.nextRecipe);

    {
        BoundStatement same(*this, kDuplicateKey);
        same.Text(recipe.Title);
        int rc = SQLITE_ROW;
        long duplicate = 0;
        while (duplicate == 0 && (rc = same.Step()) == SQLITE_ROW) {
            const auto* stored =
                reinterpret_cast<const char*>(sqlite3_column_text(same.Handle(), 1));
            if (rows.duplicateKey.empty() ||
                StartsWith(ToLower(NormaliseLineBreaks(stored ? stored : "")), rows.duplicateKey))
                duplicate = static_cast<long>(sqlite3_column_int64(same.Handle(), 0));
        }
        if (duplicate == 0 && rc != SQLITE_DONE) return fail();
        if (duplicate > 0) {
            Report(status, Format("Duplicate found: %s.  Not added.", recipe.Title.c_str()));
            return -1;
        }
    }

    const std::string viewed =
        JetDateToIso((recipe.LastViewed.null ? DateTime::Now() : recipe.LastViewed).IsoText());
    if (viewed.empty()) return fail();
    BoundStatement insert(*this, kInsertRecipeKey);
    insert.Integer(recipe.RecipeID)
        .Text(recipe.Title)
        .Text(rows.instructions)
        .Text(recipe.YieldText)
        .Text(recipe.YieldUnit)
        .Real(rows.yieldNumber)
        .Text(recipe.SubHead)
        .Text(rows.notes)
        .Text(recipe.PrimaryIngredient)
        .Text(recipe.Cuisine)
        .Integer(recipe.UniqueID)
        .Integer(recipe.UniqueID > 0 ? 1 : 0)
        .Text(recipe.Source)
        .Real(rows.taste)
        .Real(rows.effort)
        .Real(rows.appearance)
        .Real(rows.affordable)
        .Integer(recipe.ActiveMinutes)
        .Integer(recipe.TotalMinutes)
        .Text(recipe.AllIngredientsText)
        .Text(rows.categories)
        .Text(viewed)
        .Real(rows.scale)
        .Text(recipe.PictureFile1);
    if (!insert.Run()) return fail();
    written = true;

    // Lines left behind under the new number would join the recipe; the
    // keys tell when no line can carry it. Lines removed here may free the
    // highest line numbers, which the recipe's lines then take, as SaveAsNew
    // numbers them.
    if (bulkKeys_.orphans) {
        if (!BoundStatement(*this, kDeleteLinesKey).Integer(recipe.RecipeID).Run()) return fail();
        const long maxLine = BoundStatement(*this, kMaxLineKey).Number();
        if (maxLine < 0) return fail();
        bulkKeys_.nextLine = maxLine + 1;
    }
    long lineID = bulkKeys_.nextLine;
    BoundStatement lineInsert(*this, kInsertLineKey);
    for (std::size_t i = 0; i < rows.lines.size(); ++i) {
        const IngredientLine& line = recipe.Lines[i];
        const RecipeRows::Line& cut = rows.lines[i];
        lineInsert.Rebind();
        lineInsert.Integer(lineID)
            .Integer(line.bHeading ? 1 : 0)
            .Text(line.TextQty)
            .Text(cut.measure)
            .Text(cut.name)
            .Integer(recipe.RecipeID)
            .Real(cut.quantity)
            .Text(cut.prepNotes)
            .Integer(line.LineOrder);
        if (!lineInsert.Run()) return fail();
        ++lineID;
    }

    if (own) {
        bulkKeys_ = BulkKeys{};
        if (!own->Commit()) return fail();
        return 0;
    }
    bulkKeys_.epoch = WriteEpoch();
    bulkKeys_.changes = sqlite3_total_changes64(Handle());
    bulkKeys_.nextRecipe = recipe.RecipeID + 1;
    bulkKeys_.nextLine = lineID;
    return 0;
}

void RecipeDB::UndoNewRecipe(int recipeID) {
    // The failure that led here is the one to report.
    const std::uint32_t code = ErrorCode();
    const std::string report = ErrorReport();
    const bool undone = TransactionDepth() > 0 && !sqlite3_get_autocommit(Handle()) &&
                        BoundStatement(*this, kDeleteLinesKey).Integer(recipeID).Run() &&
                        BoundStatement(*this, kDeleteRecipeKey).Integer(recipeID).Run();
    // The database may have rolled the transaction back itself (after a full
    // disk or an I/O error): then nothing of the recipe is left either.
    if (!undone && TransactionDepth() > 0) RollbackTransaction();
    SetError(code, report);
}

}  // namespace pantrio
