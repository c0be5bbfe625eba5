// Posting a recipe to the recipe service: the form's fields and their
// escaping, and the "Post Recipe" command in the View tab. Posting without
// the browser is tested end to end with pantrio-cli (ServiceCliTest).
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/Text.h"
#include "core/CommandsFixture.h"
#include "core/MainCommands.h"
#include "core/RecipePosting.h"
#include "core/WebView.h"

namespace pantrio::test {
namespace {

namespace fs = std::filesystem;

// A title that breaks a form whose values are put in unescaped.
const char kAwkwardTitle[] = "Mom's \"Best\" Pie & </textarea><b>";

TEST(RecipePosting, FormValuesAreEscapedAndFilledOnce) {
    PostingFields fields;
    fields.title = kAwkwardTitle;
    fields.recipehtml = "<p>@RECIPEXML & more</p><!--@PXLOCAL-->";
    fields.recipexml = "<RECIPE><TITLE>A &amp; B</TITLE></RECIPE>";
    const struct {
        const char* page;
        const char* filled;
    } cases[] = {
        {"<textarea>@RECIPETITLE</textarea>",
         "<textarea>Mom&apos;s &quot;Best&quot; Pie &amp; &lt;/textarea&gt;&lt;b&gt;</textarea>"},
        // A placeholder's name inside a value stays text.
        {"[@RECIPEHTML]", "[&lt;p&gt;@RECIPEXML &amp; more&lt;/p&gt;&lt;!--@PXLOCAL--&gt;]"},
        // The document's own entities survive the browser's decoding.
        {"value=\"@RECIPEXML\"",
         "value=\"&lt;RECIPE&gt;&lt;TITLE&gt;A &amp;amp; "
         "B&lt;/TITLE&gt;&lt;/RECIPE&gt;\""},
        {"action=\"@SERVICEURL/private/postrecipe.aspx\"",
         "action=\"http://h:1/x?a=1&amp;b/private/postrecipe.aspx\""},
        {"mail@example @ @RECIPE @RECIPETITLES",
         "mail@example @ @RECIPE Mom&apos;s &quot;Best&quot; "
         "Pie &amp; &lt;/textarea&gt;&lt;b&gt;S"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FillPostingPage(c.page, fields, "http://h:1/x?a=1&b"), c.filled) << c.page;
    // Apostrophes first, so a "~quote" never meets the double-quote step.
    EXPECT_EQ(PostingDocument("a'b\"c~quote"), "a~quoteb~doublequotec~quote");
}

class PostingTest : public CommandsFixture {
protected:
    // Recipe 1 rated, with a title that needs escaping; the posting form of
    // the shipped data in the Data folder.
    MainDialog& StartRated(std::vector<std::string> settings = {}) {
        AddRecipes(StandardBox(), {"Pie"});
        EXPECT_TRUE(TempDataRoot::Exec(
            StandardBox(),
            "UPDATE Recipes SET Title = 'Mom''s \"Best\" Pie & </textarea>', TasteRating = 4, "
            "AppearanceRating = 4, EffortRating = 3, AffordableRating = 3 WHERE RecipeID = 1"));
        fs::copy_file(fs::path(PANTRIO_BUILT_DATA_DIR) / "Data" / "postrecipe.htm",
                      fs::path(dataRoot) / "Data" / "postrecipe.htm",
                      fs::copy_options::overwrite_existing);
        MainDialog& d = Start(std::move(settings));
        ListAndSelect({0});
        d.Recipes().OnRowSelected(0);
        browser.navigated.clear();
        return d;
    }

    // The page the browser was last sent to, read from its file.
    std::string ShownPage() {
        if (browser.navigated.empty() || !StartsWith(browser.navigated.back(), "file://"))
            return {};
        std::ifstream file(browser.navigated.back().substr(7), std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
};

TEST_F(PostingTest, PostRecipeShowsTheFilledFormAndTakesOverTheNumber) {
    MainDialog& d = StartRated();
    ASSERT_TRUE(d.CommandEnabled(command::kPostRecipe));
    prompter.answers = {Answer::Yes};
    const int fronts = view.webViewFronts;
    d.RunCommand(command::kPostRecipe);
    EXPECT_EQ(prompter.shown.back().caption, "Post recipe?");
    EXPECT_TRUE(d.Web().postingPending);
    EXPECT_GT(view.webViewFronts, fronts);
    const std::string page = ShownPage();
    EXPECT_NE(page.find("action=\"http://127.0.0.1:8686/private/postrecipe.aspx\""),
              std::string::npos);
    EXPECT_NE(page.find("name=\"title\" value=\"Mom&apos;s &quot;Best&quot; Pie &amp; "
                        "&lt;/textarea&gt;\""),
              std::string::npos);
    EXPECT_EQ(page.find("@RECIPE"), std::string::npos);
    // The rendered page inside the form does not make the form a recipe page.
    browser.source = page;
    EXPECT_EQ(d.Web().PageKind(), WebView::kWebPage);

    browser.source = "<html>Thanks<!--@CRFASSIGNUNIQUEID=31--></html>";
    d.Web().DownloadComplete();
    EXPECT_EQ(Column(StandardBox(), 1, "UniqueID"), "31");
    EXPECT_EQ(Column(StandardBox(), 1, "Color"), "1");
    EXPECT_FALSE(d.Web().postingPending);

    // A revision is shown the same way; its answer is not taken over.
    prompter.answers = {Answer::Yes};
    d.RunCommand(command::kPostRecipe);
    EXPECT_EQ(prompter.shown.back().caption, "Post a revision?");
    EXPECT_NE(ShownPage().find("&lt;UNIQUEID&gt;31&lt;/UNIQUEID&gt;"), std::string::npos);
    EXPECT_FALSE(d.Web().postingPending);
}

TEST_F(PostingTest, WithoutAServiceNothingIsAsked) {
    MainDialog& d = StartRated({"ServiceURL="});
    d.RunCommand(command::kPostRecipe);
    EXPECT_TRUE(prompter.shown.empty()) << "no questions without a service";
    EXPECT_NE(ShownPage().find("No recipe service is set up"), std::string::npos);
    EXPECT_FALSE(d.Web().postingPending);
}

TEST_F(PostingTest, MissingFormIsReportedAndShownEmpty) {
    MainDialog& d = StartRated();
    fs::remove(fs::path(dataRoot) / "Data" / "postrecipe.htm");
    prompter.answers = {Answer::Yes};
    d.RunCommand(command::kPostRecipe);
    ASSERT_FALSE(prompter.shown.empty());
    EXPECT_EQ(prompter.shown.back().caption, "Open");
    EXPECT_NE(prompter.shown.back().text.find("postrecipe.htm"), std::string::npos);
    EXPECT_EQ(ShownPage(), "");
}

}  // namespace
}  // namespace pantrio::test
