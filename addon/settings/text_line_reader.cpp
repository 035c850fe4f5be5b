#include "settings/text_line_reader.hpp"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t SmallestBlock = std::size_t(4) << 10;
constexpr std::size_t LargestBlock = std::size_t(1) << 20;

}  // namespace

TextLineReader::TextLineReader(const IO::Location& path, TextDecoding decoding, int openAttempts)
    : file_(path), decoding_(decoding) {
    bool open = Open();
    for (int attempt = 1; !open && attempt < openAttempts; ++attempt) open = Open();
}

bool TextLineReader::Open() {
    done_ = file_.Open(IO::File::ReadMode) != NoError;
    if (done_) return false;
    if (file_.GetDataLength(&length_) != NoError) length_ = 0;
    // A small file, such as the settings, is read whole without a large buffer.
    blockSize_ = std::size_t(std::clamp<UInt64>(length_ + 1, SmallestBlock, LargestBlock));
    return true;
}

bool TextLineReader::Next(std::string_view* line) {
    while (!done_) {
        const char* start = buffer_.get() + begin_;
        const auto* lineEnd =
            end_ > begin_ ? static_cast<const char*>(std::memchr(start, '\n', end_ - begin_))
                          : nullptr;
        if (lineEnd != nullptr) {
            std::size_t length = std::size_t(lineEnd - start);
            if (length > 0 && start[length - 1] == '\r') --length;
            *line = std::string_view(start, length);
            begin_ += std::size_t(lineEnd - start) + 1;
            sawLineFeed_ = true;
            return true;
        }
        if (!Refill()) {
            done_ = true;
            file_.Close();
            *line = std::string_view(buffer_.get() + begin_, end_ - begin_);
            summary_.crLineEndsOnly = !sawLineFeed_ && line->find('\r') != std::string_view::npos;
            return true;
        }
    }
    return false;
}

// Fills the buffer behind the unfinished line with the next block of text. False when nothing
// more could be read.
bool TextLineReader::Refill() {
    MakeRoom();
    char* const block = buffer_.get() + end_;
    GS::USize read = 0;
    file_.ReadBin(block, GS::USize(std::min(capacity_ - end_, LargestBlock)), &read);
    const std::size_t text = decoding_ == TextDecoding::Bytes ? read : Decode(block, read);
    end_ += text;
    if (text > 0) summary_.empty = false;
    return read > 0;
}

// Keeps the unfinished line, moved to the front; a buffer less than half a block free grows.
void TextLineReader::MakeRoom() {
    const std::size_t kept = end_ - begin_;
    if (kept > 0 && begin_ > 0) std::memmove(buffer_.get(), buffer_.get() + begin_, kept);
    begin_ = 0;
    end_ = kept;
    if (capacity_ - kept < blockSize_ / 2) {
        const std::size_t capacity = std::max(2 * capacity_, kept + blockSize_);
        auto larger = std::make_unique_for_overwrite<char[]>(capacity);
        if (kept > 0) std::memcpy(larger.get(), buffer_.get(), kept);
        buffer_ = std::move(larger);
        capacity_ = capacity;
    }
}

// Replaces a block of UTF-16 as read by its narrow text, about half as long; a file without a
// mark at its start stays as it is. The length of the text in the block.
std::size_t TextLineReader::Decode(char* block, std::size_t read) {
    std::string_view bytes(block, read);
    if (!markChecked_) {
        markChecked_ = true;
        if (const std::optional<Utf16ByteOrder> order = Utf16ByteOrderMark(bytes)) {
            utf16_.emplace(*order);
            bytes.remove_prefix(2);
        }
    }
    if (!utf16_) return read;
    const std::string text = utf16_->Decode(bytes, read == 0);
    std::memcpy(block, text.data(), text.size());
    return text.size();
}
