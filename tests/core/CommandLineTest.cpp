#include <gtest/gtest.h>

#include "core/CommandLine.h"
#include "core/DesktopArguments.h"

namespace pantrio {
namespace {

TEST(CommandLine, FirstNonSwitchArgumentSetsTheItemsItNames) {
    const CommandLine box =
        CommandLine::Parse({"-nosplash", "/dde", "/home/Cook/My Box.CRB", "x.rxf"});
    EXPECT_EQ(box.BoxFile, "/home/Cook/My Box.CRB") << "the path keeps its letter case";
    EXPECT_EQ(box.ImportFile, "") << "only the first argument counts";

    const CommandLine both = CommandLine::Parse({"odd.Crb.sxf"});
    EXPECT_EQ(both.BoxFile, "odd.Crb.sxf");
    EXPECT_EQ(both.ShoppingListFile, "odd.Crb.sxf");
    EXPECT_EQ(both.ImportFile, "");

    EXPECT_EQ(CommandLine::Parse({"/tmp/Pie.RXF"}).ImportFile, "/tmp/Pie.RXF");
    const CommandLine none = CommandLine::Parse({"notes.txt", "list.sxf"});
    EXPECT_EQ(none.ShoppingListFile, "");
    EXPECT_EQ(none.BoxFile, "");
}

TEST(DesktopArguments, OwnSwitchesAreTakenAndUnknownOnesRefused) {
    const DesktopArguments run = DesktopArguments::Parse(
        {"--data-root", "/tmp/root", "/dde", "Box.crb", "--screenshot", "shot.png"});
    EXPECT_TRUE(run.error.empty());
    EXPECT_FALSE(run.help);
    EXPECT_EQ(run.dataRoot, "/tmp/root");
    EXPECT_EQ(run.screenshot, "shot.png");
    EXPECT_EQ(run.rest, (std::vector<std::string>{"/dde", "Box.crb"}));

    EXPECT_TRUE(DesktopArguments::Parse({"x.rxf", "--help"}).help);
    EXPECT_TRUE(DesktopArguments::Parse({"-h"}).help);
    const struct {
        std::vector<std::string> arguments;
        const char* error;
    } refused[] = {
        {{"--verbose"}, "unknown option '--verbose'"},
        {{"-nosplash"}, "unknown option '-nosplash'"},
        {{"--data-root"}, "option '--data-root' needs a value"},
    };
    for (const auto& r : refused) EXPECT_EQ(DesktopArguments::Parse(r.arguments).error, r.error);
    // The usage names every argument it takes.
    const std::string usage = DesktopUsage("pantrio");
    for (const char* word : {".rxf", ".crb", ".sxf", "--data-root", "--screenshot", "--help",
                             "--cookbook-pdf", "--theme", "--title"})
        EXPECT_NE(usage.find(word), std::string::npos) << word;
}

TEST(DesktopArguments, TheToolkitsSwitchesAreLeftOutBeforeTheCheck) {
    EXPECT_EQ(WithoutToolkitSwitches({"-platform", "offscreen", "--style=Fusion", "-reverse",
                                      "--platform", "xcb", "-title", "Cook", "Box.crb", "--title",
                                      "Ours", "--bogus"}),
              (std::vector<std::string>{"Box.crb", "--title", "Ours", "--bogus"}));
    EXPECT_EQ(DesktopArguments::Parse(WithoutToolkitSwitches({"-platform", "offscreen", "--bogus"}))
                  .error,
              "unknown option '--bogus'");
}

TEST(DesktopArguments, CookbookTakesItsFileThemeTitleAndRecipeNumbers) {
    const DesktopArguments run = DesktopArguments::Parse(
        {"--cookbook-pdf", "out.pdf", "12", "--theme", "3", "Box.crb", "--title", "Our Food", "4"});
    EXPECT_TRUE(run.error.empty()) << run.error;
    EXPECT_EQ(run.cookbookPdf, "out.pdf");
    EXPECT_EQ(run.cookbookTheme, 3);
    EXPECT_EQ(run.cookbookTitle, "Our Food");
    EXPECT_EQ(run.cookbookRecipes, (std::vector<int>{12, 4}));
    EXPECT_EQ(run.rest, (std::vector<std::string>{"Box.crb"}));
    EXPECT_EQ(DesktopArguments::Parse({"--cookbook-pdf", "o.pdf", "1"}).cookbookTheme, -1);

    const struct {
        std::vector<std::string> arguments;
        const char* error;
    } refused[] = {
        {{"--cookbook-pdf", "o.pdf"}, "'--cookbook-pdf' needs recipe numbers"},
        {{"--cookbook-pdf", "o.pdf", "1", "--theme", "8"},
         "the theme must be a number from 0 to 7, not '8'"},
        {{"--cookbook-pdf", "o.pdf", "--theme", "x", "1"},
         "the theme must be a number from 0 to 7, not 'x'"},
        {{"--cookbook-pdf", "o.pdf", "0"}, "'0' is not a recipe number"},
        {{"--cookbook-pdf", "o.pdf", "pie"}, "'pie' is not a recipe number"},
        {{"--theme", "2"}, "option '--theme' belongs to '--cookbook-pdf'"},
        {{"--cookbook-pdf"}, "option '--cookbook-pdf' needs a value"},
    };
    for (const auto& r : refused) EXPECT_EQ(DesktopArguments::Parse(r.arguments).error, r.error);
}

}  // namespace
}  // namespace pantrio
