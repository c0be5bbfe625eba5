// The command table: its layouts name every command once, its rules grey
// commands by the state of the window's logic, and commands that need a
// recipe say so through the prompter instead of running.
#include <map>
#include <set>

#include "core/CommandsFixture.h"
#include "core/MainCommands.h"

namespace pantrio::test {
namespace {

using Kind = LayoutItem::Kind;

class CommandTable : public CommandsFixture {};

// How often each command appears in a layout; fails on unbalanced sub-menus.
std::map<int, int> CountCommands(const std::vector<LayoutItem>& layout) {
    std::map<int, int> counts;
    int depth = 0;
    for (const LayoutItem& item : layout) {
        if (item.kind == Kind::Command) ++counts[item.id];
        if (item.kind == Kind::BeginMenu) ++depth;
        if (item.kind == Kind::EndMenu) {
            EXPECT_GE(--depth, 0);
        }
    }
    EXPECT_EQ(depth, 0);
    return counts;
}

TEST(CommandTableLayouts, EveryEntryHasOnePlaceAndEveryPlaceAnEntry) {
    const std::map<int, int> bar = CountCommands(MenuBarLayout());
    const std::map<int, int> tools = CountCommands(ToolBarLayout());
    const std::map<int, int> context = CountCommands(ContextMenuLayout());
    std::set<int> ids;
    for (const MainCommand& c : MainCommands()) {
        SCOPED_TRACE(c.id);
        EXPECT_TRUE(ids.insert(c.id).second) << "listed twice";
        const int inMenus =
            (bar.count(c.id) ? bar.at(c.id) : 0) + (context.count(c.id) ? context.at(c.id) : 0);
        EXPECT_EQ(inMenus, *c.menuText != '\0' ? 1 : 0);
        EXPECT_EQ(tools.count(c.id) ? tools.at(c.id) : 0, *c.toolbarText != '\0' ? 1 : 0);
    }
    for (const auto* layout : {&bar, &tools, &context})
        for (const auto& [id, count] : *layout) EXPECT_TRUE(ids.count(id)) << id;
}

TEST(CommandTableLayouts, TheServiceNameIsPutIntoItsEntries) {
    const MainCommand* find = CommandEntry(command::kFindOnService);
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(MenuCaption(*find, "Cooks & Co"), "Find on Cooks && Co");
    EXPECT_EQ(MenuCaption(*CommandEntry(command::kExit), "Cooks"), "E&xit");
    EXPECT_EQ(CommandEntry(4711), nullptr);
}

TEST_F(CommandTable, RulesGreyCommandsByTheOpenBox) {
    AddRecipes(StandardBox(), {"Apple"});
    MainDialog& d = Start();
    using namespace command;
    const struct {
        int id;
        bool withBox, withoutBox;
    } cases[] = {
        {kOpenRecipeBox, true, true},  {kNewRecipeBox, true, true},
        {kAbout, true, true},          {kFindRecipes, true, false},
        {kClearMarks, true, false},    {kImportRecipeFile, true, false},
        {kAddToCalendar, true, false}, {kPostRecipe, true, false},
        {kRate, true, false},          {32865, true, false},  // "@&Favorite"
        {kPrint, true, true},          {kNewRecipe, true, false},
        {kSend, true, false},          {kAddToShoppingList, true, false},
        {kClearMealPlan, true, true},  {kMarkRecipe, false, false},
        {4711, false, false},
    };
    for (const auto& c : cases) EXPECT_EQ(d.CommandEnabled(c.id), c.withBox) << c.id;
    // A greyed command is not run, whatever triggers it.
    EXPECT_FALSE(d.RunCommand(kMarkRecipe));

    // A box that cannot be opened leaves none open.
    EXPECT_FALSE(d.Boxes().OpenBox(dataRoot + "/Rbox/gone.crb"));
    prompter.shown.clear();
    for (const auto& c : cases) EXPECT_EQ(d.CommandEnabled(c.id), c.withoutBox) << c.id;
    view.queries.clear();
    EXPECT_FALSE(d.RunCommand(kClearMarks));
    EXPECT_TRUE(view.queries.empty());
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(CommandTable, CommandsThatNeedARecipeAskForOneFirst) {
    AddRecipes(StandardBox(), {"Apple", "Banana"});
    MainDialog& d = Start();
    d.Results().FillAllRecipes();
    using namespace command;
    for (const int id : {kAddToCalendar, kAddToCalendarContext, kFindOnService}) {
        SCOPED_TRACE(id);
        prompter.shown.clear();
        EXPECT_TRUE(d.RunCommand(id));
        EXPECT_EQ(prompter.Messages(), std::vector<std::string>{"Please select a recipe first."});
    }
    EXPECT_TRUE(view.addToCalendarOpenedWith.empty());

    // A selected row is enough for the calendar; the shown recipe for the
    // commands about it.
    prompter.shown.clear();
    view.Select({1});
    EXPECT_TRUE(d.RunCommand(kAddToCalendarContext));
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(view.addToCalendarOpenedWith.size(), 1u);
    EXPECT_FALSE(d.RequireRecipe(CommandRule::NeedsCurrentRecipe));

    prompter.shown.clear();
    d.Recipes().OnRowSelected(1);
    EXPECT_TRUE(d.RequireRecipe(CommandRule::NeedsCurrentRecipe));
    EXPECT_TRUE(d.RunCommand(kFindOnService));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_NE(prompter.Messages()[0], "Please select a recipe first.");
}

}  // namespace
}  // namespace pantrio::test
