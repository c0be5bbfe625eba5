// A recipe's picture: decoding the JPEG the user chooses, reducing it so that
// its longer side is 300 pixels, encoding it again and naming its file. The
// pixels travel as 8-bit RGB rows, so the window's clipboard can hand one over
// without the core knowing the toolkit. libjpeg stays inside the .cpp.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pantrio {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;  // width * height * 3 bytes, rows top down

    bool Empty() const { return width <= 0 || height <= 0 || pixels.empty(); }
};

enum class PictureResult {
    Ok,
    Unreadable,  // not a JPEG, damaged or cut short
    NoPixels,    // a picture of no width or no height
    TooLarge,    // more pixels than a picture of a recipe is ever reduced from
};

// The size of the longest side a recipe's picture is stored with.
inline constexpr int kStoredPictureSide = 300;
// Pictures beyond these are refused before they are decoded, so a header
// claiming a huge size cannot exhaust the memory.
inline constexpr int kMaxPictureSide = 12000;
inline constexpr long long kMaxPicturePixels = 50'000'000;

// Decodes a JPEG file or JPEG bytes into RGB; `image` is left empty on failure.
PictureResult ReadJpegFile(const std::string& path, RgbImage& image);
PictureResult ReadJpeg(std::string_view bytes, RgbImage& image);
// Checks the size of an image from elsewhere (the clipboard) the same way.
PictureResult CheckPictureSize(int width, int height);

// The size a picture of `width` x `height` is stored with: 300 on the longer
// side, the other side in proportion, truncated, at least 1.
void StoredPictureSize(int width, int height, int& storedWidth, int& storedHeight);
// Resamples to `width` x `height`: the area-weighted average of the covered
// source pixels when both sides shrink, bilinear interpolation otherwise.
RgbImage ResizePicture(const RgbImage& image, int width, int height);

// Encodes `image` as a JPEG of `quality` into `path`, replacing a file of that
// name only once the whole new file is written. False when it could not be
// written (the old file then stays).
bool WriteJpegFile(const RgbImage& image, const std::string& path, int quality);

// The file name of a recipe's picture: "<RecipeID>_<title>.jpg" with every
// backslash, slash, apostrophe, full stop and blank of the title replaced by
// an underscore, so the name never leaves the pictures folder.
std::string PictureFileName(int recipeID, std::string_view title);
// Whether `name` is a plain file name (no folder part, not "." or ".."), the
// only kind of stored picture name that is ever deleted from disk.
bool IsPlainFileName(std::string_view name);

// The message that tells the user why a picture was not taken.
std::string PictureProblemText(PictureResult result, const std::string& source);

}  // namespace pantrio
