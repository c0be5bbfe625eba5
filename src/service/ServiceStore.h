// What the recipe service keeps: posted recipes (their exchange documents and
// the lower-cased texts the search compares), visitors' comments with their
// ratings, and how often each referrer sent someone to the home page. One
// small interface with a SQLite and a PostgreSQL implementation of the same
// schema. Failures of the database throw ServiceStoreError.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace pantrio {

struct ServiceStoreError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A posted recipe as stored. The `*Key` texts are what searches compare:
// folded to lower case (ToLowerText), lists as "\n"-separated entries with a
// "\n" before the first and after the last.
struct ServiceRecipe {
    long number = 0;  // assigned by the store
    std::string title;
    std::string document;        // exchange document, UNIQUEID = number
    std::string postedPage;      // the page the program rendered; never shown
    std::string titleKey;        // lower-cased title
    std::string duplicateKey;    // the program's duplicate-test prefix
    std::string keywordsKey;     // keywords
    std::string ingredientsKey;  // ingredient names (no headings)
    std::string mainKey;         // main ingredient
    std::string cuisineKey;      // cuisine
};

// One line of a result list.
struct RecipeHeading {
    long number = 0;
    std::string title;
};

// A visitor's comment with ratings 0..5 (0 = not rated).
struct ServiceComment {
    long recipe = 0;
    std::string notes;
    std::string makeAgain;  // "YES", "NO" or "DIDNOTMAKE"
    int taste = 0, appearance = 0, ease = 0, affordability = 0;
    int activeMinutes = 0, totalMinutes = 0;
    std::string posted;  // UTC, "YYYY-MM-DD HH:MM:SS"; set by the store
};

// Averages over the comments that rated a scale (0 when none did).
struct RatingAverages {
    double taste = 0, appearance = 0, ease = 0, affordability = 0;
    int comments = 0;
    int makeAgainYes = 0, makeAgainNo = 0;
};

// Search criteria, already lower-cased. Empty texts and ratings of 0 are not
// applied; every criterion given must hold.
struct ServiceQuery {
    std::string titleContains;
    std::string titleBegins;
    std::vector<std::string> keywords;     // each contained in a keyword
    std::vector<std::string> ingredients;  // each contained in an ingredient name
    std::string mainIngredient;            // equals
    std::string cuisine;                   // equals
    double minTaste = 0, minAffordability = 0, minEase = 0, minAppearance = 0;
    int limit = 200;
};

class ServiceStore {
public:
    virtual ~ServiceStore() = default;

    // Stores a new recipe and returns its number; `recipe.number` is ignored.
    virtual long AddRecipe(const ServiceRecipe& recipe) = 0;
    // Replaces recipe `recipe.number`; false when there is no such recipe.
    virtual bool UpdateRecipe(const ServiceRecipe& recipe) = 0;
    virtual std::optional<ServiceRecipe> Recipe(long number) = 0;
    // The lowest-numbered recipe with this exact title whose duplicate key
    // equals `duplicateKey` (any, when `duplicateKey` is empty); 0 for none.
    virtual long FindDuplicate(const std::string& title, const std::string& duplicateKey) = 0;

    virtual std::vector<RecipeHeading> Search(const ServiceQuery& query) = 0;
    // Recipes by title (then number), `count` from `offset` on.
    virtual std::vector<RecipeHeading> ByTitle(int offset, int count) = 0;
    // The most recently posted or updated recipes first.
    virtual std::vector<RecipeHeading> Newest(int count) = 0;
    virtual int RecipeCount() = 0;

    // False when the recipe does not exist.
    virtual bool AddComment(const ServiceComment& comment) = 0;
    // Newest first.
    virtual std::vector<ServiceComment> Comments(long recipe) = 0;
    virtual RatingAverages Averages(long recipe) = 0;

    // Counts one visit sent by `referrer`.
    virtual void CountReferrer(const std::string& referrer) = 0;
    virtual long ReferrerVisits(const std::string& referrer) = 0;
};

}  // namespace pantrio
