// Rating the current recipe: the stars, the times, OK's checks and statement,
// sharing with the recipe service, and the Rate button on an importable page.
#include "base/Text.h"
#include "core/CommandsFixture.h"
#include "core/OptionsSheet.h"
#include "core/RatingController.h"
#include "formats/RecipeDocument.h"
#include "render/RenderRecipePage.h"

namespace pantrio::test {
namespace {

TEST(RatingStars, ARowShowsTheRatingRoundedAndStarOneToggles) {
    const struct {
        double rating;
        int lit;
    } rows[] = {{0, 0}, {0.4, 0}, {0.6, 1}, {3.4, 3}, {3.5, 3}, {3.6, 4}, {5, 5}};
    for (const auto& row : rows) {
        int lit = 0;
        for (int star = 1; star <= kStars; ++star) lit += StarLit(row.rating, star) ? 1 : 0;
        EXPECT_EQ(lit, row.lit) << row.rating;
    }

    RatingForm form;
    form.ratings[static_cast<int>(RatingScale::Taste)] = 4;
    const struct {
        int star;
        double after;
    } clicks[] = {{1, 0}, {1, 1}, {3, 3}, {3, 3}, {5, 5}, {1, 0}, {2, 2}, {6, 2}, {0, 2}};
    for (const auto& click : clicks) {
        form.ClickStar(RatingScale::Taste, click.star);
        EXPECT_EQ(form.Rating(RatingScale::Taste), click.after) << "star " << click.star;
    }
    EXPECT_EQ(form.Rating(RatingScale::Appearance), 0) << "other rows keep their values";
}

TEST(RatingTimes, MinutesSplitIntoHoursAndJoinWithoutFractions) {
    const struct {
        int minutes;
        const char* hours;
        const char* rest;
    } splits[] = {{95, "1", "35"}, {60, "1", "0"}, {0, "0", "0"}, {59, "0", "59"}, {-5, "0", "0"}};
    for (const auto& s : splits) {
        std::string hours, rest;
        SplitMinutes(s.minutes, hours, rest);
        EXPECT_EQ(hours + "/" + rest, std::string(s.hours) + "/" + s.rest) << s.minutes;
    }
    const struct {
        const char* hours;
        const char* minutes;
        int total;
    } joins[] = {{"1 1/2", "0", 60},
                 {"1", "35", 95},
                 {"", "", 0},
                 {"two", "ten", 0},
                 {"0", "7.9", 7},
                 {"-2", "30", 30},
                 {"1e300", "0", 2147483640},
                 {"40000000", "0", 2147483640}};
    for (const auto& j : joins)
        EXPECT_EQ(JoinMinutes(j.hours, j.minutes), j.total) << j.hours << " h " << j.minutes;
}

class RatingTest : public CommandsFixture {
protected:
    // Recipe 1, "Lasagne", rated and timed, made current.
    MainDialog& StartOnRecipe(int uniqueID) {
        AddRecipes(StandardBox(), {"Lasagne"});
        EXPECT_TRUE(TempDataRoot::Exec(
            StandardBox(),
            "UPDATE Recipes SET TasteRating = 3.6, AppearanceRating = 3.4, EffortRating = 2, "
            "ActiveMinutes = 95, TotalMinutes = 60, Notes = 'Old note', UniqueID = " +
                std::to_string(uniqueID)));
        MainDialog& d = Start({"RatedRec=3"});
        EXPECT_TRUE(d.Recipes().MakeCurrent(1));
        return d;
    }
    std::string Stored(const std::string& columns) {
        return Value("Select " + columns + " from Recipes where RecipeID = 1");
    }
};

TEST_F(RatingTest, OpeningShowsTheRecipeAndSharingNeedsANumberAndAService) {
    MainDialog& d = StartOnRecipe(0);
    RatingForm form = d.Rating().Open();
    EXPECT_EQ(form.title + "|" + form.comments, "Lasagne|Old note");
    EXPECT_TRUE(form.StarLit(RatingScale::Taste, 4));
    EXPECT_FALSE(form.StarLit(RatingScale::Appearance, 4));
    EXPECT_EQ(form.activeHours + "/" + form.activeMinutes + " " + form.totalHours + "/" +
                  form.totalMinutes,
              "1/35 1/0");
    EXPECT_EQ(form.makeAgain, MakeAgain::Unanswered);
    EXPECT_FALSE(form.share || form.shareEnabled) << "no service number";

    d.Recipes().CurrentForEditing().UniqueID = 42;
    form = d.Rating().Open();
    EXPECT_TRUE(form.share && form.shareEnabled);

    OptionsSheet sheet;
    sheet.Open(d.CurrentSettings());
    sheet.general.serviceUrl = "";
    d.ApplyOptions(sheet);
    form = d.Rating().Open();
    EXPECT_FALSE(form.share || form.shareEnabled) << "no service set up";
    form.share = true;  // whatever a front end sends
    form.makeAgain = MakeAgain::Yes;
    EXPECT_EQ(d.Rating().Ok(form).outcome, RatingOutcome::Stored);
}

TEST_F(RatingTest, OkWantsAnAnswerFirstButTakesTheTimesAtOnce) {
    MainDialog& d = StartOnRecipe(0);
    RatingForm form = d.Rating().Open();
    form.ClickStar(RatingScale::Taste, 1);
    form.activeHours = "1 1/2";
    form.activeMinutes = "0";
    form.comments = "Changed";
    EXPECT_EQ(d.Rating().Ok(form).outcome, RatingOutcome::NeedsAnswer);
    EXPECT_EQ(prompter.Messages(),
              std::vector<std::string>{"Please indicate whether you'd make the recipe again."});
    const Recipe& recipe = d.Recipes().Current();
    EXPECT_EQ(recipe.ActiveMinutes, 60);
    EXPECT_EQ(recipe.TasteRating, 3.6);
    EXPECT_EQ(recipe.Notes, "Old note");
    EXPECT_EQ(Stored("TasteRating || '/' || ActiveMinutes || '/' || Notes"), "3.6/95/Old note");
}

TEST_F(RatingTest, OkStoresTheRatingAsTypedAndSharesItWhenTicked) {
    MainDialog& d = StartOnRecipe(42);
    d.Results().FillAllRecipes();
    RatingForm form = d.Rating().Open();
    form.ClickStar(RatingScale::Taste, 5);
    form.ClickStar(RatingScale::Appearance, 1);
    form.ClickStar(RatingScale::Affordability, 2);
    form.comments = "It's great & #1";
    form.totalHours = "2";
    form.totalMinutes = "15";
    form.makeAgain = MakeAgain::No;
    form.share = false;
    int refreshes = view.refreshes;
    EXPECT_EQ(d.Rating().Ok(form).outcome, RatingOutcome::Stored);
    EXPECT_EQ(Stored("TasteRating || '/' || AppearanceRating || '/' || EffortRating || '/' || "
                     "AffordableRating || '/' || ActiveMinutes || '/' || TotalMinutes || '/' || "
                     "Notes"),
              "5.0/0.0/2.0/2.0/95/135/It's great & #1");
    const Recipe& recipe = d.Recipes().Current();
    EXPECT_EQ(recipe.Notes, "It's great & #1");
    EXPECT_EQ(recipe.TasteRating * 1000 + recipe.AppearanceRating * 100 + recipe.EffortRating * 10 +
                  recipe.AffordableRating,
              5022);
    EXPECT_GT(view.refreshes, refreshes);
    EXPECT_EQ(view.changedRows, std::vector<int>{0}) << "the list shows the new taste rating";
    EXPECT_EQ(view.rows.at(0).tasteRating, 5);
    EXPECT_EQ(d.CurrentSettings().RatedRec, 3);

    form.share = true;
    form.makeAgain = MakeAgain::Yes;
    refreshes = view.refreshes;
    const RatingResult result = d.Rating().Ok(form);
    ASSERT_EQ(result.outcome, RatingOutcome::Sharing);
    EXPECT_EQ(result.address,
              d.CurrentSettings().ServiceURL +
                  "/private/submitcomments.aspx?txtNotes=It%27s%20great%20%26%20%231"
                  "&radioMake=YES&tasteRating=5&appearanceRating=0&easeRating=2"
                  "&affordabilityRating=2&uniqueID=42&am=95&tm=135");
    EXPECT_EQ(d.CurrentSettings().RatedRec, 4);
    EXPECT_EQ(view.refreshes, refreshes) << "the dialog shows the answer; pages wait";
    d.Rating().SharingClosed();
    EXPECT_GT(view.refreshes, refreshes);
}

TEST_F(RatingTest, ARefusedStatementIsToldAndNothingIsSent) {
    MainDialog& d = StartOnRecipe(42);
    ASSERT_TRUE(TempDataRoot::Exec(StandardBox(),
                                   "CREATE TRIGGER NoRatings BEFORE UPDATE OF TasteRating ON "
                                   "Recipes BEGIN SELECT RAISE(ABORT, 'read only'); END"));
    RatingForm form = d.Rating().Open();
    form.ClickStar(RatingScale::Taste, 2);
    form.comments = "Lost?";
    form.makeAgain = MakeAgain::Yes;
    const RatingResult result = d.Rating().Ok(form);
    EXPECT_EQ(result.outcome, RatingOutcome::NotStored);
    EXPECT_TRUE(result.address.empty());
    EXPECT_EQ(prompter.Messages(),
              std::vector<std::string>{
                  "The rating could not be stored in the recipe box, and nothing was sent."});
    EXPECT_EQ(d.Recipes().Current().TasteRating, 3.6);
    EXPECT_EQ(d.Recipes().Current().Notes, "Old note");
    EXPECT_EQ(d.CurrentSettings().RatedRec, 3);
}

TEST_F(RatingTest, RateOnAnImportablePageImportsTheRecipeFirst) {
    MainDialog& d = StartOnRecipe(0);
    Recipe published;
    published.Title = "Pear Tart";
    published.Instructions = "Bake the tart for forty minutes.";
    published.UniqueID = 77;
    browser.source = std::string("<html>") + kRecipeDataBegin + WriteRecipeDocument(published) +
                     kRecipeDataEnd + "</html>";
    std::string ratedTitle;
    view.onRating = [&](RatingController& rating) {
        RatingForm form = rating.Open();
        ratedTitle = form.title;
        EXPECT_TRUE(form.shareEnabled) << "the service's copy carries its number";
        form.ClickStar(RatingScale::Taste, 4);
        form.makeAgain = MakeAgain::Yes;
        form.share = false;
        EXPECT_EQ(rating.Ok(form).outcome, RatingOutcome::Stored);
    };
    EXPECT_TRUE(d.RunCommand(command::kRate));
    EXPECT_EQ(ratedTitle, "Pear Tart");
    EXPECT_EQ(Value("Select TasteRating from Recipes where Title = 'Pear Tart'"), "4");
    // Again on the same page: the stored copy is rated, nothing is added.
    EXPECT_TRUE(d.RunCommand(command::kRate));
    EXPECT_EQ(view.ratingDialogs, 2);
    EXPECT_EQ(Value("Select Count(*) from Recipes"), "2");

    // A local page rates the current recipe; without one the user is told.
    browser.source = "<!--@PXLOCAL-->";
    d.Recipes().Forget();
    prompter.shown.clear();
    EXPECT_TRUE(d.RunCommand(command::kRate));
    EXPECT_EQ(prompter.Messages(), std::vector<std::string>{"Please select a recipe first."});
    EXPECT_EQ(view.ratingDialogs, 2);
}

}  // namespace
}  // namespace pantrio::test
