// The commands that find recipes, through the main window's logic on real
// boxes: the Find dialog (text, recipe number, scopes, automatic search), the
// Find Recipes dialog in the box and on the recipe service, the Leftover
// Wizard, and the screen import whose listing shows the new recipe alone.
#include "core/CommandsFixture.h"
#include "core/MainCommands.h"
#include "search/FindCriteria.h"

namespace pantrio::test {
namespace {

using Titles = std::vector<std::string>;

const char kService[] = "http://127.0.0.1:8686";

class FindCommands : public CommandsFixture {
protected:
    void Exec(const std::string& sql) {
        ASSERT_TRUE(TempDataRoot::Exec(StandardBox(), sql)) << sql;
    }

    // Four recipes with ingredients, keywords and ratings, and one without a
    // title.
    void AddKitchen() {
        Exec(
            "INSERT INTO Recipes (RecipeID, Title, AllCategoriesText, AllIngredientsText, "
            "Instructions, Cuisine, Marked, Color, TasteRating, EffortRating) VALUES "
            "(1, 'Apple Pie', '|Desserts', 'apples flour', 'Bake.', 'American', 0, 0, 4, 2),"
            "(2, 'Chicken and Rice', '|Main Dish', 'chicken rice', 'Simmer.', 'Thai', 0, 1, 3, 4),"
            "(3, 'O''Brien''s Stew', '|Main Dish', 'beef', 'Stew it.', 'Irish', 1, 0, 5, 5),"
            "(4, 'Rice Pudding', '|Desserts', 'rice milk', 'Stir.', NULL, 0, 0, 2, 1),"
            "(5, NULL, '', 'chicken', 'Nameless.', NULL, 0, 0, 0, 0)");
        Exec(
            "INSERT INTO IngredientLines (IngredientLinesID, RecipeID, LineOrder, Name) VALUES "
            "(1, 1, 1, 'apples'), (2, 1, 2, 'flour'),"
            "(3, 2, 1, 'chicken breast'), (4, 2, 2, 'rice'), (5, 2, 3, 'onion'),"
            "(6, 3, 1, 'beef'), (7, 4, 1, 'rice'), (8, 4, 2, 'milk'), (9, 5, 1, 'chicken')");
    }

    // Starts on the standard box and forgets what start-up showed in the
    // browser and the list.
    MainDialog& Begin() {
        MainDialog& d = Start();
        browser.navigated.clear();
        browser.written.clear();
        view.queries.clear();
        view.pages.clear();
        return d;
    }

    static FindDialogValues Typed(const std::string& text, FindScope scope = FindScope::RecipeBox) {
        FindDialogValues values;
        values.text = text;
        values.scope = scope;
        return values;
    }
};

TEST_F(FindCommands, FindWithTextSearchesTheBoxAndRemembersTheText) {
    AddKitchen();
    MainDialog& d = Begin();

    view.findAnswer = Typed("rice");
    EXPECT_TRUE(d.RunCommand(command::kFindRecipes));
    ASSERT_EQ(view.findOpenedWith.size(), 1u);
    EXPECT_EQ(view.findOpenedWith[0].text, "");
    EXPECT_EQ(view.findOpenedWith[0].scope, FindScope::RecipeBox);
    EXPECT_FALSE(view.findOpenedWith[0].automaticSearch);
    // Title and ingredient texts both count.
    EXPECT_EQ(view.Titles(), (Titles{"Chicken and Rice", "Rice Pudding"}));
    EXPECT_EQ(view.statusTexts.back(), "2 recipes / 5 in recipe box");
    EXPECT_TRUE(browser.navigated.empty());

    // An apostrophe searches as typed; the dialog opens with the last text.
    view.findAnswer = Typed("o'brien");
    d.RunCommand(command::kFindRecipes);
    EXPECT_EQ(view.findOpenedWith[1].text, "rice");
    EXPECT_EQ(view.Titles(), Titles{"O'Brien's Stew"});

    // Cancel searches nothing.
    view.findAnswer.reset();
    const std::size_t fills = view.queries.size();
    d.RunCommand(command::kFindRecipes);
    EXPECT_EQ(view.findOpenedWith[2].text, "o'brien");
    EXPECT_EQ(view.queries.size(), fills);
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST_F(FindCommands, FindGoesToTheServiceForItsScopeOrWhenNothingIsFound) {
    AddKitchen();
    MainDialog& d = Begin();

    // Nothing found and the automatic search ticked: the text goes on to the
    // service, and the setting is kept.
    FindDialogValues values = Typed("saffron");
    values.automaticSearch = true;
    d.Find().RunFind(values);
    EXPECT_EQ(view.RowCount(), 0);
    EXPECT_EQ(d.CurrentSettings().SWT, 1);
    ASSERT_EQ(browser.navigated.size(), 1u);
    EXPECT_EQ(browser.navigated[0],
              std::string(kService) + "/Private/search.aspx?Q=true&tc=saffron");
    ASSERT_EQ(browser.written.size(), 1u);
    EXPECT_NE(browser.written[0].find("s e a r c h i n g"), std::string::npos);

    // Found in the box: the service is not asked.
    values.text = "pie";
    d.Find().RunFind(values);
    EXPECT_EQ(view.Titles(), Titles{"Apple Pie"});
    EXPECT_EQ(browser.navigated.size(), 1u);

    // The service scope never lists the box's recipes.
    const std::size_t fills = view.queries.size();
    d.Find().RunFind(Typed("green curry", FindScope::RecipeService));
    EXPECT_EQ(view.queries.size(), fills);
    EXPECT_EQ(browser.navigated.back(),
              std::string(kService) + "/Private/search.aspx?Q=true&tc=green%20curry");
    EXPECT_EQ(d.CurrentSettings().SWT, 0);
    EXPECT_EQ(d.Find().LastFind().text, "green curry");
    EXPECT_EQ(d.Find().LastFind().scope, FindScope::RecipeService);
}

TEST_F(FindCommands, TheFindDialogsHelpOpensItsTopicOfTheShippedHelp) {
    MainDialog& d = Begin();
    std::filesystem::copy(std::filesystem::path(PANTRIO_BUILT_DATA_DIR) / "Data" / "Help",
                          dataRoot + "/Data/Help");
    d.ShowHelpTopic("Find_Recipes.htm");
    EXPECT_EQ(externalBrowser.opened,
              std::vector<std::string>{"file://" + dataRoot + "/Data/Help/Find_Recipes.htm"});
    // Only pages of the help folder open.
    d.ShowHelpTopic("../support.csy");
    d.ShowHelpTopic("Missing.htm");
    EXPECT_EQ(externalBrowser.opened.size(), 1u);
    EXPECT_TRUE(prompter.ShowedStartingWith("The help page " + dataRoot +
                                            "/Data/Help/Missing.htm was not found."));
}

TEST_F(FindCommands, FindWithARecipeNumberOpensThatRecipeOfTheService) {
    AddKitchen();
    MainDialog& d = Begin();

    view.findAnswer = Typed(" 12345 ", FindScope::RecipeBox);
    d.RunCommand(command::kFindRecipes);
    ASSERT_EQ(browser.navigated.size(), 1u);
    EXPECT_EQ(browser.navigated[0],
              std::string(kService) + "/private/sec/displayrecipe.aspx?id=12345");
    EXPECT_EQ(view.pages, std::vector<int>{1});
    EXPECT_GT(view.webViewFronts, 0);
    // Never looked up in the box, even though recipe numbers look alike.
    EXPECT_TRUE(view.queries.empty());
    EXPECT_EQ(d.Find().LastFind().text, " 12345 ");

    // A text that merely starts with a number is a search.
    d.Find().RunFind(Typed("2 layer"));
    EXPECT_EQ(view.queries.size(), 1u);
    EXPECT_EQ(browser.navigated.size(), 1u);
}

TEST_F(FindCommands, MoreOptionsOpensFindRecipesWhichSearchesTheBox) {
    AddKitchen();
    MainDialog& d = Begin();

    FindDialogValues more = Typed("ignored");
    more.moreOptions = true;
    more.automaticSearch = true;
    view.findAnswer = more;
    FindRecipesRequest request;
    request.criteria.keywords[0] = "Main Dish";
    request.criteria.ingredients[0] = "rice";
    view.findRecipesAnswer = request;
    d.RunCommand(command::kFindRecipes);

    EXPECT_EQ(view.findRecipesOpened, 1);
    EXPECT_EQ(d.CurrentSettings().SWT, 1);
    EXPECT_EQ(view.pages, std::vector<int>{1});
    EXPECT_EQ(view.busyStates, (std::vector<bool>{true, false}));
    EXPECT_EQ(view.Titles(), Titles{"Chicken and Rice"});
    // The box carries the ingredient index, so the search goes through it.
    EXPECT_EQ(view.queries.back(),
              FindRecipesQuery(request.criteria, IngredientLookup::TrigramIndex));
    EXPECT_TRUE(browser.navigated.empty());
    EXPECT_EQ(d.Find().LastFind().text, "");

    // Every field empty lists every recipe with a title, marked first, then
    // by colour, then by title.
    EXPECT_EQ(d.Find().FindRecipes(FindRecipesRequest{}), 4);
    EXPECT_EQ(view.Titles(),
              (Titles{"O'Brien's Stew", "Apple Pie", "Rice Pudding", "Chicken and Rice"}));

    // Minimum ratings and a title that contains a text.
    FindRecipesRequest rated;
    rated.criteria.titleText = "i";
    rated.criteria.titleBeginsWith = false;
    rated.criteria.minimumEffort = 3;
    EXPECT_EQ(d.Find().FindRecipes(rated), 2);
    EXPECT_EQ(view.Titles(), (Titles{"O'Brien's Stew", "Chicken and Rice"}));

    // Cancel finds nothing.
    view.findRecipesAnswer.reset();
    const std::size_t fills = view.queries.size();
    d.Find().FindRecipesCommand();
    EXPECT_EQ(view.queries.size(), fills);
}

TEST_F(FindCommands, FindRecipesOnTheServiceEndsWithTheBoxListing) {
    AddKitchen();
    MainDialog& d = Begin();

    FindRecipesRequest request;
    request.lookInBox = false;
    request.criteria.titleText = "Rice";
    request.criteria.ingredients[0] = "milk";
    request.criteria.minimumTaste = 2;
    EXPECT_EQ(d.Find().FindRecipes(request), 1);
    ASSERT_EQ(browser.navigated.size(), 1u);
    EXPECT_EQ(browser.navigated[0],
              std::string(kService) + "/Private/search.aspx?Q=true&ts=Rice&i1=milk&ta=2.000");
    // The service's variant listing first, then the box's own search.
    ASSERT_GE(view.queries.size(), 2u);
    EXPECT_EQ(view.queries[view.queries.size() - 2], ServiceFindQuery(request.criteria));
    EXPECT_EQ(view.queries.back(),
              FindRecipesQuery(request.criteria, IngredientLookup::TrigramIndex));
    EXPECT_EQ(view.Titles(), Titles{"Rice Pudding"});
    EXPECT_TRUE(view.busyStates.empty());

    // In the box with the automatic search on, an empty result goes on to
    // the service as well.
    FindDialogValues automatic;  // the Find dialog's check box, then "More Options >>"
    automatic.automaticSearch = automatic.moreOptions = true;
    d.Find().RunFind(automatic);
    FindRecipesRequest none;
    none.criteria.cuisine = "Martian";
    EXPECT_EQ(d.Find().FindRecipes(none), 0);
    EXPECT_EQ(browser.navigated.back(),
              std::string(kService) + "/Private/search.aspx?Q=true&cu=Martian");
    automatic.automaticSearch = false;
    d.Find().RunFind(automatic);
    EXPECT_EQ(d.Find().FindRecipes(none), 0);
    EXPECT_EQ(browser.navigated.size(), 2u);
}

TEST_F(FindCommands, TheLeftoverWizardFindsRecipesUsingEveryIngredient) {
    AddKitchen();
    MainDialog& d = Begin();

    LeftoverWizardRequest request{"chicken", "rice", "", true};
    view.leftoverAnswer = request;
    EXPECT_TRUE(d.RunCommand(command::kLeftoverWizard));
    EXPECT_EQ(view.Titles(), Titles{"Chicken and Rice"});
    EXPECT_TRUE(browser.navigated.empty());

    // Empty slots still ask for some ingredient line, so a recipe without
    // lines is never listed; the nameless recipe is left out by its title.
    EXPECT_EQ(d.Find().RunLeftoverWizard({"", "", "", true}), 4);

    // On the service, only the filled slots are sent.
    EXPECT_EQ(d.Find().RunLeftoverWizard({"", "rice", "", false}), 2);
    ASSERT_EQ(browser.navigated.size(), 1u);
    EXPECT_EQ(browser.navigated[0], std::string(kService) + "/Private/search.aspx?Q=true&i2=rice");
    EXPECT_EQ(view.Titles(), (Titles{"Chicken and Rice", "Rice Pudding"}));

    view.leftoverAnswer.reset();
    const std::size_t fills = view.queries.size();
    d.RunCommand(command::kLeftoverWizard);
    EXPECT_EQ(view.queries.size(), fills);
    EXPECT_EQ(browser.navigated.size(), 1u);
}

TEST_F(FindCommands, ScreenImportListsTheNewRecipeAloneAndDropsADuplicate) {
    AddRecipes(StandardBox(), {"Toast"});
    MainDialog& d = Begin();

    ScreenImportSlots slots;
    slots.title = "Grandma's Soup";
    slots.ingredients = "1 cup rice\n2 carrots\n";
    slots.instructions = "Boil.\nServe.";
    slots.source = "Grandma";
    view.screenImportAnswer = slots;
    EXPECT_TRUE(d.RunCommand(command::kScreenImport));
    EXPECT_EQ(view.queries.back(),
              "Select RecipeID, Color, Marked, Title, TasteRating from Recipes Where RecipeID = 2");
    EXPECT_EQ(view.Titles(), Titles{"Grandma's Soup"});
    EXPECT_EQ(view.statusTexts.back(), "1 recipe / 2 in recipe box");
    EXPECT_EQ(view.boxLines.back(), "Recipe Box: " + StandardBox() + " (2 recipes)");
    EXPECT_EQ(Column(StandardBox(), 2, "Instructions"), "Boil.\r\nServe.");
    EXPECT_EQ(Column(StandardBox(), 2, "Source"), "Grandma");
    EXPECT_EQ(Number("Select count(*) from IngredientLines where RecipeID = 2"), 2);

    // The same text again, through the import menu's entry: nothing is stored
    // or said, and the list is empty.
    EXPECT_TRUE(d.RunCommand(command::kImportClipboard));
    EXPECT_TRUE(view.Titles().empty());
    EXPECT_EQ(view.boxLines.back(), "Recipe Box: " + StandardBox() + " (2 recipes)");
    EXPECT_TRUE(prompter.Messages().empty());

    // Cancel stores nothing.
    view.screenImportAnswer.reset();
    slots.title = "Other";
    const std::size_t fills = view.queries.size();
    d.RunCommand(command::kScreenImport);
    EXPECT_EQ(view.queries.size(), fills);
    EXPECT_EQ(Number("Select count(*) from Recipes"), 2);
}

}  // namespace
}  // namespace pantrio::test
