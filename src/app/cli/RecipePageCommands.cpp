// Commands that show recipes as the program's pages do: render (the HTML
// page), text (the plain-text form) and publish (the folder of pages).
#include <cstdlib>
#include <ostream>

#include "app/cli/CliContext.h"
#include "app/cli/Command.h"
#include "base/Text.h"
#include "render/RenderRecipePage.h"
#include "render/RenderRecipeText.h"

namespace pantrio::cli {

namespace {

// Loads recipe `id` of the open box with its lines and keywords, without
// stamping it as viewed.
bool LoadRecipe(CliContext& context, long id, Recipe& recipe) {
    MainDialog& dialog = context.dialog();
    if (!dialog.Recipes().LoadRecipe(static_cast<int>(id), recipe)) {
        context.err() << "No recipe number " << id << " in " << dialog.Boxes().CookbookPath()
                      << ".\n";
        return false;
    }
    return true;
}

int RunRender(CliContext& context, const std::vector<std::string>& arguments) {
    long id = 0, theme = -1;
    bool nutrition = false, published = false, haveId = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--theme" && i + 1 < arguments.size()) {
            if (!ParseNumber(arguments[++i], 0, 7, theme)) return kExitUsage;
        } else if (a == "--nutrition") {
            nutrition = true;
        } else if (a == "--published") {
            published = true;
        } else if (!haveId && ParseNumber(a, 1, 0x7fffffff, id)) {
            haveId = true;
        } else {
            return kExitUsage;
        }
    }
    if (!haveId) return kExitUsage;
    if (!context.LoadSettings() || !context.OpenBox()) return kExitFailure;
    MainDialog& dialog = context.dialog();
    if (nutrition && !context.OpenSupport()) return kExitFailure;
    Recipe recipe;
    if (!LoadRecipe(context, id, recipe)) return kExitFailure;
    const int chosen = theme >= 0 ? static_cast<int>(theme) : dialog.Recipes().ViewTheme();
    RecipePageOptions options = published ? RecipePageOptions::PublishedPage(chosen, nutrition)
                                          : RecipePageOptions::ViewTab(chosen);
    options.IncludeNutrition = nutrition;
    // A page on standard output copies no picture anywhere.
    options.CopyPicture = false;
    RenderContext render = dialog.Recipes().MakeRenderContext();
    context.out() << RenderRecipePage(recipe, options, render);
    return kExitOk;
}

int RunText(CliContext& context, const std::vector<std::string>& arguments) {
    long id = 0, width = 80;
    bool haveId = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--width" && i + 1 < arguments.size()) {
            if (!ParseNumber(arguments[++i], 1, 100000, width)) return kExitUsage;
        } else if (!haveId && ParseNumber(arguments[i], 1, 0x7fffffff, id)) {
            haveId = true;
        } else {
            return kExitUsage;
        }
    }
    if (!haveId) return kExitUsage;
    if (!context.LoadSettings() || !context.OpenBox()) return kExitFailure;
    Recipe recipe;
    if (!LoadRecipe(context, id, recipe)) return kExitFailure;
    context.out() << RenderRecipeText(recipe, static_cast<int>(width));
    return kExitOk;
}

// Answers the publishing question about the nutrition box as the command
// line said, and hands every other message to the command line's prompter.
class PublishPrompter : public Prompter {
public:
    PublishPrompter(Prompter& inner, bool nutrition) : inner_(inner), nutrition_(nutrition) {}
    Answer Message(const std::string& text, const std::string& caption, Buttons buttons,
                   MessageIcon icon) override {
        if (StartsWith(text, "Would you like a nutrition facts box"))
            return nutrition_ ? Answer::Yes : Answer::No;
        return inner_.Message(text, caption, buttons, icon);
    }
    std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                       const std::string& initial) override {
        return inner_.AskText(caption, prompt, initial);
    }
    std::optional<std::string> OpenFile(const std::string& title, const std::string& filter,
                                        const std::string& startFolder) override {
        return inner_.OpenFile(title, filter, startFolder);
    }
    std::optional<std::string> SaveFile(const std::string& title, const std::string& filter,
                                        const std::string& suggestedName) override {
        return inner_.SaveFile(title, filter, suggestedName);
    }

private:
    Prompter& inner_;
    bool nutrition_;
};

int RunPublish(CliContext& context, const std::vector<std::string>& arguments) {
    bool nutrition = false;
    std::vector<int> ids;
    for (const std::string& a : arguments) {
        long id = 0;
        if (a == "--nutrition") {
            nutrition = true;
        } else if (ParseNumber(a, 1, 0x7fffffff, id)) {
            ids.push_back(static_cast<int>(id));
        } else {
            return kExitUsage;
        }
    }
    if (ids.empty()) return kExitUsage;
    if (!context.LoadSettings() || !context.OpenBox() || !context.OpenSupport())
        return kExitFailure;
    MainDialog& dialog = context.dialog();
    for (const int id : ids) {
        Recipe check;
        if (!LoadRecipe(context, id, check)) return kExitFailure;
    }
    PublishPrompter prompter(dialog.prompter(), nutrition);
    const int pages = dialog.Boxes().Publish(ids, prompter);
    if (pages < static_cast<int>(ids.size())) return kExitFailure;
    context.out() << dialog.Boxes().PublishIndexPath() << "\n";
    return kExitOk;
}

}  // namespace

void AddRecipePageCommands(std::vector<Command>& table) {
    table.push_back({"render", "ID [--theme N] [--nutrition] [--published]",
                     "print a recipe's page (HTML) as the View tab or a published page shows it",
                     RunRender});
    table.push_back({"text", "ID [--width N]",
                     "print a recipe as plain text, wrapped at N characters (default 80)",
                     RunText});
    table.push_back({"publish", "[--nutrition] ID...",
                     "publish recipes as pages in the Publish folder; prints the index page",
                     RunPublish});
}

}  // namespace pantrio::cli
