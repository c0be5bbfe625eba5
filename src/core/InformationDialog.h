// The information dialog ("Pantrio Information"): what the open box holds
// and one tip at a time. The object is made for one showing; the front end
// reads its texts and calls NextTip, PreviousTip and SetShowAtStart as the
// user presses ">", "<" and the check box. The tip index and the check box go
// straight into the settings, which are saved at close.
#pragma once

#include <string>
#include <vector>

namespace pantrio {

class AppSettings;
class RecipeDB;

class InformationDialog {
public:
    static constexpr const char* kTitle = "Pantrio Information";
    static constexpr const char* kBoxGroup = "Current Recipe Box";
    static constexpr const char* kTipGroup = "Did you know?";
    static constexpr const char* kShowAtStartText = "Show this dialog at startup";

    // Counts the box's recipes and rated recipes, takes the number of
    // keywords of the main window's keyword list, and moves on to the next
    // tip (opening shows the tip after the one shown last).
    InformationDialog(AppSettings& settings, RecipeDB& box, long keywordCount);

    const std::string& BoxPath() const { return boxPath_; }
    long Recipes() const { return recipes_; }
    long Categories() const { return categories_; }
    long RatedRecipes() const { return rated_; }

    const std::string& Tip() const { return tips_[index_]; }
    int TipIndex() const { return index_; }
    int TipCount() const { return static_cast<int>(tips_.size()); }
    // ">": the next tip, after the last the first.
    void NextTip();
    // "<": the previous tip, before the first the last.
    void PreviousTip();

    bool ShowAtStart() const;
    void SetShowAtStart(bool show);

private:
    void Select(int index);

    AppSettings& settings_;
    std::vector<std::string> tips_;
    int index_ = 0;
    std::string boxPath_;
    long recipes_ = 0;
    long categories_ = 0;
    long rated_ = 0;
};

}  // namespace pantrio
