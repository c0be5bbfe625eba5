#include "core/ServiceController.h"

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <utility>

#include "base/Text.h"
#include "core/MainDialog.h"
#include "core/RecipePosting.h"
#include "recipe/Recipe.h"
#include "render/RenderRecipePage.h"
#include "search/FindCriteria.h"

namespace pantrio {

ServiceController::ServiceController(ControllerContext context, ServiceClient client)
    : context_(context), client_(std::move(client)) {}

ServiceAddresses ServiceController::ConfiguredService() const {
    return context_.main.Web().Service();
}

std::string ServiceController::Failure(const ServiceResponse& response, const std::string& what) {
    if (response.status == 0) return "The recipe service could not be reached: " + response.error;
    if (response.status == 403)
        return "The recipe service refused " + what +
               " (HTTP 403): it asks for a posting password; give the right one with "
               "--password-file.";
    if (response.Ok()) return {};
    return Format("The recipe service refused %s (HTTP %d).", what.c_str(), response.status);
}

ServiceController::PostResult ServiceController::Post(const ServiceAddresses& service, int recipeID,
                                                      const std::string& password) {
    PostResult result;
    RecipeController& recipes = context_.main.Recipes();
    if (!recipes.MakeCurrent(recipeID)) {
        result.error = Format("There is no recipe %d in the box.", recipeID);
        return result;
    }
    const Recipe& recipe = recipes.Current();
    // The window's rule: a recipe goes out rated.
    if (recipe.UniqueID <= 0 && (recipe.TasteRating <= 0 || recipe.AffordableRating <= 0 ||
                                 recipe.AppearanceRating <= 0 || recipe.EffortRating <= 0)) {
        result.error = "Please rate this recipe before posting.";
        return result;
    }
    RenderContext render = recipes.MakeRenderContext();
    const PostingFields fields = MakePostingFields(recipe, recipes.ViewTheme(), render);
    ServiceClient::Fields form = {{"title", fields.title},
                                  {"recipehtml", fields.recipehtml},
                                  {"recipexml", fields.recipexml}};
    if (!password.empty()) form.emplace_back("password", password);

    const ServiceResponse response = client_.PostForm(service.PostRecipe(), form);
    result.error = Failure(response, "the recipe");
    if (!result.error.empty()) return result;
    const std::optional<std::string> number = AssignedNumberText(response.body);
    const std::string trimmed = number ? Trim(*number) : std::string();
    // A number the recipe can hold, nothing else.
    if (trimmed.empty() || trimmed.size() > 9 ||
        trimmed.find_first_not_of("0123456789") != std::string::npos ||
        std::strtol(trimmed.c_str(), nullptr, 10) <= 0) {
        result.error = "The recipe service's answer holds no recipe number; nothing was stored.";
        return result;
    }
    result.number = trimmed;
    // The same step as the View tab's when the answer page arrives: a recipe
    // posted before keeps its number.
    const bool revision = recipe.UniqueID > 0;
    result.stored = !revision && recipes.StoreServiceNumber(trimmed);
    if (!revision && !result.stored) {
        result.error = "The box did not take the recipe number " + trimmed + ".";
        return result;
    }
    result.ok = true;
    return result;
}

bool ServiceController::Search(const ServiceAddresses& service, const FindCriteria& criteria,
                               std::vector<SearchHit>& hits, std::string& error) {
    hits.clear();
    const ServiceResponse response = client_.Get(service.Search(criteria), "application/json");
    error = Failure(response, "the search");
    if (!error.empty()) return false;
    const nlohmann::json answer = nlohmann::json::parse(response.body, nullptr, false);
    if (answer.is_discarded() || !answer.is_object() || !answer.contains("results") ||
        !answer["results"].is_array()) {
        error = "The recipe service did not answer with a list of recipes.";
        return false;
    }
    for (const nlohmann::json& hit : answer["results"]) {
        if (!hit.is_object() || !hit.contains("id") || !hit["id"].is_number_integer()) continue;
        SearchHit found;
        found.number = hit["id"].get<long>();
        if (hit.contains("title") && hit["title"].is_string())
            found.title = hit["title"].get<std::string>();
        hits.push_back(std::move(found));
    }
    return true;
}

PageImportResult ServiceController::Import(const ServiceAddresses& service, long number,
                                           std::string& error) {
    const ServiceResponse response = client_.Get(service.RecipePage(number));
    if (response.status == 404) {
        error = Format("The recipe service has no recipe %ld.", number);
        return {};
    }
    error = Failure(response, "the recipe page");
    if (!error.empty()) return {};
    return context_.main.Web().ImportPage(response.body);
}

}  // namespace pantrio
