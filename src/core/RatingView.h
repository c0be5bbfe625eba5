// The rating dialog as RatingController sees it. Without a window nothing is
// shown and nothing is rated.
#pragma once

namespace pantrio {

class RatingController;

class RatingView {
public:
    virtual ~RatingView() = default;

    // The rating dialog, modal, for the current recipe: it opens its form
    // with RatingController::Open, hands OK to RatingController::Ok and
    // returns when the user has closed it.
    virtual void RunRatingDialog(RatingController& /*rating*/) {}
};

}  // namespace pantrio
