// Reads a file line by line in large blocks. A line ends at LF, and a CR right before that LF
// belongs to the line end. The rest after the last LF is the last line, also when it is empty.
// Lines are bytes; nothing is decoded.
#pragma once

#include <memory>
#include <string_view>

#include "IO/File.hpp"

class TextLineReader {
public:
    explicit TextLineReader(const IO::Location& path);

    bool IsOpen() const { return file_.IsOpen(); }
    // The file's length in bytes when it was opened; 0 when unknown.
    UInt64 Length() const { return length_; }
    // The next line, valid until the next call; false after the last line. A read error ends
    // the file where it happens.
    bool Next(std::string_view* line);

private:
    bool Refill();

    IO::File file_;
    UInt64 length_ = 0;
    std::unique_ptr<char[]> buffer_;
    std::size_t blockSize_ = 0;
    std::size_t capacity_ = 0;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool done_ = false;
};
