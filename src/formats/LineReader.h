// Reads a text file line by line in fixed-size chunks, so memory stays the
// same whatever the size of the file. Lines end at CR, LF or CR LF (files from
// old DOS and Mac programs mix them); the ends are not returned. Each line is
// returned as UTF-8: a line that is not valid UTF-8 is read as Windows-1252,
// which is what old MealMaster and MasterCook files are written in.
//
// Damage is tolerated and counted, never fatal: NUL bytes and other control
// characters (except TAB) are dropped, and a line longer than kMaxLineBytes
// keeps its first kMaxLineBytes bytes while the rest of it is skipped.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace pantrio {

class LineReader {
public:
    // The longest line kept (64 KiB); no recipe file has lines near this long,
    // so a longer one is damage, and the cap bounds memory.
    static constexpr std::size_t kMaxLineBytes = 64 * 1024;

    explicit LineReader(std::size_t chunkBytes = 64 * 1024);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Opens `path` for reading; false when it cannot be opened (or is a folder).
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return file_ != nullptr; }

    // Reads the next line into `line`; false at the end of the file. A file
    // that ends without a line end still yields its last line.
    bool Next(std::string& line);

    // 1-based number of the line last returned (0 before the first).
    long LineNumber() const { return lineNumber_; }
    // Bytes of the file consumed so far, and the file's size (0 when unknown,
    // such as for a pipe).
    std::uint64_t BytesRead() const { return consumed_; }
    std::uint64_t FileSize() const { return fileSize_; }
    // BytesRead as a percentage of FileSize, 0..100.
    int Percent() const;  // 100 once the end of the file was reached

    // Whether the line last returned was longer than kMaxLineBytes and cut.
    bool LastLineCut() const { return lastLineCut_; }
    // Control bytes (NUL included) dropped so far.
    std::uint64_t DroppedBytes() const { return droppedBytes_; }
    // Whether reading failed (as opposed to reaching the end of the file).
    bool ReadError() const { return readError_; }

private:
    bool Fill();

    std::FILE* file_ = nullptr;
    std::string chunk_;
    std::string raw_;
    std::size_t chunkBytes_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
    bool readError_ = false;
    bool skipLineFeed_ = false;  // the previous line ended with CR: a LF next is its pair
    long lineNumber_ = 0;
    std::uint64_t consumed_ = 0;
    std::uint64_t fileSize_ = 0;
    std::uint64_t droppedBytes_ = 0;
    bool lastLineCut_ = false;
};

}  // namespace pantrio
