// The points file reader and the line-to-record conversion on arbitrary bytes. Besides not
// crashing: every line obeys the reader's rules, numbers convert exactly as the C library's
// strtol and strtod do in the classic locale, records written back read back the same, and the
// same text saved as UTF-16 reads as the same lines.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/point_records.hpp"
#include "exchange/points_file.hpp"
#include "fuzz_files.hpp"
#include "settings/number_text.hpp"

namespace {

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

IO::Location ScratchLocation(const char* name) {
    return IO::Location(GS::UniString(ScratchFolder() + "/" + name, GS::CC_UTF8));
}

// A field is trimmed of blanks, holds no TAB, and lines come in file order.
void CheckLines(const std::vector<PointLine>& lines) {
    std::size_t previous = 0;
    for (const PointLine& line : lines) {
        Require(line.count >= 1 && line.count <= PointLine::MaxFields, "field count");
        Require(line.lineNumber > previous, "line order");
        previous = line.lineNumber;
        for (std::size_t i = 0; i < line.count; ++i) {
            const std::string& field = line.fields[i];
            Require(field.find('\t') == std::string::npos, "TAB in a field");
            Require(field.empty() || (field.front() != ' ' && field.back() != ' '), "trim");
        }
    }
}

Int32 CAtoI(const std::string& field) {
    const long long value = std::strtoll(field.c_str(), nullptr, 10);
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return Int32(value);
}

bool SameDouble(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Fields hold no NUL for the C library to stop at early: AtoF stops there too.
void CheckConversion(const PointLine& line, const PointRecord& record) {
    Require(record.number == CAtoI(line.fields[0]), "number differs from strtol");
    const double coordinates[] = {record.x, record.y, record.z};
    for (int i = 0; i < 3; ++i) {
        const std::string& field = line.fields[i + 1];
        Require(SameDouble(coordinates[i], std::strtod(field.c_str(), nullptr)),
                "coordinate differs from strtod");
    }
}

// The writer keeps numbers exactly and coordinates to the micrometre.
bool CloseEnough(double written, double read) {
    if (std::isnan(written) || std::isinf(written)) return SameDouble(written, read);
    return std::fabs(written - read) <= 5.0000001e-7 + std::fabs(written) * 1e-15;
}

void CheckRoundTrip(const std::vector<PointRecord>& measured,
                    const std::vector<PointRecord>& design) {
    if (measured.empty() && design.empty()) return;
    const IO::Location written = ScratchLocation("written.txt");
    Require(WritePointsFile(written, measured, design), "write");
    const PointLists back = ReadPointsFile(written);
    Require(back.measured.size() == measured.size() && back.design.size() == design.size(),
            "round trip line count");
    const auto compare = [](const std::vector<PointRecord>& records,
                            const std::vector<PointLine>& lines) {
        for (std::size_t i = 0; i < records.size(); ++i) {
            const std::optional<PointRecord> read = ToPointRecord(lines[i]);
            Require(read.has_value(), "round trip line incomplete");
            Require(read->number == records[i].number, "round trip number");
            Require(CloseEnough(records[i].x, read->x) && CloseEnough(records[i].y, read->y) &&
                        CloseEnough(records[i].z, read->z),
                    "round trip coordinate");
        }
    };
    compare(measured, back.measured);
    compare(design, back.design);
}

// The input's text in the default code page (every byte has a character there) saved as UTF-16
// with a byte-order mark, in either order.
std::string Utf16Twin(std::string_view bytes) {
    const bool bigEndian = bytes.size() % 2 == 1;
    std::string twin = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    const GS::UniString text(bytes, GS::CC_Default);
    for (const char16_t unit : text.Text()) {
        const char high = char(unit >> 8);
        const char low = char(unit & 0xFF);
        twin += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return twin;
}

void CheckUtf16Twin(std::string_view bytes, const PointLists& lists) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return;
    static const IO::Location twinFile = ScratchLocation("utf16.txt");
    const std::string twin = Utf16Twin(bytes);
    WriteScratchFile(twinFile.ToNativePath(), reinterpret_cast<const std::uint8_t*>(twin.data()),
                     twin.size());
    const PointLists back = ReadPointsFile(twinFile);
    Require(back.measured == lists.measured && back.design == lists.design,
            "the UTF-16 twin reads differently");
    Require(back.text.empty == lists.text.empty &&
                back.text.crLineEndsOnly == lists.text.crLineEndsOnly,
            "the UTF-16 twin sums up differently");
}

std::vector<PointRecord> Convert(const std::vector<PointLine>& lines) {
    std::vector<PointRecord> records;
    for (const PointLine& line : lines) {
        if (const std::optional<PointRecord> record = ToPointRecord(line)) {
            CheckConversion(line, *record);
            records.push_back(*record);
        } else {
            Require(line.count < PointLine::MaxFields, "a full line did not convert");
        }
    }
    return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const IO::Location input = ScratchLocation("input.txt");
    WriteScratchFile(input.ToNativePath(), data, size);
    const PointLists lists = ReadPointsFile(input);
    CheckLines(lists.measured);
    CheckLines(lists.design);
    CheckUtf16Twin(std::string_view(reinterpret_cast<const char*>(data), size), lists);
    CheckRoundTrip(Convert(lists.measured), Convert(lists.design));
    return 0;
}
