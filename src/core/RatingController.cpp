#include "core/RatingController.h"

#include <climits>
#include <cmath>

#include "base/Prompter.h"
#include "base/Text.h"
#include "core/AppSettings.h"
#include "core/Browser.h"
#include "core/MainDialog.h"
#include "core/RatingView.h"
#include "core/ServiceAddresses.h"
#include "recipe/Quantity.h"
#include "storage/RecipeDB.h"

namespace pantrio {

namespace {

// A time text read as a quantity with the fraction dropped, never below 0
// and small enough that 60 times it still fits the column.
double WholeTime(const std::string& text) {
    const double value = std::trunc(ParseQuantity(text));
    if (!(value > 0)) return 0;
    return std::fmin(value, INT_MAX / 60);
}

}  // namespace

bool StarLit(double value, int star) {
    return value > star - 0.5;
}

bool RatingForm::StarLit(RatingScale scale, int star) const {
    return pantrio::StarLit(Rating(scale), star);
}

void RatingForm::ClickStar(RatingScale scale, int star) {
    if (star < 1 || star > kStars) return;
    double& value = ratings[static_cast<int>(scale)];
    if (star == 1)
        value = StarLit(scale, 1) ? 0 : 1;
    else
        value = star;
}

void SplitMinutes(int minutes, std::string& hours, std::string& rest) {
    const int h = minutes / 60;
    const int m = minutes - 60 * h;
    hours = Format("%d", h);
    rest = Format("%d", m > 0 ? m : 0);
}

int JoinMinutes(const std::string& hours, const std::string& minutes) {
    const double total = WholeTime(minutes) + 60 * WholeTime(hours);
    return static_cast<int>(std::fmin(total, INT_MAX));
}

const char* MakeAgainCode(MakeAgain answer) {
    switch (answer) {
        case MakeAgain::Yes:
            return "YES";
        case MakeAgain::No:
            return "NO";
        case MakeAgain::NotTried:
            return "DIDNOTMAKE";
        case MakeAgain::Unanswered:
            break;
    }
    return "";
}

RatingController::RatingController(ControllerContext context, RatingView* view)
    : context_(context), view_(view) {}

void RatingController::RateCommand() {
    WebView& web = context_.main.Web();
    if (web.PageKind() == WebView::kImportablePage && web.browser() != nullptr) {
        // The importer has said why when nothing could be stored or found.
        if (web.ImportPage(web.browser()->DocumentSource()).recipeID < 0) return;
    }
    if (!context_.main.Recipes().HasCurrent()) {
        context_.prompter.Message("Please select a recipe first.");
        return;
    }
    if (view_ != nullptr) view_->RunRatingDialog(*this);
}

RatingForm RatingController::Open() const {
    const Recipe& recipe = context_.main.Recipes().Current();
    RatingForm form;
    form.title = recipe.Title;
    form.ratings[static_cast<int>(RatingScale::Taste)] = recipe.TasteRating;
    form.ratings[static_cast<int>(RatingScale::Appearance)] = recipe.AppearanceRating;
    form.ratings[static_cast<int>(RatingScale::Effort)] = recipe.EffortRating;
    form.ratings[static_cast<int>(RatingScale::Affordability)] = recipe.AffordableRating;
    form.comments = recipe.Notes;
    SplitMinutes(recipe.ActiveMinutes, form.activeHours, form.activeMinutes);
    SplitMinutes(recipe.TotalMinutes, form.totalHours, form.totalMinutes);
    // Without a service the comments would have nowhere to go.
    form.shareEnabled = recipe.UniqueID > 0 && context_.main.Web().Service().Configured();
    form.share = form.shareEnabled;
    return form;
}

RatingResult RatingController::Ok(const RatingForm& form) {
    return Ok(form, context_.main.Web().Service());
}

RatingResult RatingController::Ok(const RatingForm& form, const ServiceAddresses& service) {
    RecipeController& recipes = context_.main.Recipes();
    Recipe& recipe = recipes.CurrentForEditing();
    RatingResult result;
    if (!recipes.HasCurrent()) {
        context_.prompter.Message("Please select a recipe first.");
        return result;
    }
    recipe.ActiveMinutes = JoinMinutes(form.activeHours, form.activeMinutes);
    recipe.TotalMinutes = JoinMinutes(form.totalHours, form.totalMinutes);
    if (form.makeAgain == MakeAgain::Unanswered) {
        context_.prompter.Message("Please indicate whether you'd make the recipe again.");
        return result;
    }

    const double taste = form.Rating(RatingScale::Taste);
    const double appearance = form.Rating(RatingScale::Appearance);
    const double effort = form.Rating(RatingScale::Effort);
    const double affordability = form.Rating(RatingScale::Affordability);
    // Six decimals as "%f" writes them, with a decimal point in any locale.
    const std::string statement =
        "UPDATE RECIPES Set TasteRating=" + DecimalText(taste, 6) +
        ", AffordableRating=" + DecimalText(affordability, 6) +
        ", EffortRating=" + DecimalText(effort, 6) +
        ", AppearanceRating=" + DecimalText(appearance, 6) + ", Notes='" + QuoteSql(form.comments) +
        "'" +
        Format(", ActiveMinutes=%d, TotalMinutes=%d where RecipeID=%d", recipe.ActiveMinutes,
               recipe.TotalMinutes, recipes.CurrentID());
    if (context_.box.RunSQL(statement) != 1) {
        context_.prompter.Message(
            "The rating could not be stored in the recipe box, and nothing was sent.", "",
            Buttons::OK, MessageIcon::Warning);
        result.outcome = RatingOutcome::NotStored;
        return result;
    }
    recipe.Notes = form.comments;
    recipe.TasteRating = taste;
    recipe.AppearanceRating = appearance;
    recipe.EffortRating = effort;
    recipe.AffordableRating = affordability;
    // The results list shows the taste rating beside the title.
    context_.main.Results().RecipeChanged(recipes.CurrentID());

    if (!form.share || recipe.UniqueID <= 0 || !service.Configured()) {
        recipes.RefreshRecipePages();
        result.outcome = RatingOutcome::Stored;
        return result;
    }
    ServiceAddresses::Comments comments;
    comments.notes = form.comments;
    comments.makeAgain = MakeAgainCode(form.makeAgain);
    comments.taste = taste;
    comments.appearance = appearance;
    comments.effort = effort;
    comments.affordability = affordability;
    comments.uniqueID = recipe.UniqueID;
    comments.activeMinutes = recipe.ActiveMinutes;
    comments.totalMinutes = recipe.TotalMinutes;
    result.address = service.SubmitComments(comments);
    result.outcome = RatingOutcome::Sharing;
    ++context_.settings.RatedRec;
    return result;
}

void RatingController::SharingClosed() {
    context_.main.Recipes().RefreshRecipePages();
}

}  // namespace pantrio
