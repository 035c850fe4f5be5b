#include "settings/text_line_reader.hpp"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t SmallestBlock = std::size_t(4) << 10;
constexpr std::size_t LargestBlock = std::size_t(1) << 20;

}  // namespace

TextLineReader::TextLineReader(const IO::Location& path) : file_(path) {
    if (file_.Open(IO::File::ReadMode) != NoError) {
        done_ = true;
        return;
    }
    if (file_.GetDataLength(&length_) != NoError) length_ = 0;
    // A small file, such as the settings, is read whole without a large buffer.
    blockSize_ = std::size_t(std::clamp<UInt64>(length_ + 1, SmallestBlock, LargestBlock));
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
            return true;
        }
        if (!Refill()) {
            done_ = true;
            file_.Close();
            *line = std::string_view(buffer_.get() + begin_, end_ - begin_);
            return true;
        }
    }
    return false;
}

// Keeps the unfinished line, moved to the front, and fills the buffer behind it; a buffer less
// than half free grows. False when nothing more could be read.
bool TextLineReader::Refill() {
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
    GS::USize read = 0;
    file_.ReadBin(buffer_.get() + end_, GS::USize(std::min(capacity_ - end_, LargestBlock)), &read);
    end_ += read;
    return read > 0;
}
