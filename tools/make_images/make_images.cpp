// Draws the small images that the recipe pages, the published site and the
// welcome page refer to, and writes them as GIF files into a data root:
//   Data/HTM/Images/star0.gif .. star5.gif   rating stars
//   Data/HTM/Images/recipefrompantrio.gif    the logo of published pages
//   Data/HTM/Images/mealcal.gif              the meal plan's day header
//   Data/pantriothumb.gif                    the searching page's picture
// The images are checked in under data/root; run this only to redraw them:
//   c++ -std=c++20 -O2 tools/make_images/make_images.cpp -o /tmp/make_images
//   /tmp/make_images data/root
// The GIF writer is minimal: one frame, a global palette of up to 256
// colours, index 0 transparent, and LZW data that never lets the code table
// grow past its first code width (a clear code is sent often enough), which
// every decoder reads (the GIF89a standard, appendix F).
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Rgb {
    std::uint8_t r, g, b;
};

struct Image {
    int width, height;
    std::vector<std::uint8_t> pixels;  // palette indices
    Image(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w * h), 0) {}
    void Set(int x, int y, std::uint8_t index) {
        if (x >= 0 && y >= 0 && x < width && y < height)
            pixels[static_cast<std::size_t>(y * width + x)] = index;
    }
    void Fill(int x0, int y0, int x1, int y1, std::uint8_t index) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) Set(x, y, index);
    }
};

class BitWriter {
public:
    void Put(unsigned code, int width) {
        buffer_ |= static_cast<std::uint32_t>(code) << bits_;
        bits_ += width;
        while (bits_ >= 8) {
            bytes.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
            buffer_ >>= 8;
            bits_ -= 8;
        }
    }
    void Flush() {
        if (bits_ > 0) bytes.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
        buffer_ = 0;
        bits_ = 0;
    }
    std::vector<std::uint8_t> bytes;

private:
    std::uint32_t buffer_ = 0;
    int bits_ = 0;
};

bool WriteGif(const std::string& path, const Image& image, const std::vector<Rgb>& palette) {
    int sizeBits = 1;
    while ((1u << sizeBits) < palette.size()) ++sizeBits;
    const int minCodeSize = sizeBits < 2 ? 2 : sizeBits;
    const unsigned clear = 1u << minCodeSize;
    const int width = minCodeSize + 1;

    std::vector<std::uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
    auto word = [&](int value) {
        out.push_back(static_cast<std::uint8_t>(value & 0xFF));
        out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
    };
    word(image.width);
    word(image.height);
    out.push_back(static_cast<std::uint8_t>(0x80 | ((sizeBits - 1) << 4) | (sizeBits - 1)));
    out.push_back(0);  // background colour
    out.push_back(0);  // aspect ratio
    for (std::size_t i = 0; i < (1u << sizeBits); ++i) {
        const Rgb c = i < palette.size() ? palette[i] : Rgb{0, 0, 0};
        out.insert(out.end(), {c.r, c.g, c.b});
    }
    // Graphic control extension: colour 0 is transparent.
    out.insert(out.end(), {0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00});
    out.push_back(0x2C);
    word(0);
    word(0);
    word(image.width);
    word(image.height);
    out.push_back(0);
    out.push_back(static_cast<std::uint8_t>(minCodeSize));

    BitWriter bits;
    const unsigned codesPerClear = clear - 2;
    unsigned sinceClear = codesPerClear;
    for (std::uint8_t pixel : image.pixels) {
        if (sinceClear == codesPerClear) {
            bits.Put(clear, width);
            sinceClear = 0;
        }
        bits.Put(pixel, width);
        ++sinceClear;
    }
    bits.Put(clear + 1, width);
    bits.Flush();
    for (std::size_t at = 0; at < bits.bytes.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, bits.bytes.size() - at);
        out.push_back(static_cast<std::uint8_t>(n));
        out.insert(out.end(), bits.bytes.begin() + static_cast<long>(at),
                   bits.bytes.begin() + static_cast<long>(at + n));
    }
    out.push_back(0);
    out.push_back(0x3B);

    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && ok;
}

// Fraction of the pixel (x, y) covered by a five-pointed star.
double StarCoverage(double cx, double cy, double outer, double inner, int x, int y) {
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < 10; ++i) {
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const double radius = (i % 2 == 0) ? outer : inner;
        points.emplace_back(cx + radius * std::cos(angle), cy + radius * std::sin(angle));
    }
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
            const double px = x + (sx + 0.5) / 4, py = y + (sy + 0.5) / 4;
            bool in = false;
            for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                const auto [xi, yi] = points[i];
                const auto [xj, yj] = points[j];
                if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) in = !in;
            }
            inside += in ? 1 : 0;
        }
    }
    return inside / 16.0;
}

// A 5x7 capital letter; rows top to bottom, bit 4 the leftmost column.
const std::uint8_t* Glyph(char c) {
    static const struct {
        char c;
        std::uint8_t rows[7];
    } kGlyphs[] = {
        {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
        {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
        {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}},
        {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
        {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
        {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
        {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
        {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}},
        {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
        {'N', {0x11, 0x19, 0x15, 0x13, 0x11, 0x11, 0x11}},
        {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    };
    for (const auto& glyph : kGlyphs)
        if (glyph.c == c) return glyph.rows;
    return nullptr;
}

void DrawText(Image& image, int x, int y, const std::string& text, int scale, std::uint8_t color) {
    for (char c : text) {
        if (const std::uint8_t* rows = Glyph(c)) {
            for (int row = 0; row < 7; ++row)
                for (int col = 0; col < 5; ++col)
                    if (rows[row] & (0x10 >> col))
                        image.Fill(x + col * scale, y + row * scale, x + (col + 1) * scale,
                                   y + (row + 1) * scale, color);
        }
        x += 6 * scale;
    }
}

int TextWidth(const std::string& text, int scale) {
    return static_cast<int>(text.size()) * 6 * scale - scale;
}

bool Stars(const std::string& folder) {
    const std::vector<Rgb> palette = {
        {255, 255, 255}, {242, 176, 30}, {200, 138, 10}, {214, 214, 214}, {160, 160, 160}};
    for (int filled = 0; filled <= 5; ++filled) {
        Image image(80, 16);
        for (int star = 0; star < 5; ++star) {
            const bool gold = star < filled;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    const double c = StarCoverage(8, 8.6, 7.6, 3.1, x, y);
                    if (c >= 0.55)
                        image.Set(star * 16 + x, y, gold ? 1 : 3);
                    else if (c >= 0.2)
                        image.Set(star * 16 + x, y, gold ? 2 : 4);
                }
        }
        if (!WriteGif(folder + "/star" + std::to_string(filled) + ".gif", image, palette))
            return false;
    }
    return true;
}

bool Logo(const std::string& folder) {
    const std::vector<Rgb> palette = {
        {255, 255, 255}, {164, 22, 26}, {255, 255, 255}, {242, 176, 30}};
    const std::string top = "RECIPE FROM", name = "PANTRIO";
    const int width = TextWidth(name, 2) + 16;
    Image image(width, 34);
    image.Fill(1, 0, width - 1, 34, 1);
    image.Fill(0, 1, width, 33, 1);
    DrawText(image, (width - TextWidth(top, 1)) / 2, 3, top, 1, 3);
    DrawText(image, 8, 14, name, 2, 2);
    return WriteGif(folder + "/recipefrompantrio.gif", image, palette);
}

bool MealCalendar(const std::string& folder) {
    const std::vector<Rgb> palette = {
        {255, 255, 255}, {164, 22, 26}, {250, 250, 250}, {90, 90, 90}, {190, 190, 190}};
    Image image(16, 16);
    image.Fill(1, 2, 15, 15, 3);  // outline
    image.Fill(2, 3, 14, 6, 1);   // red header
    image.Fill(2, 6, 14, 14, 2);  // page
    for (int y = 7; y < 14; y += 2)
        for (int x = 3; x < 14; x += 2) image.Set(x, y, 4);
    image.Fill(4, 1, 5, 4, 3);  // rings
    image.Fill(11, 1, 12, 4, 3);
    image.Set(9, 9, 1);
    image.Set(9, 10, 1);
    image.Set(10, 9, 1);
    image.Set(10, 10, 1);
    return WriteGif(folder + "/mealcal.gif", image, palette);
}

bool Thumb(const std::string& folder) {
    const std::vector<Rgb> palette = {{255, 255, 255}, {164, 22, 26},  {120, 14, 18},
                                      {190, 190, 190}, {242, 176, 30}, {60, 60, 60}};
    Image image(48, 48);
    // Steam.
    for (int wisp = 0; wisp < 3; ++wisp)
        for (int y = 2; y < 14; ++y)
            image.Set(16 + wisp * 8 + static_cast<int>(std::lround(2 * std::sin(y * 0.7))), y, 3);
    image.Fill(21, 15, 27, 17, 5);  // lid knob
    image.Fill(9, 17, 39, 20, 2);   // lid
    image.Fill(10, 21, 38, 42, 1);  // pot
    image.Fill(11, 42, 37, 44, 2);  // base
    image.Fill(4, 23, 10, 26, 5);   // handles
    image.Fill(38, 23, 44, 26, 5);
    image.Fill(12, 27, 36, 29, 4);  // band
    return WriteGif(folder + "/pantriothumb.gif", image, palette);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <data root>\n", argv[0]);
        return 2;
    }
    const std::string root = argv[1];
    const std::string images = root + "/Data/HTM/Images";
    const bool ok = Stars(images) && Logo(images) && MealCalendar(images) && Thumb(root + "/Data");
    if (!ok) std::fprintf(stderr, "could not write the images under %s\n", root.c_str());
    return ok ? 0 : 1;
}
