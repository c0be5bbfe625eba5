#include "service/ServicePages.h"

#include <nlohmann/json.hpp>

#include "base/Text.h"
#include "formats/XmlEscapes.h"
#include "recipe/Recipe.h"
#include "render/MarkupSanitizer.h"
#include "render/RenderRecipePage.h"

namespace pantrio {

namespace {

std::string Paragraph(const std::string& cssClass, const std::string& label,
                      const std::string& value) {
    if (Trim(value).empty()) return {};
    return "<p class=\"" + cssClass + "\"><span class=\"label\">" + label + ":</span> " +
           HtmlEscape(value) + "</p>\n";
}

// A multi-line field that may carry markup, as the program's own pages show
// it, but with comments shown as text: a marker comment in a field must not
// pass for the page's own (the embedded recipe, the assigned number).
std::string MarkupBlock(const std::string& cssClass, const std::string& heading,
                        const std::string& text) {
    if (Trim(text).empty()) return {};
    std::string block = heading.empty() ? std::string() : "<h2>" + heading + "</h2>\n";
    return block + "<div class=\"" + cssClass + "\">" +
           ReplaceAll(SanitizeField(text), "<!--", "&lt;!--") + "</div>\n";
}

std::string Minutes(int minutes) {
    if (minutes <= 0) return {};
    if (minutes < 60) return Format("%d min", minutes);
    return minutes % 60 ? Format("%d h %d min", minutes / 60, minutes % 60)
                        : Format("%d h", minutes / 60);
}

std::string YieldLine(const Recipe& recipe) {
    if (!Trim(recipe.YieldText).empty()) return recipe.YieldText;
    if (recipe.YieldNumber <= 0) return {};
    return Trim(WholeNumberText(recipe.YieldNumber) + " " + recipe.YieldUnit);
}

std::string IngredientList(const Recipe& recipe) {
    if (recipe.Lines.empty()) return {};
    std::string list = "<h2>Ingredients</h2>\n<ul class=\"ingredients\">\n";
    for (const IngredientLine& line : recipe.Lines) {
        if (line.bHeading) {
            list += "<li class=\"heading\">" + HtmlEscape(line.Name) + "</li>\n";
            continue;
        }
        std::string text = Trim(Trim(line.TextQty + " " + line.Measure) + " " + line.Name);
        if (!Trim(line.PrepNotes).empty()) text += ", " + Trim(line.PrepNotes);
        list += "<li>" + HtmlEscape(text) + "</li>\n";
    }
    return list + "</ul>\n";
}

std::string Rating(const char* label, double average) {
    return "<tr><th>" + std::string(label) + "</th><td>" +
           (average > 0 ? Format("%.1f of 5", average) : std::string("not rated")) + "</td></tr>\n";
}

std::string RatingsBlock(const RatingAverages& averages) {
    std::string block = "<h2>Ratings</h2>\n";
    if (averages.comments == 0) return block + "<p>No ratings yet. Be the first!</p>\n";
    block += "<table class=\"ratings\">\n";
    block += Rating("Taste", averages.taste);
    block += Rating("Appearance", averages.appearance);
    block += Rating("Ease", averages.ease);
    block += Rating("Affordability", averages.affordability);
    block += "</table>\n";
    block += Format("<p>%d %s; %d would make it again, %d would not.</p>\n", averages.comments,
                    averages.comments == 1 ? "rating" : "ratings", averages.makeAgainYes,
                    averages.makeAgainNo);
    return block;
}

const char* MadeText(const std::string& makeAgain) {
    if (makeAgain == "YES") return "Would make it again.";
    if (makeAgain == "NO") return "Would not make it again.";
    return "Has not made it yet.";
}

std::string CommentsBlock(const std::vector<ServiceComment>& comments) {
    if (comments.empty()) return {};
    std::string block = "<h2>Comments</h2>\n";
    for (const ServiceComment& comment : comments) {
        block += "<div class=\"comment\"><p class=\"meta\">" + HtmlEscape(comment.posted) +
                 " UTC &middot; " + MadeText(comment.makeAgain) +
                 Format(" Taste %d, appearance %d, ease %d, affordability %d.", comment.taste,
                        comment.appearance, comment.ease, comment.affordability) +
                 (comment.activeMinutes > 0 ? " Active time " + Minutes(comment.activeMinutes) + "."
                                            : std::string()) +
                 (comment.totalMinutes > 0 ? " Total time " + Minutes(comment.totalMinutes) + "."
                                           : std::string()) +
                 "</p>\n";
        if (!Trim(comment.notes).empty())
            block += "<p class=\"notes\">" + HtmlEscape(comment.notes) + "</p>\n";
        block += "</div>\n";
    }
    return block;
}

std::string Choice(const char* name, const char* label) {
    std::string select = std::string("<label>") + label + " <select name=\"" + name + "\">";
    for (int stars = 0; stars <= 5; ++stars)
        select += Format("<option value=\"%d\">%s</option>", stars,
                         stars == 0 ? "-" : std::to_string(stars).c_str());
    return select + "</select></label>\n";
}

std::string CommentForm(long number) {
    return "<h2>Rate this recipe</h2>\n"
           "<form class=\"comment-form\" method=\"get\" action=\"/private/submitcomments.aspx\">\n"
           "<input type=\"hidden\" name=\"uniqueID\" value=\"" +
           std::to_string(number) + "\">\n" + Choice("tasteRating", "Taste") +
           Choice("appearanceRating", "Appearance") + Choice("easeRating", "Ease") +
           Choice("affordabilityRating", "Affordability") +
           "<label><input type=\"radio\" name=\"radioMake\" value=\"YES\" required> I'd make it "
           "again</label>\n"
           "<label><input type=\"radio\" name=\"radioMake\" value=\"NO\"> I wouldn't</label>\n"
           "<label><input type=\"radio\" name=\"radioMake\" value=\"DIDNOTMAKE\"> Not tried "
           "yet</label>\n"
           "<textarea name=\"txtNotes\" rows=\"4\" maxlength=\"8000\"></textarea>\n"
           "<button type=\"submit\">Send</button>\n</form>\n";
}

std::string HeadingList(const std::vector<RecipeHeading>& headings) {
    std::string list = "<ul class=\"recipes\">\n";
    for (const RecipeHeading& heading : headings) list += "<li>" + RecipeLink(heading) + "</li>\n";
    return list + "</ul>\n";
}

}  // namespace

std::string HtmlEscape(std::string_view text) {
    // "&#39;" rather than XML's "&apos;", which older HTML readers do not know.
    return ReplaceAll(EscapeXmlAttribute(text), "&apos;", "&#39;");
}

std::string ServicePage(const std::string& title, const std::string& body) {
    return "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
           "<title>" +
           HtmlEscape(title) +
           " - Pantrio recipe service</title>\n"
           "<link rel=\"stylesheet\" href=\"/style.css\"></head>\n<body>\n"
           "<header><a class=\"site\" href=\"/index.htm\">Pantrio recipe service</a>\n"
           "<nav><a href=\"/index.htm\">Search</a> <a href=\"/recipearchive.htm\">All "
           "recipes</a> <a href=\"/forums\">Forums</a> <a href=\"/cooknimport.htm\">Importing"
           "</a></nav></header>\n<main>\n" +
           body + "</main>\n</body></html>\n";
}

std::string MessagePage(const std::string& title, const std::string& message) {
    return ServicePage(title, "<h1>" + HtmlEscape(title) + "</h1>\n<p class=\"message\">" +
                                  HtmlEscape(message) + "</p>\n");
}

std::string RecipeLink(const RecipeHeading& heading) {
    return "<a href=\"/private/sec/displayrecipe.aspx?id=" + std::to_string(heading.number) +
           "\">" + HtmlEscape(heading.title) + "</a>";
}

std::string RecipePage(Recipe recipe, long number, const RatingAverages& averages,
                       const std::vector<ServiceComment>& comments) {
    recipe.UniqueID = static_cast<int>(number);
    std::string body = "<article class=\"recipe\">\n<h1>" + HtmlEscape(recipe.Title) + "</h1>\n";
    body += Format("<p class=\"number\">Recipe number %ld</p>\n", number);
    body += MarkupBlock("subhead", "", recipe.SubHead);
    body += Paragraph("yield", "Yield", YieldLine(recipe));
    body += Paragraph("time", "Active time", Minutes(recipe.ActiveMinutes));
    body += Paragraph("time", "Total time", Minutes(recipe.TotalMinutes));
    body += Paragraph("main", "Main ingredient", recipe.PrimaryIngredient);
    body += Paragraph("cuisine", "Cuisine", recipe.Cuisine);
    std::string keywords;
    for (const std::string& name : recipe.CategoryNames)
        keywords += (keywords.empty() ? "" : ", ") + name;
    body += Paragraph("keywords", "Keywords", keywords);
    body += IngredientList(recipe);
    body += MarkupBlock("instructions", "Instructions", recipe.Instructions);
    body += MarkupBlock("notes", "Notes", recipe.Notes);
    body += Paragraph("source", "Source", recipe.Source);
    body += RatingsBlock(averages);
    body += CommentsBlock(comments);
    body += CommentForm(number);
    body += "</article>\n" + EmbeddedRecipeData(recipe) + "\n";
    return ServicePage(recipe.Title, body);
}

std::string SearchForm() {
    return "<form class=\"search\" method=\"get\" action=\"/Private/search.aspx\">\n"
           "<input type=\"hidden\" name=\"Q\" value=\"true\">\n"
           "<label>Title contains <input name=\"tc\" maxlength=\"200\"></label>\n"
           "<label>Title begins with <input name=\"ts\" maxlength=\"200\"></label>\n"
           "<label>Keyword <input name=\"c1\" maxlength=\"200\"></label>\n"
           "<label>Ingredient <input name=\"i1\" maxlength=\"200\"></label>\n"
           "<label>Another ingredient <input name=\"i2\" maxlength=\"200\"></label>\n"
           "<label>Main ingredient <input name=\"pi\" maxlength=\"200\"></label>\n"
           "<label>Cuisine <input name=\"cu\" maxlength=\"200\"></label>\n"
           "<label>Taste at least <input name=\"ta\" type=\"number\" min=\"0\" max=\"5\" "
           "step=\"0.5\"></label>\n"
           "<button type=\"submit\">Search</button>\n</form>\n";
}

std::string ResultsPage(const std::vector<RecipeHeading>& results) {
    std::string body = "<h1>Search results</h1>\n";
    if (results.empty())
        body += "<p>No recipe matches. Try fewer or shorter words.</p>\n";
    else
        body += Format("<p>%zu %s found.</p>\n", results.size(),
                       results.size() == 1 ? "recipe" : "recipes") +
                HeadingList(results);
    return ServicePage("Search results", body + "<h2>Search again</h2>\n" + SearchForm());
}

std::string ResultsJson(const std::vector<RecipeHeading>& results) {
    nlohmann::json list = nlohmann::json::array();
    for (const RecipeHeading& result : results)
        list.push_back({{"id", result.number}, {"title", result.title}});
    // Titles that are not UTF-8 are written with replacement characters
    // instead of failing the answer.
    return nlohmann::json{{"results", list}}.dump(-1, ' ', false,
                                                  nlohmann::json::error_handler_t::replace);
}

std::string HomePage(const std::vector<RecipeHeading>& newest, int recipeCount) {
    std::string body = "<h1>Find a recipe</h1>\n" + SearchForm();
    body += Format("<h2>Newest recipes</h2>\n<p>%d %s shared here so far.</p>\n", recipeCount,
                   recipeCount == 1 ? "recipe" : "recipes");
    body += HeadingList(newest);
    return ServicePage("Home", body);
}

std::string ArchivePage(const std::vector<RecipeHeading>& recipes, int page, int pages) {
    std::string body = "<h1>All recipes</h1>\n";
    if (recipes.empty()) body += "<p>No recipes on this page.</p>\n";
    body += HeadingList(recipes);
    body += "<p class=\"pages\">";
    if (page > 1) body += Format("<a href=\"/recipearchive.htm?page=%d\">Previous</a> ", page - 1);
    body += Format("Page %d of %d", page, pages);
    if (page < pages) body += Format(" <a href=\"/recipearchive.htm?page=%d\">Next</a>", page + 1);
    return ServicePage("All recipes", body + "</p>\n");
}

std::string PostedPage(const RecipeHeading& recipe, bool updated) {
    std::string body = "<h1>Thank you!</h1>\n<p>";
    body += updated ? "Your recipe has been updated: " : "Your recipe has been shared: ";
    body += RecipeLink(recipe) + Format(" is recipe number %ld.</p>\n", recipe.number);
    body += Format("<!--@CRFASSIGNUNIQUEID=%ld-->\n", recipe.number);
    return ServicePage("Thank you", body);
}

std::string PasswordPage(const std::vector<std::pair<std::string, std::string>>& fields,
                         bool passwordGiven) {
    std::string body = "<h1>Password needed</h1>\n<p class=\"message\">";
    body += passwordGiven ? "That password is not right. Please try again."
                          : "This site asks for a password before it takes a recipe.";
    body += "</p>\n<form method=\"post\" action=\"/private/postrecipe.aspx\">\n";
    for (const auto& [name, value] : fields)
        body += "<input type=\"hidden\" name=\"" + HtmlEscape(name) + "\" value=\"" +
                HtmlEscape(value) + "\">\n";
    body +=
        "<label>Password <input type=\"password\" name=\"password\" autofocus></label>\n"
        "<button type=\"submit\">Post the recipe</button>\n</form>\n";
    return ServicePage("Password needed", body);
}

std::string CommentThanksPage(const RecipeHeading& recipe) {
    return ServicePage("Thank you", "<h1>Thank you!</h1>\n<p>Your comments and ratings of " +
                                        RecipeLink(recipe) + " have been added.</p>\n");
}

std::string WelcomePage(int runCount) {
    std::string body = "<h1>Welcome to Pantrio!</h1>\n";
    if (runCount > 0)
        body += Format("<p>You have started Pantrio %d %s. Thank you for cooking with us.</p>\n",
                       runCount, runCount == 1 ? "time" : "times");
    body += "<p>Find recipes others have shared, or share your own with Post Recipe.</p>\n";
    return ServicePage("Welcome", body + SearchForm());
}

std::string TellAFriendPage(const std::string& siteAddress) {
    return ServicePage(
        "Tell a friend",
        "<h1>Tell a friend</h1>\n<p>Send your friends this address so they can find the "
        "recipes shared here and share their own:</p>\n<p class=\"address\">" +
            HtmlEscape(siteAddress) + "/index.htm</p>\n");
}

std::string ForumsPage(const std::vector<RecipeHeading>& newest) {
    return ServicePage("Forums",
                       "<h1>Forums</h1>\n<p>Talk about a recipe on its own page: every recipe "
                       "page takes comments and ratings. Recently shared recipes:</p>\n" +
                           HeadingList(newest));
}

std::string WizardPage() {
    return ServicePage(
        "Recipe ideas",
        "<h1>What can I cook?</h1>\n<p>Enter what you have at hand; the recipes that use all "
        "of it are listed.</p>\n"
        "<form class=\"search\" method=\"get\" action=\"/Private/search.aspx\">\n"
        "<input type=\"hidden\" name=\"Q\" value=\"true\">\n"
        "<label>Ingredient <input name=\"i1\" maxlength=\"200\"></label>\n"
        "<label>Ingredient <input name=\"i2\" maxlength=\"200\"></label>\n"
        "<label>Ingredient <input name=\"i3\" maxlength=\"200\"></label>\n"
        "<button type=\"submit\">Find recipes</button>\n</form>\n");
}

std::string CooknImportPage() {
    return ServicePage(
        "Importing recipes",
        "<h1>Taking recipes home</h1>\n<p>Every recipe page of this site carries the recipe "
        "for Pantrio. Open the page in Pantrio's View tab and press Import to add it to your "
        "recipe box, or run <code>pantrio-cli service-import NUMBER</code>.</p>\n"
        "<p>To share one of yours, show it in the View tab and choose Post Recipe, or run "
        "<code>pantrio-cli post ID</code>.</p>\n");
}

const char* StyleSheet() {
    return "body { margin: 0; font: 16px/1.5 'DejaVu Sans', sans-serif; color: #2b2b2b;"
           " background: #fbf8f3; }\n"
           "header { background: #6b8e23; padding: 0.6em 1em; }\n"
           "header a { color: #fff; text-decoration: none; margin-right: 1em; }\n"
           "header .site { font-weight: bold; font-size: 1.2em; }\n"
           "nav { display: inline; }\n"
           "main { max-width: 46em; margin: 0 auto; padding: 1em; }\n"
           "h1 { color: #4a6317; } h2 { color: #4a6317; font-size: 1.15em; }\n"
           "a { color: #3b5f9b; }\n"
           ".label { font-weight: bold; }\n"
           ".number, .meta { color: #777; font-size: 0.9em; }\n"
           ".instructions, .notes, .subhead { white-space: pre-line; }\n"
           ".ingredients .heading { list-style: none; font-weight: bold; margin-top: 0.5em; }\n"
           ".ratings th { text-align: left; padding-right: 1em; }\n"
           ".comment { border-top: 1px solid #ddd; }\n"
           "form label { display: block; margin: 0.3em 0; }\n"
           "textarea { width: 100%; }\n"
           ".message { font-size: 1.1em; }\n"
           ".address { font-family: monospace; }\n";
}

}  // namespace pantrio
