#include "core/NutrientEditorController.h"

#include <algorithm>
#include <cmath>

#include "base/Prompter.h"
#include "base/Text.h"
#include "nutrition/FoodRecord.h"
#include "recipe/Quantity.h"
#include "storage/SupportDB.h"

namespace pantrio {

namespace {

const char* const kListFoods = "Select NutrientID, Shrt_Desc from Nutrients order by Shrt_Desc";

// "0.0" for a weight the food does not have reads as an empty field.
std::string WeightText(double grams) {
    const std::string text = Format("%.1f", grams);
    return text == "0.0" ? std::string() : text;
}

std::string CutName(const std::string& name) {
    return CutChars(name, NutrientEditorController::kMaxNameLength);
}

}  // namespace

NutrientEditorController::NutrientEditorController(ControllerContext context,
                                                   NutrientEditorView* view)
    : context_(context), view_(view) {
    ShowFields();
}

const std::vector<NutrientEditorField>& NutrientEditorController::Fields() {
    static const std::vector<NutrientEditorField> fields = {
        {"water(g)", "Water"},
        {"calories", "Energ_Kcal"},
        {"protein (g)", "Protein"},
        {"total fat (g)", "Tot_Lipid"},
        {"   saturated (g)", "FA_Sat"},
        {"   monounsat (g)", "FA_Mono"},
        {"   polyunsat (g)", "FA_Poly"},
        {"cholesterol (mg)", "Cholestrl"},
        {"carbohydrate (g)", "Carbohydrt"},
        {"  dietary fiber (g)", "Fiber_TD"},
        {"alcohol (g)", "Alcohol"},
        {"ash (g)", "Ash"},
        {"calcium (mg)", "Calcium"},
        {"phosphorus (mg)", "Phosphorus"},
        {"iron (mg)", "Iron"},
        {"sodium (mg)", "Sodium"},
        {"selenium (ug)", "Selenium"},
        {"potassium (mg)", "Potassium"},
        {"magnesium (mg)", "Magnesium"},
        {"zinc (mg)", "Zinc"},
        {"copper (mg)", "Copper"},
        {"manganese (mg)", "Manganese"},
        {"vit. A (IU)", "Vit_A"},
        {"vit. E (mg ATE)", "Vit_E"},
        {"thiamine (mg)", "Thiamin"},
        {"riboflavin (mg)", "Riboflavin"},
        {"niacin (mg)", "Niacin"},
        {"pantoth. acid (mg)", "Panto_acid"},
        {"vit. B6 (mg)", "Vit_B6"},
        {"folate (ug)", "Folate"},
        {"vit. B12 (ug)", "Vit_B12"},
        {"vit. C (mg)", "Vit_C"},
        {"caffeine (mg)", "Caffeine"},
        {"  % refuse:", kRefuseColumn},
    };
    return fields;
}

void NutrientEditorController::Start() {
    foods_.ClearRows();
    context_.support.FillList(kListFoods, 1, 0, foods_);
}

void NutrientEditorController::Find(const std::string& text) {
    foods_.ClearRows();
    context_.support.FillList(
        Format("Select NutrientID, Shrt_Desc from Nutrients where Shrt_Desc like '%%%s%%' order "
               "by Shrt_Desc",
               QuoteSql(text).c_str()),
        1, 0, foods_);
}

void NutrientEditorController::ChooseFood(int nutrientID) {
    SaveIfModified();
    ReadAndShow(nutrientID);
}

void NutrientEditorController::ReadAndShow(int nutrientID) {
    // A food without a row leaves the record as it was.
    if (ReadFood(context_.support, nutrientID, record_) == 0) current_ = nutrientID;
    FillServings();
    ShowFields();
}

void NutrientEditorController::FillServings() {
    servings_.clear();
    servingGrams_.clear();
    const auto add = [this](const std::string& description, double grams) {
        if (!(grams > 0)) return;
        servings_.push_back(Format("%s = %.0fg", description.c_str(), grams));
        servingGrams_.push_back(grams);
    };
    add(record_.GmWt_Desc1, record_.GmWt_1);
    add(record_.GmWt_Desc2, record_.GmWt_2);
    servingIndex_ = servings_.empty() ? -1 : 0;
}

double NutrientEditorController::ServingFactor() const {
    if (servingIndex_ < 0 || servingIndex_ >= static_cast<int>(servingGrams_.size())) return 1;
    return servingGrams_[static_cast<std::size_t>(servingIndex_)] * 0.01;
}

void NutrientEditorController::SelectServing(int index) {
    if (index < 0 || index >= static_cast<int>(servings_.size())) return;
    SaveIfModified();
    servingIndex_ = index;
    ShowFields();
}

void NutrientEditorController::ShowFields() {
    item_ = record_.Shrt_Desc;
    const double factor = ServingFactor();
    for (const auto& field : Fields()) {
        const double* amount = record_.Field(field.column);
        texts_[field.column] = amount != nullptr ? Format("%.1f", *amount * factor)
                                                 : Format("%.1f", record_.Refuse_Pct);
    }
    modified_ = false;
}

std::string NutrientEditorController::FieldText(const std::string& column) const {
    const auto found = texts_.find(column);
    return found == texts_.end() ? std::string() : found->second;
}

void NutrientEditorController::FieldEdited(const std::string& column, const std::string& text) {
    if (texts_.find(column) == texts_.end()) return;
    texts_[column] = text;
    modified_ = true;
}

void NutrientEditorController::SaveIfModified(bool ask) {
    if (!modified_) return;
    // Cleared before the message, whose window takes the focus and would
    // otherwise ask again.
    modified_ = false;
    if (ask) context_.prompter.Message("You appear to have changed a record.  Save it?");
    Save();
}

void NutrientEditorController::Save() {
    const double factor = ServingFactor();
    for (const auto& field : Fields()) {
        const double value = ParseQuantity(FieldText(field.column));
        if (double* amount = record_.Field(field.column))
            *amount = value / factor;
        else
            record_.Refuse_Pct = value;
    }
    record_.Shrt_Desc = CutName(item_);
    if (current_ > 0) WriteFood(context_.support, current_, record_);
    modified_ = false;
}

void NutrientEditorController::ItemLeft() {
    if (current_ <= 0) return;
    // Typed amounts would be lost when the food is read back below.
    SaveIfModified();
    context_.support.RunSQL(Format("Update Nutrients SET Shrt_Desc = '%s' where NutrientID = %d",
                                   QuoteSql(CutName(item_)).c_str(), current_));
    ReadAndShow(current_);
}

void NutrientEditorController::Modify() {
    if (current_ <= 0 || view_ == nullptr) return;
    MeasureForm form{record_.GmWt_Desc1, WeightText(record_.GmWt_1), record_.GmWt_Desc2,
                     WeightText(record_.GmWt_2)};
    if (!view_->AskMeasures(form)) return;
    SaveIfModified();
    std::string second = form.description2;
    if (Trim(second).empty()) second = " ";
    const double grams1 = std::max(0.0, ParseQuantity(form.grams1));
    const double grams2 = std::max(0.0, ParseQuantity(form.grams2));
    context_.support.RunSQL(Format(
        "Update Nutrients SET GmWt_1=%.2f, GmWt_Desc1='%s', GmWt_2=%.2f, "
        "GmWt_Desc2='%s' WHERE NutrientID=%d",
        grams1, QuoteSql(form.description1).c_str(), grams2, QuoteSql(second).c_str(), current_));
    ReadAndShow(current_);
}

void NutrientEditorController::New() {
    if (view_ == nullptr) return;
    std::string name;
    if (!view_->AskNewFoodName(name)) return;
    name = CutName(Trim(name));
    if (name.empty()) return;
    SaveIfModified();
    const long number =
        std::max<long>(context_.support.MaxOf("Nutrients", "NutrientID") + 1, kFirstUserFood);
    record_.Reset();
    record_.Shrt_Desc = name;
    if (context_.support.RunSQL(
            Format("INSERT INTO NUTRIENTS(NDB_NO, Shrt_Desc, NutrientID) VALUES('0','%s',%ld)",
                   QuoteSql(name).c_str(), number)) != 1)
        return;
    current_ = static_cast<int>(number);
    record_.NutrientID = current_;
    FillServings();
    ShowFields();
    Modify();
}

void NutrientEditorController::Delete() {
    if (current_ < kFirstUserFood) {
        context_.prompter.Message(
            "The definition of this nutritional element ships with Pantrio and cannot be "
            "deleted.  Only new user-added nutrients can be deleted.");
        return;
    }
    context_.support.RunSQL(Format("DELETE FROM NUTRIENTS WHERE NutrientID = %d", current_));
    Start();
    current_ = 0;
    record_.Reset();
    FillServings();
    ShowFields();
}

void NutrientEditorController::Clear() {
    if (current_ < kFirstUserFood) {
        context_.prompter.Message(
            "You can only clear nutrition information for user-added "
            "elements.");
        return;
    }
    if (context_.prompter.Message("Clear current nutrition information for this element?",
                                  "Clear Nutrition Information", Buttons::YesNo,
                                  MessageIcon::Question) != Answer::Yes)
        return;
    const std::string name = record_.Shrt_Desc;
    record_.Reset();
    record_.Shrt_Desc = name;
    WriteFood(context_.support, current_, record_);
    FillServings();
    ShowFields();
}

}  // namespace pantrio
