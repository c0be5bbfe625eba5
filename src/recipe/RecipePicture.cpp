#include "recipe/RecipePicture.h"

#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace pantrio {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return:
// it jumps back into the function that started the work. Warnings (a file cut
// short is one) are counted, and a picture with any is treated as damaged
// rather than shown with grey rows.
struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void FailJpeg(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

void CountJpegWarning(j_common_ptr info, int level) {
    if (level < 0) ++info->err->num_warnings;
}

void IgnoreJpegOutput(j_common_ptr) {}

void UseErrors(JpegErrors& errors) {
    jpeg_std_error(&errors.manager);
    errors.manager.error_exit = FailJpeg;
    errors.manager.emit_message = CountJpegWarning;
    errors.manager.output_message = IgnoreJpegOutput;
}

// The weights of an area average along one axis: destination cell i covers
// the source interval [i * scale, (i + 1) * scale).
struct Span {
    int first = 0;
    std::vector<double> weights;
};

std::vector<Span> AreaSpans(int source, int target) {
    std::vector<Span> spans(static_cast<std::size_t>(target));
    const double scale = static_cast<double>(source) / target;
    for (int i = 0; i < target; ++i) {
        const double start = i * scale;
        const double end = std::min<double>(source, (i + 1) * scale);
        Span& span = spans[static_cast<std::size_t>(i)];
        span.first = static_cast<int>(std::floor(start));
        for (int j = span.first; j < source && j < end; ++j) {
            const double covered = std::min<double>(end, j + 1) - std::max<double>(start, j);
            span.weights.push_back(covered / scale);
        }
    }
    return spans;
}

RgbImage AreaAverage(const RgbImage& image, int width, int height) {
    const std::vector<Span> columns = AreaSpans(image.width, width);
    const std::vector<Span> rows = AreaSpans(image.height, height);
    // Columns first into a buffer of doubles, then rows.
    std::vector<double> narrow(static_cast<std::size_t>(width) * image.height * 3, 0.0);
    for (int y = 0; y < image.height; ++y) {
        const unsigned char* source = &image.pixels[static_cast<std::size_t>(y) * image.width * 3];
        double* target = &narrow[static_cast<std::size_t>(y) * width * 3];
        for (int x = 0; x < width; ++x) {
            const Span& span = columns[static_cast<std::size_t>(x)];
            for (std::size_t k = 0; k < span.weights.size(); ++k)
                for (int c = 0; c < 3; ++c)
                    target[x * 3 + c] += span.weights[k] * source[(span.first + k) * 3 + c];
        }
    }
    RgbImage result{width, height,
                    std::vector<unsigned char>(static_cast<std::size_t>(width) * height * 3)};
    for (int y = 0; y < height; ++y) {
        const Span& span = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < width * 3; ++x) {
            double sum = 0;
            for (std::size_t k = 0; k < span.weights.size(); ++k)
                sum += span.weights[k] * narrow[(span.first + k) * width * 3 + x];
            result.pixels[static_cast<std::size_t>(y) * width * 3 + x] =
                static_cast<unsigned char>(std::clamp(std::lround(sum), 0L, 255L));
        }
    }
    return result;
}

RgbImage Bilinear(const RgbImage& image, int width, int height) {
    RgbImage result{width, height,
                    std::vector<unsigned char>(static_cast<std::size_t>(width) * height * 3)};
    const double scaleX = static_cast<double>(image.width) / width;
    const double scaleY = static_cast<double>(image.height) / height;
    auto at = [&](int x, int y, int c) {
        return image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 3 + c];
    };
    for (int y = 0; y < height; ++y) {
        const double sy = std::clamp((y + 0.5) * scaleY - 0.5, 0.0, image.height - 1.0);
        const int y0 = static_cast<int>(sy);
        const int y1 = std::min(y0 + 1, image.height - 1);
        const double fy = sy - y0;
        for (int x = 0; x < width; ++x) {
            const double sx = std::clamp((x + 0.5) * scaleX - 0.5, 0.0, image.width - 1.0);
            const int x0 = static_cast<int>(sx);
            const int x1 = std::min(x0 + 1, image.width - 1);
            const double fx = sx - x0;
            for (int c = 0; c < 3; ++c) {
                const double top = at(x0, y0, c) * (1 - fx) + at(x1, y0, c) * fx;
                const double bottom = at(x0, y1, c) * (1 - fx) + at(x1, y1, c) * fx;
                result.pixels[(static_cast<std::size_t>(y) * width + x) * 3 + c] =
                    static_cast<unsigned char>(
                        std::clamp(std::lround(top * (1 - fy) + bottom * fy), 0L, 255L));
            }
        }
    }
    return result;
}

}  // namespace

PictureResult CheckPictureSize(int width, int height) {
    if (width <= 0 || height <= 0) return PictureResult::NoPixels;
    if (width > kMaxPictureSide || height > kMaxPictureSide ||
        static_cast<long long>(width) * height > kMaxPicturePixels)
        return PictureResult::TooLarge;
    return PictureResult::Ok;
}

PictureResult ReadJpeg(std::string_view bytes, RgbImage& image) {
    image = RgbImage{};
    if (bytes.size() < 4) return PictureResult::Unreadable;
    jpeg_decompress_struct info{};
    JpegErrors errors;
    UseErrors(errors);
    info.err = &errors.manager;
    // Set before the jump point and read after it; volatile keeps its value.
    volatile PictureResult result = PictureResult::Unreadable;
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_decompress(&info);
        image = RgbImage{};
        return result;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&info);
        return PictureResult::Unreadable;
    }
    const PictureResult size =
        CheckPictureSize(static_cast<int>(std::min<JDIMENSION>(info.image_width, 1u << 30)),
                         static_cast<int>(std::min<JDIMENSION>(info.image_height, 1u << 30)));
    if (size != PictureResult::Ok) {
        jpeg_destroy_decompress(&info);
        return size;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image.width = static_cast<int>(info.output_width);
    image.height = static_cast<int>(info.output_height);
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row =
            &image.pixels[static_cast<std::size_t>(info.output_scanline) * image.width * 3];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    const bool damaged = errors.manager.num_warnings > 0;
    jpeg_destroy_decompress(&info);
    if (damaged) {
        image = RgbImage{};
        return PictureResult::Unreadable;
    }
    return PictureResult::Ok;
}

PictureResult ReadJpegFile(const std::string& path, RgbImage& image) {
    image = RgbImage{};
    std::ifstream file(path, std::ios::binary);
    if (!file) return PictureResult::Unreadable;
    // The header is checked before the whole file is read.
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    return ReadJpeg(bytes, image);
}

void StoredPictureSize(int width, int height, int& storedWidth, int& storedHeight) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width < height) {
        storedWidth = static_cast<int>(static_cast<long long>(kStoredPictureSide) * width / height);
        storedHeight = kStoredPictureSide;
    } else {
        storedWidth = kStoredPictureSide;
        storedHeight =
            static_cast<int>(static_cast<long long>(kStoredPictureSide) * height / width);
    }
    storedWidth = std::max(storedWidth, 1);
    storedHeight = std::max(storedHeight, 1);
}

RgbImage ResizePicture(const RgbImage& image, int width, int height) {
    if (image.Empty() || width <= 0 || height <= 0) return RgbImage{};
    if (width <= image.width && height <= image.height) return AreaAverage(image, width, height);
    return Bilinear(image, width, height);
}

bool WriteJpegFile(const RgbImage& image, const std::string& path, int quality) {
    if (image.Empty()) return false;
    jpeg_compress_struct info{};
    JpegErrors errors;
    UseErrors(errors);
    info.err = &errors.manager;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(
            &image.pixels[static_cast<std::size_t>(info.next_scanline) * image.width * 3]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);

    const std::string temp = path + ".part";
    bool written = false;
    {
        std::ofstream file(temp, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(buffer), static_cast<std::streamsize>(size));
        file.close();
        written = static_cast<bool>(file);
    }
    std::free(buffer);
    std::error_code ec;
    if (written) std::filesystem::rename(temp, path, ec);
    if (!written || ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

std::string PictureFileName(int recipeID, std::string_view title) {
    std::string name(title);
    for (char& c : name)
        if (c == '\\' || c == '/' || c == '\'' || c == '.' || c == ' ') c = '_';
    return std::to_string(recipeID) + "_" + name + ".jpg";
}

bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos;
}

std::string PictureProblemText(PictureResult result, const std::string& source) {
    switch (result) {
        case PictureResult::Ok:
            return "";
        case PictureResult::Unreadable:
            return "Could not read " + source +
                   " as a JPEG picture: it is not a JPEG file, or it is damaged. The recipe's "
                   "picture was not changed.";
        case PictureResult::NoPixels:
            return "The picture " + source +
                   " has no pixels (a width or height of 0). The recipe's picture was not changed.";
        case PictureResult::TooLarge:
            return "The picture " + source + " is too large (more than " +
                   std::to_string(kMaxPictureSide) + " pixels on a side or " +
                   std::to_string(kMaxPicturePixels / 1'000'000) +
                   " million pixels). The recipe's picture was not changed.";
    }
    return "";
}

}  // namespace pantrio
