// Recipe pictures: the stored size, the resampling, broken and hostile files,
// and the file name made from the title.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "recipe/RecipePicture.h"
#include "support/TestDatabases.h"

namespace pantrio {
namespace {

RgbImage Gradient(int width, int height) {
    RgbImage image{width, height, std::vector<unsigned char>(std::size_t(width) * height * 3)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                image.pixels[(std::size_t(y) * width + x) * 3 + c] =
                    static_cast<unsigned char>((x * 255 / std::max(width - 1, 1) + c * 40) % 256);
    return image;
}

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Sets the size a JPEG's frame header claims, leaving its data alone.
std::string WithClaimedSize(std::string jpeg, int width, int height) {
    for (std::size_t i = 0; i + 9 < jpeg.size(); ++i) {
        const auto marker = static_cast<unsigned char>(jpeg[i + 1]);
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
            jpeg[i + 5] = static_cast<char>(height >> 8);
            jpeg[i + 6] = static_cast<char>(height & 0xFF);
            jpeg[i + 7] = static_cast<char>(width >> 8);
            jpeg[i + 8] = static_cast<char>(width & 0xFF);
            break;
        }
    }
    return jpeg;
}

class RecipePictureTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(temp.Ok()) << temp.Error(); }
    std::string Path(const std::string& name) { return temp.PathOf(name); }
    test::TempDataRoot temp{false};
};

TEST_F(RecipePictureTest, PicturesAreStoredWithTheLongerSideOf300) {
    const struct {
        int width, height, storedWidth, storedHeight;
    } cases[] = {{600, 400, 300, 200},
                 {400, 600, 200, 300},
                 {1000, 1000, 300, 300},
                 {7, 3, 300, 128},
                 {1, 900, 1, 300}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const std::string source = Path("source.jpg"), stored = Path("stored.jpg");
        ASSERT_TRUE(WriteJpegFile(Gradient(c.width, c.height), source, 90));
        RgbImage image;
        ASSERT_EQ(ReadJpegFile(source, image), PictureResult::Ok);
        ASSERT_EQ(image.width, c.width);
        int width = 0, height = 0;
        StoredPictureSize(image.width, image.height, width, height);
        ASSERT_TRUE(WriteJpegFile(ResizePicture(image, width, height), stored, 75));
        RgbImage back;
        ASSERT_EQ(ReadJpegFile(stored, back), PictureResult::Ok);
        EXPECT_EQ(back.width, c.storedWidth);
        EXPECT_EQ(back.height, c.storedHeight);
    }
}

TEST_F(RecipePictureTest, ShrinkingAveragesTheCoveredAreaAndGrowingInterpolates) {
    // Three grey levels into two pixels: each covers one and a half sources.
    RgbImage row{3, 1, {0, 0, 0, 90, 90, 90, 180, 180, 180}};
    const RgbImage shrunk = ResizePicture(row, 2, 1);
    ASSERT_EQ(shrunk.pixels.size(), 6u);
    EXPECT_EQ(shrunk.pixels[0], 30);   // (0 + 90 / 2) / 1.5
    EXPECT_EQ(shrunk.pixels[3], 150);  // (90 / 2 + 180) / 1.5
    // Growing keeps the ends and passes through the values between.
    RgbImage pair{2, 1, {0, 0, 0, 200, 200, 200}};
    const RgbImage grown = ResizePicture(pair, 4, 1);
    EXPECT_EQ(grown.pixels[0], 0);
    EXPECT_EQ(grown.pixels[3], 50);
    EXPECT_EQ(grown.pixels[6], 150);
    EXPECT_EQ(grown.pixels[9], 200);
}

TEST_F(RecipePictureTest, BrokenAndHostileFilesAreRefusedWithTheirReason) {
    ASSERT_TRUE(WriteJpegFile(Gradient(64, 48), Path("good.jpg"), 75));
    const std::string good = Bytes(Path("good.jpg"));
    const struct {
        const char* name;
        std::string bytes;
        PictureResult expected;
    } cases[] = {
        {"text", "This is no picture at all, just words.\n", PictureResult::Unreadable},
        {"empty", "", PictureResult::Unreadable},
        {"truncated", good.substr(0, good.size() / 2), PictureResult::Unreadable},
        {"zero size", WithClaimedSize(good, 0, 0), PictureResult::Unreadable},
        {"huge", WithClaimedSize(good, 20000, 20000), PictureResult::TooLarge},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RgbImage image;
        EXPECT_EQ(ReadJpeg(c.bytes, image), c.expected);
        EXPECT_TRUE(image.Empty());
        EXPECT_FALSE(PictureProblemText(c.expected, "x.jpg").empty());
    }
    RgbImage image;
    EXPECT_EQ(ReadJpegFile(Path("missing.jpg"), image), PictureResult::Unreadable);
    EXPECT_EQ(CheckPictureSize(0, 10), PictureResult::NoPixels);
}

TEST_F(RecipePictureTest, FileNamesStayInsideThePicturesFolder) {
    const struct {
        int id;
        const char* title;
        const char* name;
    } cases[] = {
        {12, "Mom's Apple Pie", "12_Mom_s_Apple_Pie.jpg"},
        {3, "c:\\a.b's", "3_c:_a_b_s.jpg"},
        {5, "../../etc/passwd", "5_______etc_passwd.jpg"},
    };
    for (const auto& c : cases) EXPECT_EQ(PictureFileName(c.id, c.title), c.name);
    for (const char* plain : {"1_a.jpg", "x"}) EXPECT_TRUE(IsPlainFileName(plain)) << plain;
    for (const char* other : {"", ".", "..", "../x.jpg", "a/b.jpg", "a\\b.jpg"})
        EXPECT_FALSE(IsPlainFileName(other)) << other;
}

}  // namespace
}  // namespace pantrio
