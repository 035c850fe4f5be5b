#include "exchange/points_file.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <limits>
#include <random>
#include <string>
#include <vector>

#include "platform_test_folder.hpp"
#include "unprivileged_child.hpp"
#include "utf16_bytes.hpp"

namespace {

IO::Location LocationOf(const std::string& path) {
    return IO::Location(GS::UniString(path.c_str(), GS::CC_UTF8));
}

using Fields = std::vector<std::string>;

std::vector<Fields> FieldsOf(const std::vector<PointLine>& lines) {
    std::vector<Fields> result;
    for (const PointLine& line : lines) {
        result.emplace_back(line.fields.begin(), line.fields.begin() + line.count);
    }
    return result;
}

PointLine LineOf(const Fields& fields) {
    PointLine line;
    for (const std::string& field : fields) line.fields[line.count++] = field;
    return line;
}

class PointsFileTest : public ::testing::Test {
protected:
    std::string Write(const std::vector<PointRecord>& measured,
                      const std::vector<PointRecord>& design) {
        EXPECT_TRUE(WritePointsFile(LocationOf(file), measured, design));
        return ReadWholeFile(file);
    }
    PointLists Read(const std::string& content) {
        WriteWholeFile(file, content);
        return ReadPointsFile(LocationOf(file));
    }

    TestFolder folder;
    std::string file = folder / "points.txt";
};

TEST_F(PointsFileTest, WritesTheThreePointExampleByteForByte) {
    EXPECT_EQ(Write({{7, 12.5, -3.25, 0.01}}, {{1, 0, 0, 0}, {2, 1234.5678, 5.5, 1.25}}),
              "[Measured_Points]\r\n"
              "7\t12.5\t-3.25\t0.01\t\r\n"
              "[Design_Points]\r\n"
              "1\t0\t0\t0\t\r\n"
              "2\t1234.5678\t5.5\t1.25\t\r\n");
}

TEST_F(PointsFileTest, WritesHeadersOnlyForSetsWithPoints) {
    const Int32 min = std::numeric_limits<Int32>::min();
    EXPECT_EQ(Write({{-12, 1, 2, 3}}, {}), "[Measured_Points]\r\n-12\t1\t2\t3\t\r\n");
    EXPECT_EQ(Write({}, {{min, 155000.4, -0.0, 1e-7}}),
              "[Design_Points]\r\n-2147483648\t155000.4\t0\t0\t\r\n");
    EXPECT_EQ(Write({}, {}), "");
}

TEST_F(PointsFileTest, ReplacesAnEarlierLongerFile) {
    WriteWholeFile(file, std::string(100000, 'x'));
    EXPECT_EQ(Write({{1, 2, 3, 4}}, {}), "[Measured_Points]\r\n1\t2\t3\t4\t\r\n");
}

struct ReadCase {
    std::string content;
    std::vector<Fields> measured;
    std::vector<Fields> design;
};

TEST_F(PointsFileTest, ReadsByTheLineRules) {
    const ReadCase cases[] = {
        {"", {}, {}},
        {"1\t2\t3\t4\t\r\n", {{"1", "2", "3", "4"}}, {}},
        {"[Measured_Points]\r\n1\t2\t3\t4\t\r\n", {{"1", "2", "3", "4"}}, {}},
        {"[Design_Points]\r\n1\t2\t3\t4\r\n[Measured_Points]\n5\t6\t7\t8",
         {{"5", "6", "7", "8"}},
         {{"1", "2", "3", "4"}}},
        {"\xEF\xBB\xBF[Design_Points]\r\n1\r\n", {}, {{"1"}}},
        {"[design_points]\r\n1\r\n", {{"[design_points]"}, {"1"}}, {}},
        {"[Design_Points][Measured_Points]\n1\n", {{"1"}}, {}},
        {"x[Design_Points]\t1\t2\t3\t4\n", {}, {}},
        {"\r\n\n1\n", {{"1"}}, {}},
        {"   \n", {{""}}, {}},
        {"1\t2\t3\t4\t5\t6\n", {{"1", "2", "3", "4"}}, {}},
        {"1\t\t3\t\n", {{"1", "", "3"}}, {}},
        {"\t", {{""}}, {}},
        {"\t1\t2\t3\n", {{"", "1", "2", "3"}}, {}},
        {"1 2 3 4\n", {{"1 2 3 4"}}, {}},
        {"  12.5  \t \t\v1\v\n", {{"12.5", "", "\v1\v"}}, {}},
        {"1\r\r\n", {{"1\r"}}, {}},
        {"[Design_Points]\r1\t2\t3\t4\r", {}, {}},
        {"1\t2\r3\t4\r", {{"1", "2\r3", "4\r"}}, {}},
        {"[Design_Points]\n1\n[Measured_Points]\n2\n[Design_Points]\n3\n", {{"2"}}, {{"1"}, {"3"}}},
        // UTF-16 with its mark is read as narrow text in the default code page.
        {Utf16File(u"[Design_Points]\r\n1\t2\t3\t4\t\r\n[Measured_Points]\r\n5\t6\t7\t8",
                   ByteOrder::Little),
         {{"5", "6", "7", "8"}},
         {{"1", "2", "3", "4"}}},
        {Utf16File(u" P\u00e4\u20ac\u4e2d \t 1 \n\n[Design_Points]\n\U0001F600\t", ByteOrder::Big),
         {{"P\xE4\x80?", "1"}},
         {{"?"}}},
        {Utf16File(u"", ByteOrder::Little), {}, {}},
        // Without its mark it stays bytes.
        {Utf16Bytes(u"1\t2\n", ByteOrder::Little),
         {{std::string("1\0", 2), std::string("\0002\0", 3)}, {std::string(1, '\0')}},
         {}},
    };
    for (const ReadCase& c : cases) {
        const PointLists lists = Read(c.content);
        EXPECT_EQ(FieldsOf(lists.measured), c.measured) << testing::PrintToString(c.content);
        EXPECT_EQ(FieldsOf(lists.design), c.design) << testing::PrintToString(c.content);
    }
}

TEST_F(PointsFileTest, LinesKnowWhereTheyStand) {
    const PointLists lists = Read("[Design_Points]\r\n\r\n1\n[Measured_Points]\n2\n3");
    ASSERT_EQ(lists.design.size(), 1u);
    ASSERT_EQ(lists.measured.size(), 2u);
    EXPECT_EQ(lists.design[0].lineNumber, 3u);
    EXPECT_EQ(lists.measured[0].lineNumber, 5u);
    EXPECT_EQ(lists.measured[1].lineNumber, 6u);
}

TEST_F(PointsFileTest, SaysWhyAFileGaveNoLine) {
    const struct {
        std::string content;
        bool empty;
        bool crLineEndsOnly;
    } cases[] = {
        {"", true, false},
        {Utf16File(u"", ByteOrder::Big), true, false},
        {"[Measured_Points]\r7\t1\t2\t3\t\r", false, true},
        {Utf16File(u"[Measured_Points]\r", ByteOrder::Little), false, true},
        {"[Measured_Points]\r\n", false, false},
        {"7\r8\n", false, false},
        {"\n", false, false},
    };
    for (const auto& c : cases) {
        const TextSummary text = Read(c.content).text;
        EXPECT_EQ(text.empty, c.empty) << testing::PrintToString(c.content);
        EXPECT_EQ(text.crLineEndsOnly, c.crLineEndsOnly) << testing::PrintToString(c.content);
    }
    EXPECT_TRUE(ReadPointsFile(LocationOf(folder / "missing.txt")).text.empty);
}

TEST_F(PointsFileTest, ReadsLinesLongerThanABlock) {
    const std::string longField(3 << 20, '7');
    const PointLists lists = Read("1\t" + longField + "\t3\t4\n2\t5\t6\t7");
    ASSERT_EQ(lists.measured.size(), 2u);
    EXPECT_EQ(lists.measured[0].fields[1], longField);
    EXPECT_EQ(FieldsOf(lists.measured)[1], (Fields{"2", "5", "6", "7"}));
}

// The first block of a large file ends after 1 MiB of bytes, in the middle of the character
// that stands there.
TEST_F(PointsFileTest, ReadsUtf16CharactersAcrossBlocks) {
    const std::u16string longName(std::size_t(1 << 19) - 3, u'\u00e4');
    const PointLists lists = Read(
        Utf16File(u"1" + longName + u"\U0001F600\u20ac\t5\t6\t7\r\n2\t3\t4\t5", ByteOrder::Little));
    ASSERT_EQ(lists.measured.size(), 2u);
    EXPECT_EQ(lists.measured[0].fields[0], "1" + std::string(longName.size(), '\xE4') + "?\x80");
    EXPECT_EQ(FieldsOf(lists.measured)[1], (Fields{"2", "3", "4", "5"}));
}

TEST_F(PointsFileTest, NothingToReadYieldsEmptyLists) {
    for (const std::string& path : {std::string(), folder / "missing.txt", folder.Path()}) {
        const PointLists lists = ReadPointsFile(LocationOf(path));
        EXPECT_TRUE(lists.measured.empty() && lists.design.empty()) << path;
    }
}

TEST(PointRecordTest, ConvertsFourFieldsByAtoiAndAtof) {
    struct Case {
        Fields fields;
        PointRecord expected;
    };
    const Case cases[] = {
        {{"7", "12.5", "-3.25", "0.01"}, {7, 12.5, -3.25, 0.01}},
        {{"P12", "12,5", "1.23457e+06", ""}, {0, 12, 1234570, 0}},
        {{"12A", "0x10", "  4", "-0"}, {12, 16, 4, -0.0}},
        {{"-3", "1e400", "x", "3"}, {-3, std::numeric_limits<double>::infinity(), 0, 3}},
    };
    for (const Case& c : cases) {
        const std::optional<PointRecord> record = ToPointRecord(LineOf(c.fields));
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(record->number, c.expected.number);
        EXPECT_EQ(record->x, c.expected.x);
        EXPECT_EQ(record->y, c.expected.y);
        EXPECT_EQ(record->z, c.expected.z);
    }
    EXPECT_FALSE(ToPointRecord(LineOf({"1", "2", "3"})).has_value());
}

TEST_F(PointsFileTest, RoundTripKeepsNumbersAndMicrometres) {
    std::mt19937_64 random(3);
    std::uniform_int_distribution<Int32> numbers(std::numeric_limits<Int32>::min(),
                                                 std::numeric_limits<Int32>::max());
    std::uniform_int_distribution<long long> micrometres(-2'000'000'000'000LL, 2'000'000'000'000LL);
    auto randomPoints = [&](int count) {
        std::vector<PointRecord> points;
        for (int i = 0; i < count; ++i) {
            points.push_back({numbers(random), micrometres(random) / 1e6, micrometres(random) / 1e6,
                              micrometres(random) / 1e6});
        }
        return points;
    };
    // Large enough to span several read blocks.
    const std::vector<PointRecord> measured = randomPoints(40000);
    const std::vector<PointRecord> design = randomPoints(3);
    ASSERT_TRUE(WritePointsFile(LocationOf(file), measured, design));
    const PointLists lists = ReadPointsFile(LocationOf(file));
    auto expectSame = [](const std::vector<PointRecord>& points,
                         const std::vector<PointLine>& lines) {
        ASSERT_EQ(points.size(), lines.size());
        for (std::size_t i = 0; i < points.size(); ++i) {
            const PointRecord read = ToPointRecord(lines[i]).value();
            ASSERT_EQ(read.number, points[i].number);
            ASSERT_EQ(read.x, points[i].x);
            ASSERT_EQ(read.y, points[i].y);
            ASSERT_EQ(read.z, points[i].z);
        }
    };
    expectSame(measured, lists.measured);
    expectSame(design, lists.design);
}

TEST_F(PointsFileTest, PathsBeyondTheCodePageWork) {
    const std::string subfolder = folder / "Punkte \xE2\x9C\x93 \xF0\x9F\x93\x90";
    ASSERT_EQ(::mkdir(subfolder.c_str(), 0777), 0);
    const IO::Location path = LocationOf(subfolder +
                                         "/\xC5\x81\xC3\xB3"
                                         "d\xC5\xBA.txt");
    ASSERT_TRUE(WritePointsFile(path, {{1, 2, 3, 4}}, {}));
    EXPECT_EQ(FieldsOf(ReadPointsFile(path).measured), (std::vector<Fields>{{"1", "2", "3", "4"}}));
}

TEST_F(PointsFileTest, FailedWriteLosesNothing) {
    EXPECT_FALSE(WritePointsFile(LocationOf(folder / "missing/points.txt"), {{1, 2, 3, 4}}, {}));
    EXPECT_FALSE(WritePointsFile(IO::Location(), {{1, 2, 3, 4}}, {}));

    const std::string old = "[Measured_Points]\r\n1\t2\t3\t4\t\r\n";
    WriteWholeFile(file, old);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0555), 0);
    ASSERT_EQ(::chmod(file.c_str(), 0666), 0);
    EXPECT_TRUE(RunUnprivileged([&] {
        return !WritePointsFile(LocationOf(file), {{9, 9, 9, 9}}, {{8, 8, 8, 8}});
    }));
    ::chmod(folder.Path().c_str(), 0755);
    EXPECT_EQ(ReadWholeFile(file), old);
}

}  // namespace
