// Rating the current recipe: four scales of 0 to 5 stars, whether the user
// would make it again, comments and the active and total times. OK stores
// them in the open box and in the current recipe; when the recipe came from
// the recipe service and the user agrees, it also gives the address that
// carries them to the service. The window's rating dialog and pantrio-cli's
// rate command both go through Open and Ok.
#pragma once

#include <string>

#include "core/ControllerContext.h"

namespace pantrio {

class RatingView;
class Recipe;
class ServiceAddresses;

// The four scales, in the dialog's order of rows.
enum class RatingScale { Taste = 0, Appearance = 1, Effort = 2, Affordability = 3 };
inline constexpr int kRatingScales = 4;
inline constexpr int kStars = 5;

// The answer to "Would you make this recipe again?".
enum class MakeAgain { Unanswered, Yes, No, NotTried };

// What the rating dialog shows and the user changes.
struct RatingForm {
    std::string title;
    // By RatingScale: TasteRating, AppearanceRating, EffortRating,
    // AffordableRating; 0 is unrated.
    double ratings[kRatingScales] = {0, 0, 0, 0};
    MakeAgain makeAgain = MakeAgain::Unanswered;
    std::string comments;
    // The "h" and "min" boxes after "Active Time:" and "Total Time:".
    std::string activeHours, activeMinutes, totalHours, totalMinutes;
    bool share = false;         // the share check box is ticked
    bool shareEnabled = false;  // and may be changed

    double Rating(RatingScale scale) const { return ratings[static_cast<int>(scale)]; }
    // Whether star `star` (1 to 5) of the scale's row is lit.
    bool StarLit(RatingScale scale, int star) const;
    // A click on star `star`: stars 2 to 5 set the row to that many; star 1
    // toggles between 1 and 0.
    void ClickStar(RatingScale scale, int star);
};

// Star `star` (1 to 5) shows lit for rating `value` when value > star - 0.5,
// so a row shows the rating rounded to whole stars.
bool StarLit(double value, int star);

// Minutes as the dialog shows them: whole hours and the minutes left over.
void SplitMinutes(int minutes, std::string& hours, std::string& rest);
// The minutes an "h" and a "min" text give, each read as a quantity with
// the fraction dropped ("1 1/2" hours count as 1 hour); texts that are not
// numbers, and negative ones, count as 0.
int JoinMinutes(const std::string& hours, const std::string& minutes);

// "YES", "NO" or "DIDNOTMAKE"; empty while unanswered.
const char* MakeAgainCode(MakeAgain answer);

enum class RatingOutcome {
    NeedsAnswer,  // no answer to "Would you make this recipe again?"; nothing stored
    NotStored,    // the box refused the rating (after a message); nothing sent
    Stored,       // stored; the dialog closes
    Sharing,      // stored; `address` carries it to the recipe service
};

struct RatingResult {
    RatingOutcome outcome = RatingOutcome::NeedsAnswer;
    std::string address;  // the comments page of the service, when sharing
};

class RatingController {
public:
    RatingController(ControllerContext context, RatingView* view);

    // The View tab's Rate button: on a page holding an importable recipe the
    // recipe is imported first (or its stored copy found); then the rating
    // dialog opens for the current recipe.
    void RateCommand();

    // The dialog's opening state for the current recipe. Sharing is offered
    // (ticked and enabled) only for a recipe with a service number while a
    // recipe service is set up.
    RatingForm Open() const;

    // OK, with the service of the settings or with `service`. The two times
    // go into the current recipe first, whatever follows; then the answer
    // to "Would you make this recipe again?" is required; then the ratings,
    // comments and times are stored and the recipe takes them. Unshared,
    // the recipe pages are shown anew; shared, RatedRec counts one more and
    // the result carries the address to send.
    RatingResult Ok(const RatingForm& form);
    RatingResult Ok(const RatingForm& form, const ServiceAddresses& service);

    // The dialog closed after sharing: the recipe pages show the new
    // ratings.
    void SharingClosed();

private:
    ControllerContext context_;
    RatingView* view_;
};

}  // namespace pantrio
