// The service program's command line and the reading of a posted document.
#include <gtest/gtest.h>

#include "base/Text.h"
#include "formats/RecipeDocument.h"
#include "recipe/Recipe.h"
#include "service/PostedRecipe.h"
#include "service/ServiceArguments.h"

namespace pantrio::test {
namespace {

TEST(ServiceArguments, ParsesOptionsAndRefusesMistakes) {
    struct Case {
        std::vector<std::string> arguments;
        bool ok;
        int port;
        std::string listen, data, database, passwordFile, error;
    };
    const std::vector<Case> cases = {
        {{}, true, 8686, "127.0.0.1", "", "", "", ""},
        {{"--port", "0", "--data", "/tmp/d"}, true, 0, "127.0.0.1", "/tmp/d", "", "", ""},
        {{"--port=9000", "--listen=0.0.0.0"}, true, 9000, "0.0.0.0", "", "", "", ""},
        {{"--database", "postgresql://u@h/db", "--post-password-file", "pw"},
         true,
         8686,
         "127.0.0.1",
         "",
         "postgresql://u@h/db",
         "pw",
         ""},
        {{"--port", "70000"}, false, 0, "", "", "", "", "--port needs a number"},
        {{"--port", "8x"}, false, 0, "", "", "", "", "--port needs a number"},
        {{"--data"}, false, 0, "", "", "", "", "--data needs a value"},
        {{"--database", "mysql://x"}, false, 0, "", "", "", "", "postgresql://"},
        {{"--verbose"}, false, 0, "", "", "", "", "unknown argument --verbose"},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto parsed = ParseServiceArguments(c.arguments, error);
        ASSERT_EQ(parsed.has_value(), c.ok) << error;
        if (!c.ok) {
            EXPECT_NE(error.find(c.error), std::string::npos) << error;
            continue;
        }
        EXPECT_EQ(parsed->port, c.port);
        EXPECT_EQ(parsed->listen, c.listen);
        EXPECT_EQ(parsed->dataFolder, c.data);
        EXPECT_EQ(parsed->databaseURL, c.database);
        EXPECT_EQ(parsed->passwordFile, c.passwordFile);
    }
}

TEST(PostedRecipe, DecodesQuotesAndKeepsTextThatOnlyLooksAlike) {
    Recipe recipe;
    recipe.Title = "Mom's \"best\" ~quote pie";
    recipe.Instructions = "Say \"when\" and it's done.";
    std::string posted = WriteRecipeDocument(recipe);
    posted = ReplaceAll(ReplaceAll(posted, "'", "~quote"), "\"", "~doublequote");
    Recipe back;
    std::string error;
    ASSERT_TRUE(ReadPostedRecipe(posted, back, error)) << error;
    EXPECT_EQ(back.Instructions, recipe.Instructions);
    // A tilde word typed by the user cannot be told from the encoding.
    EXPECT_EQ(back.Title, "Mom's \"best\" ' pie");

    const std::string longTitle = "<RECIPE><TITLE>" + std::string(256, 'a') + "</TITLE></RECIPE>";
    EXPECT_FALSE(ReadPostedRecipe(longTitle, back = Recipe(), error));
    EXPECT_NE(error.find("longer than 255"), std::string::npos);
    EXPECT_FALSE(ReadPostedRecipe(std::string(kMaxPostedDocument + 1, ' ') + "x", back, error));
    EXPECT_NE(error.find("larger than 1 MB"), std::string::npos);
}

}  // namespace
}  // namespace pantrio::test
