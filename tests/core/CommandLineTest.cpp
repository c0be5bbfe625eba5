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
    for (const char* word : {".rxf", ".crb", ".sxf", "--data-root", "--screenshot", "--help"})
        EXPECT_NE(usage.find(word), std::string::npos) << word;
}

}  // namespace
}  // namespace pantrio
