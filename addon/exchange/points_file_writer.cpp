#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <memory>
#include <string_view>

#include "IO/FileSystem.hpp"
#include "exchange/coordinate_text.hpp"
#include "exchange/points_file.hpp"
#include "exchange/points_file_headers.hpp"

namespace {

constexpr std::size_t MaxNumberTextLength = std::numeric_limits<Int32>::digits10 + 2;
constexpr std::size_t MaxPointLineLength = MaxNumberTextLength + 3 * MaxCoordinateTextLength + 6;
static_assert(MeasuredPointsHeader.size() + 2 <= MaxPointLineLength &&
              DesignPointsHeader.size() + 2 <= MaxPointLineLength);
constexpr std::size_t LargestBuffer = std::size_t(1) << 20;

// Collects lines in a buffer and hands it to the file whenever it is nearly full. The buffer
// holds the whole file when that is small, and a large block of it otherwise.
class BlockWriter {
public:
    BlockWriter(IO::SafeFile* file, std::size_t lineCount)
        : file_(file),
          size_(std::min(LargestBuffer, (lineCount + 1) * MaxPointLineLength)),
          buffer_(std::make_unique_for_overwrite<char[]>(size_)) {}

    // Room for at least one line of any length at the returned position.
    char* Room() {
        if (size_ - used_ < MaxPointLineLength) Flush();
        return buffer_.get() + used_;
    }
    void Advance(const char* end) { used_ = std::size_t(end - buffer_.get()); }

    // True while every write so far succeeded.
    bool Flush() {
        if (ok_ && used_ > 0) ok_ = file_->WriteBin(buffer_.get(), GS::USize(used_)) == NoError;
        used_ = 0;
        return ok_;
    }

private:
    IO::SafeFile* file_;
    std::size_t size_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    bool ok_ = true;
};

char* WriteLineEnd(char* out) {
    *out++ = '\r';
    *out++ = '\n';
    return out;
}

// Number, x, y and z, each followed by a TAB.
char* WritePointLine(char* out, const PointRecord& point) {
    out = std::to_chars(out, out + MaxNumberTextLength, point.number).ptr;
    *out++ = '\t';
    for (const double coordinate : {point.x, point.y, point.z}) {
        out = WriteCoordinateText(out, coordinate);
        *out++ = '\t';
    }
    return WriteLineEnd(out);
}

void WriteSection(BlockWriter& writer, std::string_view header,
                  const std::vector<PointRecord>& points) {
    if (points.empty()) return;
    char* out = writer.Room();
    std::memcpy(out, header.data(), header.size());
    writer.Advance(WriteLineEnd(out + header.size()));
    for (const PointRecord& point : points) writer.Advance(WritePointLine(writer.Room(), point));
}

}  // namespace

bool WritePointsFile(const IO::Location& path, const std::vector<PointRecord>& measured,
                     const std::vector<PointRecord>& design) {
    IO::SafeFile file(path);
    if (file.Open() != NoError) return false;
    // Each section header is a line too, and no longer than a point line.
    BlockWriter writer(&file, measured.size() + design.size() + 2);
    WriteSection(writer, MeasuredPointsHeader, measured);
    WriteSection(writer, DesignPointsHeader, design);
    return writer.Flush() && file.Commit() == NoError;
}
