// The recipe service's store, the same cases on SQLite and on PostgreSQL.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "service/PostedRecipe.h"
#include "service/ServiceFixture.h"
#include "storage/RecipeDB.h"

namespace pantrio::test {
namespace {

template <typename Backend>
class ServiceStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string skip;
        store = backend.Open(skip);
        if (!store) GTEST_SKIP() << skip;
    }
    void TearDown() override { store.reset(); }

    // Stores the search samples; their numbers in sample order.
    std::vector<long> StoreSamples() {
        std::vector<long> numbers;
        for (const SampleRecipe& sample : SearchSamples()) {
            const Recipe recipe = MakeRecipe(sample);
            const long number = store->AddRecipe(StoredRecipe(recipe, 0, ""));
            EXPECT_TRUE(store->UpdateRecipe(StoredRecipe(recipe, number, "")));
            numbers.push_back(number);
        }
        return numbers;
    }

    void Comment(long recipe, int taste, const char* makeAgain = "YES", const char* notes = "") {
        ServiceComment comment;
        comment.recipe = recipe;
        comment.taste = taste;
        comment.appearance = 4;
        comment.makeAgain = makeAgain;
        comment.notes = notes;
        ASSERT_TRUE(store->AddComment(comment));
    }

    Backend backend;
    std::unique_ptr<ServiceStore> store;
};

using Backends = ::testing::Types<SqliteBackend, PostgresBackend>;
class BackendNames {
public:
    template <typename T>
    static std::string GetName(int) {
        return std::is_same_v<T, SqliteBackend> ? "SQLite" : "PostgreSQL";
    }
};
TYPED_TEST_SUITE(ServiceStoreTest, Backends, BackendNames);

TYPED_TEST(ServiceStoreTest, StoresUpdatesAndFindsDuplicates) {
    ServiceStore& store = *this->store;
    Recipe recipe = MakeRecipe({"Soup", {"Starters"}, {"leeks"}, "Leeks", "French"});
    const long first = store.AddRecipe(StoredRecipe(recipe, 0, "<p>posted</p>"));
    const long second = store.AddRecipe(StoredRecipe(TitledRecipe("Stew"), 0, ""));
    EXPECT_GT(first, 0);
    EXPECT_EQ(second, first + 1);
    EXPECT_EQ(store.RecipeCount(), 2);

    recipe.Title = "Leek Soup";
    ASSERT_TRUE(store.UpdateRecipe(StoredRecipe(recipe, first, "<p>again</p>")));
    const auto stored = store.Recipe(first);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->title, "Leek Soup");
    EXPECT_EQ(stored->postedPage, "<p>again</p>");
    EXPECT_NE(stored->document.find("<UNIQUEID>" + std::to_string(first)), std::string::npos);
    EXPECT_EQ(stored->keywordsKey, "\nstarters\n");
    EXPECT_FALSE(store.Recipe(first + 100));
    EXPECT_FALSE(store.UpdateRecipe(StoredRecipe(recipe, first + 100, "")));

    const std::string key = DuplicateKey(recipe.Instructions);
    struct Case {
        std::string title, key;
        long expected;
    };
    for (const Case& c : std::vector<Case>{{"Leek Soup", key, first},
                                           {"Leek Soup", "", first},
                                           {"leek soup", key, 0},
                                           {"Leek Soup", "something else entirely, longer", 0},
                                           {"Stew", "", second}})
        EXPECT_EQ(store.FindDuplicate(c.title, c.key), c.expected) << c.title << " / " << c.key;
}

TYPED_TEST(ServiceStoreTest, SearchesByEveryKeyWithBoundValues) {
    const std::vector<long> n = this->StoreSamples();  // crème, mom's, fish, apple_sauce
    this->Comment(n[1], 5);
    this->Comment(n[1], 3);
    this->Comment(n[1], 0);  // unrated: left out of the average
    this->Comment(n[3], 3);
    this->Comment(n[0], 0);

    struct Case {
        const char* name;
        ServiceQuery query;
        std::set<long> expected;
    };
    auto q = [](auto fill) {
        ServiceQuery query;
        fill(query);
        return query;
    };
    const std::vector<Case> cases = {
        {"everything", {}, {n[0], n[1], n[2], n[3]}},
        {"title contains", q([](auto& s) { s.titleContains = "apple"; }), {n[1], n[3]}},
        {"title begins", q([](auto& s) { s.titleBegins = "apple"; }), {n[3]}},
        {"percent is no wildcard", q([](auto& s) { s.titleContains = "100%"; }), {n[1]}},
        {"underscore is no wildcard", q([](auto& s) { s.titleContains = "_"; }), {n[3]}},
        {"apostrophe", q([](auto& s) { s.titleContains = "mom's"; }), {n[1]}},
        {"ampersand and hash", q([](auto& s) { s.titleContains = "& chips #1"; }), {n[2]}},
        {"non-ASCII", q([](auto& s) { s.titleContains = SearchKey("BRÛLÉE"); }), {n[0]}},
        {"sql text", q([](auto& s) { s.titleContains = "' or '1'='1"; }), {}},
        {"keyword", q([](auto& s) { s.keywords = {"dessert"}; }), {n[0], n[1]}},
        {"two keywords",
         q([](auto& s) {
             s.keywords = {"dessert", "french"};
         }),
         {n[0]}},
        {"two ingredients",
         q([](auto& s) {
             s.ingredients = {"apples", "", "sugar"};
         }),
         {n[3]}},
        {"main ingredient equals", q([](auto& s) { s.mainIngredient = "apples"; }), {n[1], n[3]}},
        {"main ingredient part", q([](auto& s) { s.mainIngredient = "apple"; }), {}},
        {"cuisine", q([](auto& s) { s.cuisine = "american"; }), {n[1], n[3]}},
        {"minimum taste", q([](auto& s) { s.minTaste = 4; }), {n[1]}},
        {"minimum taste above", q([](auto& s) { s.minTaste = 4.5; }), {}},
        {"minimum appearance", q([](auto& s) { s.minAppearance = 4; }), {n[0], n[1], n[3]}},
        {"combined",
         q([](auto& s) {
             s.cuisine = "american";
             s.minTaste = 2;
             s.titleBegins = "mom";
         }),
         {n[1]}},
    };
    for (const Case& c : cases) {
        std::set<long> found;
        for (const RecipeHeading& hit : this->store->Search(c.query)) found.insert(hit.number);
        EXPECT_EQ(found, c.expected) << c.name;
    }
    ServiceQuery limited;
    limited.limit = 2;
    EXPECT_EQ(this->store->Search(limited).size(), 2u);
}

TYPED_TEST(ServiceStoreTest, CommentsAveragesListsAndReferrers) {
    ServiceStore& store = *this->store;
    const std::vector<long> n = this->StoreSamples();
    this->Comment(n[0], 4, "YES", "Lovely");
    this->Comment(n[0], 0, "DIDNOTMAKE", "Looks good");
    this->Comment(n[0], 2, "NO", "Too sweet");
    ServiceComment stray;
    stray.recipe = n.back() + 50;
    stray.makeAgain = "YES";
    EXPECT_FALSE(store.AddComment(stray));

    const RatingAverages averages = store.Averages(n[0]);
    EXPECT_DOUBLE_EQ(averages.taste, 3.0);
    EXPECT_DOUBLE_EQ(averages.appearance, 4.0);
    EXPECT_DOUBLE_EQ(averages.ease, 0.0);
    EXPECT_EQ(averages.comments, 3);
    EXPECT_EQ(averages.makeAgainYes, 1);
    EXPECT_EQ(averages.makeAgainNo, 1);
    EXPECT_EQ(store.Averages(n[1]).comments, 0);

    const std::vector<ServiceComment> comments = store.Comments(n[0]);
    ASSERT_EQ(comments.size(), 3u);
    EXPECT_EQ(comments[0].notes, "Too sweet");  // newest first
    EXPECT_EQ(comments[2].notes, "Lovely");
    EXPECT_EQ(comments[2].posted.size(), 19u);

    // Titles with distinct first letters sort alike in every collation.
    std::vector<std::string> titles;
    for (const RecipeHeading& heading : store.ByTitle(1, 2)) titles.push_back(heading.title);
    EXPECT_EQ(titles, (std::vector<std::string>{"Crème Brûlée", "Fish & Chips #1"}));
    EXPECT_EQ(store.ByTitle(4, 10).size(), 0u);
    EXPECT_EQ(store.Newest(1).at(0).number, n[3]);

    store.CountReferrer("htmpublish");
    store.CountReferrer("htmpublish");
    store.CountReferrer("txteml");
    EXPECT_EQ(store.ReferrerVisits("htmpublish"), 2);
    EXPECT_EQ(store.ReferrerVisits("txteml"), 1);
    EXPECT_EQ(store.ReferrerVisits("htmleml"), 0);
}

}  // namespace
}  // namespace pantrio::test
