// The window hears one "open box changed" notification for every command
// that opens another box or brings recipes into the open one, and none for
// listing or showing recipes of the box already open.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/CommandsFixture.h"
#include "core/MainCommands.h"

namespace pantrio::test {
namespace {

class OpenBoxChanged;

struct BoxChangeCase {
    const char* what;
    std::function<void(OpenBoxChanged&, MainDialog&)> act;
    int notifications;
};

class OpenBoxChanged : public CommandsFixture, public ::testing::WithParamInterface<BoxChangeCase> {
public:
    std::string OtherBox() const { return dataRoot + "/Rbox/other.crb"; }
    using CommandsFixture::prompter;
    using CommandsFixture::StandardBox;
    using CommandsFixture::view;
};

const BoxChangeCase kCases[] = {
    {"File / Open Recipe Box",
     [](OpenBoxChanged& t, MainDialog& d) {
         t.prompter.fileNames = {t.OtherBox()};
         d.RunCommand(command::kOpenRecipeBox);
     },
     1},
    {"File / New Recipe Box",
     [](OpenBoxChanged& t, MainDialog& d) {
         t.prompter.texts = {std::string("fresh")};
         d.RunCommand(command::kNewRecipeBox);
     },
     1},
    {"showing a recipe of another box",
     [](OpenBoxChanged& t, MainDialog& d) { d.Recipes().ShowRecipe(1, t.OtherBox(), false); }, 1},
    {"importing recipes of another box",
     [](OpenBoxChanged& t, MainDialog& d) {
         t.prompter.answers = {Answer::Yes};
         t.prompter.fileNames = {t.OtherBox()};
         t.view.tickRows = std::vector<int>{0};
         d.RunCommand(command::kImportRecipeBox);
     },
     1},
    {"showing a recipe of the open box",
     [](OpenBoxChanged& t, MainDialog& d) { d.Recipes().ShowRecipe(1, t.StandardBox(), false); },
     0},
    {"listing every recipe", [](OpenBoxChanged&, MainDialog& d) { d.Results().FillAllRecipes(); },
     0},
};

TEST_P(OpenBoxChanged, IsAnnouncedOncePerChangeOfTheBox) {
    const BoxChangeCase& c = GetParam();
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(temp.CreateDatabase(OtherBox(), "recipebox.sql"));
    AddRecipes(OtherBox(), {"Stew", "Pie"});
    AddRecipes(StandardBox(), {"Soup"});
    MainDialog& d = Start();
    const int before = view.boxChanges;
    c.act(*this, d);
    EXPECT_EQ(view.boxChanges - before, c.notifications);
}

INSTANTIATE_TEST_SUITE_P(Commands, OpenBoxChanged, ::testing::ValuesIn(kCases));

}  // namespace
}  // namespace pantrio::test
