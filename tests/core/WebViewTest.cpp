// The View tab's logic: app: link clicks, page kinds and buttons, the
// service's addresses and pages, and the number the service assigns to a
// posted recipe.
#include <fstream>
#include <functional>
#include <iterator>
#include <utility>

#include "base/Text.h"
#include "core/CommandsFixture.h"
#include "core/MainCommands.h"
#include "core/ServiceAddresses.h"
#include "core/WebView.h"
#include "recipe/RecipePicture.h"
#include "render/AppLink.h"
#include "search/FindCriteria.h"

namespace pantrio::test {
namespace {

class WebViewTest : public CommandsFixture {
protected:
    void SetUp() override {
        CommandsFixture::SetUp();
        AddRecipes(StandardBox(), {"Lasagne", "Chili", "Tarte"});
        ASSERT_TRUE(TempDataRoot::Exec(
            StandardBox(),
            "UPDATE Recipes SET Cuisine = 'Italian', AllCategoriesText = '|Main Dish|Desserts' "
            "WHERE RecipeID = 1;"
            "UPDATE Recipes SET Cuisine = 'Tex Mex (hot)', PrimaryIngredient = 'Beans' WHERE "
            "RecipeID = 2;"));
    }
    // Clicks a link: what the browser asks before navigating.
    bool Click(const std::string& address) { return dialog->Web().BeforeNavigate(address); }
};

TEST_F(WebViewTest, AppLinksRunSearchesAndAreCancelled) {
    Start();
    EXPECT_TRUE(Click("app:findcuisine(Italian)"));
    EXPECT_NE(view.queries.back().find("Cuisine LIKE 'ITALIAN'"), std::string::npos);
    EXPECT_EQ(view.Titles(), std::vector<std::string>{"Lasagne"});

    EXPECT_TRUE(Click("APP:FindKeyword(Desserts)"));
    EXPECT_NE(view.queries.back().find("LIKE '%DESSERTS%'"), std::string::npos);
    EXPECT_EQ(view.Titles(), std::vector<std::string>{"Lasagne"});

    EXPECT_TRUE(Click("app:FindRecipe(3)"));
    EXPECT_EQ(view.Titles(), std::vector<std::string>{"Tarte"});

    // Values with blanks and parentheses survive as the renderer writes them.
    const std::string anchor = AppLinkAnchor("FindCuisine", "Tex Mex (hot)", "Tex Mex (hot)");
    const std::size_t from = anchor.find("app:");
    EXPECT_TRUE(Click(anchor.substr(from, anchor.find('\'', from) - from)));
    EXPECT_EQ(view.Titles(), std::vector<std::string>{"Chili"});
    EXPECT_TRUE(Click("app:FindKeyword(Main%20Dish)"));
    EXPECT_EQ(view.Titles(), std::vector<std::string>{"Lasagne"});
    EXPECT_TRUE(Click("app:FindPrimaryIngredient(beans)"));
    EXPECT_EQ(view.Titles(), std::vector<std::string>{"Chili"});

    // Cancelled, but no search: a number that is not one, an unknown command.
    const std::size_t fills = view.queries.size();
    EXPECT_TRUE(Click("app:FindRecipe(1 or 1=1)"));
    EXPECT_TRUE(Click("app:Explode(1)"));
    EXPECT_EQ(view.queries.size(), fills);

    // Other addresses load as usual.
    EXPECT_FALSE(Click("http://example.org/app:FindRecipe(1)"));
    EXPECT_FALSE(Click("file:///tmp/page.htm"));
}

TEST_F(WebViewTest, PageKindsSetTheImportAndRateButtons) {
    MainDialog& d = Start();
    WebView& web = d.Web();
    EXPECT_EQ(WebView::ClassifyPage("<html><!--@pxlocal--></html>"), WebView::kLocalPage);
    EXPECT_EQ(WebView::ClassifyPage("<!--@PXBEGIN--<RECIPE/>@PXEND--><!--@PXLOCAL-->"),
              WebView::kImportablePage);
    EXPECT_EQ(WebView::ClassifyPage("<html>news</html>"), WebView::kWebPage);

    browser.source = "x<!--@PXBEGIN--<RECIPE></RECIPE>@PXEND-->";
    web.DownloadBegin();
    EXPECT_FALSE(view.importButton);
    web.DownloadComplete();
    EXPECT_TRUE(view.importButton);
    EXPECT_TRUE(view.rateButton);
    browser.source = "<!--@PXLOCAL-->";
    web.DownloadComplete();
    EXPECT_FALSE(view.importButton);
    EXPECT_TRUE(view.rateButton);
    browser.source = "<html></html>";
    web.DownloadComplete();
    EXPECT_FALSE(view.rateButton);

    // Refresh reloads a web page, and renders a local one anew.
    web.Refresh();
    EXPECT_EQ(browser.calls.back(), "refresh");
    browser.source = "<!--@PXLOCAL-->";
    const std::size_t before = browser.navigated.size();
    web.Refresh();
    EXPECT_EQ(browser.navigated.size(), before + 1);
    EXPECT_NE(browser.navigated.back().find("welcome.htm"), std::string::npos)
        << "no current recipe: the welcome page";
}

TEST_F(WebViewTest, ARecipeSitesPageImportsWithTheImportButton) {
    MainDialog& d = Start();
    WebView& web = d.Web();
    const std::string page =
        R"(<html><head><script type="application/ld+json">{"@graph":[)"
        R"({"@type":"Recipe","name":"Pear Tart","recipeIngredient":["2 pears"],)"
        R"("recipeInstructions":"Bake the tart for forty minutes."},)"
        R"({"@type":"Recipe","name":"Plum Jam","recipeInstructions":"Boil."}]}</script></head></html>)";
    browser.source = page;
    web.DownloadComplete();
    EXPECT_TRUE(view.importButton);
    EXPECT_FALSE(view.rateButton) << "a site's page is no recipe page of the program";

    PageImportResult result = web.ImportPage(page);
    EXPECT_TRUE(result.newRecipe);
    EXPECT_EQ(result.recipeID, 4);
    EXPECT_EQ(view.Titles(), (std::vector<std::string>{"Pear Tart", "Plum Jam"}));
    EXPECT_EQ(Column(StandardBox(), 5, "Title"), "Plum Jam");

    // Again: the copies already stored are found and shown, nothing is added.
    result = web.ImportPage(page);
    EXPECT_FALSE(result.newRecipe);
    EXPECT_EQ(result.recipeID, 4);
    EXPECT_EQ(Column(StandardBox(), 6, "Title"), "");

    // Structured data that describes no recipe, and the program's own local
    // pages, offer no import.
    for (const std::string& other :
         {std::string(R"(<script type="application/ld+json">{"@type":"WebSite"}</script>)"),
          "<!--@PXLOCAL-->" + page}) {
        browser.source = other;
        web.DownloadComplete();
        EXPECT_FALSE(view.importButton) << other;
    }
    web.ImportPage(R"(<script type="application/ld+json">{"@type":"WebSite"}</script>)");
    EXPECT_EQ(prompter.Messages().back(), "Recipe not in Pantrio format.");
}

TEST_F(WebViewTest, OfSeveralRecipesOnlyTheTickedOnesAreStored) {
    MainDialog& d = Start();
    WebView& web = d.Web();
    const std::string page =
        R"(<script type="application/ld+json">{"@type":"ItemList","itemListElement":[)"
        R"({"@type":"ListItem","item":{"@type":"Recipe","name":"Apple Pie"}},)"
        R"({"@type":"ListItem","item":{"@type":"Recipe","name":"Bean Stew"}},)"
        R"({"@type":"ListItem","item":{"@type":"Recipe","name":"Corn Bread"}}]}</script>)";
    const std::vector<std::string> titles{"Apple Pie", "Bean Stew", "Corn Bread"};

    // Cancel, and OK with nothing ticked, store nothing.
    view.cancelWebRecipes = true;
    EXPECT_EQ(web.ImportPage(page).recipeID, -1);
    view.cancelWebRecipes = false;
    view.webRecipeTicks = std::vector<int>{};
    EXPECT_EQ(web.ImportPage(page).recipeID, -1);
    EXPECT_EQ(Column(StandardBox(), 4, "Title"), "");

    view.webRecipeTicks = std::vector<int>{0, 2};
    const PageImportResult result = web.ImportPage(page);
    EXPECT_EQ(view.webRecipesOffered, std::vector<std::vector<std::string>>(3, titles));
    EXPECT_EQ(result.recipeID, 4);
    EXPECT_EQ(view.Titles(), (std::vector<std::string>{"Apple Pie", "Corn Bread"}));
    EXPECT_EQ(Column(StandardBox(), 5, "Title"), "Corn Bread");
    EXPECT_EQ(Column(StandardBox(), 6, "Title"), "");

    // A page of one recipe asks nothing.
    web.ImportPage(
        R"(<script type="application/ld+json">{"@type":"Recipe","name":"Dal"}</script>)");
    EXPECT_EQ(view.webRecipesOffered.size(), 3u);
    EXPECT_EQ(Column(StandardBox(), 6, "Title"), "Dal");
}

TEST_F(WebViewTest, APagesPictureIsStoredLikeAChosenOne) {
    MainDialog& d = Start();
    WebView& web = d.Web();
    const std::string page =
        R"(<script type="application/ld+json">{"@type":"Recipe","name":"Fig Cake",)"
        R"("image":[{"@type":"ImageObject","url":"/img/fig.jpg"},"other.jpg"]}</script>)";
    const PageImportResult result = web.ImportPage(page);
    ASSERT_EQ(result.recipeID, 4);
    EXPECT_EQ(result.pictureAddress, "/img/fig.jpg");

    // A fetch that failed, bytes that are no JPEG: the recipe stays, without a picture.
    web.StorePagePicture(4, "", "https://example.org/img/fig.jpg", "the server answered 404.");
    EXPECT_EQ(view.statusTexts.back(), "Imported without a picture: the server answered 404.");
    web.StorePagePicture(4, "<html>", "https://example.org/img/fig.jpg", "");
    EXPECT_TRUE(view.statusTexts.back().starts_with("Imported without a picture: "));
    EXPECT_EQ(Column(StandardBox(), 4, "PictureFile1"), "");

    const std::string jpeg = temp.PathOf("fig.jpg");
    ASSERT_TRUE(WriteJpegFile({900, 600, std::vector<unsigned char>(900 * 600 * 3, 90)}, jpeg, 90));
    std::ifstream in(jpeg, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    web.StorePagePicture(5, bytes, "https://example.org/img/fig.jpg", "");
    EXPECT_EQ(view.statusTexts.back(), "Imported without a picture: another recipe is shown now.");
    web.StorePagePicture(4, bytes, "https://example.org/img/fig.jpg", "");
    EXPECT_EQ(view.statusTexts.back(), "Imported with its picture.");
    EXPECT_EQ(Column(StandardBox(), 4, "PictureFile1"), "4_Fig_Cake.jpg");
    RgbImage stored;
    ASSERT_EQ(ReadJpegFile(dataRoot + "/Rbox/Pictures/4_Fig_Cake.jpg", stored), PictureResult::Ok);
    EXPECT_EQ(stored.width, 300);

    // Importing it again finds the copy: its picture is not fetched again.
    EXPECT_EQ(web.ImportPage(page).pictureAddress, "");
}

TEST_F(WebViewTest, ServicePagesAndTheWelcomePage) {
    MainDialog& d = Start({"RC=12"});
    const std::string site = d.CurrentSettings().ServiceURL;
    EXPECT_EQ(view.addresses.at(0), site + "/recipearchive.htm");

    d.Web().ShowWelcomePage();
    EXPECT_EQ(browser.navigated.back(), "file://" + dataRoot + "/Data/HTM/welcome.htm");
    OptionsSheet sheet;
    sheet.Open(d.CurrentSettings());
    sheet.general.welcomeFromInternet = true;
    d.ApplyOptions(sheet);
    d.Web().ShowWelcomePage();
    EXPECT_EQ(browser.navigated.back(), site + "/home/welcomeuser.aspx?rc=12");

    today = DateTime::FromDate(2024, 5, 2);
    d.RunCommand(32812);
    int major = 0, minor = 0, micro = 0;
    ProductVersion(major, minor, micro);
    EXPECT_EQ(
        browser.navigated.back(),
        site + Format("/utils/checkforupdate.aspx?maj=%d&min=%d&mic=%d", major, minor, micro));
    EXPECT_EQ(d.CurrentSettings().iLastCheckedMonth, 5);
    EXPECT_EQ(d.CurrentSettings().iLastCheckedDay, 2);

    d.RunCommand(32828);
    EXPECT_EQ(browser.navigated.back(), site + "/tellafriend.aspx");
    EXPECT_EQ(view.pages.back(), 1);
    EXPECT_GT(view.webViewFronts, 0);

    browser.written.clear();
    d.Web().SearchServiceText("  mom's pie ");
    ASSERT_EQ(browser.written.size(), 1u);
    EXPECT_NE(browser.written[0].find("s e a r c h i n g"), std::string::npos);
    EXPECT_NE(browser.written[0].find(dataRoot + "/Data/pantriothumb.gif"), std::string::npos);
    EXPECT_EQ(browser.navigated.back(), site + "/Private/search.aspx?Q=true&tc=mom%27s%20pie");
}

TEST_F(WebViewTest, WithoutARecipeServiceItsCommandsShowWhereToSetOneUp) {
    MainDialog& d = Start({"ServiceURL=", "WOnline=1"});
    EXPECT_EQ(view.addresses.at(0), "https://www.allrecipes.com/") << "no service archive slot";
    ASSERT_TRUE(TempDataRoot::Exec(StandardBox(), "UPDATE Recipes SET UniqueID = 5"));
    d.Results().FillAllRecipes();
    view.Select({0});
    d.Recipes().OnRowSelected(0);
    const std::vector<std::pair<std::string, std::function<void()>>> commands = {
        {"update check", [&] { d.RunCommand(command::kCheckForUpdates); }},
        {"forum", [&] { d.RunCommand(command::kForum); }},
        {"tell a friend", [&] { d.RunCommand(command::kTellAFriend); }},
        {"find on the service", [&] { d.RunCommand(command::kFindOnService); }},
        {"search", [&] { d.Web().SearchServiceText("pie"); }},
        {"welcome page", [&] { d.Web().ShowWelcomePage(); }},
    };
    for (const auto& [name, run] : commands) {
        SCOPED_TRACE(name);
        browser.navigated.clear();
        prompter.shown.clear();
        run();
        ASSERT_EQ(browser.navigated.size(), 1u);
        ASSERT_TRUE(StartsWith(browser.navigated[0], "file://"));
        std::ifstream page(browser.navigated[0].substr(7));
        const std::string text{std::istreambuf_iterator<char>(page), {}};
        EXPECT_NE(text.find("No recipe service is set up"), std::string::npos);
        EXPECT_TRUE(prompter.shown.empty());
        EXPECT_TRUE(externalBrowser.opened.empty());
    }
    EXPECT_EQ(d.CurrentSettings().iLastCheckedDay, 15) << "no check happened";
}

TEST(ServiceAddresses, SearchSendsOnlyThePresentCriteriaEncoded) {
    const ServiceAddresses service("http://recipes.example/");
    FindCriteria c;
    EXPECT_EQ(service.Search(c), "http://recipes.example/Private/search.aspx?Q=true");

    c.titleText = "mac & cheese";
    c.titleBeginsWith = false;
    c.keywords = {"Main Dish", "", "Kids", "Fourth", "Fifth"};
    c.ingredients = {"", "beans", "%", "%", "%"};
    c.cuisine = "Tex-Mex";
    c.minimumEffort = 3;
    EXPECT_EQ(service.Search(c),
              "http://recipes.example/Private/search.aspx?Q=true&tc=mac%20%26%20cheese"
              "&c1=Main%20Dish&c3=Kids&i2=beans&cu=Tex-Mex&ef=3.000");
    c.titleBeginsWith = true;
    c.minimumEffort = 0;
    EXPECT_EQ(service.Search(c).find("&ef="), std::string::npos);
    EXPECT_NE(service.Search(c).find("?Q=true&ts=mac"), std::string::npos);
    EXPECT_EQ(service.RecipePage(12345),
              "http://recipes.example/private/sec/displayrecipe.aspx?id=12345");
}

TEST_F(WebViewTest, AssignedNumberIsStoredOnlyForAPendingFirstPosting) {
    MainDialog& d = Start();
    view.Select({1});
    d.Recipes().OnRowSelected(1);  // Lasagne, by title order: Chili, Lasagne, Tarte
    ASSERT_EQ(d.Recipes().CurrentID(), 1);
    browser.source = "<!-- other --><!--@CRFASSIGNUNIQUEID=4711--> thanks";
    d.Web().DownloadComplete();
    EXPECT_TRUE(prompter.shown.empty()) << "no posting is pending";
    EXPECT_EQ(Column(StandardBox(), 1, "UniqueID"), "0");

    d.Web().postingPending = true;
    d.Web().DownloadComplete();
    EXPECT_EQ(prompter.Messages(),
              std::vector<std::string>{"Thanks for submitting your recipe!  It is recipe number "
                                       "4711."});
    EXPECT_EQ(Column(StandardBox(), 1, "UniqueID"), "4711");
    EXPECT_EQ(Column(StandardBox(), 1, "Color"), "1");
    EXPECT_EQ(d.Recipes().Current().UniqueID, 4711);
    EXPECT_FALSE(d.Web().postingPending);

    // A number that is not one never reaches a statement.
    d.Recipes().CurrentForEditing().UniqueID = 0;
    d.Web().postingPending = true;
    browser.source = "<!--@CRFASSIGNUNIQUEID=1; DROP TABLE Recipes-->";
    d.Web().DownloadComplete();
    EXPECT_EQ(Column(StandardBox(), 1, "UniqueID"), "4711");
}

}  // namespace
}  // namespace pantrio::test
