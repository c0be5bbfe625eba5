#include "recipe/Recipe.h"

#include "base/Text.h"
#include "recipe/Quantity.h"
#include "recipe/Units.h"

namespace pantrio {

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
