#include "formats/LineReader.h"

#include <sys/stat.h>

#include "base/Text.h"

namespace pantrio {

namespace {

// Drops a UTF-8 sequence left incomplete at the end of `bytes` by a cut, so
// that a cut line of valid UTF-8 is still read as UTF-8.
void DropIncompleteTail(std::string& bytes) {
    std::size_t n = bytes.size();
    std::size_t back = 0;
    while (back < 3 && back < n &&
           (static_cast<unsigned char>(bytes[n - 1 - back]) & 0xC0) == 0x80) {
        ++back;
    }
    if (back == n) return;
    const unsigned char lead = static_cast<unsigned char>(bytes[n - 1 - back]);
    std::size_t need = 1;
    if ((lead & 0xE0) == 0xC0) {
        need = 2;
    } else if ((lead & 0xF0) == 0xE0) {
        need = 3;
    } else if ((lead & 0xF8) == 0xF0) {
        need = 4;
    }
    if (lead >= 0x80 && back + 1 < need) bytes.resize(n - 1 - back);
}

}  // namespace

LineReader::LineReader(std::size_t chunkBytes) : chunkBytes_(chunkBytes ? chunkBytes : 1) {}

LineReader::~LineReader() {
    Close();
}

bool LineReader::Open(const std::string& path) {
    Close();
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) return false;
    fileSize_ = S_ISREG(info.st_mode) ? static_cast<std::uint64_t>(info.st_size) : 0;
    chunk_.assign(chunkBytes_, '\0');
    pos_ = end_ = 0;
    eof_ = readError_ = skipLineFeed_ = lastLineCut_ = false;
    lineNumber_ = 0;
    consumed_ = droppedBytes_ = 0;
    return true;
}

void LineReader::Close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

int LineReader::Percent() const {
    if (eof_) return 100;
    if (fileSize_ == 0) return 0;
    if (consumed_ >= fileSize_) return 100;
    return static_cast<int>(consumed_ * 100 / fileSize_);
}

bool LineReader::Fill() {
    if (eof_ || !file_) return false;
    const std::size_t n = std::fread(chunk_.data(), 1, chunk_.size(), file_);
    if (n == 0) {
        eof_ = true;
        readError_ = std::ferror(file_) != 0;
        return false;
    }
    pos_ = 0;
    end_ = n;
    return true;
}

bool LineReader::Next(std::string& line) {
    line.clear();
    lastLineCut_ = false;
    if (!file_) return false;

    std::string& raw = raw_;  // kept between calls so its capacity is reused
    raw.clear();
    bool started = false;
    for (;;) {
        if (pos_ == end_ && !Fill()) {
            if (!started) return false;
            break;  // the last line of a file without a final line end
        }
        if (skipLineFeed_) {
            skipLineFeed_ = false;
            if (chunk_[pos_] == '\n') {
                ++pos_;
                ++consumed_;
                continue;
            }
        }
        started = true;
        std::size_t stop = pos_;
        while (stop < end_ && chunk_[stop] != '\n' && chunk_[stop] != '\r') ++stop;
        for (std::size_t i = pos_; i < stop; ++i) {
            const unsigned char c = static_cast<unsigned char>(chunk_[i]);
            if ((c < 0x20 && c != '\t') || c == 0x7F) {
                ++droppedBytes_;
            } else if (raw.size() < kMaxLineBytes) {
                raw += static_cast<char>(c);
            } else {
                lastLineCut_ = true;
            }
        }
        consumed_ += stop - pos_;
        pos_ = stop;
        if (stop < end_) {
            skipLineFeed_ = chunk_[pos_] == '\r';
            ++pos_;
            ++consumed_;
            break;
        }
    }
    ++lineNumber_;
    if (lastLineCut_) DropIncompleteTail(raw);
    line = EnsureUtf8(raw);
    return true;
}

}  // namespace pantrio
