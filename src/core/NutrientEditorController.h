// The nutrient editor page: finds a food of the support database's food
// table, shows its amounts for one of its household measures (or per 100 g),
// and stores what the user types, renames, re-measures, adds, deletes and
// clears foods. Foods that ship with the program have numbers up to 100000;
// those the user adds start at 100001, and only they can be deleted or
// cleared.
//
// The page shows Foods(), ItemText(), Servings() and the amount texts, and
// reports typing with FieldEdited / ItemEdited; it keeps its widgets from
// reporting while it fills them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "base/RowSink.h"
#include "core/ControllerContext.h"
#include "core/NutrientEditorView.h"
#include "nutrition/NutrientValues.h"

namespace pantrio {

// One labelled field of the page: its label and the Nutrients column.
struct NutrientEditorField {
    const char* label;
    const char* column;
};

class NutrientEditorController {
public:
    static constexpr int kFirstUserFood = 100001;
    static constexpr std::size_t kMaxNameLength = 50;
    // The column of the refuse field, which is not scaled by the serving.
    static constexpr const char* kRefuseColumn = "Refuse_Pct";

    NutrientEditorController(ControllerContext context, NutrientEditorView* view);

    // The page's fields in the order of its two columns of labels.
    static const std::vector<NutrientEditorField>& Fields();

    // Fills the list with every food in name order.
    void Start();
    // "OK" beside "Find:": the foods whose name holds `text`.
    void Find(const std::string& text);
    const std::vector<ListRow>& Foods() const { return foods_.rows; }

    // A food was chosen in the list (saving the one shown first).
    void ChooseFood(int nutrientID);
    int CurrentFood() const { return current_; }
    const NutrientValues& Record() const { return record_; }

    // "Serving size:" entries ("1 cup = 240g") and the one chosen; choosing
    // another saves first and shows the amounts for it.
    const std::vector<std::string>& Servings() const { return servings_; }
    int ServingIndex() const { return servingIndex_; }
    void SelectServing(int index);
    // Grams of the chosen measure / 100; 1 without household measures.
    double ServingFactor() const;

    // The texts shown: "Item:" and every field by column.
    const std::string& ItemText() const { return item_; }
    std::string FieldText(const std::string& column) const;
    // The user typed into an amount field / into "Item:".
    void FieldEdited(const std::string& column, const std::string& text);
    void ItemEdited(const std::string& text) { item_ = text; }
    bool Modified() const { return modified_; }

    // The user left "Item:": the food is renamed to its text (cut to 50
    // characters) and shown as stored.
    void ItemLeft();
    // Stores the typed amounts when there are any (the page was shown,
    // hidden or left); `ask` shows the "changed a record" message first.
    void SaveIfModified(bool ask = true);

    // "&Modify": the household measures of the food shown.
    void Modify();
    // "&New": asks for a name and adds a user food, then its measures.
    void New();
    // "&Delete" and "Clea&r": only for user foods.
    void Delete();
    void Clear();

private:
    void ReadAndShow(int nutrientID);
    void FillServings();
    void ShowFields();
    void Save();

    ControllerContext context_;
    NutrientEditorView* view_;
    VectorRowSink foods_;
    int current_ = 0;
    NutrientValues record_;
    std::vector<std::string> servings_;
    std::vector<double> servingGrams_;
    int servingIndex_ = -1;
    std::string item_;
    std::map<std::string, std::string> texts_;
    bool modified_ = false;
};

}  // namespace pantrio
