// The keyword editor of the Notes tab ("Categories"): the current recipe's
// keywords as ticks in five lists, four of ready-made keyword groups and an
// "Other:" list that also holds the three fixed "@" keywords, the recipe's
// keywords that no list holds, and keywords typed into the drop-down list.
// A plain model: the dialog shows its lists and forwards clicks and keys.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/RowSink.h"

namespace pantrio {

class Recipe;
class RecipeDB;
class SupportDB;

struct KeywordRow {
    std::string text;
    bool ticked = false;
};

class KeywordEditor {
public:
    enum List { CourseDish, PreparationMethod, SeasonOccasion, SpecialConsiderations, Other };
    static constexpr int kListCount = 5;

    // The headings of the five lists and the keyword groups they show.
    static const std::array<const char*, kListCount>& Headings();
    static const std::array<const char*, kListCount>& Groups();

    // Works on `current`, the main window's current recipe.
    explicit KeywordEditor(Recipe& current);

    // Fills the lists from the keyword groups of `support` and ticks the
    // recipe's keywords. `customKeywords` are the "Custom" keywords loaded at
    // start-up (text and number) for the drop-down list. -1 when a group
    // could not be read (its list stays as far as it got), else 0.
    int Open(SupportDB& support, const std::vector<ListRow>& customKeywords);

    const std::vector<KeywordRow>& Rows(List list) const { return lists_[list]; }
    const std::vector<ListRow>& DropDown() const { return dropDown_; }

    // A click on a row's text or tick box.
    void Toggle(List list, int row);
    // The Delete key in the "Other:" list removes the selected row; false
    // when there is no such row.
    bool DeleteOtherRow(int row);

    // The drop-down list's text, as typed.
    std::string dropDownText;
    // "Add" (also Enter in the drop-down list): adds the text to the recipe's
    // keywords at once; when "Other:" has no row with that text (letter case
    // ignored), inserts it ticked at the top and empties the text. A blank
    // text adds nothing. True when a row was inserted.
    bool Add();

    // OK: the ticked rows become the recipe's keywords, list by list in the
    // order "Course/Dish", "Other:", "Preparation Method", "Season/Occasion",
    // "Special Considerations", each from top to bottom, and are stored.
    // RunSQL's result (1, -1). The caller shows the recipe again.
    int Ok(RecipeDB& db);
    // Cancel stores nothing (names added with Add stay in the record).
    void Cancel() {}

private:
    Recipe& recipe_;
    std::array<std::vector<KeywordRow>, kListCount> lists_;
    std::vector<ListRow> dropDown_;
};

}  // namespace pantrio
