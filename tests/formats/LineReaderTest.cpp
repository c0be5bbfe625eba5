#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "formats/LineReader.h"
#include "support/TestDatabases.h"

namespace pantrio {
namespace {

class LineReaderTest : public ::testing::Test {
protected:
    LineReaderTest() : root_(false) {}

    std::string Write(const std::string& bytes) {
        const std::string path = root_.PathOf("input.txt");
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::vector<std::string> ReadAll(const std::string& bytes, std::size_t chunk = 64 * 1024) {
        LineReader reader(chunk);
        EXPECT_TRUE(reader.Open(Write(bytes)));
        std::vector<std::string> lines;
        std::string line;
        while (reader.Next(line)) lines.push_back(line);
        EXPECT_EQ(reader.Percent(), 100);
        EXPECT_EQ(reader.LineNumber(), static_cast<long>(lines.size()));
        return lines;
    }

    test::TempDataRoot root_;
};

TEST_F(LineReaderTest, SplitsOnEveryKindOfLineEndAcrossChunks) {
    const std::string text = "one\r\ntwo\rthree\nfour\r\rsix\n\nlast";
    const std::vector<std::string> want = {"one", "two", "three", "four", "", "six", "", "last"};
    // Chunks of every small size put CR and LF on both sides of a boundary.
    for (std::size_t chunk : {1u, 2u, 3u, 4u, 5u, 7u, 64u}) {
        EXPECT_EQ(ReadAll(text, chunk), want) << "chunk " << chunk;
    }
    EXPECT_EQ(ReadAll("a\r\n"), std::vector<std::string>{"a"});
    EXPECT_TRUE(ReadAll("").empty());
}

TEST_F(LineReaderTest, DropsControlBytesAndDecodesWindows1252) {
    const std::string text =
        std::string("ab\0c\x14\td\n", 8) + "caf\xE9 \x93quoted\x94\n" + "d\xC3\xA9j\xC3\xA0 vu\n";
    const auto lines = ReadAll(text);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "abc\td");
    EXPECT_EQ(lines[1], "caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D");
    EXPECT_EQ(lines[2], "d\xC3\xA9j\xC3\xA0 vu");  // already UTF-8: unchanged
}

TEST_F(LineReaderTest, CapsHugeLinesWithoutSplittingACharacter) {
    // 1 MB of "é" (two bytes each): the cut falls on a character boundary.
    std::string huge;
    for (int i = 0; i < 512 * 1024; ++i) huge += "\xC3\xA9";
    LineReader reader(4096);
    ASSERT_TRUE(reader.Open(Write("short\n" + huge + "\nafter\n")));
    std::string line;
    ASSERT_TRUE(reader.Next(line));
    EXPECT_FALSE(reader.LastLineCut());
    ASSERT_TRUE(reader.Next(line));
    EXPECT_TRUE(reader.LastLineCut());
    EXPECT_EQ(line.size(), LineReader::kMaxLineBytes);
    EXPECT_EQ(line.substr(0, 4), "\xC3\xA9\xC3\xA9");
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line, "after");
    EXPECT_FALSE(reader.LastLineCut());
    EXPECT_EQ(reader.LineNumber(), 3);
    EXPECT_FALSE(reader.Next(line));
}

TEST_F(LineReaderTest, RefusesMissingFilesAndFolders) {
    LineReader reader;
    EXPECT_FALSE(reader.Open(root_.PathOf("absent.txt")));
    EXPECT_FALSE(reader.Open(root_.root));
    std::string line;
    EXPECT_FALSE(reader.Next(line));
}

}  // namespace
}  // namespace pantrio
