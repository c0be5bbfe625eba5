#include "search/FindCriteria.h"

#include <vector>

#include "base/Text.h"
#include "storage/SearchIndexes.h"
#include "storage/Store.h"

namespace pantrio {

namespace {

const char kFindHead[] =
    "SELECT Recipes.RecipeID, Recipes.Title, Recipes.Marked, Recipes.Color, "
    "Recipes.TasteRating FROM Recipes WHERE ";

// Every text value of the criteria with its apostrophes doubled.
FindCriteria Quoted(const FindCriteria& in) {
    FindCriteria out = in;
    out.titleText = QuoteSql(in.titleText);
    for (auto& k : out.keywords) k = QuoteSql(k);
    out.mainIngredient = QuoteSql(in.mainIngredient);
    out.cuisine = QuoteSql(in.cuisine);
    for (auto& i : out.ingredients) i = QuoteSql(i);
    return out;
}

// The head with the keyword terms and the title term: the part both
// statements share. Only as many keyword slots are used, from the first, as
// there are slots holding a keyword.
std::string HeadWithKeywordsAndTitle(const FindCriteria& c) {
    int used = 0;
    for (const auto& k : c.keywords)
        if (!Trim(k).empty()) ++used;

    std::string sql = kFindHead;
    if (used == 0) {
        sql += "(true) ";
    } else {
        for (int i = 0; i < used; ++i) {
            if (i > 0) sql += " AND ";
            sql += "(AllCategoriesText like '%" + c.keywords[static_cast<std::size_t>(i)] + "%')";
        }
        if (used < 5) sql += " ";
    }
    if (c.titleBeginsWith)
        sql += "AND (Recipes.Title LIKE '" + c.titleText + "%')";
    else
        sql += "AND (Recipes.Title LIKE '%" + c.titleText + "%')";

    if (!Trim(c.mainIngredient).empty())
        sql += " AND (PrimaryIngredient = '" + c.mainIngredient + "')";
    if (!Trim(c.cuisine).empty()) sql += " AND (Cuisine = '" + c.cuisine + "')";
    return sql;
}

bool AnyMinimum(const FindCriteria& c) {
    return c.minimumTaste > 0 || c.minimumAppearance > 0 || c.minimumEffort > 0 ||
           c.minimumAffordability > 0;
}

std::string RemoveAll(std::string text, std::string_view what) {
    return ReplaceAll(std::move(text), what, "");
}

// A minimum of 0 asks for nothing: its term becomes a constant true.
std::string ZeroRatingsToTrue(std::string sql) {
    sql = ReplaceAll(std::move(sql), "(TasteRating >=0.000000)", "(true)");
    sql = ReplaceAll(std::move(sql), "(AffordableRating >=0.000000)", "(true)");
    sql = ReplaceAll(std::move(sql), "(AppearanceRating >=0.000000)", "(true)");
    sql = ReplaceAll(std::move(sql), "(EffortRating >=0.000000)", "(true)");
    return sql;
}

// The subquery of one ingredient slot, `quoted` with its apostrophes doubled.
std::string IngredientTerm(const std::string& quoted) {
    return "RecipeID IN (Select RecipeID from IngredientLines where Name like '%" + quoted + "%')";
}

// The pieces of a LIKE pattern between its wild cards that are at least
// three characters long: the runs the trigram index can look up.
std::vector<std::string> TrigramRuns(const std::string& pattern) {
    std::vector<std::string> runs;
    std::string piece;
    auto close = [&] {
        if (CharCount(piece) >= 3) runs.push_back(piece);
        piece.clear();
    };
    for (const char ch : pattern) {
        if (ch == '%' || ch == '_')
            close();
        else
            piece += ch;
    }
    close();
    return runs;
}

// True for a text the index by recipe answers: at least three characters,
// no wild card and no line break (the names of a recipe stand one per line
// in its row).
bool PlainText(const std::string& raw) {
    return raw.find_first_of("%_\n") == std::string::npos && CharCount(raw) >= 3;
}

// The text with its ASCII letters in lower case, as LIKE compares them.
std::string AsciiLower(std::string text) {
    for (char& ch : text)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return text;
}

// The full-text query for rows holding every one of `texts`, each in lower
// case as a phrase (for the trigram tokenizer: as a run of characters).
std::string AllPhrasesQuery(const std::vector<std::string>& texts) {
    std::string query;
    for (const std::string& text : texts) {
        if (!query.empty()) query += " AND ";
        query += "\"" + ReplaceAll(AsciiLower(text), "\"", "\"\"") + "\"";
    }
    return query;
}

// The subquery of the ingredient slots holding plain texts as typed (`raws`),
// answered by the index at once: the recipes whose row holds every text, and
// those of the pending recipes with a line holding each.
std::string PlainIngredientsTerm(const std::vector<std::string>& raws) {
    std::string pending;
    for (const std::string& raw : raws) {
        const std::string lines =
            std::string("Select RecipeID from IngredientLines where RecipeID IN ") +
            kPendingRecipes + " AND Name like '%" + QuoteSql(raw) + "%'";
        pending = pending.empty() ? lines : pending + " AND RecipeID IN (" + lines + ")";
    }
    return std::string("RecipeID IN (Select rowid from ") + kRecipeIngredientIndexTable +
           " where " + kRecipeIngredientIndexTable + " match '" + QuoteSql(AllPhrasesQuery(raws)) +
           "' AND rowid NOT IN " + kPendingRecipes + " UNION ALL " + pending + ")";
}

// The subquery of one ingredient slot with wild cards (`raw` as typed, with
// at least one run of three characters): the index names the recipes whose
// row holds every run, in lower case, which every recipe with a matching
// line does; the term's own LIKE then decides on their lines, and on those
// of the pending recipes.
std::string WildcardIngredientTerm(const std::string& raw) {
    return std::string(
               "RecipeID IN (Select RecipeID from IngredientLines where (RecipeID IN (Select "
               "rowid from ") +
           kRecipeIngredientIndexTable + " where " + kRecipeIngredientIndexTable + " match '" +
           QuoteSql(AllPhrasesQuery(TrigramRuns(raw))) + "') OR RecipeID IN " + kPendingRecipes +
           ") AND Name like '%" + QuoteSql(raw) + "%')";
}

}  // namespace

std::string FindRecipesQuery(const FindCriteria& criteria, IngredientLookup lookup) {
    const FindCriteria c = Quoted(criteria);
    std::string sql = HeadWithKeywordsAndTitle(c);
    // The ratings subquery picks rows of the same table by its key, so with
    // the indexes its test stands on each row directly instead: the same
    // rows without first reading every recipe into a set.
    const bool indexed = lookup == IngredientLookup::TrigramIndex;
    if (AnyMinimum(c))
        sql += Format(
            indexed ? " AND ((TasteRating >=%f) AND (AppearanceRating >=%f) AND (EffortRating "
                      ">=%f) and (AffordableRating >=%f))"
                    : " AND RecipeID IN (Select RecipeID From Recipes Where (TasteRating >=%f) "
                      "AND (AppearanceRating >=%f) AND (EffortRating >=%f) and "
                      "(AffordableRating >=%f))",
            c.minimumTaste, c.minimumAppearance, c.minimumEffort, c.minimumAffordability);

    for (std::size_t i = 0; i < c.ingredients.size(); ++i)
        sql += (i == 0 ? "AND " : " AND ") + IngredientTerm(c.ingredients[i]);
    sql += " ORDER BY Recipes.Marked DESC, Recipes.Color, Recipes.Title";

    // Unused parts drop out: an empty ingredient slot ("%" between the two
    // wild cards), the constant head term and a title term that matches any
    // title, where it is joined to a following or preceding term.
    sql = RemoveAll(std::move(sql),
                    "AND RecipeID IN (Select RecipeID from IngredientLines where Name like '%%%')");
    sql = RemoveAll(std::move(sql), "(true) AND");
    sql = RemoveAll(std::move(sql), "(Recipes.Title LIKE '%') AND");
    sql = RemoveAll(std::move(sql), "AND (Recipes.Title LIKE '%')");
    sql = ZeroRatingsToTrue(std::move(sql));
    if (indexed) {
        // An ingredient term's text can only stand where the program wrote
        // the term: inside any other quoted value every apostrophe is doubled.
        // The plain texts are asked of the index together, in the place of
        // the first of them: it finds the recipes holding all of them itself,
        // instead of one set per slot that the statement then intersects.
        std::vector<std::string> plain;
        for (const std::string& raw : criteria.ingredients)
            if (PlainText(raw)) plain.push_back(raw);
        for (std::size_t i = 0; i < c.ingredients.size(); ++i) {
            const std::string& raw = criteria.ingredients[i];
            if (!plain.empty() && raw == plain.front())
                sql = ReplaceAll(std::move(sql), IngredientTerm(c.ingredients[i]),
                                 PlainIngredientsTerm(plain));
            else if (PlainText(raw))
                sql = RemoveAll(std::move(sql), " AND " + IngredientTerm(c.ingredients[i]));
            else if (!TrigramRuns(raw).empty())
                sql = ReplaceAll(std::move(sql), IngredientTerm(c.ingredients[i]),
                                 WildcardIngredientTerm(raw));
        }
    }
    return sql;
}

IngredientLookup IngredientLookupOf(CADODatabase& box) {
    IndexPendingIngredientNames(box);
    return HasIngredientIndex(box) ? IngredientLookup::TrigramIndex : IngredientLookup::Scan;
}

std::string ServiceFindQuery(const FindCriteria& criteria) {
    const FindCriteria c = Quoted(criteria);
    std::string sql = HeadWithKeywordsAndTitle(c);
    if (AnyMinimum(c))
        sql += Format(
            " AND RecipeID IN (Select RecipeID From Recipes Where (TasteRating >=%f) AND "
            "(AppearanceRating >=%f) AND (EffortRating >=%f) AND (AffordableRating >=%f))",
            c.minimumTaste, c.minimumAppearance, c.minimumEffort, c.minimumAffordability);

    sql += " AND (Recipes.AllIngredientsText LIKE '%" + c.ingredients[0];
    for (std::size_t i = 1; i < c.ingredients.size(); ++i)
        sql += "%') AND (Recipes.AllIngredientsText LIKE '%" + c.ingredients[i];
    sql += "%') ";

    sql = RemoveAll(std::move(sql),
                    "AND RecipeID IN (Select RecipeID from Recipes where AllIngredientsText like "
                    "'%%%')");
    sql = RemoveAll(std::move(sql), "(true) AND");
    sql = RemoveAll(std::move(sql), "(Recipes.Title LIKE '%') AND");
    sql = RemoveAll(std::move(sql), "AND (Recipes.Title LIKE '%')");
    sql = RemoveAll(std::move(sql), "AND (Recipes.Title LIKE '%%')");
    sql = RemoveAll(std::move(sql), "AND (Recipes.AllIngredientsText LIKE '%%%')");
    sql = ZeroRatingsToTrue(std::move(sql));
    return RemoveAll(std::move(sql), "AND (true)");
}

FindCriteria LeftoverWizardCriteria(const std::string& first, const std::string& second,
                                    const std::string& third) {
    FindCriteria c;
    c.titleBeginsWith = true;
    c.ingredients = {first, second, third, "", ""};
    return c;
}

}  // namespace pantrio
