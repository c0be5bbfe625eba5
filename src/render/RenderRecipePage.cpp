#include "render/RenderRecipePage.h"

#include <cmath>
#include <filesystem>
#include <system_error>

#include "base/Text.h"
#include "formats/RecipeDocument.h"
#include "nutrition/NutrientTotals.h"
#include "nutrition/NutrientValues.h"
#include "nutrition/NutritionCompleteness.h"
#include "nutrition/NutritionLog.h"
#include "recipe/Quantity.h"
#include "recipe/Recipe.h"
#include "render/AppLink.h"
#include "render/MarkupSanitizer.h"
#include "render/NutritionFacts.h"
#include "render/PageText.h"
#include "render/RecipeJsonLd.h"
#include "render/TemplateCache.h"
#include "render/TextLayout.h"
#include "storage/RecipeDB.h"
#include "storage/SupportDB.h"

namespace pantrio {

const char* const kLocalPageMarker = "<!--@PXLOCAL-->";
const char* const kRecipeDataBegin = "<!--@PXBEGIN--";
const char* const kRecipeDataEnd = "@PXEND-->";
const char* const kNoNutritionMessage = "(No nutrition information defined for this recipe.)";
const char* const kRatingImageContentId = "RatingImg";
const char* const kRecipeImageContentId = "RecipeImage";

namespace {

// Stands in the page for the embedded exchange document until every
// placeholder is filled and the page is cleaned, so neither step can touch
// the document. Fields cannot carry it: their control characters are removed.
constexpr std::string_view kRecipeDataToken = "\x02PXDATA\x02";

enum class Variant { Page, Mail };

// A scale factor that a record not loaded from a box may carry as 0.
double ScaleOf(const Recipe& recipe) {
    const double scale = recipe.ScaleMultiple;
    return (std::isfinite(scale) && scale > 0) ? scale : 1.0;
}

std::string QuantityText(double quantity, std::int64_t maxDenominator) {
    if (!std::isfinite(quantity)) quantity = 0;
    std::string text = FractionText(quantity, maxDenominator);
    if (Trim(text) == "0") text.clear();
    return text;
}

std::string YieldText(const Recipe& recipe) {
    // Unlike an ingredient line, a yield of 0 is shown as "0": a blank would
    // read as a page that lost its number.
    const double yield = recipe.YieldNumber * ScaleOf(recipe);
    return PadLabel("Yields: ", 20, true) + FractionText(std::isfinite(yield) ? yield : 0.0, 64) +
           " " + SanitizeField(recipe.YieldUnit) + "<BR>";
}

std::string IngredientTable(const Recipe& recipe) {
    std::string table;
    const double scale = ScaleOf(recipe);
    for (const auto& line : recipe.Lines) {
        table += QuantityText(line.DblQty * scale, 12) + " " + SanitizeField(line.Measure) + " " +
                 SanitizeField(line.Name) + " " + SanitizeField(line.PrepNotes) + "<BR>\n";
    }
    table += "</FONT>";
    return table;
}

// A plain picture file name: no folder parts, so a copy stays inside the
// publish images folder.
bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

void CopyPictureForPublishing(const std::string& name, const RenderContext& context) {
    if (!IsPlainFileName(name) || context.picturesFolder.empty() ||
        context.publishImagesFolder.empty())
        return;
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path source = fs::path(context.picturesFolder) / name;
    if (!fs::is_regular_file(source, error)) return;  // a missing picture is skipped
    fs::create_directories(context.publishImagesFolder, error);
    fs::copy_file(source, fs::path(context.publishImagesFolder) / name,
                  fs::copy_options::overwrite_existing, error);
}

// The image address for a file of a relative image folder.
std::string RelativeImage(const std::string& folder, const std::string& file) {
    return PercentEncode(folder, true) + "/" + PercentEncode(file, true);
}

// Fills the two nutrition placeholders (step 10 of the page).
std::string FillNutrition(std::string page, const Recipe& recipe, bool includeNutrition,
                          RenderContext& context) {
    std::string facts;
    std::string log;
    if (includeNutrition) {
        const std::string nutritionLog = NutritionLogFor(recipe);
        if (StartsWith(nutritionLog, "Get")) {
            log = kNoNutritionMessage;
        } else {
            NutrientValues totals;
            if (context.box && context.support && context.box->Connected())
                NutrientTotals(*context.box, *context.support, recipe.RecipeID, totals);
            facts = RenderNutritionFacts(*context.templates, totals, recipe.YieldUnit,
                                         recipe.YieldNumber);
            // The panel says which lines its figures leave out, so a partial
            // total is never read as the whole recipe.
            if (!facts.empty())
                facts += "\n<p class=\"nutrition-completeness\">" +
                         SanitizeField(CompletenessOf(recipe).Text()) + "</p>\n";
            log = SanitizeField(nutritionLog);
        }
    }
    page = ReplacePlaceholder(page, "@PX_NUTRITIONFACTS@", facts);
    return ReplacePlaceholder(page, "@PX_NUTRITIONLOG@", log);
}

std::string ServiceTexts(const Recipe& recipe, const RecipePageOptions& options,
                         const RenderContext& context) {
    const std::string& site = context.serviceURL;
    const std::string home = site + "/index.htm?refer=htmpublish";
    std::string text;
    // Without a recipe service there is no address to send the reader to:
    // the sentences that would are left out.
    const bool service = !Trim(site).empty();
    if (recipe.UniqueID > 0 && service) {
        const std::string number = Format("%d", recipe.UniqueID);
        const std::string recipeLink = "<a href='" + site +
                                       "/private/sec/displayrecipe.aspx?id=" + number + "'><B>" +
                                       number + "</B></A>";
        if (options.Published) {
            text += "<BR><BR>A variation on this recipe is also hosted on <a href='" + home + "'>" +
                    context.serviceName + "</A> as recipe number " + recipeLink + ".";
        } else if (!options.QuietRating) {
            text +=
                "<BR><BR>Making this today?  Don't forget to rate the recipe!  Load Pantrio, "
                "or visit " +
                site + ", and enter the <B>Pantrio ID</B>: " + recipeLink +
                ".  Ratings help connect everyone with great recipes faster!";
        }
    }
    if (options.Published && !service) {
        const std::string logoFolder =
            options.ImageFolder.empty() ? std::string(kPublishedImageFolder) : options.ImageFolder;
        text +=
            "<BR><BR><FONT SIZE=-2>This recipe published with Pantrio, and can be imported "
            "instantly by Pantrio users viewing this page.<BR><img src='" +
            RelativeImage(logoFolder, "recipefrompantrio.gif") + "' BORDER=0>";
    } else if (options.Published) {
        const std::string logoFolder =
            options.ImageFolder.empty() ? std::string(kPublishedImageFolder) : options.ImageFolder;
        text += "<BR><BR><FONT SIZE=-2>This recipe published with <A href='" + home +
                "'>Pantrio</A>, and can be imported instantly by Pantrio users viewing this page.  "
                "Download your free trial at <a href='" +
                home + "'><u>" + site + "</u></A>.<BR><a href='" + home + "'><img src='" +
                RelativeImage(logoFolder, "recipefrompantrio.gif") + "' BORDER=0></A>";
    }
    return text;
}

std::string KeywordText(const Recipe& recipe, bool links, bool quiet) {
    std::string text;
    for (const auto& keyword : recipe.CategoryNames) {
        const std::string shown = SanitizeField(keyword);
        if (links) {
            text += AppLinkAnchor("FindKeyword", keyword, shown) + "&nbsp;&nbsp; ";
            continue;
        }
        if (keyword.empty()) continue;
        if (quiet && keyword[0] == '@') continue;
        text += shown + " ";
    }
    return text;
}

}  // namespace

std::string StarNumber(double tasteRating) {
    double rating = std::isfinite(tasteRating) ? tasteRating : 0;
    if (rating < 0) rating = 0;
    if (rating > 5) rating = 5;
    std::string text = Format("%.0f", rating);
    return text;
}

std::string RenderRecipePage(const Recipe& recipe, const RecipePageOptions& options,
                             RenderContext& context) {
    std::string page = context.templates->Theme(options.Theme) + kLocalPageMarker;

    page = ReplacePlaceholder(page, "@PX_YIELDTEXT@", YieldText(recipe));

    const std::string cuisine = SanitizeField(recipe.Cuisine);
    const std::string mainIngredient = SanitizeField(recipe.PrimaryIngredient);
    page = ReplacePlaceholder(
        page, "@PX_CUISINE@",
        options.MakeLinks ? AppLinkAnchor("FindCuisine", recipe.Cuisine, cuisine) : cuisine);
    page = ReplacePlaceholder(
        page, "@PX_MAINING@",
        options.MakeLinks
            ? AppLinkAnchor("FindPrimaryIngredient", recipe.PrimaryIngredient, mainIngredient)
            : mainIngredient);

    const std::string star = "star" + StarNumber(recipe.TasteRating) + ".gif";
    const std::string starSource = options.ImageFolder.empty()
                                       ? FileUrl(context.imagesFolder + "/" + star)
                                       : RelativeImage(options.ImageFolder, star);

    const std::string title = SanitizeField(recipe.Title);
    page = ReplacePlaceholder(
        page, "@PX_RECIPETITLE@",
        options.MakeLinks ? AppLinkAnchor("FindRecipe", Format("%d", recipe.RecipeID), title)
                          : title);
    page = ReplacePlaceholder(page, "@PX_RATINGIMG@", "<IMG SRC='" + starSource + "'>");

    const std::string instructions =
        SanitizeField(ReplacePlaceholder(recipe.Instructions, "\r\n", "<BR>"));
    page = ReplacePlaceholder(page, "@PX_INSTRUCTIONS@",
                              instructions + ServiceTexts(recipe, options, context));

    page = ReplacePlaceholder(page, "@PX_KEYWORDS@",
                              KeywordText(recipe, options.MakeLinks, options.QuietRating));

    std::string picture;
    std::string pictureAddress;  // for the structured data: only a page's relative address
    const std::string pictureName = Trim(recipe.PictureFile1);
    if (!pictureName.empty()) {
        const std::string source = options.ImageFolder.empty()
                                       ? FileUrl(context.picturesFolder + "/" + pictureName)
                                       : RelativeImage(options.ImageFolder, pictureName);
        if (!options.ImageFolder.empty() && options.CopyPicture)
            CopyPictureForPublishing(pictureName, context);
        picture = "<IMG SRC='" + source + "'>";
        if (!options.ImageFolder.empty()) pictureAddress = source;
    }
    page = ReplacePlaceholder(page, "@PX_PICTURE1@", picture);

    std::string table = IngredientTable(recipe);
    if (options.EmbedRecipeData) table += kRecipeDataToken;
    page = ReplacePlaceholder(page, "@PX_INGREDIENTTABLE@", table);

    page = FillNutrition(std::move(page), recipe, options.IncludeNutrition, context);

    // Placeholders filled inside a field's own markup (an attribute value
    // naming a later placeholder) are caught here.
    page = SanitizeMarkup(page);
    if (options.EmbedRecipeData) {
        page = ReplacePlaceholder(page, kRecipeDataToken, EmbeddedRecipeData(recipe));
    }
    if (options.EmbedStructuredData && HasJsonLd(recipe)) {
        // Before the closing marker, which stays the page's last text.
        page.insert(page.size() - std::string_view(kLocalPageMarker).size(),
                    RecipeJsonLdScript(recipe, pictureAddress));
    }
    return page;
}

std::string EmbeddedRecipeData(const Recipe& recipe) {
    return std::string(kRecipeDataBegin) + WriteRecipeDocument(recipe) + kRecipeDataEnd;
}

MailPage RenderMailPage(const Recipe& recipe, int theme, bool includeNutrition,
                        RenderContext& context) {
    MailPage mail;
    std::string page = context.templates->Theme(theme);

    page = ReplacePlaceholder(page, "@PX_YIELDTEXT@", YieldText(recipe));
    page = ReplacePlaceholder(page, "@PX_CUISINE@", SanitizeField(recipe.Cuisine));
    page = ReplacePlaceholder(page, "@PX_MAINING@", SanitizeField(recipe.PrimaryIngredient));
    page = ReplacePlaceholder(page, "@PX_RECIPETITLE@", SanitizeField(recipe.Title));

    const std::string star = StarNumber(recipe.TasteRating);
    std::string rating;
    if (star != "0") {
        rating = std::string("<IMG SRC='cid:") + kRatingImageContentId + "'>";
        mail.usesRatingImage = true;
        mail.ratingImageFile = context.imagesFolder + "/star" + star + ".gif";
    }
    page = ReplacePlaceholder(page, "@PX_RATINGIMG@", rating);

    page = ReplacePlaceholder(page, "@PX_INSTRUCTIONS@", SanitizeField(recipe.Instructions));
    page = ReplacePlaceholder(page, "@PX_KEYWORDS@", KeywordText(recipe, true, false));

    std::string picture;
    const std::string pictureName = Trim(recipe.PictureFile1);
    if (!pictureName.empty()) {
        picture = std::string("<IMG SRC='cid:") + kRecipeImageContentId + "'>";
        mail.usesPicture = true;
        mail.pictureFile = context.picturesFolder + "/" + pictureName;
    }
    page = ReplacePlaceholder(page, "@PX_PICTURE1@", picture);
    page = ReplacePlaceholder(page, "@PX_INGREDIENTTABLE@", IngredientTable(recipe));
    page = FillNutrition(std::move(page), recipe, includeNutrition, context);
    mail.html = SanitizeMarkup(page);
    if (HasJsonLd(recipe)) mail.html += RecipeJsonLdScript(recipe);
    return mail;
}

std::string ViewTabDocument(const std::string& page) {
    return "<HTML><HEAD><style type='text/css'>a.microsoft:link { color: blue; text-decoration: "
           "none }a.microsoft:active{ color: blue; text-decoration: none }"
           "a.microsoft:visited        { color: blue; text-decoration: none }   a.microsoft:hover "
           "        { color: crimson; text-decoration: underline }"
           "a.netscape:link            { color: green; text-decoration: none }  a.netscape:active "
           "        { color: green; text-decoration: none }"
           "a.netscape:visited        { color: green; text-decoration: none }   a.netscape:hover  "
           "       { color: gold; text-decoration: underline } </style>"
           "</HEAD><BODY>" +
           page + "</BODY></HTML>";
}

}  // namespace pantrio
