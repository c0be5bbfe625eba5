#include "core/RecipeEditController.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "base/Prompter.h"
#include "base/Text.h"
#include "core/AppSettings.h"
#include "core/Clipboard.h"
#include "core/LookupLists.h"
#include "core/MainDialog.h"
#include "nutrition/AutoLinkLine.h"
#include "recipe/IngredientText.h"
#include "recipe/Quantity.h"
#include "recipe/Recipe.h"
#include "search/ViewQuery.h"
#include "storage/RecipeDB.h"
#include "storage/SupportDB.h"

namespace pantrio {

namespace {

enum class FieldKind { Text, MultiLine, Yield, Rating, Minutes };

struct FieldRule {
    const char* name;  // the Recipes column
    FieldKind kind;
    std::string Recipe::*text = nullptr;
    double Recipe::*number = nullptr;
    int Recipe::*minutes = nullptr;
};

const std::vector<FieldRule>& FieldRules() {
    static const std::vector<FieldRule> rules = {
        {"Title", FieldKind::Text, &Recipe::Title},
        {"SubHead", FieldKind::Text, &Recipe::SubHead},
        {"Source", FieldKind::Text, &Recipe::Source},
        {"Cuisine", FieldKind::Text, &Recipe::Cuisine},
        {"PrimaryIngredient", FieldKind::Text, &Recipe::PrimaryIngredient},
        {"YieldNumber", FieldKind::Yield, nullptr, &Recipe::YieldNumber},
        {"YieldUnit", FieldKind::Text, &Recipe::YieldUnit},
        {"YieldText", FieldKind::Text, &Recipe::YieldText},
        {"Instructions", FieldKind::MultiLine, &Recipe::Instructions},
        {"Notes", FieldKind::MultiLine, &Recipe::Notes},
        {"PictureFile1", FieldKind::Text, &Recipe::PictureFile1},
        {"TasteRating", FieldKind::Rating, nullptr, &Recipe::TasteRating},
        {"AppearanceRating", FieldKind::Rating, nullptr, &Recipe::AppearanceRating},
        {"EffortRating", FieldKind::Rating, nullptr, &Recipe::EffortRating},
        {"AffordableRating", FieldKind::Rating, nullptr, &Recipe::AffordableRating},
        {"ActiveMinutes", FieldKind::Minutes, nullptr, nullptr, &Recipe::ActiveMinutes},
        {"TotalMinutes", FieldKind::Minutes, nullptr, nullptr, &Recipe::TotalMinutes},
    };
    return rules;
}

const FieldRule* FindField(const std::string& name) {
    for (const FieldRule& rule : FieldRules())
        if (EqualsNoCase(name, rule.name)) return &rule;
    return nullptr;
}

// A whole number text without sign, such as a count of minutes.
bool ParseWholeNumber(const std::string& text, long& value) {
    const std::string t = Trim(text);
    if (t.empty() || t.size() > 9) return false;
    for (const char c : t)
        if (c < '0' || c > '9') return false;
    value = std::stol(t);
    return true;
}

// A number with a decimal point or a fraction ("4", "2.5", "1 1/2").
bool ParseNumber(const std::string& text, double& value) {
    const std::string t = Trim(text);
    if (t.empty() || t.find_first_not_of("0123456789./ ") != std::string::npos) return false;
    value = t.find('.') != std::string::npos && t.find('/') == std::string::npos
                ? std::strtod(t.c_str(), nullptr)
                : ParseQuantity(t);
    return std::isfinite(value);
}

constexpr double kMaxYield = 100000;
constexpr double kMaxRating = 5;
constexpr long kMaxMinutes = 100000;

// Widths of the line columns, as every save of a recipe cuts them.
constexpr std::size_t kQuantityWidth = 10;
constexpr std::size_t kMeasureWidth = 10;
constexpr std::size_t kNameWidth = 50;
constexpr std::size_t kPrepNotesWidth = 64;

const char* kNoRecipeText = "Please select a recipe first.";

}  // namespace

RecipeEditController::RecipeEditController(ControllerContext context, RecipeEditView* view)
    : context_(context), view_(view) {
    autoLink = [this](const IngredientLine& line) {
        return AutoLinkLine(context_.box, context_.support, line);
    };
}

Recipe& RecipeEditController::Current() {
    return context_.main.Recipes().CurrentForEditing();
}

int RecipeEditController::CurrentID() const {
    return context_.main.Recipes().CurrentID();
}

bool RecipeEditController::RequireCurrent(std::string& error) const {
    if (CurrentID() >= 0) return true;
    error = kNoRecipeText;
    return false;
}

bool RecipeEditController::EditRecipe(int id) {
    return context_.main.Recipes().MakeCurrent(id);
}

const std::vector<std::string>& RecipeEditController::FieldNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (const FieldRule& rule : FieldRules()) out.push_back(rule.name);
        return out;
    }();
    return names;
}

bool RecipeEditController::SetField(const std::string& field, const std::string& value,
                                    std::string& error, bool toSelected) {
    const FieldRule* rule = FindField(field);
    if (rule == nullptr) {
        error = "Unknown field " + field + ".";
        return false;
    }
    if (!RequireCurrent(error)) return false;
    const int id = CurrentID();
    RecipeDB& box = context_.box;
    std::string column = rule->name;
    std::string statement;
    std::string text = value;
    double number = 0;
    long minutes = 0;
    switch (rule->kind) {
        case FieldKind::Text:
            if (column == "Title" && Trim(text).empty()) {
                error = "A recipe needs a title.";
                return false;
            }
            if (column == "PictureFile1" && !text.empty() && !IsPlainFileName(text)) {
                error = "The picture name " + text +
                        " is not a plain file name; pictures live in the box's pictures folder.";
                return false;
            }
            statement = Format("UPDATE RECIPES SET %s = '%s' Where RecipeID = %d", column.c_str(),
                               QuoteSql(text).c_str(), id);
            break;
        case FieldKind::MultiLine:
            text = NormaliseLineBreaks(text);
            statement = Format("UPDATE RECIPES SET %s = '%s' Where RecipeID = %d", column.c_str(),
                               QuoteSql(text).c_str(), id);
            break;
        case FieldKind::Yield:
            if (!ParseNumber(value, number) || number <= 0 || number > kMaxYield) {
                error = "Please give the yield as a number above 0, such as 4, 2.5 or 1 1/2.";
                return false;
            }
            // The column keeps one decimal; the record takes what is stored.
            number = std::round(number * 10) / 10;
            statement =
                Format("UPDATE RECIPES SET YieldNumber = %.1f Where RecipeID = %d", number, id);
            break;
        case FieldKind::Rating:
            if (!ParseNumber(value, number) || number < 0 || number > kMaxRating) {
                error = "Please give a rating from 0 (not rated) to 5.";
                return false;
            }
            statement = Format("UPDATE RECIPES SET %s = %.4f Where RecipeID = %d", column.c_str(),
                               number, id);
            break;
        case FieldKind::Minutes:
            if (!ParseWholeNumber(value, minutes) || minutes > kMaxMinutes) {
                error = "Please give the time as a whole number of minutes.";
                return false;
            }
            statement = Format("UPDATE RECIPES SET %s = %ld Where RecipeID = %d", column.c_str(),
                               minutes, id);
            break;
    }

    if (toSelected && (column == "Cuisine" || column == "PrimaryIngredient")) {
        const std::vector<int> selected = context_.main.Results().SelectedRecipeIDs();
        if (box.SetFieldOfSelected(column, text, selected) != 1) {
            error = "Could not store the " + column + " of the selected recipes.";
            return false;
        }
    }
    if (box.RunSQL(statement) != 1) {
        error = "Could not store the " + column + ".";
        return false;
    }
    Recipe& recipe = Current();
    if (rule->text != nullptr) recipe.*(rule->text) = text;
    if (rule->number != nullptr) recipe.*(rule->number) = number;
    if (rule->minutes != nullptr) recipe.*(rule->minutes) = static_cast<int>(minutes);
    ShowChange(column == "Title");
    return true;
}

void RecipeEditController::ShowChange(bool titleChanged) {
    if (titleChanged) context_.main.Results().RecipeChanged(CurrentID());
    context_.main.Recipes().RefreshEditedRecipe();
}

std::vector<std::string> RecipeEditController::ChoiceList(Choices which) {
    VectorRowSink rows;
    switch (which) {
        case Choices::YieldUnits:
            context_.support.FillCombo("YieldUnits", "YieldUnit", "ID", rows, "YieldUnit");
            break;
        case Choices::Cuisines:
            context_.support.FillCombo("Cuisines", "Cuisine", "ID", rows, "Cuisine");
            break;
        case Choices::PrimaryIngredients:
            context_.support.FillCombo("PrimaryIngredients", "PrimaryIngredient",
                                       "PrimaryIngredientID", rows, "PrimaryIngredient");
            break;
    }
    return rows.Texts();
}

std::vector<std::string> RecipeEditController::Completions(LineColumn column) const {
    switch (column) {
        case LineColumn::Unit:
            return context_.lookups.Measures.Texts();
        case LineColumn::Ingredient:
            return context_.lookups.IngredientNames.Texts();
        case LineColumn::PrepNotes:
            return context_.lookups.PrepNotesList.Texts();
        case LineColumn::Quantity:
            break;
    }
    return {};
}

// ---- the New command

void RecipeEditController::NewRecipeCommand() {
    if (view_ == nullptr) return;
    const std::optional<NewRecipeFields> fields =
        view_->AskNewRecipe(NewRecipeFields{}, ChoiceList(Choices::YieldUnits));
    if (!fields) return;
    NewRecipe(*fields);
}

int RecipeEditController::NewRecipe(const NewRecipeFields& fields) {
    RecipeDB& box = context_.box;
    Prompter& prompter = context_.prompter;
    if (Trim(fields.title).empty()) {
        prompter.Message("A recipe needs a title.");
        return -1;
    }
    const double yield = ParseQuantity(fields.yieldNumber);
    const std::string yieldText = fields.yieldNumber + " " + fields.yieldUnit;
    const long last = box.MaxOf("Recipes", "RecipeID");
    if (last < 0) {
        prompter.Message("Could not add the recipe.");
        return -1;
    }
    const int id = static_cast<int>(last) + 1;
    if (box.RunSQL(Format("INSERT INTO RECIPES(RecipeID, Title, YieldText, SubHead, YieldNumber, "
                          "YieldUnit) VALUES (%d, '%s','%s','%s', %f, '%s')",
                          id, QuoteSql(fields.title).c_str(), QuoteSql(yieldText).c_str(),
                          QuoteSql(fields.description).c_str(), yield,
                          QuoteSql(fields.yieldUnit).c_str())) != 1) {
        prompter.Message("Could not add the recipe.");
        return -1;
    }
    RecipeController& recipes = context_.main.Recipes();
    recipes.MakeCurrent(id);
    ResultsController& results = context_.main.Results();
    results.FillResults(SingleRecipeQuery(id));
    results.SelectRow(0);
    recipes.RefreshEditedRecipe();
    if (view_ != nullptr) {
        prompter.Message(
            "Now please enter the ingredients and instructions, cuisine, and other information "
            "for this recipe.\n\nTip: add keywords on the Notes tab as well, so that the recipe "
            "is easy to find, here and on the recipe service.");
        view_->ShowEditTab();
    }
    return id;
}

// ---- lines

long RecipeEditController::InsertLine(const IngredientLine& line, std::string& error) {
    RecipeDB& box = context_.box;
    const int stored = box.LoadIngredientLines(CurrentID(), Current());
    if (stored < 0) {
        error = "Could not read the recipe's ingredient lines.";
        return -1;
    }
    if (stored >= Recipe::kMaxLines) {
        error = Format("A recipe holds at most %d ingredient lines.", Recipe::kMaxLines);
        return -1;
    }
    const long last = box.MaxOf("IngredientLines", "IngredientLinesID");
    if (last < 0) {
        error = "Could not add the line.";
        return -1;
    }
    const long id = last + 1;
    // The new line goes after the last, so the order stays 1, 2, 3, ...
    if (box.RunSQL(Format("INSERT INTO IngredientLines(IngredientLinesID, bHeading, TextQty, "
                          "Measure, Name, RecipeID, DblQty, PrepNotes,LineOrder) VALUES "
                          "(%ld,%s,'%s','%s','%s', %d, %.9f,'%s',%d )",
                          id, line.bHeading ? "true" : "false", QuoteSql(line.TextQty).c_str(),
                          QuoteSql(line.Measure).c_str(), QuoteSql(line.Name).c_str(), CurrentID(),
                          line.DblQty, QuoteSql(line.PrepNotes).c_str(), stored + 1)) != 1) {
        error = "Could not add the line.";
        return -1;
    }
    return id;
}

void RecipeEditController::LinkLine(long lineID) {
    if (!autoLink) return;
    for (const IngredientLine& line : Current().Lines)
        if (line.IngredientLinesID == lineID) {
            if (!line.bHeading) autoLink(line);
            return;
        }
}

bool RecipeEditController::RenumberLines() {
    RecipeDB& box = context_.box;
    Recipe& recipe = Current();
    bool sequential = true;
    for (std::size_t i = 0; i < recipe.Lines.size(); ++i)
        if (recipe.Lines[i].LineOrder != static_cast<int>(i) + 1) sequential = false;
    if (sequential) return true;
    Transaction transaction(box);
    if (box.Connected() && !transaction.Active()) return false;
    for (std::size_t i = 0; i < recipe.Lines.size(); ++i) {
        IngredientLine& line = recipe.Lines[i];
        const int order = static_cast<int>(i) + 1;
        if (line.LineOrder == order) continue;
        if (box.RunSQL(
                Format("UPDATE IngredientLines SET LineOrder = %d WHERE IngredientLinesID = %d",
                       order, line.IngredientLinesID)) != 1)
            return false;
        line.LineOrder = order;
    }
    return !transaction.Active() || transaction.Commit();
}

void RecipeEditController::ReloadLines() {
    context_.box.LoadIngredientLines(CurrentID(), Current());
    RenumberLines();
    context_.main.Recipes().RefreshEditedRecipe();
}

long RecipeEditController::AddLine(const LineEntry& entry, std::string& error) {
    if (Trim(entry.quantity + entry.unit + entry.ingredient + entry.prepNotes).empty()) return 0;
    if (CurrentID() < 0) {
        if (context_.prompter.Message("Add a new recipe?", "Pantrio", Buttons::OKCancel) ==
            Answer::OK)
            NewRecipeCommand();
        return 0;
    }
    context_.main.PlayInterfaceSound("MALLETG");
    IngredientLine line;
    line.bHeading = entry.heading;
    // A heading is only a name: the hidden fields do not count.
    line.TextQty = entry.heading ? "" : Trim(CutChars(Trim(entry.quantity), kQuantityWidth));
    line.Measure = entry.heading ? "" : Trim(CutChars(Trim(entry.unit), kMeasureWidth));
    line.Name = Trim(CutChars(Trim(entry.ingredient), kNameWidth));
    line.PrepNotes = entry.heading ? "" : Trim(CutChars(Trim(entry.prepNotes), kPrepNotesWidth));
    line.DblQty = ParseQuantity(line.TextQty);
    const long id = InsertLine(line, error);
    if (id < 0) return -1;
    if (view_ != nullptr) view_->ClearLineEntry();
    context_.box.LoadIngredientLines(CurrentID(), Current());
    LinkLine(id);
    ReloadLines();
    return id;
}

long RecipeEditController::AddLineText(const std::string& text, bool heading, std::string& error) {
    if (heading) return AddLine(LineEntry{"", "", text, "", true}, error);
    Recipe parsed;
    // One line: the splitter ends lines at carriage returns.
    SplitIngredientText(parsed, ReplaceAll(ReplaceAll(text, "\r", " "), "\n", " "));
    if (parsed.Lines.empty()) return 0;
    const IngredientLine& line = parsed.Lines.front();
    return AddLine(LineEntry{line.TextQty, line.Measure, line.Name, line.PrepNotes, false}, error);
}

bool RecipeEditController::EditCell(int index, LineColumn column, const std::string& text,
                                    std::string& error) {
    if (!RequireCurrent(error)) return false;
    Recipe& recipe = Current();
    if (index < 0 || index >= recipe.LineCount()) {
        error = Format("The recipe has no line %d.", index + 1);
        return false;
    }
    RecipeDB& box = context_.box;
    const int lineID = recipe.Lines[static_cast<std::size_t>(index)].IngredientLinesID;
    bool stored = false;
    switch (column) {
        case LineColumn::Quantity: {
            const std::string qty = Trim(CutChars(Trim(text), kQuantityWidth));
            Transaction transaction(box);
            stored = box.RunSQL(Format("Update IngredientLines SET TextQty='%s' where "
                                       "IngredientLinesID = %d",
                                       QuoteSql(qty).c_str(), lineID)) == 1 &&
                     box.RunSQL(Format("Update IngredientLines SET DblQty=%f where "
                                       "IngredientLinesID = %d",
                                       ParseQuantity(qty), lineID)) == 1 &&
                     (!transaction.Active() || transaction.Commit());
            break;
        }
        case LineColumn::Unit:
            stored = box.RunSQL(Format("Update IngredientLines SET Measure='%s' where "
                                       "IngredientLinesID = %d",
                                       QuoteSql(Trim(CutChars(Trim(text), kMeasureWidth))).c_str(),
                                       lineID)) == 1;
            break;
        case LineColumn::Ingredient:
            stored = box.RunSQL(Format("Update IngredientLines SET Name='%s' where "
                                       "IngredientLinesID = %d",
                                       QuoteSql(Trim(CutChars(Trim(text), kNameWidth))).c_str(),
                                       lineID)) == 1;
            break;
        case LineColumn::PrepNotes:
            stored =
                box.RunSQL(Format("Update IngredientLines SET PrepNotes='%s' where "
                                  "IngredientLinesID = %d",
                                  QuoteSql(Trim(CutChars(Trim(text), kPrepNotesWidth))).c_str(),
                                  lineID)) == 1;
            break;
    }
    if (!stored) {
        error = "Could not store the change of the line.";
        ReloadLines();
        return false;
    }
    if (column != LineColumn::PrepNotes) {
        // The old link no longer fits the line, whether or not a new one is found.
        box.RunSQL(
            Format("Delete from ingredientlinesnutrients where ingredientlinesid=%d", lineID));
        box.LoadIngredientLines(CurrentID(), recipe);
        LinkLine(lineID);
    }
    ReloadLines();
    return true;
}

long RecipeEditController::AppendEmptyLine(std::string& error) {
    if (!RequireCurrent(error)) return -1;
    const long id = InsertLine(IngredientLine{}, error);
    if (id >= 0) ReloadLines();
    return id;
}

long RecipeEditController::InsertLineAsked() {
    if (CurrentID() < 0) return -1;
    if (context_.prompter.Message("Add a new ingredient?", "Add Ingredient", Buttons::YesNo) !=
        Answer::Yes)
        return -1;
    std::string error;
    const long id = AppendEmptyLine(error);
    if (id < 0) context_.prompter.Message(error);
    return id;
}

long RecipeEditController::AddLinePastLastRow() {
    if (CurrentID() < 0) return -1;
    if (context_.prompter.Message("Add a new ingredient line?", "", Buttons::YesNo) != Answer::Yes)
        return -1;
    std::string error;
    const long id = AppendEmptyLine(error);
    if (id < 0) context_.prompter.Message(error);
    return id;
}

bool RecipeEditController::DeleteLine(int index, std::string& error) {
    if (!RequireCurrent(error)) return false;
    Recipe& recipe = Current();
    if (index < 0 || index >= recipe.LineCount()) {
        error = Format("The recipe has no line %d.", index + 1);
        return false;
    }
    RecipeDB& box = context_.box;
    const int lineID = recipe.Lines[static_cast<std::size_t>(index)].IngredientLinesID;
    Transaction transaction(box);
    const bool deleted =
        box.RunSQL(Format("DELETE FROM INGREDIENTLINES Where IngredientLinesID = %d", lineID)) ==
            1 &&
        box.RunSQL(Format("DELETE FROM INGREDIENTLINESNUTRIENTS Where IngredientLinesID = %d",
                          lineID)) == 1 &&
        (!transaction.Active() || transaction.Commit());
    if (!deleted) {
        transaction.Rollback();
        error = "Could not delete the line.";
        return false;
    }
    ReloadLines();
    return true;
}

bool RecipeEditController::DeleteLineAsked(int index) {
    if (CurrentID() < 0 || index < 0 || index >= Current().LineCount()) return false;
    if (context_.prompter.Message("Delete?", "Delete", Buttons::YesNo) != Answer::Yes) return false;
    std::string error;
    if (DeleteLine(index, error)) return true;
    context_.prompter.Message(error);
    return false;
}

// ---- the Notes tab's keyword list

std::vector<std::string> RecipeEditController::KeywordRows() {
    std::vector<std::string> rows;
    if (CurrentID() < 0) return rows;
    keywords_.Show(Current());
    for (const ListRow& row : keywords_.Rows()) rows.push_back(row.text);
    return rows;
}

bool RecipeEditController::DeleteKeywordRow(int row) {
    if (CurrentID() < 0) return false;
    keywords_.Show(Current());
    if (keywords_.DeleteRow(row, Current(), context_.box) != 1) return false;
    context_.main.Recipes().RefreshEditedRecipe();
    return true;
}

// ---- the picture

void RecipeEditController::BrowsePicture() {
    if (CurrentID() < 0) {
        context_.prompter.Message("You must be viewing a recipe first.");
        return;
    }
    const std::optional<std::string> path = context_.prompter.OpenFile(
        "Choose an image |(.JPG)", "JPEG Image (*.JPG)", context_.settings.PicturePath);
    if (!path) return;
    std::string error;
    if (!PictureFromFile(*path, error)) context_.prompter.Message(error);
}

bool RecipeEditController::PictureFromFile(const std::string& path, std::string& error) {
    return ReadAndStorePicture([&](RgbImage& image) { return ReadJpegFile(path, image); }, path,
                               error);
}

bool RecipeEditController::PictureFromJpeg(std::string_view bytes, const std::string& source,
                                           std::string& error) {
    return ReadAndStorePicture([&](RgbImage& image) { return ReadJpeg(bytes, image); }, source,
                               error);
}

bool RecipeEditController::ReadAndStorePicture(const std::function<PictureResult(RgbImage&)>& read,
                                               const std::string& source, std::string& error) {
    if (CurrentID() < 0) {
        error = "You must be viewing a recipe first.";
        return false;
    }
    RgbImage image;
    const PictureResult result = read(image);
    if (result != PictureResult::Ok) {
        error = PictureProblemText(result, source);
        return false;
    }
    return StorePicture(image, source, error);
}

void RecipeEditController::PastePicture() {
    RgbImage image;
    Clipboard* clipboard = context_.main.clipboard();
    const bool hasPicture = clipboard != nullptr && clipboard->Picture(image);
    if (CurrentID() <= 0) {
        context_.prompter.Message("You must be viewing a recipe first.");
        return;
    }
    if (!hasPicture) {
        context_.prompter.Message("The clipboard holds no picture.");
        return;
    }
    std::string error;
    if (!PictureFromImage(image, error)) context_.prompter.Message(error);
}

bool RecipeEditController::PictureFromImage(const RgbImage& image, std::string& error) {
    if (CurrentID() <= 0) {
        error = "You must be viewing a recipe first.";
        return false;
    }
    const PictureResult size = CheckPictureSize(image.width, image.height);
    if (size != PictureResult::Ok || image.Empty() ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
        error = PictureProblemText(size == PictureResult::Ok ? PictureResult::Unreadable : size,
                                   "on the clipboard");
        return false;
    }
    return StorePicture(image, "on the clipboard", error);
}

bool RecipeEditController::StorePicture(const RgbImage& image, const std::string& source,
                                        std::string& error) {
    const Recipe& recipe = Current();
    const std::string folder = context_.box.PicturesFolder();
    const std::string name = PictureFileName(CurrentID(), recipe.Title);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    int width = 0, height = 0;
    StoredPictureSize(image.width, image.height, width, height);
    const std::string path = (std::filesystem::path(folder) / name).string();
    if (!WriteJpegFile(ResizePicture(image, width, height), path, 75)) {
        error = "Could not write the picture " + path + " (from " + source + ").";
        return false;
    }
    return SetField("PictureFile1", name, error);
}

std::string RecipeEditController::PicturePath() const {
    if (CurrentID() < 0) return "";
    const std::string& name = context_.main.Recipes().Current().PictureFile1;
    if (!IsPlainFileName(name)) return "";
    return (std::filesystem::path(context_.box.PicturesFolder()) / name).string();
}

void RecipeEditController::ClearPictureAsked() {
    const std::string name = CurrentID() >= 0 ? Current().PictureFile1 : "";
    bool deleteFile = false;
    if (IsPlainFileName(name)) {
        const std::string path =
            (std::filesystem::path(context_.box.PicturesFolder()) / name).string();
        std::error_code ec;
        if (std::filesystem::exists(path, ec))
            deleteFile = context_.prompter.Message("Also delete " + path + " on disk?",
                                                   "Delete file?", Buttons::OKCancel) == Answer::OK;
    }
    std::string error;
    if (!ClearPicture(deleteFile, error) && CurrentID() >= 0) context_.prompter.Message(error);
}

bool RecipeEditController::ClearPicture(bool deleteFile, std::string& error) {
    if (!RequireCurrent(error)) return false;
    const std::string name = Current().PictureFile1;
    // Only a plain name inside the pictures folder is ever deleted, and never
    // a folder: the name is text the user may have typed.
    if (deleteFile && IsPlainFileName(name)) {
        std::error_code ec;
        const std::filesystem::path path =
            std::filesystem::path(context_.box.PicturesFolder()) / name;
        if (std::filesystem::is_regular_file(path, ec)) std::filesystem::remove(path, ec);
    }
    return SetField("PictureFile1", "", error);
}

}  // namespace pantrio
