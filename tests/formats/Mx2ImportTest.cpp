// MasterCook MX2 import: every recipe of the corpus files is accounted for,
// and the fields of a file that fills them all land where they belong.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "formats/ImportFixture.h"
#include "support/Corpus.h"

namespace pantrio {
namespace {

class Mx2ImportTest : public test::ImportFixture {
protected:
    ImportSummary Import(const std::string& path) { return ImportAs("mx2", path); }
};

long CountOf(const std::string& path, const std::string& needle) {
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    long count = 0;
    for (std::size_t at = text.find(needle); at != std::string::npos;
         at = text.find(needle, at + 1))
        ++count;
    return count;
}

TEST_F(Mx2ImportTest, EveryCorpusRecipeIsAccountedFor) {
    const auto files = test::CorpusFiles("mastercook-mx2");
    if (files.empty()) GTEST_SKIP() << test::CorpusMissing("mastercook-mx2");
    long total = 0;
    for (const std::string& path : files) {
        SCOPED_TRACE(path);
        const long inFile = CountOf(path, "<RcpE");
        ASSERT_GT(inFile, 0);
        const ImportSummary summary = Import(path);
        EXPECT_EQ(summary.recipesFound, inFile);
        // Stored, or refused as a duplicate of a recipe of the same name.
        EXPECT_EQ(summary.stored + summary.duplicates, inFile);
        EXPECT_EQ(summary.notStored, summary.duplicates);
        total += summary.stored;
    }
    EXPECT_EQ(box.QueryNumber("Select Count(*) from Recipes"), total);
    // The largest file holds a hundred recipes with their lines.
    EXPECT_GE(total, 100);
    EXPECT_GT(box.QueryNumber("Select Count(*) from IngredientLines"), 500);
}

TEST_F(Mx2ImportTest, FieldsLandInTheirColumns) {
    // As MasterCook writes it: ISO-8859-1 text, character references for the
    // line ends in notes, empty ingredient rows, subtitles and text rows.
    const std::string mx2 =
        "<?xml version=\"1.0\" standalone=\"yes\" encoding=\"ISO-8859-1\"?>\r\n"
        "<!DOCTYPE mx2 SYSTEM \"mx2.dtd\">\r\n<mx2 source=\"MasterCook\" date=\"May 1, 2001\">\r\n"
        "<Summ><Nam>Cr\xE8me Caramel</Nam></Summ>\r\n"
        "<RcpE name=\"Cr\xE8me &amp; Caramel\" author=\"Ann\">\r\n<Serv qty=\"6\"/>"
        "<PrpT "
        "elapsed=\"1:15\"/>\r\n<CatS><CatT>\r\nDesserts\r\n</CatT><CatT>French</CatT></CatS>\r\n"
        "<IngR name=\"For the caramel\" code=\"S\"></IngR>\r\n<IngR code=\"S\"></IngR>\r\n"
        "<IngR name=\"sugar\" unit=\"cup\" qty=\"1 1/2\" code=\"I\"><IPrp>\r\nsifted\r\n</IPrp>"
        "<INtI>\r\n3219\r\n</INtI></IngR>\r\n<IngR name=\"eggs\" unit=\"\" qty=\"4\"></IngR>\r\n"
        "<DirS><DirT img=\"\">Melt the sugar.</DirT><DirT>\r\nBake.\r\n</DirT></DirS>\r\n"
        "<Desc>Silky.</Desc><Natn>French</Natn><Srce>The Big Book</Srce>"
        "<Yield unit=\"cups\" qty=\"3\"/><TTim elapsed=\"2:05\"/>"
        "<Note>Chill well.&#013;&#010;&#013;&#010;Keeps two days.</Note>"
        "<Wine>Sauternes</Wine></RcpE>\r\n<RcpE author=\"nobody\"></RcpE></mx2>\r\n";
    const ImportSummary summary = Import(Write("caramel.txt", mx2));
    EXPECT_EQ(summary.recipesFound, 2);
    ASSERT_EQ(summary.stored, 1);
    EXPECT_EQ(summary.notStored, 1) << "a recipe without a name";

    const Recipe recipe = Load(summary.newRecipeIDs[0]);
    EXPECT_EQ(recipe.Title, "Cr\xC3\xA8me & Caramel");
    EXPECT_EQ(recipe.YieldText, "6 Servings");
    EXPECT_EQ(recipe.ActiveMinutes, 75);
    EXPECT_EQ(recipe.TotalMinutes, 125);
    EXPECT_EQ(recipe.Source, "Ann, The Big Book");
    EXPECT_EQ(recipe.SubHead, "Silky.");
    EXPECT_EQ(recipe.Cuisine, "French");
    EXPECT_EQ(recipe.Instructions, "Melt the sugar.\r\nBake.");
    EXPECT_EQ(recipe.Notes, "Chill well.\r\n\r\nKeeps two days.\r\n\r\nSuggested wine: Sauternes");
    EXPECT_EQ(box.QueryText("Select AllCategoriesText from Recipes where RecipeID = " +
                            std::to_string(recipe.RecipeID)),
              "|Desserts|French");
    ASSERT_EQ(recipe.LineCount(), 3);
    EXPECT_TRUE(recipe.Lines[0].bHeading);
    EXPECT_EQ(recipe.Lines[0].Name, "For the caramel");
    EXPECT_EQ(recipe.Lines[1].TextQty, "1 1/2");
    EXPECT_EQ(recipe.Lines[1].Measure, "cup");
    EXPECT_EQ(recipe.Lines[1].Name, "sugar");
    EXPECT_EQ(recipe.Lines[1].PrepNotes, "sifted");
    EXPECT_EQ(recipe.Lines[2].DblQty, 4);
}

TEST_F(Mx2ImportTest, DamagedFilesSayWhy) {
    const std::pair<const char*, const char*> cases[] = {
        {"<mx2><RcpE name=\"Cut off\"><Serv qty=\"2\"/>", "End tag of RcpE element not found"},
        {"<?xml version=\"1.0\"?><recipes/>", "no mx2 element"},
    };
    for (const auto& [text, why] : cases) {
        const ImportSummary summary = Import(Write("bad.mx2", text));
        EXPECT_EQ(summary.stored, 0);
        ASSERT_EQ(summary.notices.size(), 1u) << text;
        EXPECT_NE(summary.notices[0].text.find(why), std::string::npos) << summary.notices[0].text;
    }
    EXPECT_EQ(box.QueryNumber("Select Count(*) from Recipes"), 0);
}

}  // namespace
}  // namespace pantrio
