// Writing a recipe from nothing with pantrio-cli on a fresh data root, and
// the edit commands' refusals.
#include "cli/CliFixture.h"
#include "recipe/RecipePicture.h"

namespace pantrio::test {
namespace {

class EditCliTest : public CliTest {};

TEST_F(EditCliTest, ARecipeIsWrittenFromNothing) {
    const CliRun created = Cli({"new-recipe", "Grandma's Soup"});
    ASSERT_EQ(created.code, 0) << created.err;
    const std::string id = Trim(created.out);
    ASSERT_FALSE(id.empty());
    for (const auto& [field, value] :
         std::vector<std::pair<std::string, std::string>>{{"YieldNumber", "6"},
                                                          {"Instructions", "Chop.\nSimmer."},
                                                          {"Cuisine", "O'Brien's"},
                                                          {"TasteRating", "5"},
                                                          {"TotalMinutes", "90"}}) {
        const CliRun set = Cli({"set", id, field, value});
        EXPECT_EQ(set.code, 0) << field << ": " << set.err;
    }
    EXPECT_EQ(Cli({"add-line", id, "2 cups chicken stock, hot"}).code, 0);
    EXPECT_EQ(Cli({"add-line", id, "Garnish", "--heading"}).code, 0);
    EXPECT_EQ(Cli({"add-line", id, "1 tbsp parsley"}).code, 0);
    EXPECT_EQ(Cli({"edit-line", id, "3", "Name", "chives"}).code, 0);
    EXPECT_EQ(Cli({"delete-line", id, "1"}).code, 0);
    const CliRun lines = Cli({"lines", id});
    ASSERT_EQ(lines.code, 0) << lines.err;
    // Order, quantity, unit, name, notes, heading; the food link depends on the
    // master list and is left to the nutrition tests.
    std::vector<std::string> rows;
    for (const std::string& row : Split(lines.out, '\n')) {
        const std::vector<std::string> columns = Split(row, '\t');
        if (columns.size() == 8)
            rows.push_back(columns[0] + "|" + columns[1] + "|" + columns[2] + "|" + columns[3] +
                           "|" + columns[4] + "|" + columns[5]);
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"1|||Garnish||1", "2|1|tbsp|chives||0"}));

    ASSERT_TRUE(WriteJpegFile(RgbImage{40, 80, std::vector<unsigned char>(40 * 80 * 3, 9)},
                              temp.PathOf("p.jpg"), 80));
    const CliRun picture = Cli({"picture", id, temp.PathOf("p.jpg")});
    ASSERT_EQ(picture.code, 0) << picture.err;
    EXPECT_EQ(picture.out, id + "_Grandma_s_Soup.jpg\n");
    RgbImage stored;
    ASSERT_EQ(ReadJpegFile(Root() + "/Rbox/Pictures/" + Trim(picture.out), stored),
              PictureResult::Ok);
    EXPECT_EQ(stored.height, 300);
    EXPECT_EQ(Cli({"--yes", "picture", id, "--clear"}).code, 0);
    EXPECT_FALSE(std::filesystem::exists(Root() + "/Rbox/Pictures/" + Trim(picture.out)));
    const CliRun text = Cli({"text", id});
    EXPECT_NE(text.out.find("O'Brien's"), std::string::npos) << text.out;
}

TEST_F(EditCliTest, RefusalsChangeNothing) {
    const std::string id = Trim(Cli({"new-recipe", "Plain"}).out);
    ASSERT_EQ(Cli({"add-line", id, "1 egg"}).code, 0);
    { std::ofstream(temp.PathOf("bad.jpg")) << "GIF89a"; }
    const struct {
        std::vector<std::string> arguments;
        int code;
        const char* message;  // part of standard error
    } cases[] = {
        {{"set", id, "Colour", "red"}, 1, "Unknown field"},
        {{"set", id, "YieldNumber", "many"}, 1, "yield"},
        {{"set", "999", "Title", "x"}, 1, "No recipe number 999"},
        {{"edit-line", id, "2", "Name", "x"}, 1, "no line 2"},
        {{"edit-line", id, "1", "Colour", "x"}, 1, "Unknown line field"},
        {{"delete-line", id, "0"}, 1, "no line 0"},
        {{"picture", id, temp.PathOf("bad.jpg")}, 1, "not a JPEG"},
        {{"add-line", id, "   "}, 1, "empty"},
        {{"new-recipe", " "}, 1, "title"},
        {{"set", id, "Title"}, 2, ""},
        {{"lines", "x"}, 2, ""},
        {{"add-line", id}, 2, ""},
    };
    for (const auto& c : cases) {
        const CliRun run = Cli(c.arguments);
        SCOPED_TRACE(c.arguments[0] + " " + c.arguments.back());
        EXPECT_EQ(run.code, c.code);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_EQ(Cli({"lines", id}).out.substr(0, 11), "1\t1\t\tegg\t\t0");
}

}  // namespace
}  // namespace pantrio::test
