#include "core/InformationDialog.h"

#include "core/AppSettings.h"
#include "core/Tips.h"
#include "storage/RecipeDB.h"

namespace pantrio {

namespace {

// A failed count (-1) shows as 0.
long Count(RecipeDB& box, const char* statement) {
    if (!box.Connected()) return 0;
    const long n = box.QueryNumber(statement);
    return n < 0 ? 0 : n;
}

}  // namespace

InformationDialog::InformationDialog(AppSettings& settings, RecipeDB& box, long keywordCount)
    : settings_(settings),
      tips_(Tips(settings.ServiceName)),
      boxPath_(settings.CookbookPath),
      recipes_(Count(box, "Select count(RecipeID) from Recipes")),
      categories_(keywordCount),
      rated_(Count(box,
                   "Select count(RecipeID) from Recipes where (Tasterating > 0) OR "
                   "(AppearanceRating > 0) OR (AffordableRating > 0) OR (EffortRating > 0)")) {
    // A stored index outside the list (an edited settings file) starts over
    // at the first tip instead of reading past the list.
    int last = settings_.TipToShowNext;
    if (last < 0 || last >= TipCount()) last = TipCount() - 1;
    Select(last + 1);
}

void InformationDialog::Select(int index) {
    const int n = TipCount();
    index_ = ((index % n) + n) % n;
    settings_.TipToShowNext = index_;
}

void InformationDialog::NextTip() {
    Select(index_ + 1);
}

void InformationDialog::PreviousTip() {
    Select(index_ - 1);
}

bool InformationDialog::ShowAtStart() const {
    return settings_.ShowInfoAtStart != 0;
}

void InformationDialog::SetShowAtStart(bool show) {
    settings_.ShowInfoAtStart = show ? 1 : 0;
}

}  // namespace pantrio
