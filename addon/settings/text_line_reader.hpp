// Reads a file line by line in large blocks. A line ends at LF, and a CR right before that LF
// belongs to the line end. The rest after the last LF is the last line, also when it is empty.
// Lines are bytes; nothing is decoded, unless the reader is told to decode a UTF-16 file.
#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "IO/File.hpp"
#include "settings/utf16_decoder.hpp"

enum class TextDecoding {
    Bytes,           // the file's bytes as they stand
    Utf16WhenMarked  // a file that starts with a UTF-16 byte-order mark is read as narrow text
};

// What the whole text held, for telling the user why it gave no line to use.
struct TextSummary {
    bool empty = true;            // no text at all; also a file that could not be opened
    bool crLineEndsOnly = false;  // CR but no LF, as a classic Mac ends lines: one line here
};

class TextLineReader {
public:
    // Opens the file for reading; a file that does not open gets that many attempts in all.
    explicit TextLineReader(const IO::Location& path, TextDecoding decoding = TextDecoding::Bytes,
                            int openAttempts = 1);

    bool IsOpen() const { return file_.IsOpen(); }
    // The file's length in bytes when it was opened; 0 when unknown.
    UInt64 Length() const { return length_; }
    // The next line, valid until the next call; false after the last line. A read error ends
    // the file where it happens.
    bool Next(std::string_view* line);
    // Complete once Next has returned false.
    const TextSummary& Summary() const { return summary_; }

private:
    bool Open();
    bool Refill();
    void MakeRoom();
    std::size_t Decode(char* block, std::size_t read);

    IO::File file_;
    TextDecoding decoding_;
    std::optional<Utf16Decoder> utf16_;
    UInt64 length_ = 0;
    std::unique_ptr<char[]> buffer_;
    std::size_t blockSize_ = 0;
    std::size_t capacity_ = 0;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool markChecked_ = false;  // the start of the file was looked at for a byte-order mark
    bool sawLineFeed_ = false;
    bool done_ = false;
    TextSummary summary_;
};
