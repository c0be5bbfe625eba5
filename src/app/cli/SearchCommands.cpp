// Commands that fill the results list and change recipes from it: find,
// view, mark, unmark and keyword. Lists are printed one recipe a line as
// number TAB title TAB rating, in the list's order.
#include <cstdlib>
#include <filesystem>
#include <ostream>

#include "app/cli/CliContext.h"
#include "app/cli/Command.h"
#include "app/cli/OutputFields.h"
#include "core/FindController.h"
#include "recipe/Quantity.h"
#include "search/AllBoxesSearch.h"
#include "search/FindCriteria.h"
#include "search/KeywordStorage.h"
#include "search/ResultsModel.h"
#include "search/ViewQuery.h"

namespace pantrio::cli {

namespace {

bool ParseID(const std::string& text, int& id) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value <= 0 || value > 0x7fffffff) return false;
    id = static_cast<int>(value);
    return true;
}

// Runs a results statement on the open box and prints every row.
int PrintResults(CliContext& context, const std::string& statement) {
    MainDialog& dialog = context.dialog();
    const std::unique_ptr<ResultsModel> model = dialog.Results().MakeModel(&dialog.prompter());
    ResultsModel& list = *model;
    if (list.Fill(statement) != 0) {
        context.err() << "The recipes could not be listed.\n";
        return kExitFailure;
    }
    // Growing batches: the statement runs a few times, not once per batch.
    while (list.CanFetchMore())
        if (list.FetchMore() <= 0) break;
    for (long r = 0; r < list.TotalRows(); ++r) {
        const ResultRow* row = list.Row(r);
        if (row == nullptr) break;
        context.out() << row->recipeID << "\t" << OutputField(row->title) << "\t"
                      << row->RatingText() << "\n";
    }
    return kExitOk;
}

// Searches every recipe box and prints the rows as box TAB number TAB title
// TAB rating; the boxes that could not be read are named on stderr.
int PrintAllBoxes(CliContext& context, const FindCriteria& criteria) {
    MainDialog& dialog = context.dialog();
    const AllBoxesResult found =
        dialog.Results().SearchAllBoxes(FindController::AllBoxesFindQuery(criteria));
    for (const std::string& skipped : found.skipped)
        context.err() << "Skipped the recipe box " << skipped << ".\n";
    if (found.boxesSearched == 0) {
        context.err() << "No recipe box could be searched.\n";
        return kExitFailure;
    }
    for (const ResultRow& row : found.rows)
        context.out() << OutputField(BoxName(row.box)) << "\t" << row.recipeID << "\t"
                      << OutputField(row.title) << "\t" << row.RatingText() << "\n";
    return kExitOk;
}

int RunFind(CliContext& context, const std::vector<std::string>& arguments) {
    FindCriteria criteria;
    int keywords = 0, ingredients = 0;
    bool allBoxes = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--all-boxes") {
            allBoxes = true;
            continue;
        }
        if (a == "--begins") {
            criteria.titleBeginsWith = true;
            continue;
        }
        if (a == "--contains") {
            criteria.titleBeginsWith = false;
            continue;
        }
        if (i + 1 >= arguments.size()) return kExitUsage;
        const std::string& value = arguments[++i];
        if (a == "--title") {
            criteria.titleText = value;
        } else if (a == "--keyword") {
            if (keywords == 5) return kExitUsage;
            criteria.keywords[static_cast<std::size_t>(keywords++)] = value;
        } else if (a == "--ingredient") {
            if (ingredients == 5) return kExitUsage;
            criteria.ingredients[static_cast<std::size_t>(ingredients++)] = value;
        } else if (a == "--main") {
            criteria.mainIngredient = value;
        } else if (a == "--cuisine") {
            criteria.cuisine = value;
        } else if (a == "--min-taste") {
            criteria.minimumTaste = ParseQuantity(value);
        } else if (a == "--min-appearance") {
            criteria.minimumAppearance = ParseQuantity(value);
        } else if (a == "--min-effort") {
            criteria.minimumEffort = ParseQuantity(value);
        } else if (a == "--min-cost") {
            criteria.minimumAffordability = ParseQuantity(value);
        } else {
            return kExitUsage;
        }
    }
    if (!context.LoadSettings()) return kExitFailure;
    if (allBoxes) {
        // The open box is searched as one of all; a missing one is no failure.
        std::error_code error;
        if (std::filesystem::is_regular_file(context.BoxToOpen(), error)) context.OpenBox();
        return PrintAllBoxes(context, criteria);
    }
    if (!context.OpenBox()) return kExitFailure;
    return PrintResults(context, context.dialog().Find().LocalFindQuery(criteria));
}

int RunView(CliContext& context, const std::vector<std::string>& arguments) {
    static const struct {
        const char* name;
        const char* caption;
    } kViews[] = {{"all", "&All"},       {"recent", "&Recent"},       {"marked", "&Marked"},
                  {"today", "&Today"},   {"yesterday", "&Yesterday"}, {"last7", "Last &7"},
                  {"last30", "Last &30"}};
    if (arguments.empty()) return kExitUsage;
    const char* caption = nullptr;
    for (const auto& v : kViews)
        if (arguments[0] == v.name) caption = v.caption;
    if (caption == nullptr) return kExitUsage;
    std::string keyword = kInitialKeywordCaption;
    if (arguments.size() == 3 && arguments[1] == "--keyword") {
        keyword = arguments[2];
        // The keyword goes into the statement as the selector's fixed
        // captions do, so only those are taken.
        bool known = false;
        for (const SelectorEntry& entry : KeywordSelectorMenu())
            if (entry.caption == keyword) known = true;
        if (!known) {
            context.err() << "Unknown keyword view \"" << keyword << "\"; the views are:";
            for (const SelectorEntry& entry : KeywordSelectorMenu())
                context.err() << " \"" << entry.caption << "\"";
            context.err() << ".\n";
            return kExitUsage;
        }
    } else if (arguments.size() != 1) {
        return kExitUsage;
    }
    if (!context.LoadSettings() || !context.OpenBox()) return kExitFailure;
    return PrintResults(context, ViewQuery(caption, keyword, context.dialog().Today()));
}

int SetMark(CliContext& context, const std::vector<std::string>& arguments, bool mark) {
    int id = 0;
    if (arguments.size() != 1 || !ParseID(arguments[0], id)) return kExitUsage;
    if (!context.LoadSettings() || !context.OpenBox() || !context.OpenSupport())
        return kExitFailure;
    MainDialog& dialog = context.dialog();
    if (!dialog.Recipes().Exists(id)) {
        context.err() << "No recipe number " << id << " in " << dialog.Boxes().CookbookPath()
                      << ".\n";
        return kExitFailure;
    }
    return dialog.Recipes().SetMark(id, mark) ? kExitOk : kExitFailure;
}

int RunMark(CliContext& context, const std::vector<std::string>& arguments) {
    return SetMark(context, arguments, true);
}

int RunUnmark(CliContext& context, const std::vector<std::string>& arguments) {
    return SetMark(context, arguments, false);
}

int RunKeyword(CliContext& context, const std::vector<std::string>& arguments) {
    int id = 0;
    if (arguments.size() != 2 || !ParseID(arguments[0], id) || arguments[1].empty())
        return kExitUsage;
    if (!context.LoadSettings() || !context.OpenBox()) return kExitFailure;
    MainDialog& dialog = context.dialog();
    if (!dialog.Recipes().Exists(id)) {
        context.err() << "No recipe number " << id << " in " << dialog.Boxes().CookbookPath()
                      << ".\n";
        return kExitFailure;
    }
    const AssignKeywordResult result = dialog.Recipes().AssignKeywordTo(arguments[1], {id});
    return result.ok ? kExitOk : kExitFailure;
}

}  // namespace

void AddSearchCommands(std::vector<Command>& table) {
    table.push_back(
        {"find",
         "[--all-boxes] [--title T] [--begins|--contains] [--keyword K]... [--ingredient I]... "
         "[--main M] [--cuisine C] [--min-taste N] [--min-appearance N] "
         "[--min-effort N] [--min-cost N]",
         "find recipes (up to 5 keywords and 5 ingredients): number TAB title TAB "
         "rating; with --all-boxes in every recipe box: box TAB number TAB title TAB "
         "rating",
         RunFind});
    table.push_back({"view", "all|recent|marked|today|yesterday|last7|last30 [--keyword K]",
                     "list a view of the box as the results list shows it", RunView});
    table.push_back({"mark", "ID", "mark a recipe", RunMark});
    table.push_back({"unmark", "ID", "unmark a recipe", RunUnmark});
    table.push_back({"keyword", "ID KEYWORD", "give a recipe a keyword", RunKeyword});
}

}  // namespace pantrio::cli
