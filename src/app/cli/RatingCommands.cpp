// rate: rates a recipe of the box as the rating dialog's OK does, and sends
// the rating to the recipe service when the recipe came from it.
#include <optional>
#include <ostream>

#include "app/cli/CliContext.h"
#include "app/cli/Command.h"
#include "core/RatingController.h"
#include "core/ServiceAddresses.h"
#include "core/ServiceClient.h"

namespace pantrio::cli {

namespace {

struct RateArguments {
    int id = 0;
    std::optional<long> ratings[kRatingScales];
    std::optional<std::string> comment, service;
    std::optional<long> active, total;
    MakeAgain made = MakeAgain::NotTried;
    bool share = true;
};

// The scale an option names; -1 for none.
int ScaleOption(const std::string& option) {
    const struct {
        const char* name;
        RatingScale scale;
    } options[] = {
        {"--taste", RatingScale::Taste},
        {"--appearance", RatingScale::Appearance},
        {"--ease", RatingScale::Effort},
        {"--cost", RatingScale::Affordability},
    };
    for (const auto& o : options)
        if (option == o.name) return static_cast<int>(o.scale);
    return -1;
}

// False, after saying why, on anything the command does not take.
bool ParseRateArguments(const std::vector<std::string>& arguments, RateArguments& out,
                        std::ostream& err) {
    bool haveID = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        long number = 0;
        if (a == "--no-share") {
            out.share = false;
            continue;
        }
        if (a.rfind("--", 0) != 0) {
            if (haveID || !ParseNumber(a, 1, 0x7fffffff, number)) {
                err << "Not a recipe number: " << a << "\n";
                return false;
            }
            out.id = static_cast<int>(number);
            haveID = true;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            err << a << " needs a value.\n";
            return false;
        }
        const std::string& value = arguments[++i];
        if (const int scale = ScaleOption(a); scale >= 0) {
            if (!ParseNumber(value, 0, kStars, number)) {
                err << a << " takes a whole number of stars from 0 to 5, not " << value << ".\n";
                return false;
            }
            out.ratings[scale] = number;
        } else if (a == "--made" && (value == "yes" || value == "no")) {
            out.made = value == "yes" ? MakeAgain::Yes : MakeAgain::No;
        } else if (a == "--comment") {
            out.comment = value;
        } else if ((a == "--active" || a == "--total") && ParseNumber(value, 0, 10000000, number)) {
            (a == "--active" ? out.active : out.total) = number;
        } else if (a == "--service") {
            out.service = value;
        } else {
            err << "Unknown option or value: " << a << " " << value << "\n";
            return false;
        }
    }
    if (!haveID) {
        err << "Which recipe? Give its number.\n";
        return false;
    }
    for (const auto& rating : out.ratings)
        if (!rating) {
            err << "Give all four ratings: --taste, --appearance, --ease and --cost.\n";
            return false;
        }
    return true;
}

int RunRate(CliContext& context, const std::vector<std::string>& arguments) {
    RateArguments args;
    if (!ParseRateArguments(arguments, args, context.err())) return kExitUsage;
    if (!context.LoadSettings() || !context.OpenBox()) return kExitFailure;
    MainDialog& dialog = context.dialog();
    if (!dialog.Recipes().MakeCurrent(args.id)) {
        context.err() << "No recipe number " << args.id << " in " << dialog.Boxes().CookbookPath()
                      << ".\n";
        return kExitFailure;
    }

    RatingController& rating = dialog.Rating();
    RatingForm form = rating.Open();
    for (int scale = 0; scale < kRatingScales; ++scale)
        form.ratings[scale] = static_cast<double>(*args.ratings[scale]);
    form.makeAgain = args.made;
    if (args.comment) form.comments = *args.comment;
    if (args.active) {
        form.activeHours = "0";
        form.activeMinutes = std::to_string(*args.active);
    }
    if (args.total) {
        form.totalHours = "0";
        form.totalMinutes = std::to_string(*args.total);
    }
    form.share = args.share;
    const ServiceAddresses service =
        args.service ? ServiceAddresses(*args.service) : dialog.Web().Service();
    const RatingResult result = rating.Ok(form, service);
    if (result.outcome == RatingOutcome::NotStored) return kExitFailure;
    if (result.outcome != RatingOutcome::Sharing) return kExitOk;

    // The count of shared ratings is kept with the settings.
    dialog.SaveSettings();
    const ServiceResponse answer = ServiceClient().Get(result.address);
    if (answer.Ok()) {
        context.out() << "Sent to " << dialog.ServiceName() << ".\n";
        return kExitOk;
    }
    context.err() << "Could not send the rating to " << dialog.ServiceName() << " at "
                  << service.Base() << ": "
                  << (answer.status != 0 ? "the service answered " + std::to_string(answer.status)
                                         : "no answer (" + answer.error + ")")
                  << ". The rating is stored in the recipe box.\n";
    return kExitFailure;
}

}  // namespace

void AddRatingCommands(std::vector<Command>& table) {
    table.push_back(
        {"rate", "ID --taste N --appearance N --ease N --cost N [options]",
         "rate a recipe, 0-5 stars each (--comment TEXT --made yes|no --active MIN --total MIN "
         "--no-share --service URL); a recipe from the recipe service sends its rating there",
         RunRate});
}

}  // namespace pantrio::cli
