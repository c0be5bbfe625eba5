// Test stand-ins for the screen of the main window: a view that records what
// would be shown and holds a scripted selection (its results list is filled
// by the real lazy results model on the dialog's box), a browser and an
// outside browser that record every call, and a progress window that records
// its messages.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/Browser.h"
#include "core/ExternalBrowser.h"
#include "core/MainView.h"
#include "core/ProgressWindow.h"
#include "search/ResultsModel.h"

namespace pantrio {
class ResultsController;
}

namespace pantrio::test {

class RecordingView : public MainView {
public:
    // The results list reads the open box through the dialog's results page.
    void Attach(ResultsController& results) {
        results_ = &results;
        model_.reset();
    }

    void ShowBoxLine(const std::string& text) override { boxLines.push_back(text); }
    void OpenBoxChanged() override { ++boxChanges; }
    void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
    void SplashText(const std::string& text) override { splashTexts.push_back(text); }
    void ClearResults() override;

    int FillResults(const std::string& query) override;
    int RowCount() override;
    long RowRecipeID(int row) override;
    std::vector<int> SelectedRows() override { return selected; }
    void SelectRow(int row) override { selected = {row}; }
    void RemoveRows(const std::vector<int>& rowsToRemove) override;
    ResultsModel* Results() override { return model_.get(); }
    void RowChanged(int row) override;
    void ShowResultsPageState(const ResultsPageState& state) override {
        pageStates.push_back(state);
    }
    void RefreshMealPlan() override { ++planRefreshes; }
    void ShowMealDay(const DateTime& day, const MealDayLists& lists) override {
        shownDays.push_back(day);
        shownMealLists = lists;
    }
    // The dialogs press OK with each scripted choice in turn until one
    // closes them; with none left they are cancelled.
    void RunAddToCalendar(const AddToCalendarChoice& initial,
                          const std::function<bool(const AddToCalendarChoice&)>& accept) override {
        addToCalendarOpenedWith.push_back(initial);
        for (const AddToCalendarChoice& choice : addToCalendarPresses)
            if (accept(choice)) break;
    }
    void RunClearMealPlan(
        const DateTime& initial,
        const std::function<bool(const DateTime&, const DateTime&)>& accept) override {
        clearMealPlanOpenedWith.push_back(initial);
        for (const auto& [from, to] : clearMealPlanPresses)
            if (accept(from, to)) break;
    }
    void SetBusy(bool busy) override { busyStates.push_back(busy); }
    // The rating dialog: `onRating` works it like the user would.
    void RunRatingDialog(RatingController& rating) override {
        ++ratingDialogs;
        if (onRating) onRating(rating);
    }

    void RefreshRecipePages() override { ++refreshes; }
    std::optional<NewRecipeFields> AskNewRecipe(const NewRecipeFields& proposed,
                                                const std::vector<std::string>& units) override {
        newRecipeProposed = proposed;
        yieldUnitsOffered = units;
        return newRecipeAnswer;
    }
    void ShowEditTab() override { ++editTabShown; }
    void ClearLineEntry() override { ++lineEntryClears; }
    void ShowPage(int page) override { pages.push_back(page); }
    void BringWebViewToFront() override { ++webViewFronts; }
    void SetWebViewExpanded(bool expanded) override { expandedStates.push_back(expanded); }
    void SetWebButtons(bool importShown, bool rateShown) override {
        importButton = importShown;
        rateButton = rateShown;
    }
    void SetAddressList(const std::vector<std::string>& list) override { addresses = list; }
    std::optional<std::vector<int>> ChooseWebRecipes(
        const std::vector<std::string>& titles) override {
        webRecipesOffered.push_back(titles);
        if (cancelWebRecipes) return std::nullopt;
        if (webRecipeTicks) return *webRecipeTicks;
        return WebLayoutView::ChooseWebRecipes(titles);
    }
    bool ShowOptions(OptionsSheet& sheet) override;
    void ShowInformation(InformationDialog& dialog) override;
    void ShowAbout(const std::string& text) override { aboutTexts.push_back(text); }
    std::optional<std::vector<long>> ChooseRecipesToImport(
        const std::vector<ListRow>& offered) override;
    void EndDialog() override { ++ended; }
    std::optional<FindDialogValues> AskFind(const FindDialogValues& last) override {
        findOpenedWith.push_back(last);
        return findAnswer;
    }
    std::optional<FindRecipesRequest> AskFindRecipes() override {
        ++findRecipesOpened;
        return findRecipesAnswer;
    }
    std::optional<LeftoverWizardRequest> AskLeftoverWizard() override { return leftoverAnswer; }
    std::optional<ScreenImportSlots> AskScreenImport() override { return screenImportAnswer; }
    std::optional<EmailRecipeValues> AskEmailRecipe(
        const EmailRecipeValues& initial, const std::vector<std::string>& remembered) override {
        emailOpenedWith.push_back(initial);
        rememberedOffered = remembered;
        return emailAnswer;
    }
    std::optional<EmailOptionsValues> AskEmailOptions(const EmailOptionsValues&) override {
        return emailOptionsAnswer;
    }

    // The shopping list page and its dialogs.
    void ShowShoppingRows(const std::vector<ShoppingGridRow>& shown) override {
        shoppingRows = shown;
    }
    void ShowShoppingRecipes(const std::vector<ListRow>& shown) override {
        shoppingRecipes = shown;
    }
    void ShowCombined(bool combined) override { combinedStates.push_back(combined); }
    std::optional<AddToShoppingListForm> AskAddToShoppingList(
        const AddToShoppingListForm& form) override {
        addToShoppingOpenedWith.push_back(form);
        if (!onAddToShopping) return std::nullopt;
        AddToShoppingListForm answer = form;
        return onAddToShopping(answer) ? std::optional(answer) : std::nullopt;
    }
    std::optional<std::vector<long>> AskMakeShoppingList(
        const DateTime& from, const DateTime& to,
        const std::function<std::vector<ListRow>(const DateTime&, const DateTime&)>& entries)
        override {
        planEntriesOffered = entries(from, to);
        makeShoppingRange = {from, to};
        return makeShoppingAnswer;
    }

    // Selects these rows (list order), as the user would.
    void Select(std::vector<int> rowsToSelect) { selected = std::move(rowsToSelect); }
    // The titles of the listed rows.
    std::vector<std::string> Titles() const;

    std::vector<std::string> boxLines, statusTexts, splashTexts;
    int boxChanges = 0;  // "open box changed" notifications heard
    int clears = 0;
    std::vector<std::string> queries;  // every statement filled from
    std::vector<ResultRow> rows;       // the listed rows
    std::vector<int> selected;
    int refreshes = 0;
    std::optional<NewRecipeFields> newRecipeAnswer;  // Cancel unless set
    NewRecipeFields newRecipeProposed;
    std::vector<std::string> yieldUnitsOffered;
    int editTabShown = 0;
    int lineEntryClears = 0;
    std::vector<int> pages;
    int webViewFronts = 0;
    std::vector<bool> expandedStates;
    bool importButton = false, rateButton = false;
    std::vector<std::string> addresses;
    std::vector<std::string> aboutTexts;
    int ended = 0;

    // How the options sheet is handled: edits it and answers OK (true) or
    // Cancel (false). Unset: Cancel.
    std::function<bool(OptionsSheet&)> onOptions;
    // What the user does in the information dialog; the tip shown on
    // opening is recorded either way.
    std::function<void(InformationDialog&)> onInformation;
    std::vector<std::string> tipsShown;
    // The recipes offered by a box import and the rows ticked (indexes into
    // the offered list); unset: Cancel.
    std::vector<ListRow> offeredRecipes;
    std::optional<std::vector<int>> tickRows;
    // The titles offered by each web page import with several recipes, and
    // the indexes ticked (unset: all) or Cancel.
    std::vector<std::vector<std::string>> webRecipesOffered;
    std::optional<std::vector<int>> webRecipeTicks;
    bool cancelWebRecipes = false;

    // False: a fill reads only what the desktop list reads before it is
    // scrolled (the model's first batch); rows then holds the rows read.
    bool readAllRows = true;
    std::vector<int> changedRows;  // rows redrawn after a mark
    std::vector<ResultsPageState> pageStates;
    int planRefreshes = 0;
    std::vector<DateTime> shownDays;
    MealDayLists shownMealLists;
    std::vector<AddToCalendarChoice> addToCalendarOpenedWith, addToCalendarPresses;
    std::vector<DateTime> clearMealPlanOpenedWith;
    std::vector<std::pair<DateTime, DateTime>> clearMealPlanPresses;
    std::vector<bool> busyStates;
    int ratingDialogs = 0;
    std::function<void(RatingController&)> onRating;
    // The search dialogs: what they were opened with and what the user
    // answers (unset: Cancel).
    std::vector<FindDialogValues> findOpenedWith;
    std::optional<FindDialogValues> findAnswer;
    int findRecipesOpened = 0;
    std::optional<FindRecipesRequest> findRecipesAnswer;
    std::optional<LeftoverWizardRequest> leftoverAnswer;
    std::optional<ScreenImportSlots> screenImportAnswer;
    // The mail dialogs: what "Email Recipe" was opened with and offered, and
    // the answers (unset: Cancel).
    std::vector<EmailRecipeValues> emailOpenedWith;
    std::vector<std::string> rememberedOffered;
    std::optional<EmailRecipeValues> emailAnswer;
    std::optional<EmailOptionsValues> emailOptionsAnswer;
    // The shopping list: the grid and recipe list as last shown, the toggle's
    // states, the forms the Add dialog opened with and what the user does in
    // it (edits the form and answers OK with true; unset: Cancel), the plan
    // entries the Make dialog offered and the RecipeListIDs ticked there.
    std::vector<ShoppingGridRow> shoppingRows;
    std::vector<ListRow> shoppingRecipes;
    std::vector<bool> combinedStates;
    std::vector<AddToShoppingListForm> addToShoppingOpenedWith;
    std::function<bool(AddToShoppingListForm&)> onAddToShopping;
    std::vector<ListRow> planEntriesOffered;
    std::pair<DateTime, DateTime> makeShoppingRange;
    std::optional<std::vector<long>> makeShoppingAnswer;

    // The nutrient editor's dialogs: what "Modify Nutrient Units" showed, and
    // the answers (unset or empty: Cancel).
    bool AskMeasures(MeasureForm& form) override {
        measuresAsked = form;
        if (!measuresAnswer) return false;
        form = *measuresAnswer;
        return true;
    }
    bool AskNewFoodName(std::string& name) override {
        name = newFoodName;
        return !newFoodName.empty();
    }
    MeasureForm measuresAsked;
    std::optional<MeasureForm> measuresAnswer;
    std::string newFoodName;

private:
    ResultsController* results_ = nullptr;
    std::unique_ptr<ResultsModel> model_;
};

class FakeBrowser : public Browser {
public:
    void Navigate(const std::string& address) override { navigated.push_back(address); }
    void Back() override { calls.push_back("back"); }
    void Forward() override { calls.push_back("forward"); }
    void Refresh() override { calls.push_back("refresh"); }
    std::string DocumentSource() override { return source; }
    void WriteDocument(const std::string& html) override { written.push_back(html); }
    void PrintPreview() override { calls.push_back("print preview"); }
    void CancelNavigation() override { calls.push_back("cancel"); }

    std::vector<std::string> navigated;
    std::vector<std::string> written;
    std::vector<std::string> calls;
    std::string source;  // what DocumentSource answers
};

class FakeExternalBrowser : public ExternalBrowser {
public:
    bool Open(const std::string& address) override {
        opened.push_back(address);
        return works;
    }
    std::vector<std::string> opened;
    bool works = true;
};

class RecordingProgressWindow : public ProgressWindow {
public:
    void Show() override { ++shows; }
    void Hide() override { ++hides; }
    void SetStatus(const std::string& text) override { statuses.push_back(text); }
    void SetPosition(int percent) override { position = percent; }
    RowSink& Messages() override { return messages; }

    int shows = 0, hides = 0, position = 0;
    std::vector<std::string> statuses;
    VectorRowSink messages;
};

}  // namespace pantrio::test
