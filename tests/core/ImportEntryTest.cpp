// The one way in for every import: the menu commands pick an importer row by
// its id, the command line lets the table pick it by the file; both run the
// row's importer on the open box with the user's options and show its notices.
#include <fstream>

#include "base/Text.h"
#include "core/CommandsFixture.h"
#include "formats/ImportProgress.h"
#include "formats/ImportStoring.h"
#include "support/TestDatabases.h"

namespace pantrio::test {
namespace {

class ImportEntry : public CommandsFixture {
protected:
    // A format of our own: a file holds one title per line; each becomes a
    // recipe, and the importer says in a notice how many it read.
    void AddFakeFormat(MainDialog& d) {
        ImporterRow row{
            "fake",
            {".fake"},
            {},
            nullptr,
            [this](const std::string& path, RecipeDB& box, ImportProgress& window,
                   const ImportOptions& options) {
                longFormSeen.push_back(options.longFormUnits);
                ImportSummary summary;
                std::ifstream in(path);
                for (std::string title; std::getline(in, title);) {
                    Recipe recipe;
                    recipe.Title = title;
                    StoreImportedRecipe(recipe, box, window, summary);
                }
                summary.notices.push_back({Format("%ld read", summary.stored + summary.notStored),
                                           "Fake", ImportNotice::Kind::Information});
                return summary;
            }};
        d.Boxes().Importers().Add(row);
    }
    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = temp.PathOf(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    std::vector<bool> longFormSeen;
    RecordingProgress window;
};

TEST_F(ImportEntry, AFormatAddedAtRunTimeImportsThroughTheMenuAndTheCommandLinePaths) {
    MainDialog& d = Start({"UILF=1"});
    AddFakeFormat(d);

    // The command line's path: the table picks the row by the file.
    ImportSummary summary =
        d.Boxes().ImportFile(Write("two.fake", "Fake Stew\nFake Pie\n"), window);
    EXPECT_FALSE(summary.unknownFormat);
    EXPECT_EQ(summary.stored, 2);
    EXPECT_EQ(summary.newRecipeIDs, (std::vector<int>{1, 2}));
    EXPECT_EQ(Column(StandardBox(), 2, "Title"), "Fake Pie");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "2 read");
    EXPECT_EQ(prompter.shown[0].caption, "Fake");
    EXPECT_EQ(prompter.shown[0].icon, MessageIcon::Information);

    // The menu's path: the command names its row, whatever the file is called.
    summary = d.Boxes().ImportFileAs("fake", Write("three.txt", "Fake Pie\nFake Tart\n"), window);
    EXPECT_EQ(summary.stored, 1);
    EXPECT_EQ(summary.duplicates, 1);
    EXPECT_EQ(Column(StandardBox(), 3, "Title"), "Fake Tart");
    EXPECT_EQ(prompter.Messages().back(), "2 read");
    EXPECT_EQ(longFormSeen, (std::vector<bool>{true, true}));

    // A file no row claims is left alone and said so.
    prompter.shown.clear();
    EXPECT_TRUE(d.Boxes().ImportFile(Write("notes.doc", "Fake Soup\n"), window).unknownFormat);
    EXPECT_TRUE(
        d.Boxes().ImportFileAs("cookn", Write("x.dbf", "Fake Soup\n"), window).unknownFormat);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(Column(StandardBox(), 4, "Title"), "");
}

TEST_F(ImportEntry, AnExchangeFileFromOutsideIsImportedOnlyWhenTheUserAgrees) {
    MainDialog& d = Start();
    const std::string path = std::string(PANTRIO_TEST_DATA_DIR) + "/rxf/single_recipe.rxf";
    prompter.answers = {Answer::Cancel};
    EXPECT_EQ(d.Boxes().ImportExchangeFile(path), -1);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
              "Would you like to import " + path + " into your recipe box?");
    EXPECT_EQ(prompter.shown[0].caption, "Import Recipe into Pantrio");
    EXPECT_EQ(prompter.shown[0].buttons, Buttons::OKCancel);
    EXPECT_EQ(Column(StandardBox(), 1, "Title"), "");

    prompter.answers = {Answer::OK};
    EXPECT_EQ(d.Boxes().ImportExchangeFile(path), 0);
    EXPECT_EQ(Column(StandardBox(), 1, "Title"), "Buttermilk Pancakes");
    EXPECT_EQ(prompter.Messages().back(),
              "The recipe 'Buttermilk Pancakes' has been successfully imported to your recipe "
              "box.  You may need to refresh to view it.");
}

}  // namespace
}  // namespace pantrio::test
