#include "core/ShoppingListController.h"

#include <cmath>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

#include "base/Prompter.h"
#include "base/Text.h"
#include "core/AppSettings.h"
#include "core/LookupLists.h"
#include "core/MainDialog.h"
#include "core/MealPlanController.h"
#include "formats/ShoppingListFile.h"
#include "recipe/Quantity.h"
#include "recipe/Recipe.h"
#include "recipe/UnitSums.h"
#include "storage/CADORecordset.h"
#include "storage/RecipeDB.h"
#include "storage/ShoppingListTable.h"
#include "storage/SupportDB.h"

namespace pantrio {

namespace {

constexpr const char* kFileFilter = "Pantrio Shopping List (*.sxf)";

std::string WithExtension(std::string path) {
    if (!EndsWithNoCase(path, ".sxf")) path += ".sxf";
    return path;
}

}  // namespace

ShoppingListController::ShoppingListController(ControllerContext context, ShoppingListView* view)
    : context_(context), view_(view) {}

// ---- generation

MasterMatch ShoppingListController::MatchMaster(const std::string& name) {
    // The keyword list of start-up, read here when a front end did not load it.
    if (context_.lookups.IngredientNames.rows.empty())
        context_.support.FillCombo("IngredientMasterTable", "KeywordText", "ID",
                                   context_.lookups.IngredientNames, "KeywordText");
    MasterMatch match;
    const std::string lowered = ToLowerText(Trim(name));
    for (const ListRow& keyword : context_.lookups.IngredientNames.rows) {
        const std::string word = ToLowerText(keyword.text);
        if (word.empty() || lowered.find(word) == std::string::npos) continue;
        match.id = static_cast<int>(keyword.data);
        if (match.id >= 0)
            match.dept = context_.support.QueryText(
                Format("Select StdDeptName from IngredientMasterTable where ID = %d", match.id));
        return match;
    }
    return match;
}

AddToShoppingListForm ShoppingListController::AddForm() {
    const Recipe& recipe = context_.main.Recipes().Current();
    AddToShoppingListForm form;
    form.recipeTitle = recipe.Title;
    form.day = context_.main.Today();
    for (const IngredientLine& line : recipe.Lines) {
        if (line.bHeading) continue;
        form.rows.push_back(
            {line.TextQty, line.Measure, line.Name, line.PrepNotes, line.IngredientLinesID, true});
    }
    return form;
}

int ShoppingListController::NextID() {
    // An unreadable maximum gives 0, as the access layer reports it.
    const long max = context_.support.MaxOf("ShoppingList", "ShoppingListID");
    return static_cast<int>(max < 0 ? 0 : max + 1);
}

void ShoppingListController::InsertItem(ShoppingItem item) {
    const MasterMatch match = MatchMaster(item.ItemName);
    item.IngredientMasterID = match.id;
    item.Dept = match.dept;
    item.ShoppingListID = NextID();
    AddShoppingItem(context_.support, item);
}

int ShoppingListController::AddCheckedLines(const AddToShoppingListForm& form) {
    RecipeController& recipes = context_.main.Recipes();
    if (!recipes.HasCurrent()) return 0;
    const Recipe& recipe = recipes.Current();
    const int recipeID = recipes.CurrentID();
    if (form.addToPlan) {
        const std::string scaleText =
            Format("%.0f %s", recipe.ScaleMultiple * recipe.YieldNumber, recipe.YieldUnit.c_str());
        MealPlanController& plan = context_.main.MealPlan();
        if (plan.AddToPlan(form.day, form.meal, recipeID, context_.box.RecipeIcon(recipeID),
                           scaleText) > 0)
            plan.ShowDay();
    }
    const std::string box = CutChars(context_.main.Boxes().CookbookPath(), 255);
    int added = 0;
    for (const AddIngredientRow& row : form.rows) {
        if (!row.checked) continue;
        ShoppingItem item;
        item.TextQty = row.qty;
        item.QtyToBuy = ParseQuantity(row.qty);
        item.UnitOfMeasure = CutChars(row.unit, 10);
        item.ItemName = CutChars(row.ingredient, 50);
        item.Notes = CutChars(row.notes, 64);
        item.RecipeTitle = recipe.Title;
        item.IngredientLineID = row.ingredientLineID;
        item.RecipeID = recipeID;
        item.CookbookFile = box;
        InsertItem(std::move(item));
        ++added;
    }
    if (added > 0) {
        context_.main.PlayInterfaceSound("NICECHIME");
        changed_ = true;
    }
    return added;
}

void ShoppingListController::AddToShoppingListCommand() {
    if (!context_.main.Recipes().HasCurrent()) {
        context_.prompter.Message("Please select a recipe first.");
        return;
    }
    if (view_ == nullptr) return;
    const std::optional<AddToShoppingListForm> form = view_->AskAddToShoppingList(AddForm());
    if (!form) return;
    AddCheckedLines(*form);
    Reload();
}

void ShoppingListController::DropRecipe(long recipeID) {
    if (recipeID <= 0) return;
    context_.main.Recipes().SelectRecipe(recipeID);
    AddToShoppingListCommand();
}

int ShoppingListController::AddRecipeFromPlan(int recipeID, const std::string& boxPath,
                                              double scale) {
    if (scale == 0 || !std::isfinite(scale)) scale = 1;
    BoxController& boxes = context_.main.Boxes();
    const std::string previous = boxes.CookbookPath();
    const bool switching = Trim(boxPath) != Trim(previous);
    if (switching && !boxes.OpenBox(boxPath)) {
        boxes.OpenBox(previous);
        return -1;
    }
    Recipe recipe;
    int added = -1;
    if (context_.box.LoadRecipe(recipeID, recipe) > 0 &&
        context_.box.LoadIngredientLines(recipeID, recipe) >= 0) {
        added = 0;
        for (const IngredientLine& line : recipe.Lines) {
            if (line.bHeading) continue;
            ShoppingItem item;
            item.QtyToBuy = scale * line.DblQty;
            item.TextQty = FractionText(item.QtyToBuy, 36);
            item.UnitOfMeasure = line.Measure;
            item.ItemName = line.Name;
            item.Notes = line.PrepNotes;
            item.RecipeTitle = recipe.Title;
            item.IngredientLineID = line.IngredientLinesID;
            item.RecipeID = recipeID;
            item.CookbookFile = CutChars(boxPath, 255);
            InsertItem(std::move(item));
            ++added;
        }
    }
    if (switching) boxes.OpenBox(previous);
    if (added > 0) changed_ = true;
    return added;
}

std::vector<ListRow> ShoppingListController::PlanEntries(const DateTime& from, const DateTime& to) {
    std::vector<ListRow> rows;
    CADORecordset rs(context_.support);
    if (!rs.Run(Format("Select RecipeListID, Title, Color, Marked, ScaleToMake,ScaleToMakeText, "
                       "RecipeDate from RecipeList where RecipeDate >= #%s# and RecipeDate <= "
                       "#%s# Order by RecipeDate, MealNumber, Title",
                       from.IsoDateText().c_str(), to.IsoDateText().c_str())))
        return rows;
    for (; !rs.AtEnd(); rs.NextRow()) {
        ListRow row;
        long id = 0;
        int color = 0, marked = 0;
        std::string scaleText;
        DateTime date;
        rs.ReadAt(0, id);
        rs.ReadAt(1, row.text);
        rs.ReadAt(2, color);
        rs.ReadAt(3, marked);
        rs.ReadAt(5, scaleText);
        rs.ReadAt(6, date);
        row.icon = color + (marked != 0 ? 7 : 0);
        row.columns = {"[" + scaleText + "]", date.IsoDateText()};
        row.data = id;
        rows.push_back(std::move(row));
    }
    return rows;
}

int ShoppingListController::AddPlanEntries(const std::vector<long>& recipeListIDs) {
    int added = 0;
    for (long id : recipeListIDs) {
        const std::string box = context_.support.QueryText(
            Format("Select CookbookFile from RecipeList where RecipeListID=%ld", id));
        const long recipeID = context_.support.QueryNumber(
            Format("Select RecipeID from RecipeList where RecipeListID=%ld", id));
        const double scale = context_.support.QueryDouble(
            Format("Select ScaleToMake from RecipeList where RecipeListID=%ld", id));
        if (recipeID < 0) continue;
        const int n = AddRecipeFromPlan(static_cast<int>(recipeID), box, scale < 0 ? 1 : scale);
        if (n > 0) added += n;
    }
    return added;
}

void ShoppingListController::MakeShoppingListCommand() {
    LoadShoppingItems(context_.support, items_);
    if (!items_.Empty()) {
        const Answer keep = context_.prompter.Message(
            Format("Would you like to keep the %d items already on your shopping list?",
                   static_cast<int>(items_.Count())),
            "", Buttons::YesNo, MessageIcon::Question);
        if (keep == Answer::No) {
            context_.support.RunSQL("Delete * from ShoppingList");
            items_.Clear();
            changed_ = true;
            combined_ = false;
            Show();
            ShowRecipes();
        }
    }
    if (view_ == nullptr) return;
    const DateTime today = context_.main.Today();
    DateTime week = DateTime::FromDate(today.year, today.month, today.day);
    // Seven days on: through the date text, so months and years roll over.
    std::tm tm{};
    tm.tm_year = week.year - 1900;
    tm.tm_mon = week.month - 1;
    tm.tm_mday = week.day + 7;
    tm.tm_hour = 12;
    std::mktime(&tm);
    week = DateTime::FromDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
    const std::optional<std::vector<long>> chosen = view_->AskMakeShoppingList(
        today, week,
        [this](const DateTime& from, const DateTime& to) { return PlanEntries(from, to); });
    if (!chosen) return;
    AddPlanEntries(*chosen);
    Reload();
}

// ---- the page

std::string ShoppingListController::QtyText(double qty) {
    if (qty == 0 || !std::isfinite(qty)) return "";
    const std::string text = FractionText(ParseQuantity(DecimalText(qty, 4)), 16);
    return Trim(text) == "0" ? std::string() : text;
}

std::vector<ShoppingGridRow> ShoppingListController::GridRows() const {
    std::vector<ShoppingGridRow> rows;
    rows.reserve(items_.Count());
    const std::string marked = Trim(markedTitle_);
    for (const ShoppingItem& item : items_.Items()) {
        ShoppingGridRow row{QtyText(item.QtyToBuy),
                            item.UnitOfMeasure,
                            item.ItemName,
                            item.Notes,
                            item.Dept,
                            item.ShoppingListID,
                            17,
                            item.Converted};
        if (!marked.empty() && !combined_ && Trim(item.RecipeTitle) == marked) row.icon = 18;
        rows.push_back(std::move(row));
    }
    return rows;
}

void ShoppingListController::Show() {
    if (view_ != nullptr) view_->ShowShoppingRows(GridRows());
}

std::vector<ListRow> ShoppingListController::Recipes() {
    VectorRowSink list;
    FillShoppingRecipes(context_.support, list);
    return list.rows;
}

void ShoppingListController::ShowRecipes() {
    if (view_ != nullptr) view_->ShowShoppingRecipes(Recipes());
}

void ShoppingListController::StartPage() {
    combined_ = false;
    markedTitle_.clear();
    LoadShoppingItems(context_.support, items_);
    Show();
    ShowRecipes();
    if (view_ != nullptr) view_->ShowCombined(false);
}

void ShoppingListController::Reload() {
    markedTitle_.clear();
    if (combined_) {
        combined_ = false;
        if (view_ != nullptr) view_->ShowCombined(false);
    }
    LoadShoppingItems(context_.support, items_);
    Show();
    ShowRecipes();
}

bool ShoppingListController::CombinesCompatibleUnits() const {
    return context_.settings.ShopExactUnits == 0;
}

ShoppingItems ShoppingListController::CombineItems(bool compatibleUnits) {
    ShoppingItems summed;
    LoadSummedItems(context_.support, summed);
    if (!compatibleUnits) return summed;
    // Lines of one item and department whose units measure the same kind are
    // added up where the first of them stands.
    using Key = std::tuple<std::string, std::string, UnitKind>;
    std::map<Key, std::vector<std::size_t>> groups;
    for (std::size_t i = 0; i < summed.Count(); ++i) {
        const ShoppingItem& item = summed[i];
        const UnitKind kind = KindOfUnit(item.UnitOfMeasure);
        if (kind == UnitKind::None) continue;
        groups[{ToLowerText(Trim(item.ItemName)), ToLowerText(Trim(item.Dept)), kind}].push_back(i);
    }
    std::map<std::size_t, ShoppingItem> replaced;
    std::set<std::size_t> dropped;
    for (const auto& [key, members] : groups) {
        if (members.size() < 2) continue;
        std::vector<UnitQuantity> parts;
        for (std::size_t i : members)
            parts.push_back({summed[i].QtyToBuy, summed[i].UnitOfMeasure});
        const std::optional<UnitQuantity> total = SumInCommonUnit(parts);
        if (!total) continue;
        ShoppingItem item = summed[members.front()];
        item.QtyToBuy = total->quantity;
        item.UnitOfMeasure = total->unit;
        item.Converted = true;
        replaced[members.front()] = std::move(item);
        for (std::size_t k = 1; k < members.size(); ++k) dropped.insert(members[k]);
    }
    ShoppingItems combined;
    for (std::size_t i = 0; i < summed.Count(); ++i) {
        if (dropped.count(i) != 0) continue;
        const auto r = replaced.find(i);
        combined.Add(r != replaced.end() ? r->second : summed[i]);
    }
    return combined;
}

void ShoppingListController::ToggleCombined() {
    markedTitle_.clear();
    if (!combined_) {
        items_ = CombineItems(CombinesCompatibleUnits());
        combined_ = true;
    } else {
        LoadShoppingItems(context_.support, items_);
        combined_ = false;
    }
    Show();
    if (view_ != nullptr) view_->ShowCombined(combined_);
}

int ShoppingListController::AddItem(const std::string& itemText, const std::string& qtyText,
                                    const std::string& unitText) {
    if (itemText == "<item name>") return -1;
    if (Trim(itemText + unitText + qtyText).empty()) return -1;
    const int id = NextID();
    const double qty = ParseQuantity(qtyText);
    const MasterMatch match = MatchMaster(itemText);
    context_.support.RunSQL(
        Format("INSERT INTO SHOPPINGLIST(ShoppingListID, QtyToBuy, UnitOfMeasure, ItemName, "
               "IngredientMasterID, IngredientLineID, RecipeID, RecipeTitle, Dept) VALUES (%d, "
               "%s, '%s', '%s', %d, -1, -1, '- Added Manually -', '%s')",
               id, ExactDecimalText(qty).c_str(), QuoteSql(unitText).c_str(),
               QuoteSql(itemText).c_str(), match.id, QuoteSql(match.dept).c_str()));
    context_.main.PlayInterfaceSound("NICECHIME");
    Reload();
    if (view_ != nullptr) view_->ResetItemEntry();
    changed_ = true;
    return id;
}

std::string ShoppingListController::UnitOfPurchase(const std::string& item) {
    const std::string text = Trim(item);
    if (text.empty() || item == "<item name>") return "";
    return context_.support.QueryText(
        "Select UnitOfPurchase from IngredientMasterTable where KeywordText like '" +
        QuoteSql(item) + "'");
}

void ShoppingListController::RemoveItem(int shoppingListID) {
    context_.support.RunSQL(
        Format("DELETE FROM SHOPPINGLIST WHERE ShoppingListID = %d", shoppingListID));
    Reload();
    changed_ = true;
}

bool ShoppingListController::DeleteItem(int shoppingListID) {
    if (context_.prompter.Message("Delete from shopping list?", "Delete", Buttons::YesNo,
                                  MessageIcon::Question) != Answer::Yes)
        return false;
    context_.support.RunSQL(
        Format("DELETE FROM SHOPPINGLIST Where ShoppingListID = %d", shoppingListID));
    Reload();
    changed_ = true;
    return true;
}

bool ShoppingListController::ClearCommand() {
    if (context_.prompter.Message("This will clear your shopping list.  Are you sure?",
                                  "Clear Shopping List", Buttons::OKCancel,
                                  MessageIcon::Question) != Answer::OK)
        return false;
    ClearList();
    return true;
}

void ShoppingListController::ClearList() {
    context_.support.RunSQL("Delete * from ShoppingList");
    items_.Clear();
    markedTitle_.clear();
    combined_ = false;
    changed_ = true;
    Show();
    ShowRecipes();
    if (view_ != nullptr) view_->ShowCombined(false);
}

void ShoppingListController::WriteCell(int shoppingListID, ShoppingColumn column,
                                       const std::string& text) {
    const std::string quoted = QuoteSql(text);
    std::string statement;
    switch (column) {
        case ShoppingColumn::Qty:
            statement = Format("Update ShoppingList SET QtyToBuy='%s' where ShoppingListID = %d",
                               ExactDecimalText(ParseQuantity(text)).c_str(), shoppingListID);
            break;
        case ShoppingColumn::Unit:
            statement =
                Format("Update ShoppingList SET UnitOfMeasure='%s' where ShoppingListID = %d",
                       quoted.c_str(), shoppingListID);
            break;
        case ShoppingColumn::Item:
            statement = Format(
                "Update ShoppingList SET ItemName='%s', IngredientMasterID=%d where "
                "ShoppingListID = %d",
                quoted.c_str(), MatchMaster(text).id, shoppingListID);
            break;
        case ShoppingColumn::Notes:
            statement = Format("Update ShoppingList SET Notes='%s' where ShoppingListID = %d",
                               quoted.c_str(), shoppingListID);
            break;
        case ShoppingColumn::Dept:
            statement = Format("Update ShoppingList SET Dept='%s' where ShoppingListID = %d",
                               quoted.c_str(), shoppingListID);
            break;
    }
    context_.support.RunSQL(statement);
}

void ShoppingListController::RecipeClicked(long /*recipeID*/, const std::string& title) {
    context_.main.SetStatusText("Finding shopping list items for this recipe...");
    if (combined_) {
        LoadShoppingItems(context_.support, items_);
        combined_ = false;
        if (view_ != nullptr) view_->ShowCombined(false);
    }
    markedTitle_ = title;
    Show();
    context_.main.SetStatusText("");
}

void ShoppingListController::RecipeDoubleClicked(long recipeID) {
    context_.main.ShowPage(1);
    context_.main.Recipes().SelectRecipe(recipeID);
}

namespace {

int AppSettings::*const kColumnWidths[] = {&AppSettings::iColSLW1, &AppSettings::iColSLW2,
                                           &AppSettings::iColSLW3, &AppSettings::iColSLW4,
                                           &AppSettings::iColSLW5};
constexpr int kDefaultWidths[] = {40, 40, 200, 70, 80};

}  // namespace

int ShoppingListController::ColumnWidth(int column) const {
    if (column < 0 || column > 4) return 0;
    const int width = context_.settings.*kColumnWidths[column];
    return width > 0 ? width : kDefaultWidths[column];
}

void ShoppingListController::SetColumnWidth(int column, int width) {
    if (column < 0 || column > 4 || width < 0) return;
    context_.settings.*kColumnWidths[column] = width;
}

// ---- the file

std::string ShoppingListController::SaveDate() const {
    return context_.main.Today().Format("%x");
}

bool ShoppingListController::WriteShoppingFile(const std::string& path) {
    LoadShoppingItems(context_.support, items_);
    const std::string text = ShoppingListDocument(items_, SaveDate());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file) file.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!file || !file.flush()) {
        context_.prompter.Message("Could not create file in " + path);
        return false;
    }
    return true;
}

void ShoppingListController::SaveCommand() {
    const std::string folder = context_.settings.Folders().ShoppingLists();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::string suggested = fileName_.empty() ? folder + "/untitled.sxf" : fileName_;
    const std::optional<std::string> chosen =
        context_.prompter.SaveFile("Save Pantrio Shopping List (.sxf)", kFileFilter, suggested);
    if (!chosen || chosen->empty()) return;
    WriteShoppingFile(WithExtension(*chosen));
}

void ShoppingListController::OpenCommand() {
    const std::string folder = context_.settings.Folders().ShoppingLists();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::optional<std::string> chosen =
        context_.prompter.OpenFile("Open Pantrio Shopping List (.sxf)", kFileFilter, folder);
    if (!chosen || chosen->empty()) return;
    OpenShoppingFile(*chosen);
}

int ShoppingListController::OpenShoppingFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec) || std::filesystem::file_size(path, ec) == 0 ||
        ec) {
        context_.prompter.Message("Shopping list not found");
        return -1;
    }
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    // The file is read before anything changes, so an unreadable file leaves
    // the list as it was.
    ShoppingItems read;
    if (!file || !ReadShoppingListDocument(text.str(), read)) {
        context_.prompter.Message("Could not read Pantrio Shopping List.");
        return -1;
    }
    LoadShoppingItems(context_.support, items_);
    bool keep = false;
    if (!items_.Empty()) {
        keep = context_.prompter.Message(
                   Format("Your current shopping list has %d items.  Are you sure you want to "
                          "clear it?",
                          static_cast<int>(items_.Count())),
                   "Clear Shopping List", Buttons::OKCancel, MessageIcon::Question) != Answer::OK;
        if (!keep) context_.support.RunSQL("DELETE FROM SHOPPINGLIST");
    }
    items_.Clear();
    for (ShoppingItem item : read.Items()) {
        // Kept items hold their numbers; a file item whose number is taken
        // gets the next free one instead of being lost.
        if (keep && context_.support.QueryNumber(
                        Format("Select count(*) from ShoppingList where ShoppingListID = %d",
                               item.ShoppingListID)) > 0)
            item.ShoppingListID = NextID();
        AddShoppingItem(context_.support, item);
    }
    combined_ = false;
    Reload();
    if (view_ != nullptr) view_->ShowCombined(false);
    fileName_ = path;
    changed_ = false;
    return 0;
}

void ShoppingListController::OfferSaveAtClose() {
    if (fileName_.empty() || !changed_) return;
    const Answer answer = context_.prompter.Message(
        "You have made changes to your shopping list " + fileName_ + ".  Save it?",
        "Save shopping list", Buttons::OKCancel, MessageIcon::Question);
    if (answer == Answer::OK) SaveCommand();
}

}  // namespace pantrio
