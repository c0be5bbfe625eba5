// The recipe service program end to end: started on a free port with a
// temporary data folder and spoken to over HTTP as the program does.
#include <gtest/gtest.h>
#include <httplib.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "base/Text.h"
#include "core/PageImport.h"
#include "core/ServiceAddresses.h"
#include "formats/RecipeDocument.h"
#include "search/FindCriteria.h"
#include "service/ServiceFixture.h"

namespace pantrio::test {
namespace {

class ServiceSiteTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(service.Started()) << service.Log(); }

    ServiceResponse Get(const std::string& pathAndQuery, const std::string& accept = "") {
        return client.Get(service.Url(pathAndQuery), accept);
    }
    ServiceResponse Post(const ServiceClient::Fields& fields) {
        return client.PostForm(service.Url("/private/postrecipe.aspx"), fields);
    }
    long PostRecipe(const Recipe& recipe) {
        const ServiceResponse answer = Post(PostFields(recipe));
        EXPECT_EQ(answer.status, 200) << answer.body;
        return AssignedNumber(answer.body);
    }
    // The recipe embedded in service page `number`, read back.
    Recipe Embedded(long number) {
        const ServiceResponse page = Get(Format("/private/sec/displayrecipe.aspx?id=%ld", number));
        EXPECT_EQ(page.status, 200);
        std::string error;
        const std::string text = EmbeddedRecipeText(page.body, error);
        Recipe recipe;
        EXPECT_EQ(ReadRecipeDocument(recipe, text), 0) << error;
        return recipe;
    }
    // The part of a page a browser shows: without the embedded document.
    static std::string Shown(const std::string& page) {
        return page.substr(0, FindNoCase(page, "<!--@PXBEGIN"));
    }

    ServiceProcess service;
    ServiceClient client{20};
};

// The first tag of `page` that carries an event-handler attribute (on...=).
std::string TagWithHandler(const std::string& page) {
    for (std::size_t open = page.find('<'); open != std::string::npos;
         open = page.find('<', open + 1)) {
        const std::size_t close = page.find('>', open);
        const std::string tag = ToLower(page.substr(open, close - open));
        for (std::size_t on = tag.find("on"); on != std::string::npos;
             on = tag.find("on", on + 1)) {
            const char before = on > 0 ? tag[on - 1] : ' ';
            std::size_t end = on + 2;
            while (end < tag.size() && std::isalpha(static_cast<unsigned char>(tag[end]))) ++end;
            if ((before == ' ' || before == '/' || before == '\t') && end > on + 2 &&
                end < tag.size() && tag[end] == '=')
                return tag;
        }
    }
    return {};
}

Recipe FullRecipe() {
    Recipe recipe = MakeRecipe({"Grandma's \"Best\" Crème Brûlée",
                                {"Desserts", "Français"},
                                {"cream", "egg yolks"},
                                "Cream",
                                "French",
                                "Heat the cream.\r\nWhisk in the <b>yolks</b> --> then bake at "
                                "150 °C & chill; 100% worth it #1."});
    recipe.AddLine(true, "", "", "Topping", "", 0);
    recipe.AddLine(false, "2", "tbsp", "brown sugar", "sifted", 2);
    recipe.SubHead = "A classic, 'rich' & smooth.";
    recipe.Notes = "Keeps two days.\r\nUse fresh cream only.";
    recipe.YieldText = "Serves 6";
    recipe.YieldNumber = 6;
    recipe.YieldUnit = "ramekins";
    recipe.ActiveMinutes = 20;
    recipe.TotalMinutes = 95;
    recipe.Source = "Family cookbook";
    recipe.TasteRating = 5;
    return recipe;
}

TEST_F(ServiceSiteTest, PostedRecipeComesBackFieldByFieldAndRepostsUpdate) {
    Recipe recipe = FullRecipe();
    const long number = PostRecipe(recipe);
    ASSERT_GT(number, 0);

    Recipe expected = recipe;
    expected.UniqueID = static_cast<int>(number);
    const Recipe back = Embedded(number);
    EXPECT_EQ(back.Title, recipe.Title);
    EXPECT_EQ(back.Instructions, recipe.Instructions);
    EXPECT_EQ(back.Notes, recipe.Notes);
    EXPECT_EQ(back.UniqueID, number);
    EXPECT_EQ(back.LineCount(), recipe.LineCount());
    EXPECT_EQ(WriteRecipeDocument(back), WriteRecipeDocument(expected));

    // The same recipe again (no number yet) is found by title and
    // instructions; with its number it is updated even under a new title.
    EXPECT_EQ(PostRecipe(recipe), number);
    recipe.UniqueID = static_cast<int>(number);
    recipe.Title = "Crème Brûlée, revised";
    EXPECT_EQ(PostRecipe(recipe), number);
    EXPECT_EQ(Embedded(number).Title, "Crème Brûlée, revised");
    EXPECT_EQ(PostRecipe(TitledRecipe("Another dish")), number + 1);

    const ServiceResponse page = Get(Format("/private/sec/displayrecipe.aspx?id=%ld", number));
    for (const char* shown :
         {"Crème Brûlée, revised", "Serves 6", "1 h 35 min", "20 min", "2 tbsp brown sugar, sifted",
          "Desserts, Français", "A classic, 'rich' & smooth."})
        EXPECT_NE(Shown(page.body).find(shown), std::string::npos) << shown;
}

TEST_F(ServiceSiteTest, SearchesByEveryKeyWithEncodedValues) {
    std::vector<long> n;
    for (const SampleRecipe& sample : SearchSamples()) n.push_back(PostRecipe(MakeRecipe(sample)));
    ServiceAddresses addresses(service.Base());
    ServiceAddresses::Comments rating;
    rating.makeAgain = "YES";
    rating.taste = 5;
    rating.uniqueID = n[1];
    ASSERT_EQ(client.Get(addresses.SubmitComments(rating)).status, 200);

    FindCriteria byIngredients;
    byIngredients.titleText = "";
    byIngredients.ingredients = {"%", "apples", "sugar", "%", "%"};
    FindCriteria byTitle;
    byTitle.titleText = "Mom's 100%";
    byTitle.titleBeginsWith = true;

    struct Case {
        std::string address;
        std::vector<long> expected;  // in title order
    };
    const std::vector<Case> cases = {
        {addresses.SearchText("Fish & Chips #1"), {n[2]}},
        {addresses.SearchText("crème"), {n[0]}},
        {addresses.Search(byIngredients), {n[3]}},
        {addresses.Search(byTitle), {n[1]}},
        {service.Url("/private/SEARCH.aspx?Q=true&tc=100%25"), {n[1]}},
        {service.Url("/Private/search.aspx?Q=true&tc=BR%C3%9BL%C3%89E"), {n[0]}},
        {service.Url("/Private/search.aspx?Q=true&c1=desserts&cu=French"), {n[0]}},
        {service.Url("/Private/search.aspx?Q=true&pi=apples"), {n[3], n[1]}},
        {service.Url("/Private/search.aspx?Q=true&ta=4.000"), {n[1]}},
        {service.Url("/Private/search.aspx?Q=true&tc=%27%20or%20%271%27%3D%271"), {}},
    };
    for (const Case& c : cases) {
        const ServiceResponse json = client.Get(c.address, "application/json");
        ASSERT_EQ(json.status, 200) << c.address << "\n" << json.body;
        EXPECT_NE(json.contentType.find("application/json"), std::string::npos);
        std::vector<long> found;
        const nlohmann::json answer = nlohmann::json::parse(json.body);
        for (const auto& hit : answer.at("results")) found.push_back(hit.at("id").get<long>());
        EXPECT_EQ(found, c.expected) << c.address << "\n" << json.body;

        const ServiceResponse html = client.Get(c.address);
        for (long number : c.expected)
            EXPECT_NE(html.body.find(
                          Format("<a href=\"/private/sec/displayrecipe.aspx?id=%ld\">", number)),
                      std::string::npos)
                << c.address;
    }
    EXPECT_EQ(Get("/Private/search.aspx?Q=true&ta=lots").status, 400);

    // Forms of a browser send blanks as "+".
    httplib::Client browser(service.Base());
    browser.set_url_encode(false);
    const auto plus = browser.Get("/Private/search.aspx?Q=true&tc=fish+%26+chips",
                                  {{"Accept", "application/json"}});
    ASSERT_TRUE(plus);
    EXPECT_EQ(plus->body,
              Format("{\"results\":[{\"id\":%ld,\"title\":\"Fish & Chips #1\"}]}", n[2]));
}

TEST_F(ServiceSiteTest, CommentsShowAveragesNewestFirst) {
    const long number = PostRecipe(TitledRecipe("Pancakes"));
    ServiceAddresses addresses(service.Base());
    ServiceAddresses::Comments first;
    first.notes = "It's great & easy #1";
    first.makeAgain = "YES";
    first.taste = 5;
    first.appearance = 4;
    first.effort = 3;
    first.affordability = 5;
    first.uniqueID = number;
    first.activeMinutes = 15;
    ServiceAddresses::Comments second = first;
    second.notes = "Too dry <script>alert(1)</script>";
    second.makeAgain = "NO";
    second.taste = 2;
    const ServiceResponse thanks = client.Get(addresses.SubmitComments(first));
    EXPECT_EQ(thanks.status, 200);
    EXPECT_NE(thanks.body.find(Format("displayrecipe.aspx?id=%ld", number)), std::string::npos);
    ASSERT_EQ(client.Get(addresses.SubmitComments(second)).status, 200);

    const std::string page =
        Shown(Get(Format("/private/sec/displayrecipe.aspx?id=%ld", number)).body);
    for (const char* shown :
         {"3.5 of 5", "4.0 of 5", "5.0 of 5", "2 ratings; 1 would make it again",
          "It&#39;s great &amp; easy #1", "Too dry &lt;script&gt;", "Active time 15 min."})
        EXPECT_NE(page.find(shown), std::string::npos) << shown;
    EXPECT_LT(page.find("Too dry"), page.find("It&#39;s great"));
    EXPECT_EQ(FindNoCase(page, "<script"), std::string::npos);

    struct Refused {
        std::string query;
        int status;
    };
    for (const Refused& r :
         std::vector<Refused>{{Format("uniqueID=%ld&radioMake=YES", number + 40), 404},
                              {"uniqueID=abc&radioMake=YES", 400},
                              {Format("uniqueID=%ld&radioMake=MAYBE", number), 400},
                              {Format("uniqueID=%ld&radioMake=YES&tasteRating=9", number), 400}})
        EXPECT_EQ(Get("/private/submitcomments.aspx?" + r.query).status, r.status) << r.query;
}

TEST_F(ServiceSiteTest, HostilePostsAreRefusedOrShownHarmless) {
    Recipe hostile = MakeRecipe({"<script>alert('t')</script>Pie",
                                 {"<b onmouseover=x>k</b>"},
                                 {"<img src=x onerror=alert(1)>"},
                                 "",
                                 ""});
    hostile.Instructions = "Bake.<script>alert(2)</script><img src=x onerror=alert(3)>";
    hostile.Notes = "<iframe src=javascript:alert(4)></iframe>";
    // A marker comment of its own must not pass for the page's.
    hostile.SubHead =
        "<!--@PXBEGIN--<RECIPE><TITLE>Fake</TITLE></RECIPE>@PXEND--> "
        "<!--@CRFASSIGNUNIQUEID=999-->";
    const long number = PostRecipe(hostile);
    ASSERT_GT(number, 0);
    for (const std::string& path : {Format("/private/sec/displayrecipe.aspx?id=%ld", number),
                                    std::string("/Private/search.aspx?Q=true&tc=pie"),
                                    std::string("/index.htm"), std::string("/recipearchive.htm")}) {
        const ServiceResponse answer = Get(path);
        ASSERT_EQ(answer.status, 200) << path;
        const std::string shown = Shown(answer.body);
        EXPECT_EQ(FindNoCase(shown, "<script"), std::string::npos) << path;
        EXPECT_EQ(FindNoCase(shown, "<iframe"), std::string::npos) << path;
        EXPECT_EQ(TagWithHandler(shown), "") << path;
    }
    // The embedded document keeps the text, as text.
    const Recipe back = Embedded(number);
    EXPECT_EQ(back.Title, hostile.Title);
    EXPECT_EQ(back.SubHead, hostile.SubHead);
    EXPECT_EQ(AssignedNumber(Get(Format("/private/sec/displayrecipe.aspx?id=%ld", number)).body),
              -1);

    auto withPage = [](std::size_t size) {
        ServiceClient::Fields fields = PostFields(TitledRecipe("Big page"));
        fields[1].second = std::string(size, 'p');
        return fields;
    };
    struct Bad {
        const char* name;
        ServiceClient::Fields fields;
        int status;
        const char* message;
    };
    const std::vector<Bad> bad = {
        {"no document", {{"title", "x"}}, 400, "recipexml field is missing"},
        {"garbage", {{"recipexml", "<<not a recipe"}}, 400, "Could not read Pantrio Recipe."},
        {"other root", {{"recipexml", "<HTML><TITLE>x</TITLE></HTML>"}}, 400, "Could not read"},
        {"no title", {{"recipexml", "<RECIPE><TITLE> </TITLE></RECIPE>"}}, 400, "has no title"},
        {"50 MB", {{"recipehtml", std::string(50u * 1024u * 1024u, 'x')}}, 413, "4 MB"},
        {"3 MB page", withPage(3u * 1024u * 1024u), 400, "larger than 2 MB"},
        {"1.5 MB page", withPage(1536u * 1024u), 200, "<!--@CRFASSIGNUNIQUEID="},
    };
    for (const Bad& b : bad) {
        const ServiceResponse answer = Post(b.fields);
        EXPECT_EQ(answer.status, b.status) << b.name << ": " << answer.error;
        EXPECT_NE(answer.body.find(b.message), std::string::npos) << b.name << "\n" << answer.body;
    }
    // The service still answers after all that.
    EXPECT_EQ(Get("/index.htm").status, 200);
}

TEST_F(ServiceSiteTest, EveryPageAnswersWithItsHeadersAndIsLogged) {
    struct Case {
        std::string path;
        int status;
        const char* text;
    };
    const std::vector<Case> cases = {
        {"/index.htm?refer=htmpublish", 200, "Find a recipe"},
        {"/INDEX.HTM?refer=txteml", 200, "Newest recipes"},
        {"/recipearchive.htm?page=7", 200, "Page 1 of 1"},
        {"/utils/checkforupdate.aspx?maj=0&min=0&mic=0", 200,
         "A newer version " PANTRIO_VERSION " is available."},
        {"/Utils/CheckForUpdate.aspx?maj=9&min=0&mic=0", 200, "You have the latest version."},
        {"/utils/checkforupdate.aspx?maj=x", 400, "whole number"},
        {"/tellafriend.aspx", 200, "/index.htm"},
        {"/home/welcomeuser.aspx?rc=7", 200, "7 times"},
        {"/wizard1.aspx?refer=productmenu", 200, "What can I cook?"},
        {"/forums", 200, "Forums"},
        {"/cooknimport.htm", 200, "service-import"},
        {"/style.css", 200, "font"},
        {"/private/sec/displayrecipe.aspx?id=999", 404, "no recipe with that number"},
        {"/private/sec/displayrecipe.aspx?id=%27%3B", 404, "no recipe with that number"},
        {"/no/such/page", 404, "no such page"},
        {"/private/postrecipe.aspx", 405, "does not take GET"},
    };
    httplib::Client http(service.Base());
    for (const Case& c : cases) {
        const auto answer = http.Get(c.path);
        ASSERT_TRUE(answer) << c.path;
        EXPECT_EQ(answer->status, c.status) << c.path;
        EXPECT_NE(answer->body.find(c.text), std::string::npos) << c.path << "\n" << answer->body;
        EXPECT_EQ(answer->get_header_value("Content-Security-Policy"),
                  "default-src 'none'; style-src 'self'; img-src 'self' data:; "
                  "form-action 'self'")
            << c.path;
        EXPECT_EQ(answer->get_header_value("X-Content-Type-Options"), "nosniff") << c.path;
    }
    const std::string log = service.Log();
    EXPECT_NE(log.find("GET /index.htm 200 "), std::string::npos) << log;
    EXPECT_NE(log.find("refer=htmpublish"), std::string::npos) << log;
    EXPECT_NE(log.find("GET /no/such/page 404 "), std::string::npos) << log;
}

TEST(ServiceSitePassword, PostingAsksForThePassword) {
    TempDataRoot folder(false);
    ASSERT_TRUE(folder.Ok());
    const std::string passwordFile = folder.PathOf("password");
    std::ofstream(passwordFile) << "s3cret & more\n";
    ServiceProcess service({"--post-password-file", passwordFile});
    ASSERT_TRUE(service.Started()) << service.Log();
    ServiceClient client(20);
    const std::string address = service.Url("/private/postrecipe.aspx");
    ServiceClient::Fields fields = PostFields(TitledRecipe("Secret \"Sauce\""));

    const ServiceResponse asked = client.PostForm(address, fields);
    EXPECT_EQ(asked.status, 403);
    EXPECT_NE(asked.body.find("type=\"password\" name=\"password\""), std::string::npos);
    EXPECT_NE(asked.body.find("name=\"recipexml\" value=\"&lt;RECIPE&gt;"), std::string::npos)
        << asked.body;
    EXPECT_EQ(AssignedNumber(asked.body), -1);

    fields.emplace_back("password", "s3cret");
    const ServiceResponse wrong = client.PostForm(address, fields);
    EXPECT_EQ(wrong.status, 403);
    EXPECT_NE(wrong.body.find("not right"), std::string::npos);

    fields.back().second = "s3cret & more";
    const ServiceResponse taken = client.PostForm(address, fields);
    EXPECT_EQ(taken.status, 200);
    EXPECT_EQ(AssignedNumber(taken.body), 1);
}

TEST(ServiceSitePostgres, SharesThroughAPostgresStore) {
    PostgresBackend backend;
    std::string skip;
    if (!backend.Open(skip)) GTEST_SKIP() << skip;
    // The schema the backend made, as the service's search path.
    const std::string url =
        PostgresBackend::ServerURL() +
        (PostgresBackend::ServerURL().find('?') == std::string::npos ? "?" : "&") +
        "options=-csearch_path%3D" + backend.Schema();
    ServiceProcess service({"--database", url});
    ASSERT_TRUE(service.Started()) << service.Log();
    ServiceClient client(20);
    const ServiceResponse posted =
        client.PostForm(service.Url("/private/postrecipe.aspx"), PostFields(FullRecipe()));
    const long number = AssignedNumber(posted.body);
    ASSERT_GT(number, 0) << posted.body;
    ServiceAddresses addresses(service.Base());
    ServiceAddresses::Comments rating;
    rating.makeAgain = "YES";
    rating.taste = 4;
    rating.uniqueID = number;
    EXPECT_EQ(client.Get(addresses.SubmitComments(rating)).status, 200);
    const ServiceResponse found =
        client.Get(addresses.SearchText("Crème Brûlée"), "application/json");
    EXPECT_NE(found.body.find(Format("\"id\":%ld", number)), std::string::npos) << found.body;
    const ServiceResponse page = client.Get(addresses.RecipePage(number));
    EXPECT_NE(page.body.find("4.0 of 5"), std::string::npos);
    std::string error;
    Recipe back;
    ASSERT_EQ(ReadRecipeDocument(back, EmbeddedRecipeText(page.body, error)), 0) << error;
    EXPECT_EQ(back.Title, FullRecipe().Title);
    EXPECT_EQ(back.UniqueID, number);
}

}  // namespace
}  // namespace pantrio::test
