#include <gtest/gtest.h>

#include "core/CommandLine.h"

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

}  // namespace
}  // namespace pantrio
