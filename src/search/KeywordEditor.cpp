#include "search/KeywordEditor.h"

#include "base/Text.h"
#include "recipe/Recipe.h"
#include "search/KeywordStorage.h"
#include "storage/SupportDB.h"

namespace pantrio {

namespace {

// The keywords that "Other:" always offers, in the order they are put on top.
constexpr const char* kFixedKeywords[] = {"@Favorite", "@My Diet", "@Try Soon!"};

int FindRow(const std::vector<KeywordRow>& rows, const std::string& text) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (EqualsNoCase(rows[i].text, text)) return static_cast<int>(i);
    return -1;
}

}  // namespace

const std::array<const char*, KeywordEditor::kListCount>& KeywordEditor::Headings() {
    static const std::array<const char*, kListCount> headings = {
        "Course/Dish", "Preparation Method", "Season/Occasion", "Special Considerations", "Other:"};
    return headings;
}

const std::array<const char*, KeywordEditor::kListCount>& KeywordEditor::Groups() {
    static const std::array<const char*, kListCount> groups = {
        "Course/Dish", "Preparation Method", "Season/Occasion", "Special Considerations", "Other"};
    return groups;
}

KeywordEditor::KeywordEditor(Recipe& current) : recipe_(current) {}

int KeywordEditor::Open(SupportDB& support, const std::vector<ListRow>& customKeywords) {
    int result = 0;
    for (auto& list : lists_) list.clear();
    dropDown_ = customKeywords;
    dropDownText.clear();

    const std::vector<std::string>& names = recipe_.CategoryNames;
    std::vector<bool> shown(names.size(), false);

    for (int l = 0; l < kListCount; ++l) {
        VectorRowSink sink;
        if (support.FillKeywordGroupList(Groups()[static_cast<std::size_t>(l)], sink) < 0)
            result = -1;
        for (ListRow& row : sink.rows) lists_[static_cast<std::size_t>(l)].push_back({row.text});
    }

    // The four group lists tick the recipe's keywords they hold.
    for (int l = CourseDish; l <= SpecialConsiderations; ++l) {
        auto& rows = lists_[static_cast<std::size_t>(l)];
        for (std::size_t n = 0; n < names.size(); ++n) {
            const int row = FindRow(rows, Trim(names[n]));
            if (row < 0) continue;
            rows[static_cast<std::size_t>(row)].ticked = true;
            shown[n] = true;
        }
    }

    // "Other:" starts with the fixed keywords: "@Try Soon!", "@My Diet",
    // "@Favorite", then the group's keywords.
    auto& other = lists_[Other];
    for (const char* fixed : kFixedKeywords) other.insert(other.begin(), KeywordRow{fixed});

    // The recipe's fixed keywords are ticked there; every other keyword not
    // yet shown is inserted ticked: the first on top, each further one below
    // the row last inserted or ticked.
    int last = -1;
    bool inserted = false;
    for (std::size_t n = 0; n < names.size(); ++n) {
        const std::string name = Trim(names[n]);
        bool fixed = false;
        for (const char* f : kFixedKeywords)
            if (EqualsNoCase(name, f)) fixed = true;
        if (fixed) {
            const int row = FindRow(other, name);
            if (row >= 0) {
                other[static_cast<std::size_t>(row)].ticked = true;
                last = row;
            }
            shown[n] = true;
            continue;
        }
        if (shown[n] || name.empty()) continue;
        const int at = inserted ? last + 1 : 0;
        other.insert(other.begin() + at, KeywordRow{name, true});
        inserted = true;
        last = at;
        shown[n] = true;
    }
    return result;
}

void KeywordEditor::Toggle(List list, int row) {
    auto& rows = lists_[list];
    if (row < 0 || row >= static_cast<int>(rows.size())) return;
    rows[static_cast<std::size_t>(row)].ticked = !rows[static_cast<std::size_t>(row)].ticked;
}

bool KeywordEditor::DeleteOtherRow(int row) {
    auto& rows = lists_[Other];
    if (row < 0 || row >= static_cast<int>(rows.size())) return false;
    rows.erase(rows.begin() + row);
    return true;
}

bool KeywordEditor::Add() {
    const std::string text = Trim(dropDownText);
    if (text.empty()) return false;
    recipe_.AddCategoryName(text);
    auto& other = lists_[Other];
    if (FindRow(other, text) >= 0) return false;
    other.insert(other.begin(), KeywordRow{text, true});
    dropDownText.clear();
    return true;
}

int KeywordEditor::Ok(RecipeDB& db) {
    recipe_.CategoryNames.clear();
    for (List list : {CourseDish, Other, PreparationMethod, SeasonOccasion, SpecialConsiderations})
        for (const KeywordRow& row : lists_[list])
            if (row.ticked) recipe_.AddCategoryName(row.text);
    recipe_.AllCategoriesText = recipe_.CategoryText();
    return StoreCategoryText(db, recipe_.RecipeID, recipe_.AllCategoriesText);
}

}  // namespace pantrio
