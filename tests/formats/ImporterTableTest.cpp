// Which importer the table picks for a file: by extension, and for .txt by
// what the file holds; rows added at run time take part like the built-in ones.
#include <gtest/gtest.h>

#include <fstream>

#include "formats/ImportProgress.h"
#include "formats/ImporterTable.h"
#include "storage/RecipeDB.h"
#include "support/TestDatabases.h"

namespace pantrio {
namespace {

class ImporterTableTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = root.PathOf(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    // The id of the row picked for the file, or "none".
    std::string Picked(const std::string& path) const {
        const ImporterRow* row = table.ForFile(path);
        return row != nullptr ? row->id : "none";
    }

    test::TempDataRoot root{false};
    ImporterTable table = ImporterTable::Standard();
};

TEST_F(ImporterTableTest, PicksByExtensionThenByContent) {
    struct Case {
        const char* name;
        const char* content;
        const char* expected;
    };
    const Case cases[] = {
        {"a.rxf", "", "rxf"},
        {"b.MMF", "", "mealmaster"},
        {"c.mm", "", "mealmaster"},
        {"d.Mxp", "", "mastercook"},
        {"e.txt", "MMMMM----- Recipe via Meal-Master (tm) v8.05\n", "mealmaster"},
        {"f.TXT", "---------- Recipe via Meal-Master\n", "mealmaster"},
        // MasterCook is asked first, so its banner wins over MealMaster's marks.
        {"h.txt", "* Exported from MasterCook *\nMMMMM\n", "mastercook"},
        {"i.txt", "a shopping list\n", "none"},
        {"l.MX2", "", "mx2"},
        {"m.txt", "<?xml version=\"1.0\"?>\n<mx2 source=\"x\">", "mx2"},
        {"n.html", "", "webpage"},
        {"o.HTM", "", "webpage"},
        {"p.json", "", "webpage"},
        {"j.crb", "", "none"},
        {"k", "MMMMM\n", "none"},
    };
    for (const Case& c : cases) EXPECT_EQ(Picked(Write(c.name, c.content)), c.expected) << c.name;
    EXPECT_EQ(Picked(root.PathOf("missing.txt")), "none");
    EXPECT_EQ(table.Find("mastercook")->id, "mastercook");
    EXPECT_EQ(table.Find("mx2")->id, "mx2");
    EXPECT_EQ(table.Find("mxp"), nullptr);
}

TEST_F(ImporterTableTest, ARowAddedAtRunTimeIsPickedLikeTheOthers) {
    int calls = 0;
    ImporterRow fake{"fake",
                     {".fake"},
                     {".txt"},
                     [](std::string_view head) { return head.find("FAKE FORMAT") == 0; },
                     [&](const std::string&, RecipeDB&, ImportProgress&, const ImportOptions&) {
                         ++calls;
                         return ImportSummary{};
                     }};
    table.Add(fake);
    EXPECT_EQ(Picked(Write("a.fake", "")), "fake");
    EXPECT_EQ(Picked(Write("b.txt", "FAKE FORMAT\n")), "fake");
    EXPECT_EQ(Picked(Write("c.txt", "MMMMM\n")), "mealmaster");

    // A row with a known id replaces that row.
    fake.id = "mealmaster";
    fake.extensions = {".mmf"};
    table.Add(fake);
    EXPECT_EQ(Picked(Write("c.mm", "")), "none");
    RecipeDB unused;
    RecordingProgress progress;
    table.ForFile(Write("d.mmf", ""))->import("", unused, progress, {});
    EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace pantrio
