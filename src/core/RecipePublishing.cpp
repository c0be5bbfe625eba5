#include "core/RecipePublishing.h"

#include "base/Prompter.h"
#include "base/Text.h"
#include "render/Publishing.h"

namespace pantrio {

int PublishRecipes(const std::vector<int>& recipeIDs, PublishEnvironment& environment,
                   Prompter& prompter) {
    if (recipeIDs.empty()) {
        prompter.Message(
            "No recipes selected.  Please select the recipes you'd like to export in the recipe "
            "results window.");
        return -1;
    }
    const auto includeNutrition = [&prompter] {
        return prompter.Message(
                   "Would you like a nutrition facts box published with these "
                   "recipes?",
                   "Show nutrition box?", Buttons::YesNo, MessageIcon::Question) == Answer::Yes;
    };
    const PublishReport report = WritePublishedSite(recipeIDs, environment, includeNutrition);
    if (!report.folderMade) {
        prompter.Message("Could not create file in " + report.publishFolder);
        return -1;
    }
    for (const std::string& path : report.unwritten)
        prompter.Message("Could not create file in " + path);
    if (!report.templateError.empty())
        prompter.Message(report.templateError, "Open", Buttons::OK, MessageIcon::Error);

    std::string message =
        "Your recipes can be found in " + report.publishFolder +
        "\r\n\r\nSimply FTP the contents of this folder and its subfolders to your website, and "
        "you're done!\r\n\r\nPeople viewing your recipes will be able to import them instantly "
        "into Pantrio simply by viewing your page from Pantrio's web browser and clicking the "
        "'Import' button";
    // The service's name and forum are only mentioned when one is set up.
    if (Trim(environment.serviceURL).empty()) {
        message += ".";
    } else {
        message += ", just like on " + environment.serviceName +
                   "!  Want us to link to your recipe website?  Simply post a note announcing "
                   "your own Pantrio-enabled website on our forums at " +
                   environment.serviceURL + "/forums, be sure to link to " +
                   environment.serviceName + ", and we'll add you in our new links section.";
    }
    prompter.Message(message);
    return report.written;
}

}  // namespace pantrio
