// The recipe service's pages: plain HTML on one stylesheet, every text from
// a visitor or a posted recipe escaped (or, for the multi-line fields of a
// recipe, run through the program's markup sanitiser).
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "service/ServiceStore.h"

namespace pantrio {

class Recipe;

// "&", "<", ">", '"' and "'" as character references.
std::string HtmlEscape(std::string_view text);

// A whole page: the head with the stylesheet, the site's bar and `body`.
std::string ServicePage(const std::string& title, const std::string& body);
// A page holding one message (errors, thanks); `message` is escaped.
std::string MessagePage(const std::string& title, const std::string& message);

// The link to a recipe's page: <a href="/private/sec/displayrecipe.aspx?id=N">Title</a>
std::string RecipeLink(const RecipeHeading& heading);

// The page of service recipe `number`: its fields, the averages of the
// ratings, the comments, a form to add one, and the exchange document
// (UNIQUEID = number) between the import markers.
std::string RecipePage(Recipe recipe, long number, const RatingAverages& averages,
                       const std::vector<ServiceComment>& comments);

// The search form (home page and results page).
std::string SearchForm();
std::string ResultsPage(const std::vector<RecipeHeading>& results);
// {"results":[{"id":N,"title":"..."}]}
std::string ResultsJson(const std::vector<RecipeHeading>& results);

std::string HomePage(const std::vector<RecipeHeading>& newest, int recipeCount);
// Page `page` (from 1) of `pages`.
std::string ArchivePage(const std::vector<RecipeHeading>& recipes, int page, int pages);

// The answer to a post: the thank-you text, the link to the page and the
// marker "<!--@CRFASSIGNUNIQUEID=N-->" the program takes the number from.
std::string PostedPage(const RecipeHeading& recipe, bool updated);
// The answer to a post without the right password: a form asking for it
// that sends the posted fields again.
std::string PasswordPage(const std::vector<std::pair<std::string, std::string>>& fields,
                         bool passwordGiven);
std::string CommentThanksPage(const RecipeHeading& recipe);
std::string WelcomePage(int runCount);
std::string TellAFriendPage(const std::string& siteAddress);
std::string ForumsPage(const std::vector<RecipeHeading>& newest);
std::string WizardPage();
std::string CooknImportPage();

// The one stylesheet.
const char* StyleSheet();

}  // namespace pantrio
