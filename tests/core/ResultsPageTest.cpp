// The results page through the main window's logic, on real boxes: the view
// and keyword selectors, header clicks, the navigation bar's folders,
// type-ahead and marking from the list with the meal plan's copies.
#include "core/CommandsFixture.h"
#include "core/MainCommands.h"
#include "search/ResultsModel.h"
#include "storage/RecipeDB.h"

namespace pantrio::test {
namespace {

using Titles = std::vector<std::string>;

class ResultsPage : public CommandsFixture {
protected:
    void Exec(const std::string& path, const std::string& sql) {
        ASSERT_TRUE(TempDataRoot::Exec(path, sql)) << sql;
    }

    // Five recipes with keywords, marks and view times around "today"
    // (2024-03-15).
    void AddViewedRecipes() {
        Exec(StandardBox(),
             "INSERT INTO Recipes (RecipeID, Title, AllCategoriesText, Marked, LastViewed, "
             "TasteRating) VALUES "
             "(1, 'Apple Pie', '|Desserts|@Favorite', 1, '2024-03-15 10:00:00', 4),"
             "(2, 'Beef Stew', '|Main Dish', 0, '2024-03-14 20:00:00', 5),"
             "(3, 'Caesar Salad', '|Salad', 255, '2024-03-10 08:00:00', 2),"
             "(4, 'Date Bars', '|Desserts', 0, '2024-02-20 12:00:00', 3),"
             "(5, 'Egg Soup', '', 0, NULL, 0)");
    }

    // The mark of a meal-plan entry as the support database holds it.
    std::string PlanMark(int recipeListID) {
        return Value(
            "Select Marked from RecipeList where RecipeListID = " + std::to_string(recipeListID),
            true);
    }
};

TEST_F(ResultsPage, EveryViewListsItsRecipesInOrderWithTheStatusLine) {
    AddViewedRecipes();
    MainDialog& d = Start();
    EXPECT_EQ(d.Results().State().viewCaption, "&All");
    EXPECT_EQ(d.Results().State().keywordCaption, "Keyword =");

    struct Case {
        int entry;
        const char* caption;
        Titles titles;
    };
    const Case cases[] = {
        {1, "&Recent", {"Apple Pie", "Beef Stew", "Caesar Salad", "Date Bars", "Egg Soup"}},
        {2, "&Marked", {"Apple Pie", "Caesar Salad"}},
        {3, "&Today", {"Apple Pie"}},
        // Yesterday stops at today's midnight; the last 7 days include today.
        {4, "&Yesterday", {"Beef Stew"}},
        {5, "Last &7", {"Apple Pie", "Beef Stew", "Caesar Salad"}},
        {6, "Last &30", {"Apple Pie", "Beef Stew", "Caesar Salad", "Date Bars"}},
        {0, "&All", {"Apple Pie", "Beef Stew", "Caesar Salad", "Date Bars", "Egg Soup"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(d.Results().SelectView(c.entry), static_cast<int>(c.titles.size()));
        EXPECT_EQ(view.Titles(), c.titles);
        EXPECT_EQ(d.Results().State().viewCaption, c.caption);
        ASSERT_FALSE(view.pageStates.empty());
        EXPECT_EQ(view.pageStates.back().viewCaption, c.caption);
    }
    EXPECT_EQ(view.statusTexts.back(), "5 recipes / 5 in recipe box");

    // The keyword selector narrows the current view; "Dessert" filters on
    // the "Desserts" that the keyword commands assign, "Salads" on "Salad".
    d.Results().SelectView(6);
    EXPECT_EQ(d.Results().SelectKeyword(8), 2);
    EXPECT_EQ(d.Results().State().keywordCaption, "Desserts");
    EXPECT_EQ(view.Titles(), (Titles{"Apple Pie", "Date Bars"}));
    EXPECT_EQ(view.statusTexts.back(), "2 recipes / 5 in recipe box");
    d.Results().SelectView(0);
    EXPECT_EQ(d.Results().SelectKeyword(5), 1);
    EXPECT_EQ(view.Titles(), Titles{"Caesar Salad"});
    EXPECT_EQ(view.statusTexts.back(), "1 recipe / 5 in recipe box");

    // The button reruns the view of both captions, with what changed since.
    Exec(StandardBox(), "UPDATE Recipes SET AllCategoriesText = '|Salad' WHERE RecipeID = 5");
    EXPECT_EQ(d.Results().RunView(), 2);
    EXPECT_EQ(view.Titles(), (Titles{"Caesar Salad", "Egg Soup"}));
    d.Results().SelectKeyword(0);
    EXPECT_EQ(view.RowCount(), 5);

    // Entries that do not exist change nothing.
    const std::size_t fills = view.queries.size();
    EXPECT_EQ(d.Results().SelectView(7), -1);
    EXPECT_EQ(d.Results().SelectKeyword(-1), -1);
    EXPECT_EQ(view.queries.size(), fills);
    EXPECT_EQ(d.Results().State().viewCaption, "&All");
}

TEST_F(ResultsPage, HeaderClicksOrderEveryRecipeWhateverTheSelectors) {
    AddViewedRecipes();
    MainDialog& d = Start();
    d.Results().SelectKeyword(8);
    ASSERT_EQ(view.RowCount(), 2);

    EXPECT_EQ(d.Results().HeaderClicked(2), 5);
    EXPECT_EQ(view.Titles(),
              (Titles{"Beef Stew", "Apple Pie", "Date Bars", "Caesar Salad", "Egg Soup"}));
    EXPECT_EQ(d.Results().State().sortColumn, 2);
    EXPECT_EQ(view.pageStates.back().sortColumn, 2);

    EXPECT_EQ(d.Results().HeaderClicked(0), 5);
    EXPECT_EQ(view.Titles(),
              (Titles{"Apple Pie", "Beef Stew", "Caesar Salad", "Date Bars", "Egg Soup"}));
    EXPECT_EQ(d.Results().State().sortColumn, 0);

    // The hidden columns do nothing.
    const std::size_t fills = view.queries.size();
    EXPECT_EQ(d.Results().HeaderClicked(1), -1);
    EXPECT_EQ(d.Results().HeaderClicked(3), -1);
    EXPECT_EQ(view.queries.size(), fills);
    EXPECT_EQ(d.Results().State().sortColumn, 0);

    // Any other listing forgets the header order; the selectors kept theirs.
    EXPECT_EQ(d.Results().RunView(), 2);
    EXPECT_EQ(d.Results().State().sortColumn, -1);
    EXPECT_EQ(view.pageStates.back().sortColumn, -1);
    EXPECT_EQ(d.Results().State().keywordCaption, "Desserts");
}

TEST_F(ResultsPage, FoldersListTheValuesAndAClickListsTheirRecipes) {
    Exec(StandardBox(),
         "INSERT INTO Recipes (RecipeID, Title, Cuisine, PrimaryIngredient, Marked, Color) VALUES "
         "(1, 'Noodles', 'Thai', 'Chicken', 0, 0),"
         "(2, 'Curry', ' Thai', 'Chicken', 0, 2),"
         "(3, 'Pad Thai', 'Thai', NULL, 1, 0),"
         "(4, 'Lasagne', 'Italian', 'Beef', 0, 0),"
         "(5, 'Stew', NULL, '', 0, 0),"
         "(6, 'Soda Bread', 'Mom''s', 'Flour', 0, 0),"
         "(7, 'Toast', '', 'Bread', 0, 0)");
    MainDialog& d = Start();

    // The first group (recipes without a cuisine) is no item; the group of
    // empty cuisines after it is.
    const std::vector<ListRow> cuisines = d.Results().FolderEntries(RecipeFolder::Cuisines);
    std::vector<std::string> texts;
    for (const ListRow& row : cuisines) {
        texts.push_back(row.text);
        EXPECT_EQ(row.icon, 8);
    }
    EXPECT_EQ(texts, (Titles{"", " Thai", "Italian", "Mom's", "Thai"}));
    const std::vector<ListRow> ingredients =
        d.Results().FolderEntries(RecipeFolder::MainIngredients);
    ASSERT_FALSE(ingredients.empty());
    EXPECT_EQ(ingredients.front().icon, 9);

    // A chosen item is trimmed and lists marked first, then by colour, then
    // by title.
    view.pages.clear();
    EXPECT_EQ(d.Results().FolderItemChosen(RecipeFolder::Cuisines, " Thai"), 2);
    EXPECT_EQ(view.Titles(), (Titles{"Pad Thai", "Noodles"}));
    EXPECT_EQ(view.pages, std::vector<int>{1});
    EXPECT_EQ(d.Results().FolderItemChosen(RecipeFolder::Cuisines, "Mom's"), 1);
    EXPECT_EQ(view.Titles(), Titles{"Soda Bread"});
    // An empty item lists the recipes without a value.
    EXPECT_EQ(d.Results().FolderItemChosen(RecipeFolder::Cuisines, "  "), 2);
    EXPECT_EQ(view.Titles(), (Titles{"Stew", "Toast"}));
    EXPECT_EQ(d.Results().FolderItemChosen(RecipeFolder::MainIngredients, ""), 2);
    EXPECT_EQ(view.Titles(), (Titles{"Pad Thai", "Stew"}));
    EXPECT_EQ(view.statusTexts.back(), "2 recipes / 7 in recipe box");
}

TEST_F(ResultsPage, TypeAheadListsFromTheFirstTitleAtOrAfterTheKey) {
    AddRecipes(StandardBox(), {"Apple", "Cake", "Caesar", "C", "Cheese", "Date", "7 Layer Dip"});
    MainDialog& d = Start();

    // "c" lists every title from "C" on, not only those starting with it.
    EXPECT_EQ(d.Results().TypeAhead("c"), 0);
    EXPECT_EQ(view.Titles(), (Titles{"C", "Caesar", "Cake", "Cheese", "Date"}));
    EXPECT_EQ(view.statusTexts.back(), "5 recipes / 7 in recipe box");
    // More typed text puts the mark on the first title at or after it.
    EXPECT_EQ(d.Results().TypeAhead("CH"), 3);
    EXPECT_EQ(d.Results().TypeAhead("cak"), 2);
    EXPECT_EQ(d.Results().TypeAhead("cz"), 4);
    EXPECT_EQ(d.Results().TypeAhead("Dz"), 0);
    EXPECT_EQ(d.Results().TypeAhead("7"), 0);
    EXPECT_EQ(view.Titles(),
              (Titles{"7 Layer Dip", "Apple", "C", "Caesar", "Cake", "Cheese", "Date"}));

    // Other keys change nothing; a key past every title empties the list.
    const std::size_t fills = view.queries.size();
    EXPECT_EQ(d.Results().TypeAhead("#"), -1);
    EXPECT_EQ(d.Results().TypeAhead(""), -1);
    EXPECT_EQ(view.queries.size(), fills);
    EXPECT_EQ(d.Results().TypeAhead("x"), -1);
    EXPECT_TRUE(view.Titles().empty());
}

TEST_F(ResultsPage, TypeAheadReadsNoFurtherThanTheRowItSelectsAndABatch) {
    Exec(StandardBox(),
         "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
         "INSERT INTO Recipes (RecipeID, Title) SELECT i, printf('Recipe %04d', i) FROM n");
    MainDialog& d = Start();
    view.readAllRows = false;

    EXPECT_EQ(d.Results().TypeAhead("recipe 0450"), 449);
    ASSERT_NE(view.Results(), nullptr);
    EXPECT_EQ(view.Results()->TotalRows(), 2000);
    EXPECT_LE(view.Results()->RowsRead(), 450 + ResultsModel::kBatchSize);
    EXPECT_EQ(view.RowRecipeID(449), 450);
    EXPECT_EQ(view.statusTexts.back(), "2000 recipes / 2000 in recipe box");

    // A plain view reads its first batch only.
    d.Results().SelectView(0);
    EXPECT_LE(view.Results()->RowsRead(), ResultsModel::kBatchSize);

    // Scrolling to the end reads in growing batches: a few runs of the
    // statement, not one per hundred rows.
    int runs = 0;
    while (view.Results()->CanFetchMore() && runs < 100) {
        ASSERT_GT(view.Results()->FetchMore(), 0);
        ++runs;
    }
    EXPECT_EQ(view.Results()->LoadedRows(), 2000);
    EXPECT_LE(runs, 5);
    EXPECT_EQ(view.RowRecipeID(1999), 2000);
}

TEST_F(ResultsPage, MarkingFromTheListFollowsThePlanEntriesOfTheSameBoxOnly) {
    AddRecipes(StandardBox(), {"Apple", "Bread"});
    Exec(StandardBox(), "UPDATE Recipes SET Color = 2 WHERE RecipeID = 1");
    const std::string other = dataRoot + "/Rbox/other.crb";
    Exec(dataRoot + "/Data/support.csy",
         "INSERT INTO RecipeList (RecipeListID, RecipeID, CookbookFile, Title, Marked) VALUES "
         "(1, 1, '" +
             StandardBox() +
             "', 'Apple', 0),"
             "(2, 1, '" +
             other +
             "', 'Other apple', 0),"
             "(3, 2, '" +
             StandardBox() + "', 'Bread', 0)");
    MainDialog& d = Start({"SoundsUI=1"});
    sound.known = {"MINIWHOOSH"};
    ASSERT_EQ(view.Titles(), (Titles{"Apple", "Bread"}));
    view.Select({0});

    // A click on the icon marks the recipe.
    d.Results().RowClicked(0, 5);
    EXPECT_EQ(sound.played, std::vector<std::string>{"MINIWHOOSH"});
    EXPECT_NE(Column(StandardBox(), 1, "Marked"), "0");
    EXPECT_EQ(PlanMark(1), "1");
    EXPECT_EQ(PlanMark(2), "0");
    EXPECT_EQ(PlanMark(3), "0");
    EXPECT_EQ(view.changedRows, std::vector<int>{0});
    EXPECT_EQ(view.rows[0].Icon(), 9);
    EXPECT_EQ(view.rows[0].MarkedText(), "255");
    EXPECT_EQ(view.planRefreshes, 1);
    EXPECT_EQ(d.Recipes().CurrentID(), -1);

    // A second click unmarks it again, here and in the plan.
    EXPECT_EQ(d.Results().ToggleMarkOnRow(0), 2);
    EXPECT_EQ(Column(StandardBox(), 1, "Marked"), "0");
    EXPECT_EQ(PlanMark(1), "0");
    EXPECT_EQ(view.rows[0].Icon(), 2);
    EXPECT_EQ(sound.played.size(), 2u);
    EXPECT_TRUE(prompter.Messages().empty());

    // Beside the icon, or with more than one row selected, a click displays
    // the recipe and marks nothing.
    d.Results().RowClicked(1, 19);
    EXPECT_EQ(d.Recipes().Current().Title, "Bread");
    view.Select({0, 1});
    d.Results().RowClicked(0, 5);
    EXPECT_EQ(d.Recipes().Current().Title, "Apple");
    EXPECT_EQ(Column(StandardBox(), 1, "Marked"), "0");
    EXPECT_EQ(sound.played.size(), 2u);

    // "Clear Marked Recipes" leaves the plan's copies alone.
    d.Results().ToggleMarkOnRow(1);
    prompter.answers = {Answer::Yes};
    d.RunCommand(command::kClearMarks);
    EXPECT_EQ(Column(StandardBox(), 2, "Marked"), "0");
    EXPECT_EQ(PlanMark(3), "1");
}

TEST_F(ResultsPage, MarkingIsSilentWhenInterfaceSoundsAreOff) {
    AddRecipes(StandardBox(), {"Apple"});
    MainDialog& d = Start({"SoundsUI=0"});
    sound.known = {"MINIWHOOSH"};
    view.Select({0});
    d.Results().RowClicked(0, 1);
    EXPECT_NE(Column(StandardBox(), 1, "Marked"), "0");
    EXPECT_TRUE(sound.played.empty());
    // A row that does not exist changes nothing.
    EXPECT_EQ(d.Results().ToggleMarkOnRow(5), -1);
}

TEST_F(ResultsPage, MarkRecipeStaysGreyedAndADropOnTheKeywordSelectorOnlyExplains) {
    AddRecipes(StandardBox(), {"Apple"});
    MainDialog& d = Start();
    EXPECT_FALSE(d.CommandEnabled(command::kMarkRecipe));
    EXPECT_TRUE(d.CommandEnabled(command::kFindRecipes));
    EXPECT_TRUE(d.CommandEnabled(command::kLeftoverWizard));
    EXPECT_FALSE(d.CommandEnabled(4711));
    view.Select({0});
    EXPECT_FALSE(d.RunCommand(command::kMarkRecipe));
    EXPECT_EQ(Column(StandardBox(), 1, "Marked"), "0");

    d.Results().DroppedOnKeywordSelector();
    EXPECT_EQ(prompter.Messages(),
              Titles{"To assign keywords to recipes, use the Notes tab, or right click on a "
                     "recipe in the results view."});
    EXPECT_EQ(Column(StandardBox(), 1, "AllCategoriesText"), "");
}

}  // namespace
}  // namespace pantrio::test
